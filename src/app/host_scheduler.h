#pragma once

#include "device/scheduler.h"
#include "ui/host_types.h"

namespace ostrel::app {

// The device link's time on the main window: its timers are the window's timers, its pauses
// and ticks the host's.
class HostScheduler : public Scheduler {
public:
    void SetWindow(ui::WindowHandle window) { m_window = window; }

    void StartTimer(int id, uint32_t periodMs) override;
    void KillTimer(int id) override;
    void Sleep(uint32_t ms) override;
    uint32_t TickCount() const override;

private:
    ui::WindowHandle m_window = ui::kNoWindow;
};

}  // namespace ostrel::app
