#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "macro/macro_record.h"

namespace ostrel {

// The mouse takes a macro as a list of 3-byte events, one per action that is not a delay, in
// list order. A delay directly after an event becomes that event's delay (at most
// kMaxEventDelayMs); a delay before the first event or after another delay is not sent.
inline constexpr size_t kMacroEventBytes = 3;
inline constexpr uint32_t kMaxEventDelayMs = 4095;

// Event categories in the high nibble of the first byte; bit 7 marks a release.
inline constexpr uint8_t kEventCategoryOther = 0x00;
inline constexpr uint8_t kEventCategoryMouseButton = 0x10;
inline constexpr uint8_t kEventCategoryModifier = 0x20;
inline constexpr uint8_t kEventCategoryKey = 0x30;
inline constexpr uint8_t kEventCategoryMoveX = 0x40;
inline constexpr uint8_t kEventCategoryMoveY = 0x50;
inline constexpr uint8_t kEventCategoryWheel = 0x60;
inline constexpr uint8_t kEventRelease = 0x80;

// The events of the used actions: kMacroEventBytes per event. Their number is the number of
// events actually in the list, which is what the macro's event count must equal.
std::vector<uint8_t> EncodeMacroEvents(const MacroRecord& macro);

}  // namespace ostrel
