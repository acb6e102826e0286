#include "assign/key_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace ostrel {
namespace {

std::string Hex(uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(code));
    return text;
}

TEST(KeyTablesTest, NamesAtRunEdgesAndGaps) {
    struct Case {
        uint32_t virtualKey;
        std::u16string_view name;
    };
    const Case cases[] = {
        {0x00, u"Undefined"},
        {0x01, u"LBUTTON"},
        {0x06, u"XBUTTON2"},
        {0x07, u"Undefined"},
        {0x08, u"Backspace"},
        {0x0C, u"Clear"},
        {0x0D, u"Enter"},
        {kVkKeypadEnter, u"Undefined"},  // converts, yet has no name
        {0x10, u"Shift"},
        {0x15, u"Kana"},
        {0x16, u"Undefined"},
        {0x17, u"junja"},
        {0x19, u"Hanja"},
        {0x1A, u"Undefined"},
        {0x1B, u"Esc"},
        {0x1F, u"ModeChange"},
        {0x20, u"Space"},
        {0x2C, u"Print Screen"},
        {0x2F, u"Help"},
        {0x30, u"0"},
        {0x39, u"9"},
        {0x3B, u"Undefined"},  // converts to Esc's device code, yet has no name
        {0x40, u"Undefined"},
        {0x41, u"A"},
        {0x5A, u"Z"},
        {0x5B, u"Win_L"},
        {0x5D, u"App"},
        {0x5E, u"Undefined"},
        {0x5F, u"Sleep"},
        {0x60, u"Num0"},
        {0x69, u"Num9"},
        {0x6C, u"Separator"},
        {0x6F, u"Divide"},
        {0x70, u"F1"},
        {0x7B, u"F12"},
        {0x7C, u"F13"},
        {0x87, u"F24"},
        {0x88, u"Undefined"},
        {0x90, u"Num Lock"},
        {0x91, u"Scroll Lock"},
        {0xA0, u"Shift_L"},
        {0xA5, u"Alt_R"},
        {0xBA, u";"},
        {0xC0, u"~"},
        {0xC1, u"Undefined"},
        {0xDB, u"["},
        {0xDC, u"\\"},
        {0xDE, u"'"},
        {0xDF, u"Undefined"},
        {kVkMouseLeft, u"L Key"},
        {kVkMouseButton5, u"K5"},
        {kVkMouseMoveX, u"Mouse X"},
        {kVkMouseMoveY, u"Mouse Y"},
        {kVkMouseWheel, u"Mouse Wheel"},
        {0xE8, u"Undefined"},
        {0xF0, u"Undefined"},  // the special keys convert but have no name
        {0xFB, u"Undefined"},
        {0xFF, u"Undefined"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.virtualKey));
        EXPECT_EQ(KeyName(c.virtualKey), c.name);
    }
}

TEST(KeyTablesTest, DeviceCodesAtRunEdgesAndGaps) {
    struct Case {
        uint32_t virtualKey;
        uint8_t deviceCode;
    };
    const Case cases[] = {
        // Mouse buttons, Clear and the side-less modifiers have names but no device code.
        {0x01, 0x00}, {0x06, 0x00}, {0x0C, 0x00}, {0x10, 0x00}, {0x11, 0x00},
        {0x12, 0x00}, {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {kVkKeypadEnter, 0x58},
        {0x13, 0x48}, {0x14, 0x39}, {0x1B, 0x29}, {0x20, 0x2C}, {0x24, 0x4A},
        {0x28, 0x51}, {0x29, 0x00}, {0x2C, 0x46}, {0x2E, 0x4C}, {0x2F, 0x00},
        {0x30, 0x27}, {0x31, 0x1E}, {0x39, 0x26}, {0x3B, 0x29}, {0x41, 0x04},
        {0x5A, 0x1D}, {0x5B, 0xE3}, {0x5C, 0xE7}, {0x5D, 0x65}, {0x5E, 0x00},
        {0x5F, 0x82}, {0x60, 0x62}, {0x61, 0x59}, {0x69, 0x61}, {0x6A, 0x55},
        {0x6B, 0x57}, {0x6C, 0x00}, {0x6D, 0x56}, {0x6F, 0x54}, {0x70, 0x3A},
        {0x7B, 0x45}, {0x90, 0x53}, {0x91, 0x47}, {0xA0, 0xE1}, {0xA1, 0xE5},
        {0xA2, 0xE0}, {0xA3, 0xE4}, {0xA4, 0xE2}, {0xA5, 0xE6}, {0xBA, 0x33},
        {0xC0, 0x35}, {0xDB, 0x2F}, {0xDC, 0x31}, {0xDE, 0x34}, {0xE8, 0x00},
        {0xFC, 0x00}, {0xFF, 0x00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.virtualKey));
        EXPECT_EQ(DeviceKeyCode(c.virtualKey), c.deviceCode);
    }
}

