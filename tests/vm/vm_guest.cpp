// Runs inside the test kernel as its only program: a uhid device with the mouse's ids and two
// top-level collections, answered by the virtual mouse's protocol logic, and the real Linux
// transport against it. Prints one "PASS name" or "FAIL name: why" line per check; the host side
// reads them.
#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/device_discovery.h"
#include "device/device_link.h"
#include "device/device_listener.h"
#include "device/link_window.h"
#include "device/profile_defaults.h"
#include "device/report_blocks.h"
#include "device/scheduler.h"
#include "device/sync_engine.h"
#include "device/ui_queue.h"
#include "device/virtual_mouse.h"
#include "macro/macro_library.h"
#include "platform/hidraw/hotplug_monitor.h"
#include "platform/hidraw/linux_hid_transport.h"
#include "profile/config_store.h"
#include "profile/language.h"

namespace {

using namespace ostrel;
using namespace std::chrono_literals;
using hidraw::HotplugAction;
using hidraw::HotplugEvent;
using hidraw::HotplugMonitor;
using hidraw::LinuxHidTransport;

constexpr uint16_t kSensor = 0x3325;
constexpr uint8_t kSensorCode = 0x25;
constexpr uint8_t kBattery = 57;

// The mouse's node: an input collection with report 0x05 and a feature collection with report
// 0x0C, 32 data bytes each.
constexpr uint8_t kDescriptor[] = {
    0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x05,        //   Report ID (5)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x20,        //   Report Count (32)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input
    0xC0,              // End Collection
    0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
    0x09, 0x02,        // Usage (2)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x0C,        //   Report ID (0x0C)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x20,        //   Report Count (32)
    0x09, 0x02,        //   Usage (2)
    0xB1, 0x02,        //   Feature
    0xC0,              // End Collection
};

int g_failures = 0;

void Check(bool passed, const std::string& name, const std::string& why = "") {
    if (passed) {
        std::printf("PASS %s\n", name.c_str());
    } else {
        std::printf("FAIL %s: %s\n", name.c_str(), why.c_str());
        ++g_failures;
    }
    std::fflush(stdout);
}

std::string Hex(std::span<const uint8_t> bytes) {
    std::string text;
    char pair[3];
    for (uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        text += pair;
    }
    return text;
}

class RealTimeScheduler : public Scheduler {
public:
    void StartTimer(int, uint32_t) override {}
    void KillTimer(int) override {}
    void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    uint32_t TickCount() const override {
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now().time_since_epoch())
                                         .count());
    }
};

// Pauses pass at once: the reference run only needs the frames.
class InstantScheduler : public Scheduler {
public:
    void StartTimer(int, uint32_t) override {}
    void KillTimer(int) override {}
    void Sleep(uint32_t ms) override { m_now += ms; }
    uint32_t TickCount() const override { return m_now; }

private:
    uint32_t m_now = 0;
};

class GuestUiQueue : public UiQueue {
public:
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
        }
        m_posted.notify_all();
    }
    // Runs the tasks posted within `timeout`; returns how many ran.
    size_t RunPosted(std::chrono::milliseconds timeout) {
        std::deque<std::function<void()>> tasks;
        {
            std::unique_lock lock(m_mutex);
            m_posted.wait_for(lock, timeout, [&] { return !m_tasks.empty(); });
            tasks.swap(m_tasks);
        }
        for (auto& task : tasks)
            task();
        return tasks.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};

