#include "macro/macro_events.h"

#include <algorithm>
#include <array>

#include "assign/key_tables.h"

namespace ostrel {
namespace {

// Device codes of the mouse's own events (the conversion table maps the pseudo keys onto them).
constexpr uint8_t kDeviceModifiersBegin = 0x91;  // up to the last keyboard modifier 0xE7
constexpr uint8_t kDeviceModifiersEnd = 0xE7;
constexpr uint8_t kDeviceMouseLeft = 0xF0;
constexpr uint8_t kDeviceMouseButton5 = 0xF4;
constexpr uint8_t kDeviceMoveX = 0xF5;
constexpr uint8_t kDeviceMoveY = 0xF6;
constexpr uint8_t kDeviceWheel = 0xF7;

std::array<uint8_t, kMacroEventBytes> EncodeEvent(const MacroAction& action, uint32_t delay) {
    const uint8_t device = DeviceKeyCode(action[0]);
    uint8_t category = kEventCategoryOther;
    uint8_t value = device;
    if (device < kDeviceModifiersBegin) {
        category = kEventCategoryKey;
    } else if (device <= kDeviceModifiersEnd) {
        category = kEventCategoryModifier;
        value = uint8_t(1u << (device & 7));
    } else if (device >= kDeviceMouseLeft && device <= kDeviceMouseButton5) {
        category = kEventCategoryMouseButton;
        value = uint8_t(1u << (device & 7));
    } else if (device == kDeviceMoveX || device == kDeviceMoveY || device == kDeviceWheel) {
        category = device == kDeviceMoveX   ? kEventCategoryMoveX
                   : device == kDeviceMoveY ? kEventCategoryMoveY
                                            : kEventCategoryWheel;
        value = action[3];
    }
    const uint8_t release = IsReleaseAction(action) ? kEventRelease : 0;
    return {uint8_t(release | category | ((delay >> 8) & 0x0F)), uint8_t(delay & 0xFF), value};
}

}  // namespace

std::vector<uint8_t> EncodeMacroEvents(const MacroRecord& macro) {
    std::vector<uint8_t> events;
    const size_t count = UsedActions(macro);
    for (size_t i = 0; i < count; ++i) {
        const MacroAction& action = macro.actions[i];
        if (IsDelayAction(action)) continue;
        const bool delayFollows = i + 1 < count && IsDelayAction(macro.actions[i + 1]);
        const uint32_t delay =
            delayFollows ? std::min(DelayOf(macro.actions[i + 1]), kMaxEventDelayMs) : 0;
        const auto event = EncodeEvent(action, delay);
        events.insert(events.end(), event.begin(), event.end());
    }
    return events;
}

}  // namespace ostrel
