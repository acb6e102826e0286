#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "base/utf.h"

namespace ostrel {
namespace {

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

TEST(NumberTextTest, ParseDecimalTakesLeadingDigitsOnly) {
    struct Case {
        std::u16string_view text;
        int32_t value;
    };
    const Case cases[] = {
        {u"0", 0},
        {u"42", 42},
        {u"12abc", 12},
        {u"1.5", 1},
        {u"5 6", 5},
        {u"0x10", 0},
        {u"abc", 0},
        {u"", 0},
        {u"-7", -7},
        {u"+7", 7},
        {u"-", 0},
        {u"--1", 0},
        {u"- 1", 0},
        {u"  5", 5},
        {u"\t\r\n-3x", -3},
        {u"007", 7},
        {u"2147483647", kIntMax},
        {u"2147483648", kIntMax},
        {u"99999999999999999999999", kIntMax},
        {u"-2147483648", kIntMin},
        {u"-2147483649", kIntMin},
        {u"-99999999999999999999999", kIntMin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text));
        EXPECT_EQ(ParseDecimal(c.text), c.value);
    }
}

TEST(NumberTextTest, ParseHexWithOrWithoutPrefix) {
    struct Case {
        std::u16string_view text;
        uint32_t value;
    };
    const Case cases[] = {
        {u"0x3325", 0x3325},
        {u"3325", 0x3325},
        {u"0XCCDA", 0xCCDA},
        {u"0xccda", 0xCCDA},
        {u"ccDa", 0xCCDA},
        {u"  0x1F", 0x1F},
        {u"12g4", 0x12},
        {u"3F|01", 0x3F},
        {u"0x", 0},
        {u"0xg", 0},
        {u"x12", 0},
        {u"g", 0},
        {u"", 0},
        {u"FFFFFFFF", 0xFFFFFFFF},
        {u"1FFFFFFFF", 0xFFFFFFFF},
        {u"0x123456789ABCDEF", 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text));
        EXPECT_EQ(ParseHex(c.text), c.value);
    }
}

TEST(NumberTextTest, HexFieldsArePositionalAndZeroPastTheEnd) {
    struct Case {
        std::u16string_view value;
        size_t offset;
        size_t width;
        uint32_t field;
    };
    const Case cases[] = {
        {u"FF0000", 0, 2, 0xFF},
        {u"FF0000", 2, 2, 0x00},
        {u"0A0B0C", 4, 2, 0x0C},
        {u"0006", 0, 4, 0x0006},
        {u"000600", 0, 4, 0x0006},  // a 16-bit field takes four characters, no more
        {u"01|02|03", 3, 2, 0x02},  // separators are never read
        {u"1|02", 0, 2, 0x1},       // a short entry stops at the separator
        {u"3F", 1, 2, 0xF},         // half a field
        {u"3F", 2, 2, 0},           // just past the end
        {u"3F", 1000, 2, 0},        // far past the end
        {u"", 0, 2, 0},
        {u"zz", 0, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.value) + " @" + std::to_string(c.offset));
        EXPECT_EQ(HexFieldAt(c.value, c.offset, c.width), c.field);
    }
    EXPECT_EQ(HexByteAt(u"1FF", 1), 0xFF);
    EXPECT_EQ(HexByteAt(u"FFFF", 4), 0);
}