// The program's device side on a transport: five default profiles for the sensor, a link and
// its engine. Profile 1 differs from profile 0 in a button, the current DPI level, the polling
// rate and the lighting.
struct Program {
    Program(HidTransport& transport, Scheduler& scheduler, const std::filesystem::path& data)
        : config(data, language),
          link(transport, scheduler, config, library, language, window),
          engine(link, config, scheduler, window) {
        config.appSettings = DefaultAppSettings(data);
        config.sensorId = kSensor;
        for (size_t slot = 0; slot < kProfileCount; ++slot) {
            ResetProfileToDefaults(config.profiles[slot], slot, kSensor, language);
        }
        config.profiles[1] = config.profiles[0];
        config.profiles[1].keys[0].code = {0x70, 0x02, 0x04};
        config.profiles[1].CurrentDPILevelValue = 3;
        config.profiles[1].PollingRateValue = {0, 0, 0};
        const uint8_t effect = config.profiles[0].Lighting1ModeValue[0] == 1 ? 4 : 1;
        config.profiles[1].Lighting1ModeValue = {effect, 0, 0};
        config.BuildDpiStepTable();
        config.SetCurrentProfile(0);
        link.SeedShadows();
    }

    // A status query, then a switch to profile 1 with everything flushed.
    void QueryAndSwitch() {
        link.QueryStatus();
        config.SetCurrentProfile(1);
        link.windowActive = true;
        engine.changeFlags = kChangeAll;
        engine.FlushChanges();
    }

    LanguageTable language;
    ConfigStore config;
    MacroLibrary library;
    NullLinkWindow window;
    DeviceLink link;
    SyncEngine engine;
};

// The device side of /dev/uhid: creates the device and answers its get and set report requests
// with the virtual mouse, on a thread of its own.
class UhidMouse {
public:
    explicit UhidMouse(VirtualMouse& mouse) : m_mouse(mouse) {
        for (const HidInterfaceInfo& info : mouse.Enumerate()) {
            if (info.productId != kProductWired)
                continue;
            if (info.featureReportLength != 0)
                m_feature = mouse.Open(info.path);
            if (info.inputReportLength != 0)
                m_input = mouse.Open(info.path);
        }
    }
    ~UhidMouse() {
        Destroy();
        if (m_fd >= 0)
            close(m_fd);
    }

    bool Create(std::string& why) {
        m_fd = open("/dev/uhid", O_RDWR | O_CLOEXEC);
        if (m_fd < 0) {
            why = std::string("/dev/uhid: ") + std::strerror(errno);
            return false;
        }
        uhid_event event{};
        event.type = UHID_CREATE2;
        std::snprintf(reinterpret_cast<char*>(event.u.create2.name), sizeof event.u.create2.name,
                      "ostrel vm mouse");
        event.u.create2.rd_size = sizeof kDescriptor;
        event.u.create2.bus = 0x03;  // USB
        event.u.create2.vendor = kMouseVendorId;
        event.u.create2.product = kProductWired;
        std::memcpy(event.u.create2.rd_data, kDescriptor, sizeof kDescriptor);
        if (!Write(event, why))
            return false;
        m_thread = std::thread([this] { Serve(); });
        return true;
    }

    // Sends the virtual mouse's next input report through the kernel; returns its bytes.
    std::vector<uint8_t> SendAnnouncement() {
        std::vector<uint8_t> report(kFrameLength, 0);
        const int length = m_mouse.Read(m_input, report, 1000);
        if (length <= 0)
            return {};
        uhid_event event{};
        event.type = UHID_INPUT2;
        event.u.input2.size = kFrameLength;
        std::memcpy(event.u.input2.data, report.data(), kFrameLength);
        std::string why;
        if (!Write(event, why))
            return {};
        return report;
    }

