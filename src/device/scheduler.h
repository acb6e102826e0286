#pragma once

#include <cstdint>

namespace ostrel {

// Timers of the main window by id
inline constexpr int kTimerFlush = 30;
inline constexpr int kTimerHideWatchdog = 40;
inline constexpr int kTimerDelayedSave = 70;
inline constexpr int kTimerDeviceMissing = 80;
inline constexpr int kTimerPoll = 110;

inline constexpr uint32_t kFlushDelayMs = 20;
inline constexpr uint32_t kHideWatchdogMs = 100;
inline constexpr uint32_t kDelayedSaveMs = 10000;
inline constexpr uint32_t kDeviceMissingMs = 2000;
inline constexpr uint32_t kPollTickMs = 1000;

// Time as the device link sees it: the main window's timers, the pauses between frames and the
// tick count, so that the program runs on real time and the tests on virtual time.
class Scheduler {
public:
    virtual ~Scheduler() = default;
    // Starts timer `id`, restarting its period when it runs already.
    virtual void StartTimer(int id, uint32_t periodMs) = 0;
    virtual void KillTimer(int id) = 0;
    // Blocks the calling (UI) thread.
    virtual void Sleep(uint32_t ms) = 0;
    // Milliseconds since some start, wrapping as a 32-bit tick count does.
    virtual uint32_t TickCount() const = 0;
};

}  // namespace ostrel
