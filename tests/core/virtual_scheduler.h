#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "device/scheduler.h"

namespace ostrel::testing_support {

// Virtual time: sleeps advance the clock at once, timers fire in order of their due time when
// the test advances the clock. Timers repeat until killed, as window timers do.
class VirtualScheduler : public Scheduler {
public:
    std::function<void(int)> onTimer;
    uint32_t now = 0;
    uint32_t sleptMs = 0;
    int sleeps = 0;

    void StartTimer(int id, uint32_t periodMs) override { m_timers[id] = {now + periodMs, periodMs}; }
    void KillTimer(int id) override { m_timers.erase(id); }
    void Sleep(uint32_t ms) override {
        now += ms;
        sleptMs += ms;
        ++sleeps;
    }
    uint32_t TickCount() const override { return now; }

    bool Running(int id) const { return m_timers.count(id) != 0; }

    // Moves the clock forward by `ms`, firing every timer that falls due on the way.
    void Advance(uint32_t ms) {
        const uint32_t end = now + ms;
        while (true) {
            auto next = m_timers.end();
            for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
                if (it->second.due <= end && (next == m_timers.end() || it->second.due < next->second.due)) {
                    next = it;
                }
            }
            if (next == m_timers.end()) break;
            const int id = next->first;
            if (next->second.due > now) now = next->second.due;
            next->second.due = now + next->second.period;
            if (onTimer) onTimer(id);
        }
        if (end > now) now = end;
    }

private:
    struct Timer {
        uint32_t due;
        uint32_t period;
    };
    std::map<int, Timer> m_timers;
};

}  // namespace ostrel::testing_support
