#pragma once

#include <cstddef>
#include <cstdint>

namespace ostrel {

class ConfigStore;
class DeviceLink;
class LinkWindow;
class Scheduler;

// Change flags: which senders the next flush runs.
inline constexpr unsigned kChangeButtons = 1u << 0;
inline constexpr unsigned kChangeDeviceSettings = 1u << 1;
inline constexpr unsigned kChangePower = 1u << 2;
inline constexpr unsigned kChangeMotionWakeup = 1u << 3;
inline constexpr unsigned kChangeAll = kChangeButtons | kChangeDeviceSettings | kChangePower |
                                       kChangeMotionWakeup;

inline constexpr size_t kTextProgress = 146;
inline constexpr int kPollEvery = 20;  // ticks of the poll timer between two status queries

// Edits raise change flags and end, 20 ms after the last of them, in one flush of the
// differences; a flush schedules the save of the files ten seconds later. The main window's
// timer handler calls OnTimer. UI thread only.
class SyncEngine {
public:
    SyncEngine(DeviceLink& link, ConfigStore& config, Scheduler& scheduler, LinkWindow& window);

    // Raises `flags` and (re)starts the 20 ms flush timer: every edit handler uses this.
    void RequestFlush(unsigned flags);
    void FlushChanges();
    // Timers 30 (flush), 40 (hide while inactive) and 70 (delayed save); other ids are ignored.
    // Returns whether the timer was one of these.
    bool OnTimer(int id);
    // The delayed save, done at once when it is pending (shutdown).
    void SaveIfPending();

    unsigned changeFlags = 0;
    bool quiet = false;
    bool savePending = false;
    int pollCounter = 0;

private:
    void DelayedSave();

    DeviceLink& m_link;
    ConfigStore& m_config;
    Scheduler& m_scheduler;
    LinkWindow& m_window;
};

}  // namespace ostrel
