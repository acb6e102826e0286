#include "platform/shell/device_backend.h"

#include <QSocketNotifier>
#include <QTimer>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/shell_services.h"
#include "device/frame_log.h"
#include "device/virtual_mouse.h"
#include "device/virtual_mouse_script.h"
#include "platform/hidraw/hotplug_monitor.h"
#include "platform/hidraw/linux_hid_transport.h"
#include "ui/host.h"

namespace ostrel::platform {
namespace {

void PostDeviceChange(ui::WindowHandle window, bool arrival) {
    ui::CurrentHost().PostMessage(window, app::kMessageDeviceChange,
                                  arrival ? app::kDeviceArrival : app::kDeviceRemoveComplete, 0);
}

class HidrawBackend : public DeviceBackend {
public:
    HidrawBackend() {
        auto monitor = hidraw::HotplugMonitor::Start();
        // Without a monitor the program still works with what is plugged in at its start.
        if (monitor) m_monitor = std::move(*monitor);
    }

    HidTransport& Transport() override { return m_transport; }

    void NotifyWindow(ui::WindowHandle window) override {
        if (!m_monitor) return;
        m_notifier = std::make_unique<QSocketNotifier>(m_monitor->Fd(), QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this, window] {
            for (const hidraw::HotplugEvent& event : m_monitor->Drain()) {
                PostDeviceChange(window, event.action == hidraw::HotplugAction::Arrival);
            }
        });
    }

private:
    std::unique_ptr<hidraw::HotplugMonitor> m_monitor;
    hidraw::LinuxHidTransport m_transport;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

class VirtualBackend : public DeviceBackend {
public:
    VirtualBackend(const app::ProgramOptions& options, const QElapsedTimer& sinceStart,
                   std::vector<MouseScriptEvent> script)
        : m_mouse([&sinceStart] { return static_cast<uint32_t>(sinceStart.elapsed()); }, MouseOptions(options)),
          m_products(Products(options)),
          m_script(std::move(script)),
          m_sinceStart(sinceStart) {
        if (!options.frameLog.empty()) {
            m_frameLog.open(options.frameLog, std::ios::app);
            m_mouse.SetFrameObserver([this](const ReceivedFrame& frame, const std::vector<FrameViolation>& violations) {
                m_frameLog << FrameLogLine(frame) << "\n";
                for (const FrameViolation& violation : violations) m_frameLog << ViolationLogLine(violation) << "\n";
                m_frameLog.flush();
            });
        }
    }

    HidTransport& Transport() override { return m_mouse; }

    void NotifyWindow(ui::WindowHandle window) override {
        m_mouse.SetHotplugListener([window](VirtualMouse::Hotplug event) {
            PostDeviceChange(window, event == VirtualMouse::Hotplug::Arrival);
        });
        // The script's times count from the program's start.
        for (const MouseScriptEvent& event : m_script) {
            const qint64 delay = std::max<qint64>(0, qint64(event.atMs) - m_sinceStart.elapsed());
            QTimer::singleShot(static_cast<int>(delay), [this, event] { PlayMouseScriptEvent(m_mouse, event, m_products); });
        }
    }

private:
    static VirtualMouse::Options MouseOptions(const app::ProgramOptions& options) {
        VirtualMouse::Options mouse;
        using Devices = app::ProgramOptions::Devices;
        mouse.wired = options.devices == Devices::VirtualMouse || options.devices == Devices::VirtualBoth;
        mouse.receiver = options.devices == Devices::VirtualReceiver || options.devices == Devices::VirtualBoth;
        return mouse;
    }

    static std::vector<uint16_t> Products(const app::ProgramOptions& options) {
        const VirtualMouse::Options mouse = MouseOptions(options);
        std::vector<uint16_t> products;
        if (mouse.wired) products.push_back(kProductWired);
        if (mouse.receiver) products.push_back(kProductReceiver);
        return products;
    }

    VirtualMouse m_mouse;
    std::vector<uint16_t> m_products;
    std::vector<MouseScriptEvent> m_script;
    const QElapsedTimer& m_sinceStart;
    std::ofstream m_frameLog;
};

}  // namespace

std::unique_ptr<DeviceBackend> MakeHidrawBackend() { return std::make_unique<HidrawBackend>(); }

Result<std::unique_ptr<DeviceBackend>> MakeVirtualBackend(const app::ProgramOptions& options,
                                                          const QElapsedTimer& sinceStart) {
    using Backend = Result<std::unique_ptr<DeviceBackend>>;
    std::vector<MouseScriptEvent> script;
    if (!options.mouseScript.empty()) {
        std::ifstream file(options.mouseScript, std::ios::binary);
        if (!file) return Backend::Failure(options.mouseScript.string() + ": cannot be read");
        const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        auto parsed = ParseMouseScript(text);
        if (!parsed) return Backend::Failure(options.mouseScript.string() + ": " + parsed.reason());
        script = std::move(*parsed);
    }
    if (!options.frameLog.empty()) {
        std::ofstream probe(options.frameLog, std::ios::app);
        if (!probe) return Backend::Failure(options.frameLog.string() + ": cannot be written");
    }
    std::unique_ptr<DeviceBackend> backend = std::make_unique<VirtualBackend>(options, sinceStart, std::move(script));
    return backend;
}

}  // namespace ostrel::platform
