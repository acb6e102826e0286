#pragma once

#include <cstdint>
#include <string_view>

namespace ostrel {

// Keys arrive and are kept in macros as Windows virtual-key codes; the mouse understands device
// key codes (HID keyboard usages plus a few of its own). These two read-only tables join them.

// Virtual-key codes of the system's own, in places Windows leaves free.
inline constexpr uint8_t kVkKeypadEnter = 0x0E;  // converted only; its name is "Undefined"
inline constexpr uint8_t kVkMouseLeft = 0xE0;
inline constexpr uint8_t kVkMouseRight = 0xE1;
inline constexpr uint8_t kVkMouseMiddle = 0xE2;
inline constexpr uint8_t kVkMouseButton4 = 0xE3;
inline constexpr uint8_t kVkMouseButton5 = 0xE4;
inline constexpr uint8_t kVkMouseMoveX = 0xE5;  // the amount travels in the macro action
inline constexpr uint8_t kVkMouseMoveY = 0xE6;
inline constexpr uint8_t kVkMouseWheel = 0xE7;

// Macro actions use the values below this as action types, so no key is stored with them.
inline constexpr uint8_t kFirstKeyCode = 8;

// The fixed English display name of a virtual-key code, "Undefined" for codes without one. Only
// the low byte of `virtualKey` is used. The view refers to static storage and never dangles.
std::u16string_view KeyName(uint32_t virtualKey);

// The device key code of a virtual-key code, 0x00 when the mouse has none for it. Only the low
// byte of `virtualKey` is used.
uint8_t DeviceKeyCode(uint32_t virtualKey);

}  // namespace ostrel
