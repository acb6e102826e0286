#include "platform/hidraw/linux_hid_transport.h"

#include <fcntl.h>
#include <hidapi.h>
#include <libudev.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace ostrel::hidraw {
namespace {

// hidapi keeps the error of a failed open in one process-wide string, which hid_init and
// hid_open_path replace without a lock: every call that touches it goes through this mutex.
std::mutex& HidapiGlobalMutex() {
    static std::mutex mutex;
    return mutex;
}

// hidapi's error texts are wide strings (UTF-32 on Linux); the program's reasons are UTF-8.
std::string Utf8(const wchar_t* text) {
    std::string out;
    if (text == nullptr)
        return out;
    for (; *text != 0; ++text) {
        const auto c = static_cast<uint32_t>(*text);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string ReportIdText(uint8_t id) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", id);
    return text;
}

// Whether `path` opens as a hidraw node, with the system's reason when not. hidapi is asked only
// then: its own failure text is less exact, and it crashes on some files that are no hidraw node.
std::string CheckHidrawNode(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return path + ": " + std::strerror(errno);
    int descriptorSize = 0;
    const bool hidraw = ioctl(fd, HIDIOCGRDESCSIZE, &descriptorSize) == 0;
    const int error = errno;
    close(fd);  // read-write open of a device file: nothing to lose on close
    return hidraw ? std::string() : path + ": not a hidraw node (" + std::strerror(error) + ")";
}

// The devices of the "hidraw" subsystem as libudev lists them, read from sysfs.
Result<std::vector<HidrawNode>> ListHidrawNodes() {
    using Nodes = Result<std::vector<HidrawNode>>;
    struct udev* udev = udev_new();
    if (udev == nullptr)
        return Nodes::Failure(std::string("udev: ") + std::strerror(errno));
    struct udev_enumerate* enumerate = udev_enumerate_new(udev);
    if (enumerate == nullptr) {
        udev_unref(udev);
        return Nodes::Failure(std::string("udev enumeration: ") + std::strerror(errno));
    }
    std::vector<HidrawNode> nodes;
    const int matched = udev_enumerate_add_match_subsystem(enumerate, "hidraw");
    const int scanned = matched < 0 ? matched : udev_enumerate_scan_devices(enumerate);
    if (scanned < 0) {
        udev_enumerate_unref(enumerate);
        udev_unref(udev);
        return Nodes::Failure(std::string("udev enumeration: ") + std::strerror(-scanned));
    }
    struct udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        struct udev_device* device =
            udev_device_new_from_syspath(udev, udev_list_entry_get_name(entry));
        if (device == nullptr)
            continue;  // gone since the scan
        const char* devnode = udev_device_get_devnode(device);
        const auto number = HidrawNumber(udev_device_get_sysname(device));
        if (devnode != nullptr && number) {
            // The parent belongs to the child and is not unreferenced separately.
            struct udev_device* hid =
                udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
            if (hid == nullptr) {
                HidrawNode orphan;
                orphan.devnode = devnode;
                orphan.number = *number;
                orphan.problem = "no parent HID device";
                nodes.push_back(orphan);
            } else {
                nodes.push_back(ReadHidrawNode(devnode, *number, udev_device_get_syspath(hid)));
            }
        }
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
    udev_unref(udev);
    return nodes;
}

}  // namespace

struct LinuxHidTransport::Device {
    explicit Device(hid_device* opened, std::string node) : handle(opened), path(std::move(node)) {}
    ~Device() { hid_close(handle); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    hid_device* const handle;
    const std::string path;
    std::atomic<bool> closed{false};
    std::mutex io;  // hidapi keeps per-handle error state: one call at a time on a handle
};

LinuxHidTransport::LinuxHidTransport() {
    std::lock_guard lock(HidapiGlobalMutex());
    if (hid_init() != 0)
        m_lastError = "hidapi: " + Utf8(hid_error(nullptr));
}

LinuxHidTransport::~LinuxHidTransport() = default;

void LinuxHidTransport::Fail(const std::string& reason) {
    std::lock_guard lock(m_mutex);
    m_lastError = reason;
}

std::string LinuxHidTransport::LastError() const {
    std::lock_guard lock(m_mutex);
    return m_lastError;
}

Result<std::vector<HidrawInterface>> LinuxHidTransport::EnumerateInterfaces() {
    auto nodes = ListHidrawNodes();
    if (!nodes) {
        Fail(nodes.reason());
        return Result<std::vector<HidrawInterface>>::Failure(nodes.reason());
    }
    return InterfacesOfNodes(std::move(*nodes));
}

std::vector<HidInterfaceInfo> LinuxHidTransport::Enumerate() {
    std::vector<HidInterfaceInfo> infos;
    auto interfaces = EnumerateInterfaces();
    if (!interfaces)
        return infos;
    for (const HidrawInterface& listed : *interfaces)
        infos.push_back(listed.info);
    return infos;
}

Result<HidHandle> LinuxHidTransport::OpenWithReason(const std::string& path) {
    std::string reason = CheckHidrawNode(path);
    hid_device* opened = nullptr;
    if (reason.empty()) {
        std::lock_guard lock(HidapiGlobalMutex());
        opened = hid_open_path(path.c_str());
        if (opened == nullptr)
            reason = path + ": " + Utf8(hid_error(nullptr));
    }
    if (opened == nullptr) {
        Fail(reason);
        return Result<HidHandle>::Failure(reason);
    }
    std::lock_guard lock(m_mutex);
    const int32_t id = m_nextHandle++;
    m_devices.emplace(id, std::make_shared<Device>(opened, path));
    return HidHandle{id};
}

HidHandle LinuxHidTransport::Open(const std::string& path) {
    auto handle = OpenWithReason(path);
    return handle ? *handle : HidHandle{};
}

std::shared_ptr<LinuxHidTransport::Device> LinuxHidTransport::Find(HidHandle handle) {
    std::lock_guard lock(m_mutex);
    auto found = m_devices.find(handle.id);
    return found == m_devices.end() ? nullptr : found->second;
}

bool LinuxHidTransport::SetFeature(HidHandle handle, std::span<const uint8_t> report) {
    const std::shared_ptr<Device> device = Find(handle);
    if (device == nullptr || report.empty())
        return false;
    std::string reason;
    {
        std::lock_guard lock(device->io);
        if (device->closed)
            return false;
        const int sent = hid_send_feature_report(device->handle, report.data(), report.size());
        if (sent == static_cast<int>(report.size()))
            return true;
        reason = device->path + ": set feature report " + ReportIdText(report[0]) + ": " +
                 (sent < 0 ? Utf8(hid_error(device->handle))
                           : "sent " + std::to_string(sent) + " bytes");
    }
    Fail(reason);
    return false;
}

bool LinuxHidTransport::GetFeature(HidHandle handle, std::span<uint8_t> report) {
    const std::shared_ptr<Device> device = Find(handle);
    if (device == nullptr || report.empty())
        return false;
    std::string reason;
    {
        std::lock_guard lock(device->io);
        if (device->closed)
            return false;
        const uint8_t id = report[0];
        const int read = hid_get_feature_report(device->handle, report.data(), report.size());
        if (read > 0)
            return true;
        reason = device->path + ": get feature report " + ReportIdText(id) + ": " +
                 (read < 0 ? Utf8(hid_error(device->handle)) : "empty answer");
    }
    Fail(reason);
    return false;
}

int LinuxHidTransport::Read(HidHandle handle, std::span<uint8_t> report, int timeoutMs) {
    const std::shared_ptr<Device> device = Find(handle);
    if (device == nullptr || report.empty())
        return -1;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int slice = kReadSliceMs;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            slice = static_cast<int>(std::max<int64_t>(0, std::min<int64_t>(slice, left.count())));
        }
        std::string reason;
        {
            std::lock_guard lock(device->io);
            if (device->closed)
                return -1;
            const int length =
                hid_read_timeout(device->handle, report.data(), report.size(), slice);
            if (length > 0)
                return length;
            if (length < 0)
                reason = device->path + ": read: " + Utf8(hid_error(device->handle));
        }
        if (!reason.empty()) {
            Fail(reason);
            return -1;
        }
        if (timeoutMs >= 0 && Clock::now() >= deadline)
            return 0;
    }
}

void LinuxHidTransport::Close(HidHandle handle) {
    std::shared_ptr<Device> device;
    {
        std::lock_guard lock(m_mutex);
        auto found = m_devices.find(handle.id);
        if (found == m_devices.end())
            return;
        device = std::move(found->second);
        m_devices.erase(found);
    }
    // A read still using the handle sees this within one slice; the handle is released with the
    // last reference, here or when that read returns.
    device->closed = true;
}

}  // namespace ostrel::hidraw
