#include "device/sync_engine.h"

#include "device/device_link.h"
#include "device/link_window.h"
#include "device/scheduler.h"
#include "profile/config_store.h"

namespace ostrel {

SyncEngine::SyncEngine(DeviceLink& link, ConfigStore& config, Scheduler& scheduler,
                       LinkWindow& window)
    : m_link(link), m_config(config), m_scheduler(scheduler), m_window(window) {}

void SyncEngine::RequestFlush(unsigned flags) {
    changeFlags |= flags;
    m_scheduler.StartTimer(kTimerFlush, kFlushDelayMs);
}

void SyncEngine::FlushChanges() {
    // While no mouse is reported online the flags wait for the next flush.
    if (!m_link.windowActive) return;
    m_link.sent = false;
    m_link.AssignMacroSlots();
    if (changeFlags & kChangeButtons) m_link.SendButtonAssignments();
    if (changeFlags & kChangeDeviceSettings) m_link.SendDeviceSettings();
    if (changeFlags & kChangePower) m_link.SendPowerSettings();
    if (changeFlags & kChangeMotionWakeup) m_link.SendMotionWakeup();
    changeFlags = 0;
    m_link.SendMacros(true);
    if (m_link.sent && !quiet) {
        pollCounter = 0;
        m_window.ShowProgress(kTextProgress);
    }
    quiet = false;
    m_scheduler.StartTimer(kTimerDelayedSave, kDelayedSaveMs);
    savePending = true;
    m_window.RefreshView();
}

bool SyncEngine::OnTimer(int id) {
    switch (id) {
        case kTimerFlush:
            m_scheduler.KillTimer(kTimerFlush);
            FlushChanges();
            return true;
        case kTimerHideWatchdog:
            if (!m_link.windowActive) m_window.Hide();
            return true;
        case kTimerDelayedSave:
            m_scheduler.KillTimer(kTimerDelayedSave);
            DelayedSave();
            return true;
        default:
            return false;
    }
}

void SyncEngine::SaveIfPending() {
    if (savePending) DelayedSave();
}

void SyncEngine::DelayedSave() {
    savePending = false;
    m_config.SaveCurrentProfileSetting();
    m_config.SaveAllProfiles();
}

}  // namespace ostrel
