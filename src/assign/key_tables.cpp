#include "assign/key_tables.h"

#include <array>
#include <cstddef>
#include <initializer_list>

namespace ostrel {
namespace {

constexpr size_t kTableSize = 256;

using NameTable = std::array<std::u16string_view, kTableSize>;
using CodeTable = std::array<uint8_t, kTableSize>;

// Both tables are written as runs of consecutive virtual-key codes. A run that would end past
// the table stops the build, because indexing out of bounds is not a constant expression.

constexpr void Place(NameTable& table, uint8_t first,
                     std::initializer_list<std::u16string_view> names) {
    size_t code = first;
    for (std::u16string_view name : names) {
        table[code++] = name;
    }
}

// One-character names, one per character of `characters`, from `first` on.
constexpr void PlaceCharacters(NameTable& table, uint8_t first, std::u16string_view characters) {
    for (size_t i = 0; i < characters.size(); ++i) {
        table[first + i] = characters.substr(i, 1);
    }
}

constexpr void Place(CodeTable& table, uint8_t first, std::initializer_list<uint8_t> codes) {
    size_t code = first;
    for (uint8_t deviceCode : codes) {
        table[code++] = deviceCode;
    }
}

// Virtual-key codes `first` to `last` map onto consecutive device codes from `firstDeviceCode`.
constexpr void PlaceSequence(CodeTable& table, uint8_t first, uint8_t last,
                             uint8_t firstDeviceCode) {
    for (size_t code = first; code <= last; ++code) {
        table[code] = static_cast<uint8_t>(firstDeviceCode + (code - first));
    }
}

constexpr NameTable BuildKeyNames() {
    NameTable names;
    names.fill(u"Undefined");
    Place(names, 0x01, {u"LBUTTON", u"RBUTTON", u"CANCEL", u"MBUTTON", u"XBUTTON1", u"XBUTTON2"});
    Place(names, 0x08, {u"Backspace", u"Tab"});
    Place(names, 0x0C, {u"Clear", u"Enter"});
    Place(names, 0x10, {u"Shift", u"Ctrl", u"Alt", u"Pause", u"CapsLock", u"Kana"});
    Place(names, 0x17, {u"junja", u"Final", u"Hanja"});
    Place(names, 0x1B, {u"Esc", u"Convert", u"Nonconvert", u"Accept", u"ModeChange"});
    Place(names, 0x20,
          {u"Space", u"Page Up", u"Page Down", u"End", u"Home", u"Left Arrow", u"Up Arrow",
           u"Right Arrow", u"Down Arrow", u"Select", u"Print", u"Execute", u"Print Screen", u"Ins",
           u"Del", u"Help"});
    PlaceCharacters(names, 0x30, u"0123456789");
    PlaceCharacters(names, 0x41, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    Place(names, 0x5B, {u"Win_L", u"Win_R", u"App"});
    Place(names, 0x5F, {u"Sleep"});
    Place(
        names, 0x60,
        {u"Num0", u"Num1", u"Num2", u"Num3", u"Num4", u"Num5", u"Num6", u"Num7", u"Num8", u"Num9"});
    Place(names, 0x6A, {u"Multiply", u"Add", u"Separator", u"Subtract", u"Decimal", u"Divide"});
    Place(names, 0x70, {u"F1",  u"F2",  u"F3",  u"F4",  u"F5",  u"F6",  u"F7",  u"F8",
                        u"F9",  u"F10", u"F11", u"F12", u"F13", u"F14", u"F15", u"F16",
                        u"F17", u"F18", u"F19", u"F20", u"F21", u"F22", u"F23", u"F24"});
    Place(names, 0x90, {u"Num Lock", u"Scroll Lock"});
    Place(names, 0xA0, {u"Shift_L", u"Shift_R", u"Ctrl_L", u"Ctrl_R", u"Alt_L", u"Alt_R"});
    Place(names, 0xBA, {u";", u"=", u",", u"-", u".", u"/", u"~"});
    Place(names, 0xDB, {u"[", u"\\", u"]", u"'"});
    Place(names, kVkMouseLeft,
          {u"L Key", u"R Key", u"M Key", u"K4", u"K5", u"Mouse X", u"Mouse Y", u"Mouse Wheel"});
    return names;
}

// Device codes 0x04 to 0x91 and 0xE0 to 0xE7 are HID keyboard usages; 0xF0 to 0xF7 are the
// mouse's own button, movement and wheel events. The side-less Shift, Ctrl and Alt, F13 to F24
// and the keypad separator have no device code.
constexpr CodeTable BuildDeviceKeyCodes() {
    CodeTable codes{};
    Place(codes, 0x08, {0x2A, 0x2B});
    codes[0x0D] = 0x28;
    codes[kVkKeypadEnter] = 0x58;
    Place(codes, 0x13, {0x48, 0x39});
    codes[0x1B] = 0x29;
    Place(codes, 0x20, {0x2C, 0x4B, 0x4E, 0x4D, 0x4A, 0x50, 0x52, 0x4F, 0x51});
    Place(codes, 0x2C, {0x46, 0x49, 0x4C});
    codes[0x30] = 0x27;
    PlaceSequence(codes, 0x31, 0x39, 0x1E);
    codes[0x3B] = 0x29;
    PlaceSequence(codes, 0x41, 0x5A, 0x04);
    Place(codes, 0x5B, {0xE3, 0xE7, 0x65});
    codes[0x5F] = 0x82;
    codes[0x60] = 0x62;
    PlaceSequence(codes, 0x61, 0x69, 0x59);
    Place(codes, 0x6A, {0x55, 0x57});
    Place(codes, 0x6D, {0x56, 0x63, 0x54});
    PlaceSequence(codes, 0x70, 0x7B, 0x3A);
    Place(codes, 0x90, {0x53, 0x47});
    Place(codes, 0xA0, {0xE1, 0xE5, 0xE0, 0xE4, 0xE2, 0xE6});
    Place(codes, 0xBA, {0x33, 0x2E, 0x36, 0x2D, 0x37, 0x38, 0x35});
    Place(codes, 0xDB, {0x2F, 0x31, 0x30, 0x34});
    PlaceSequence(codes, kVkMouseLeft, kVkMouseWheel, 0xF0);
    Place(codes, 0xF0, {0x81, 0x83, 0x32, 0x64, 0x85, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x90, 0x91});
    return codes;
}

constexpr NameTable kKeyNames = BuildKeyNames();
constexpr CodeTable kDeviceKeyCodes = BuildDeviceKeyCodes();

// The last entry of each generated run, where an off-by-one would show.
static_assert(kKeyNames[0x39] == u"9" && kKeyNames[0x5A] == u"Z");
static_assert(kKeyNames[0x87] == u"F24" && kKeyNames[0x88] == u"Undefined");
static_assert(kKeyNames[0xDC] == u"\\" && kKeyNames[kVkMouseWheel] == u"Mouse Wheel");
static_assert(kDeviceKeyCodes[0x39] == 0x26 && kDeviceKeyCodes[0x5A] == 0x1D);
static_assert(kDeviceKeyCodes[0x69] == 0x61 && kDeviceKeyCodes[0x7B] == 0x45);
static_assert(kDeviceKeyCodes[0x7C] == 0x00 && kDeviceKeyCodes[kVkMouseWheel] == 0xF7);
static_assert(kDeviceKeyCodes[0xFB] == 0x91 && kDeviceKeyCodes[0xFC] == 0x00);

}  // namespace

std::u16string_view KeyName(uint32_t virtualKey) {
    return kKeyNames[virtualKey & 0xFF];
}

uint8_t DeviceKeyCode(uint32_t virtualKey) {
    return kDeviceKeyCodes[virtualKey & 0xFF];
}

}  // namespace ostrel