// A key combination captured with one of them is stored with the key byte 0x00.
TEST(KeyTablesTest, FunctionKeysAboveTwelveHaveNoDeviceCode) {
    for (uint32_t virtualKey = 0x7C; virtualKey <= 0x87; ++virtualKey) {
        SCOPED_TRACE(Hex(virtualKey));
        EXPECT_EQ(DeviceKeyCode(virtualKey), 0x00);
        EXPECT_NE(KeyName(virtualKey), u"Undefined");
    }
}

TEST(KeyTablesTest, MouseEventsConvertToTheDevicesOwnCodes) {
    for (uint32_t offset = 0; offset < 8; ++offset) {
        SCOPED_TRACE(Hex(kVkMouseLeft + offset));
        EXPECT_EQ(DeviceKeyCode(kVkMouseLeft + offset), 0xF0 + offset);
    }
}

TEST(KeyTablesTest, SpecialKeysConvertToTheirListedUsages) {
    const std::array<uint8_t, 12> expected = {0x81, 0x83, 0x32, 0x64, 0x85, 0x87,
                                              0x88, 0x89, 0x8A, 0x8B, 0x90, 0x91};
    for (uint32_t offset = 0; offset < expected.size(); ++offset) {
        SCOPED_TRACE(Hex(0xF0 + offset));
        EXPECT_EQ(DeviceKeyCode(0xF0 + offset), expected[offset]);
    }
}

TEST(KeyTablesTest, WiderValuesAreMaskedToTheLowByte) {
    EXPECT_EQ(KeyName(0x141), u"A");
    EXPECT_EQ(DeviceKeyCode(0x141), 0x04);
    EXPECT_EQ(KeyName(0xFFFFFF00u + kVkMouseMoveX), u"Mouse X");
    EXPECT_EQ(DeviceKeyCode(0xFFFFFF00u + kVkMouseMoveX), 0xF5);
    EXPECT_EQ(KeyName(0x10007), u"Undefined");
    EXPECT_EQ(DeviceKeyCode(0x1000D), 0x28);
}

// Catches a stray or missing entry that the sampled cases above would miss.
TEST(KeyTablesTest, ExactlyTheListedCodesAreFilled) {
    int named = 0;
    int converted = 0;
    for (uint32_t virtualKey = 0; virtualKey < 256; ++virtualKey) {
        named += KeyName(virtualKey) != u"Undefined" ? 1 : 0;
        converted += DeviceKeyCode(virtualKey) != 0x00 ? 1 : 0;
        // Codes below kFirstKeyCode are macro action types and must never reach the device.
        if (virtualKey < kFirstKeyCode) {
            EXPECT_EQ(DeviceKeyCode(virtualKey), 0x00) << Hex(virtualKey);
        }
    }
    EXPECT_EQ(named, 147);
    EXPECT_EQ(converted, 126);
}

}  // namespace
}  // namespace ostrel
