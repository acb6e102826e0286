#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/result.h"

struct udev;
struct udev_monitor;

namespace ostrel::hidraw {

enum class HotplugAction { Arrival, Removal };

struct HotplugEvent {
    HotplugAction action = HotplugAction::Arrival;
    std::string devnode;  // "/dev/hidraw3"
};

// Arrival and removal of hidraw nodes. Start it before the first enumeration, so that a node that
// comes or goes in between is still reported. Its descriptor becomes readable when events wait;
// the caller watches it (a socket notifier, poll) and calls Drain. One thread at a time.
class HotplugMonitor {
public:
    enum class Source {
        Automatic,  // the udev daemon's events when it runs, else the kernel's
        Udev,       // after the udev daemon has set up the node (permissions, links)
        Kernel,     // straight from the kernel, as where no udev daemon runs
    };

    static Result<std::unique_ptr<HotplugMonitor>> Start(Source source = Source::Automatic);
    ~HotplugMonitor();
    HotplugMonitor(const HotplugMonitor&) = delete;
    HotplugMonitor& operator=(const HotplugMonitor&) = delete;

    // Readable while events wait; owned by the monitor.
    int Fd() const;
    // Which events it listens to: Udev or Kernel.
    Source ListensTo() const { return m_source; }
    // Every event that waits, without blocking; other actions than add and remove are dropped.
    std::vector<HotplugEvent> Drain();

private:
    HotplugMonitor(struct udev* udev, struct udev_monitor* monitor, Source source);

    struct udev* m_udev;
    struct udev_monitor* m_monitor;
    Source m_source;
};

}  // namespace ostrel::hidraw
