#include "app/host_scheduler.h"

#include "ui/host.h"

namespace ostrel::app {

void HostScheduler::StartTimer(int id, uint32_t periodMs) {
    ui::CurrentHost().SetTimer(m_window, static_cast<unsigned>(id), periodMs);
}

void HostScheduler::KillTimer(int id) { ui::CurrentHost().KillTimer(m_window, static_cast<unsigned>(id)); }

void HostScheduler::Sleep(uint32_t ms) { ui::CurrentHost().Sleep(ms); }

uint32_t HostScheduler::TickCount() const { return ui::CurrentHost().TickCount(); }

}  // namespace ostrel::app
