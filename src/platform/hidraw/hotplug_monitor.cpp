#include "platform/hidraw/hotplug_monitor.h"

#include <libudev.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ostrel::hidraw {
namespace {

// The udev daemon's control socket: without it no "udev" event is ever sent.
constexpr const char* kUdevControl = "/run/udev/control";

}  // namespace

Result<std::unique_ptr<HotplugMonitor>> HotplugMonitor::Start(Source source) {
    using Started = Result<std::unique_ptr<HotplugMonitor>>;
    if (source == Source::Automatic) {
        source = access(kUdevControl, F_OK) == 0 ? Source::Udev : Source::Kernel;
    }
    struct udev* udev = udev_new();
    if (udev == nullptr)
        return Started::Failure(std::string("udev: ") + std::strerror(errno));
    const char* name = source == Source::Udev ? "udev" : "kernel";
    struct udev_monitor* monitor = udev_monitor_new_from_netlink(udev, name);
    if (monitor == nullptr) {
        const int error = errno;
        udev_unref(udev);
        return Started::Failure(std::string("udev monitor (") + name +
                                "): " + std::strerror(error));
    }
    int result = udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr);
    if (result >= 0)
        result = udev_monitor_enable_receiving(monitor);
    if (result < 0) {
        udev_monitor_unref(monitor);
        udev_unref(udev);
        return Started::Failure(std::string("udev monitor (") + name +
                                "): " + std::strerror(-result));
    }
    return std::unique_ptr<HotplugMonitor>(new HotplugMonitor(udev, monitor, source));
}

HotplugMonitor::HotplugMonitor(struct udev* udev, struct udev_monitor* monitor, Source source)
    : m_udev(udev), m_monitor(monitor), m_source(source) {}

HotplugMonitor::~HotplugMonitor() {
    udev_monitor_unref(m_monitor);
    udev_unref(m_udev);
}

int HotplugMonitor::Fd() const {
    return udev_monitor_get_fd(m_monitor);
}

std::vector<HotplugEvent> HotplugMonitor::Drain() {
    std::vector<HotplugEvent> events;
    // The monitor's socket does not block: a null device means nothing waits any more.
    while (struct udev_device* device = udev_monitor_receive_device(m_monitor)) {
        const char* action = udev_device_get_action(device);
        const char* subsystem = udev_device_get_subsystem(device);
        const char* devnode = udev_device_get_devnode(device);
        // The kernel's events are not filtered by subsystem on every system: check again.
        if (action != nullptr && subsystem != nullptr && std::strcmp(subsystem, "hidraw") == 0) {
            HotplugEvent event;
            event.devnode = devnode != nullptr ? devnode : "";
            if (std::strcmp(action, "add") == 0) {
                event.action = HotplugAction::Arrival;
                events.push_back(event);
            } else if (std::strcmp(action, "remove") == 0) {
                event.action = HotplugAction::Removal;
                events.push_back(event);
            }
        }
        udev_device_unref(device);
    }
    return events;
}

}  // namespace ostrel::hidraw
