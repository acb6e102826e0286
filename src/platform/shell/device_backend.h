#pragma once

#include <QElapsedTimer>
#include <memory>

#include "app/program_options.h"
#include "base/result.h"
#include "device/hid_transport.h"
#include "ui/host_types.h"

namespace ostrel::platform {

// The HID interfaces of a run: the real devices through hidraw, or the virtual mouse. Both tell
// the main window of arrivals and removals with the message the platform sends for them.
class DeviceBackend {
public:
    virtual ~DeviceBackend() = default;
    virtual HidTransport& Transport() = 0;
    // From now on, arrival and removal reach `window` as posted device-change messages.
    virtual void NotifyWindow(ui::WindowHandle window) = 0;
};

// The real devices; the hot-plug monitor starts before anything enumerates.
std::unique_ptr<DeviceBackend> MakeHidrawBackend();

// The virtual mouse of `options`, with its frame log and its script. `sinceStart` is the
// program's clock, which the frame log and the script count from.
Result<std::unique_ptr<DeviceBackend>> MakeVirtualBackend(const app::ProgramOptions& options,
                                                          const QElapsedTimer& sinceStart);

}  // namespace ostrel::platform