    void Destroy() {
        if (m_fd >= 0 && !m_destroyed) {
            uhid_event event{};
            event.type = UHID_DESTROY;
            std::string why;
            m_destroyed = Write(event, why);
        }
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    bool Write(const uhid_event& event, std::string& why) {
        std::lock_guard lock(m_writeMutex);
        if (write(m_fd, &event, sizeof event) != static_cast<ssize_t>(sizeof event)) {
            why = std::string("/dev/uhid write: ") + std::strerror(errno);
            return false;
        }
        return true;
    }

    // A reply that cannot be written leaves the kernel's request to time out, which the check
    // waiting on it reports; the loop goes on with the next request.
    void Serve() {
        while (!m_stop) {
            pollfd watched{m_fd, POLLIN, 0};
            if (poll(&watched, 1, 50) <= 0)
                continue;
            uhid_event event{};
            if (read(m_fd, &event, sizeof event) <= 0)
                continue;
            uhid_event reply{};
            std::string why;
            if (event.type == UHID_GET_REPORT) {
                reply.type = UHID_GET_REPORT_REPLY;
                reply.u.get_report_reply.id = event.u.get_report.id;
                std::array<uint8_t, kFrameLength> answer{};
                answer[0] = event.u.get_report.rnum;
                const bool ok = event.u.get_report.rtype == UHID_FEATURE_REPORT &&
                                m_mouse.GetFeature(m_feature, answer);
                reply.u.get_report_reply.err = ok ? 0 : EIO;
                reply.u.get_report_reply.size = ok ? kFrameLength : 0;
                std::memcpy(reply.u.get_report_reply.data, answer.data(), kFrameLength);
                Write(reply, why);
            } else if (event.type == UHID_SET_REPORT) {
                reply.type = UHID_SET_REPORT_REPLY;
                reply.u.set_report_reply.id = event.u.set_report.id;
                const std::span<const uint8_t> frame(event.u.set_report.data,
                                                     event.u.set_report.size);
                const bool ok = event.u.set_report.rtype == UHID_FEATURE_REPORT &&
                                m_mouse.SetFeature(m_feature, frame);
                reply.u.set_report_reply.err = ok ? 0 : EIO;
                Write(reply, why);
            }
        }
    }

    VirtualMouse& m_mouse;
    HidHandle m_feature;
    HidHandle m_input;
    int m_fd = -1;
    bool m_destroyed = false;
    std::atomic<bool> m_stop{false};
    std::mutex m_writeMutex;
    std::thread m_thread;
};

// Waits for an event of `action` from the monitor.
std::optional<HotplugEvent> AwaitHotplug(HotplugMonitor& monitor, HotplugAction action,
                                         std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        pollfd watched{monitor.Fd(), POLLIN, 0};
        if (poll(&watched, 1, 100) <= 0)
            continue;
        for (const HotplugEvent& event : monitor.Drain()) {
            if (event.action == action)
                return event;
        }
    }
    return std::nullopt;
}

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

