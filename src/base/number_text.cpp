#include "base/number_text.h"

#include <limits>

namespace ostrel {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int HexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

size_t SkipBlanks(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i;
}

std::u16string FormatHexDigits(uint64_t value, size_t minDigits) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), u'0');
    return digits;
}

}  // namespace

int32_t ParseDecimal(std::u16string_view text) {
    size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int64_t magnitude = 0;
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - u'0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    if (negative) return static_cast<int32_t>(-magnitude);
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                               : static_cast<int32_t>(magnitude);
}

uint32_t ParseHex(std::u16string_view text) {
    size_t i = SkipBlanks(text);
    // "0x" counts as a prefix only when a hex digit follows; otherwise the "0" is the number.
    const bool hasPrefix = i + 2 < text.size() && text[i] == u'0' &&
                           (text[i + 1] == u'x' || text[i + 1] == u'X') &&
                           HexDigitValue(text[i + 2]) >= 0;
    if (hasPrefix) i += 2;
    uint64_t value = 0;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
        value = value * 16 + HexDigitValue(text[i]);
        if (value > 0xFFFFFFFFu) value = 0xFFFFFFFFu + uint64_t(1);
    }
    return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
}

uint32_t HexFieldAt(std::u16string_view value, size_t offset, size_t width) {
    if (offset >= value.size()) return 0;
    return ParseHex(value.substr(offset, width));
}

std::u16string FormatHex2(uint8_t value) { return FormatHexDigits(value, 2); }

std::u16string FormatHex4(uint16_t value) { return FormatHexDigits(value, 4); }

std::u16string FormatSensorHex(uint16_t value) {
    std::u16string digits = FormatHexDigits(value, 1);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), u' ');
    return u"0x" + digits;
}

std::u16string FormatDecimal(int64_t value) {
    if (value < 0) {
        // Negate as unsigned so that the most negative value formats too.
        std::u16string text = FormatUnsigned(uint64_t(0) - static_cast<uint64_t>(value));
        text.insert(text.begin(), u'-');
        return text;
    }
    return FormatUnsigned(static_cast<uint64_t>(value));
}

std::u16string FormatUnsigned(uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

std::u16string JoinSimpleList(const std::vector<std::u16string>& entries) {
    std::u16string out;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i != 0) out += u'|';
        out += entries[i];
    }
    return out;
}

std::u16string JoinGroupedList(const std::vector<std::u16string>& entries, size_t groupSize) {
    std::u16string out;
    for (size_t i = 0; i < entries.size(); ++i) {
        out += entries[i];
        const bool endsGroup = groupSize == 0 || (i + 1) % groupSize == 0 || i + 1 == entries.size();
        out += endsGroup ? u';' : u'|';
    }
    return out;
}

}  // namespace ostrel
