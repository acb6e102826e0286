#pragma once

#include <cstdint>

#include "macro/macro_record.h"
#include "macro/macro_texts.h"

namespace ostrel {

// Records key presses and releases into the current macro. It is fed the keyboard hook's
// messages with the host's tick count; it keeps no clock of its own and does no file work: the
// manager saves the library when recording ends.
class MacroRecorder {
public:
    // What one hook message did.
    enum class Step {
        Ignored,   // not recording, no macro, no key code, or a repetition
        Recorded,  // the event (and its delay) was appended
        Stopped,   // the macro is full: recording stopped, show kTextRecordingFull
    };

    // Starts recording into `current`: empties its action list (the slots keep their bytes),
    // counts no events and forgets the last key. Without a macro nothing starts and the manager
    // shows kTextSelectMacroFirst.
    bool Start(MacroRecord* current);
    void Stop() { m_recording = false; }
    bool Recording() const { return m_recording; }

    // One hook message: a virtual-key code, whether it is a release, and the host's tick count
    // in milliseconds, of which the low 31 bits are used. `current` is the manager's current
    // macro at the time.
    Step Feed(MacroRecord* current, uint32_t virtualKey, bool release, uint32_t timeMs);

    // The delay check box: whether the pauses between keys are recorded.
    bool recordDelays = false;

private:
    bool m_recording = false;
    uint32_t m_lastKey = 0;
    bool m_lastRelease = false;
    uint32_t m_lastTime = 0;
};

}  // namespace ostrel
