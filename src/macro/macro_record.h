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

}  // namespace ostrel
