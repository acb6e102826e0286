#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ostrel {

inline constexpr size_t kMaxMacroActions = 336;
inline constexpr size_t kMaxMacroEvents = 168;

// One macro action: four bytes in stored order; byte 0 is the action type or a key code.
using MacroAction = std::array<uint8_t, 4>;

// Macro loop modes as the mouse takes them in the high four bits of code byte 1.
inline constexpr uint8_t kLoopUntilReleased = 1;
inline constexpr uint8_t kLoopCount = 2;
inline constexpr uint8_t kLoopUntilPressedAgain = 4;

// Action byte 0 values below this are action types (a delay); from it on they are key codes.
inline constexpr uint8_t kFirstEventCode = 8;

// The type byte the program writes into the delays it makes; any type below kFirstEventCode
// reads as a delay.
inline constexpr uint8_t kDelayActionType = 3;
// Bit 7 of byte 1 marks the release of a key or button.
inline constexpr uint8_t kReleaseFlag = 0x80;
// Delays are 24-bit milliseconds.
inline constexpr uint32_t kMaxDelayMs = 0xFFFFFF;

// The actions the macro manager inserts as building blocks.
inline constexpr uint32_t kClickHoldMs = 50;
inline constexpr uint32_t kNewDelayMs = 100;
inline constexpr uint8_t kNewKeyCode = 0x41;  // "A" until the key editor sets the real key

// A named list of up to kMaxMacroActions actions; a button owns one as its copy of the bound
// library macro, and the library holds one per macro.
struct MacroRecord {
    std::u16string name;
    uint32_t identifier = 0;
    uint32_t actionCount = 0;  // 0 to kMaxMacroActions
    std::array<MacroAction, kMaxMacroActions> actions{};
    uint8_t loopMode = kLoopCount;
    uint8_t loopCount = 1;
    uint8_t eventCount = 0;  // 0 to kMaxMacroEvents

    bool operator==(const MacroRecord&) const = default;
};

// A delay action: 24-bit milliseconds in bytes 1 to 3, big-endian.
inline bool IsDelayAction(const MacroAction& action) { return action[0] < kFirstEventCode; }

inline bool IsReleaseAction(const MacroAction& action) {
    return (action[1] & kReleaseFlag) != 0;
}

// A delay of `ms` milliseconds, cut to the 24 bits an action holds.
MacroAction MakeDelayAction(uint32_t ms);
// The milliseconds of a delay action.
uint32_t DelayOf(const MacroAction& action);
// A press or release of a key or button by its virtual-key code.
MacroAction MakeKeyAction(uint8_t code, bool release);

// The used actions, never more than the record can hold even when `actionCount` says so.
size_t UsedActions(const MacroRecord& macro);

// Action list operations; indices are 0-based. None of them changes the event count.
// InsertAction is refused (false) when the macro is full. An index past the count appends;
// otherwise the actions from `index` on move one place up and the last slot's action falls off.
bool InsertAction(MacroRecord& macro, size_t index, const MacroAction& action);
// Any slot 0 to kMaxMacroActions - 1 may be replaced; the count stays.
bool ReplaceAction(MacroRecord& macro, size_t index, const MacroAction& action);
// Refused when `index` is not below the count; the actions above move down and the last slot
// becomes zero.
bool RemoveAction(MacroRecord& macro, size_t index);

// Copies name, identifier, loop mode and count, event count and the used actions; the target's
// slots beyond the copied count keep what they held.
void CopyMacro(MacroRecord& target, const MacroRecord& source);

// The composite insertions of the macro manager at `index` (clamped to the count). Each keeps
// the event count equal to the number of events in the list, so it is refused, changing
// nothing, when the macro lacks room for its actions or its events.
//
// Press, 50 ms, release of a mouse button's pseudo code (kVkMouseLeft...): two events.
bool InsertClick(MacroRecord& macro, size_t index, uint8_t buttonCode);
// Press, 50 ms, release of kNewKeyCode for the key editor to fill in. The two events count only
// once ConfirmKeyInsertion sets the key; CancelKeyInsertion takes the three actions out again.
bool InsertKeyPlaceholder(MacroRecord& macro, size_t index);
// Sets the key of a placeholder at `index` and counts its events. Refused for a code that is no
// key (below kFirstEventCode) and for anything that is not a placeholder pair at `index`.
bool ConfirmKeyInsertion(MacroRecord& macro, size_t index, uint8_t keyCode);
bool CancelKeyInsertion(MacroRecord& macro, size_t index);
// A delay of kNewDelayMs, no event.
bool InsertDelay(MacroRecord& macro, size_t index);

// How the action list shows an action: a text and, for key and button events, whether it is a
// press or a release.
enum class ActionMark { None, Press, Release };
struct ActionText {
    std::u16string text;
    ActionMark mark = ActionMark::None;

    bool operator==(const ActionText&) const = default;
};
ActionText DescribeAction(const MacroAction& action);

}  // namespace ostrel