TEST(NumberTextTest, FormatsHexAndDecimalLikeThePrintfFormats) {
    struct Case {
        std::u16string actual;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {FormatHex2(0x00), u"00"},
        {FormatHex2(0x0A), u"0A"},
        {FormatHex2(0xFF), u"FF"},
        {FormatHex4(0x0000), u"0000"},
        {FormatHex4(0x003F), u"003F"},
        {FormatHex4(0xABCD), u"ABCD"},
        {FormatSensorHex(0x3325), u"0x3325"},
        {FormatSensorHex(0xCCDA), u"0xCCDA"},
        {FormatSensorHex(0x0123), u"0x 123"},
        {FormatSensorHex(0x0012), u"0x  12"},
        {FormatSensorHex(0x0000), u"0x   0"},
        {FormatDecimal(0), u"0"},
        {FormatDecimal(42), u"42"},
        {FormatDecimal(-1), u"-1"},
        {FormatDecimal(-2147483648LL), u"-2147483648"},
        {FormatDecimal(std::numeric_limits<int64_t>::max()), u"9223372036854775807"},
        {FormatDecimal(std::numeric_limits<int64_t>::min()), u"-9223372036854775808"},
        {FormatUnsigned(0), u"0"},
        {FormatUnsigned(336), u"336"},
        {FormatUnsigned(std::numeric_limits<uint64_t>::max()), u"18446744073709551615"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(NumberTextTest, SimpleListJoinsTenEntriesIntoTwentyNineCharacters) {
    EXPECT_EQ(JoinSimpleList(std::vector<std::u16string>(10, u"01")),
              u"01|01|01|01|01|01|01|01|01|01");
    EXPECT_EQ(JoinSimpleList({u"00", u"0A", u"FF"}), u"00|0A|FF");
    EXPECT_EQ(JoinSimpleList({u"00"}), u"00");
    EXPECT_EQ(JoinSimpleList({}), u"");
}

// The reader takes entry n at offset 3n, so each entry and its separator must sit exactly there.
TEST(NumberTextTest, GroupedListEndsEveryGroupWithASemicolon) {
    std::vector<std::u16string> entries;
    for (unsigned n = 0; n < 100; ++n)
        entries.push_back(FormatHex2(static_cast<uint8_t>(n)));
    const std::u16string list = JoinGroupedList(entries, 10);

    ASSERT_EQ(list.size(), 300u);
    for (size_t n = 0; n < 100; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(list.substr(3 * n, 2), entries[n]);
        EXPECT_EQ(list[3 * n + 2], n % 10 == 9 ? u';' : u'|');
    }
    EXPECT_EQ(JoinGroupedList({u"a", u"b", u"c"}, 2), u"a|b;c;");
    EXPECT_EQ(JoinGroupedList({}, 10), u"");
}

TEST(NumberTextTest, ValidTextRoundTripsBetweenUtf8AndUtf16) {
    const std::u16string samples[] = {
        u"",
        u"ProfileName=Profile1",
        u"中文 宋体",
        u"é ß ж",
        u"\U0001F5B1 mouse, \U00010000 and \U0010FFFF at the edges of the astral planes",
        u"\u007F \u0080 \u07FF \u0800 \uFFFF",
    };
    for (const std::u16string& text : samples) {
        EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    }
    EXPECT_EQ(Utf16ToUtf8(u"中"), "\xE4\xB8\xAD");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x96\xB1"), std::u16string({0xD83D, 0xDDB1}));
}

// Bad bytes become U+FFFD and the valid text around them survives; no input throws.
TEST(NumberTextTest, InvalidUtf8BecomesReplacementCharacters) {
    struct Case {
        const char* name;
        std::string utf8;
        std::u16string valid;  // what is left when the replacement characters are removed
    };
    const Case cases[] = {
        {"stray continuation byte", "a\x80z", u"az"},
        {"byte never used in UTF-8", "a\xFFz", u"az"},
        {"truncated sequence at the end", "a\xE4\xB8", u"a"},
        {"truncated sequence before ASCII", "a\xE4\xB8z", u"az"},
        {"overlong encoding of NUL", "\xC0\x80z", u"z"},
        {"overlong three-byte slash", "\xE0\x80\xAFz", u"z"},
        {"encoded surrogate", "\xED\xA0\x80z", u"z"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80z", u"z"},
        {"five-byte lead", "\xF8\x88\x80\x80\x80z", u"z"},
        {"lead byte alone", "\xC3", u""},
        {"valid text on both sides", "中\xFF文", u"中文"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string decoded;
        ASSERT_NO_THROW(decoded = Utf8ToUtf16(c.utf8));
        EXPECT_NE(decoded.find(u'\uFFFD'), std::u16string::npos);
        std::u16string kept;
        for (char16_t unit : decoded) {
            if (unit != u'\uFFFD')
                kept += unit;
        }
        EXPECT_EQ(kept, c.valid);
    }
}

TEST(NumberTextTest, LoneSurrogatesBecomeReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    struct Case {
        const char* name;
        std::u16string utf16;
        std::string utf8;
    };
    const Case cases[] = {
        {"high surrogate at the end", {u'a', 0xD800}, "a" + replacement},
        {"high surrogate before ASCII", {0xDBFF, u'z'}, replacement + "z"},
        {"low surrogate alone", {0xDC00, u'z'}, replacement + "z"},
        {"pair in reverse order", {0xDC00, 0xD800}, replacement + replacement},
        {"two high surrogates then a low one",
         {0xD800, 0xD83D, 0xDDB1},
         replacement + "\xF0\x9F\x96\xB1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
    }
}

}  // namespace
}  // namespace ostrel
