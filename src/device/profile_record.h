#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "macro/macro_record.h"

namespace ostrel {

// 32 bits: red in the least significant byte, then green, then blue; the top byte is 0.
using ColorValue = uint32_t;

constexpr ColorValue MakeColor(uint8_t red, uint8_t green, uint8_t blue) {
    return ColorValue(red) | (ColorValue(green) << 8) | (ColorValue(blue) << 16);
}
constexpr uint8_t RedOf(ColorValue color) { return color & 0xFF; }
constexpr uint8_t GreenOf(ColorValue color) { return (color >> 8) & 0xFF; }
constexpr uint8_t BlueOf(ColorValue color) { return (color >> 16) & 0xFF; }

inline constexpr ColorValue kColorRed = 0x0000FF;
inline constexpr ColorValue kColorGreen = 0x00FF00;
inline constexpr ColorValue kColorBlue = 0xFF0000;
inline constexpr ColorValue kColorYellow = 0x00FFFF;
inline constexpr ColorValue kColorCyan = 0xFFFF00;
inline constexpr ColorValue kColorMagenta = 0xFF00FF;
inline constexpr ColorValue kColorWhite = 0xFFFFFF;

inline constexpr size_t kProfileCount = 5;
inline constexpr size_t kProfileSettingCount = 20;
inline constexpr size_t kButtonCount = 7;
inline constexpr size_t kDpiLevelCount = 8;
inline constexpr size_t kEffectCount = 10;
inline constexpr size_t kColorSlotCount = 10;

// Button assignment code byte 0 of a macro binding.
inline constexpr uint8_t kCodeMacro = 0x90;

using ButtonCode = std::array<uint8_t, 3>;

// A text setting addressed by position; the key only names it in the file.
struct SettingEntry {
    std::u16string key;
    std::u16string value;

    bool operator==(const SettingEntry&) const = default;
};

// The assignment of one mouse button.
struct KeySlot {
    std::u16string name;
    ButtonCode code{};
    uint32_t MacroKeyIndex = 0;  // library identifier of the bound macro, 0 when none
    MacroRecord macro;           // the slot's own copy of the bound macro

    bool operator==(const KeySlot&) const = default;
};

template <class T>
using PerEffect = std::array<T, kEffectCount>;
template <class T>
using PerEffectSlot = std::array<std::array<T, kColorSlotCount>, kEffectCount>;

// One profile: the single source of every report to the mouse. Fields that the profile file
// carries keep the names of its keys.
struct ProfileRecord {
    std::array<SettingEntry, kProfileSettingCount> settings;
    std::array<KeySlot, kButtonCount> keys;
    std::u16string PollingRateName;
    std::array<uint8_t, 3> PollingRateValue{};  // byte 0: polling-rate index 0-3
    uint8_t Lighting1OffOn = 0;
    std::u16string Lighting1Name;
    std::array<uint8_t, 3> Lighting1ModeValue{};  // byte 0: effect 0-9; may hold more from a file
    PerEffect<uint8_t> Lighting1Speed{};
    PerEffect<uint8_t> Lighting1Brightness{};
    PerEffectSlot<uint8_t> Lighting1ColorSelected{};
    PerEffectSlot<ColorValue> Lighting1FixedColor{};
    PerEffect<uint8_t> Lighting1Direction{};
    uint8_t Lighting2OffOn = 0;
    std::u16string Lighting2Name;
    std::array<uint8_t, 3> Lighting2ModeValue{};
    uint8_t Lighting2Speed = 0;
    uint8_t Lighting2Brightness = 0;
    ColorValue Lighting2FixedColor = 0;
    uint8_t DPIOffOnFlagValue = 0;                     // bit n: level n + 1 enabled
    std::array<uint16_t, kDpiLevelCount> XYSetting{};  // step indexes into the DpiStepTable
    uint8_t CurrentDPILevelValue = 0;                  // position among the enabled levels
    std::array<ColorValue, kDpiLevelCount> DPILevelIndication{};
    uint8_t AngleSnapValue = 0;
    uint8_t LiftDetectionValue = 0;

    bool operator==(const ProfileRecord&) const = default;
};

}  // namespace ostrel
