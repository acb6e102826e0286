#include "macro/macro_recorder.h"

#include <algorithm>

#include "macro/macro_events.h"

namespace ostrel {
namespace {

constexpr uint32_t kTimeMask = 0x7FFFFFFF;  // the tick count travels in 31 bits
constexpr uint32_t kTimeWrap = 0x80000000;
constexpr uint32_t kLastKeyCode = 0xFF;

// Milliseconds from `last` to `now`, across one wrap of the 31-bit count.
uint32_t Elapsed(uint32_t last, uint32_t now) {
    const uint64_t later = now < last ? uint64_t(now) + kTimeWrap : now;
    return static_cast<uint32_t>(later - last);
}

}  // namespace

bool MacroRecorder::Start(MacroRecord* current) {
    if (current == nullptr) return false;
    current->actionCount = 0;
    current->eventCount = 0;
    m_lastKey = 0;
    m_lastRelease = false;
    m_lastTime = 0;
    m_recording = true;
    return true;
}

MacroRecorder::Step MacroRecorder::Feed(MacroRecord* current, uint32_t virtualKey, bool release,
                                        uint32_t timeMs) {
    if (!m_recording || current == nullptr) return Step::Ignored;
    if (virtualKey < kFirstEventCode || virtualKey > kLastKeyCode) return Step::Ignored;
    // A held key repeats its press; only the first one counts.
    if (virtualKey == m_lastKey && release == m_lastRelease) return Step::Ignored;

    const MacroAction event = MakeKeyAction(static_cast<uint8_t>(virtualKey), release);
    const uint32_t now = timeMs & kTimeMask;
    const size_t used = UsedActions(*current);
    if (used == 0) {
        InsertAction(*current, used, event);
    } else {
        // Insertions made while recording can fill the list before the events reach their limit;
        // an event without room for its actions ends the recording the same way.
        const size_t needed = recordDelays ? 2 : 1;
        if (current->eventCount >= kMaxMacroEvents || used + needed > kMaxMacroActions) {
            m_recording = false;
            return Step::Stopped;
        }
        if (recordDelays) {
            const uint32_t delay = std::min(Elapsed(m_lastTime, now), kMaxEventDelayMs);
            InsertAction(*current, used, MakeDelayAction(delay));
        }
        InsertAction(*current, UsedActions(*current), event);
    }
    ++current->eventCount;
    m_lastKey = virtualKey;
    m_lastRelease = release;
    m_lastTime = now;
    return Step::Recorded;
}

}  // namespace ostrel