std::string RunTool(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char chunk[512];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        out.append(chunk, got);
    pclose(pipe);  // its output is what the checks look at
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string ostrelctl = argc > 1 ? argv[1] : "";

    // Started before the device exists, as the program starts it before its first scan.
    auto monitor = HotplugMonitor::Start();
    Check(monitor && (*monitor)->ListensTo() == HotplugMonitor::Source::Kernel,
          "monitor listens to kernel events without a udev daemon",
          monitor ? "udev events" : monitor.reason());
    if (!monitor)
        return 1;

    VirtualMouse::Options options;
    options.sensorId = kSensor;
    options.battery = kBattery;
    options.chargeState = kChargeCharging;
    VirtualMouse mouse([] { return 0u; }, options);
    UhidMouse device(mouse);
    std::string why;
    const bool created = device.Create(why);
    Check(created, "uhid device 248A:5B2E created", why);
    if (!created)
        return 1;

    const auto arrival = AwaitHotplug(**monitor, HotplugAction::Arrival, 10s);
    Check(arrival && arrival->devnode.rfind("/dev/hidraw", 0) == 0, "arrival seen by the monitor",
          arrival ? "node " + arrival->devnode : "no event within 10 s");
    if (!arrival)
        return 1;
    const std::string node = arrival->devnode;

    LinuxHidTransport transport;
    std::vector<HidInterfaceInfo> mine;
    int inputMember = -1;
    const std::vector<HidInterfaceInfo> interfaces = transport.Enumerate();
    for (size_t i = 0; i < interfaces.size(); ++i) {
        if (interfaces[i].vendorId != kMouseVendorId)
            continue;
        mine.push_back(interfaces[i]);
        if (interfaces[i].inputReportLength == kInterfaceReportLength)
            inputMember = static_cast<int>(i);
    }
    const std::vector<HidInterfaceInfo> expected = {{node, kMouseVendorId, kProductWired, 33, 0},
                                                    {node, kMouseVendorId, kProductWired, 0, 33}};
    std::string listed;
    for (const HidInterfaceInfo& info : mine) {
        listed += info.path + " " + std::to_string(info.inputReportLength) + "/" +
                  std::to_string(info.featureReportLength) + "; ";
    }
    Check(mine == expected, "enumeration: one interface per collection, input 33 and feature 33",
          listed);

    // The status query and a profile switch through the kernel, and the same on a virtual mouse
    // alone for the frames expected.
    RealTimeScheduler realTime;
    Program program(transport, realTime, "/tmp/ostrel-data");
    auto feature = transport.OpenWithReason(node);
    Check(feature.ok(), "feature handle opens", feature.reason());
    if (!feature)
        return 1;
    program.link.wiredHandle = *feature;
    program.QueryAndSwitch();
    Check(program.link.mouseOnline && program.link.batteryLevel == kBattery &&
              program.link.chargeState == kChargeCharging &&
              program.link.lastSensorCode == kSensorCode,
          "status query round trip",
          "online " + std::to_string(program.link.mouseOnline) + " battery " +
              std::to_string(program.link.batteryLevel) + " charge " +
              std::to_string(program.link.chargeState) + " sensor code " +
              std::to_string(program.link.lastSensorCode) + "; " + transport.LastError());

    InstantScheduler instant;
    VirtualMouse reference([] { return 0u; }, options);
    Program referenceProgram(reference, instant, "/tmp/ostrel-reference");
    for (const HidInterfaceInfo& info : reference.Enumerate()) {
        if (info.productId == kProductWired && info.featureReportLength != 0) {
            referenceProgram.link.wiredHandle = reference.Open(info.path);
        }
    }
    referenceProgram.QueryAndSwitch();
    const std::vector<ReceivedFrame> frames = mouse.Frames();
    const std::vector<ReceivedFrame> expectedFrames = reference.Frames();
    std::string difference = std::to_string(frames.size()) + " frames, expected " +
                             std::to_string(expectedFrames.size());
    bool same = frames.size() == expectedFrames.size() && expectedFrames.size() > 2;
    for (size_t i = 0; same && i < frames.size(); ++i) {
        if (frames[i].bytes != expectedFrames[i].bytes) {
            same = false;
            difference = "frame " + std::to_string(i) + ": " + Hex(frames[i].bytes) + " expected " +
                         Hex(expectedFrames[i].bytes);
        }
    }
    Check(same, "frames received byte for byte (" + std::to_string(frames.size()) + " frames)",
          difference);
    const std::vector<FrameViolation> violations = mouse.Violations();
    Check(violations.empty(), "the mouse's decoder found no violation",
          violations.empty() ? "" : violations.front().what);

    // ostrelctl on the same node, while the program holds its own handle.
    if (!ostrelctl.empty()) {
        const std::string devices = RunTool(ostrelctl + " devices");
        const std::string inputEntry = "\"path\": \"" + node +
                                       "\", \"vendorId\": \"0x248A\", \"productId\": \"0x5B2E\", "
                                       "\"usagePage\": \"0xFF00\", \"usage\": \"0x0001\", "
                                       "\"inputReportLength\": 33, \"featureReportLength\": 0, "
                                       "\"opens\": true";
        const std::string featureEntry =
            "\"usage\": \"0x0002\", \"inputReportLength\": 0, "
            "\"featureReportLength\": 33, \"opens\": true";
        Check(devices.find(inputEntry) != std::string::npos &&
                  devices.find(featureEntry) != std::string::npos,
              "ostrelctl devices lists both collections", devices);
        const std::string status = RunTool(ostrelctl + " status 2>&1");
        Check(status ==
                  "{\"command\": 32, \"tag\": \"Z6K3\", \"online\": true, \"sensor\": \"0x3325\", "
                  "\"battery\": 57, \"charge\": 1}\n",
              "ostrelctl status decodes the mouse's answer", status);
    }

    // An announcement from the mouse's DPI button: the listener hands it to the UI thread, and
    // a plain reader gets the same bytes.
    GuestUiQueue ui;
    std::optional<std::pair<uint8_t, uint8_t>> announced;
    DeviceListener listener(transport, kProductWired, ui, [&](uint8_t position, uint8_t polling) {
        announced = std::pair{position, polling};
    });
    listener.RecordInputPath(inputMember, node);
    listener.Start();
    auto reader = transport.OpenWithReason(node);
    Check(reader.ok(), "reader handle opens", reader.reason());
    if (!reader)
        return 1;
    // The kernel gives a report only to the handles open when it comes, and the listener opens
    // its own on its thread: the button is pressed again (up to five times) until one reaches it.
    std::this_thread::sleep_for(200ms);
    mouse.PressDpiButton();
    const std::vector<uint8_t> sent = device.SendAnnouncement();
    std::array<uint8_t, kFrameLength> received{};
    const int length = transport.Read(*reader, received, 2000);
    Check(!sent.empty() && length == static_cast<int>(kFrameLength) &&
              std::equal(sent.begin(), sent.end(), received.begin()),
          "input report read byte for byte",
          "sent " + Hex(sent) + ", read " + std::to_string(length) + ": " + Hex(received));
    std::vector<std::vector<uint8_t>> presses = {sent};
    for (int press = 1; ui.RunPosted(1000ms) == 0 && press < 5; ++press) {
        mouse.PressDpiButton();
        presses.push_back(device.SendAnnouncement());
    }
    // A late report may come after the next press: the announcement must be one of those sent.
    const bool decoded =
        std::any_of(presses.begin(), presses.end(), [&](const std::vector<uint8_t>& report) {
            return !report.empty() && announced &&
                   announced->first == report[kAnnouncementLevel] - 1 &&
                   announced->second == report[kAnnouncementPolling];
        });
    Check(decoded, "input report reached the listener",
          announced ? "position " + std::to_string(announced->first) + " polling " +
                          std::to_string(announced->second)
                    : "nothing announced");

    // A read that waits without limit ends when another thread closes its handle.
    auto waiting = transport.OpenWithReason(node);
    std::atomic<int> waitResult{1};
    std::thread blocked([&] {
        std::array<uint8_t, kFrameLength> report{};
        waitResult = transport.Read(*waiting, report, -1);
    });
    std::this_thread::sleep_for(200ms);
    const auto closedAt = std::chrono::steady_clock::now();
    transport.Close(*waiting);
    blocked.join();
    const auto ended = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - closedAt);
    Check(
        waitResult == -1 && ended < 1000ms, "close from another thread ends a blocked read",
        "result " + std::to_string(waitResult) + " after " + std::to_string(ended.count()) + " ms");

    // Unplug: the listener's read fails and it ends; the monitor reports the node's removal.
    device.Destroy();
    const auto removal = AwaitHotplug(**monitor, HotplugAction::Removal, 10s);
    Check(removal && removal->devnode == node, "removal seen by the monitor",
          removal ? "node " + removal->devnode : "no event within 10 s");
    Check(Eventually([&] { return !listener.Running(); }, 3s) && listener.InputPath().empty(),
          "unplug ended the listener", "still running");
    const int afterUnplug = transport.Read(*reader, received, 1000);
    Check(afterUnplug == -1, "a read after unplug fails",
          "returned " + std::to_string(afterUnplug));
    transport.Close(*reader);
    transport.Close(*feature);
    bool gone = true;
    for (const HidInterfaceInfo& info : transport.Enumerate())
        gone = gone && info.vendorId != kMouseVendorId;
    Check(gone, "enumeration after unplug lists no mouse");

    std::printf("DONE %d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
