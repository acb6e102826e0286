#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// The number conversions of the settings, profile, language and macro files, in one place.

// Signed decimal as the files are read: leading blanks, an optional sign, then the leading
// digits; 0 when there are none. Values beyond the int range saturate.
int32_t ParseDecimal(std::u16string_view text);

// Hexadecimal as the files are read: leading blanks, an optional "0x"/"0X", then the leading
// hex digits of either case; 0 when there are none. Saturates at 0xFFFFFFFF.
uint32_t ParseHex(std::u16string_view text);

// The hex field of `width` characters at `offset` of a value; characters past the end of the
// value read as absent, so a field wholly past the end is 0.
uint32_t HexFieldAt(std::u16string_view value, size_t offset, size_t width);

// The byte at `offset` of a value: its two characters parsed as hex, low 8 bits.
inline uint8_t HexByteAt(std::u16string_view value, size_t offset) {
    return static_cast<uint8_t>(HexFieldAt(value, offset, 2));
}

std::u16string FormatHex2(uint8_t value);         // "%.2X"
std::u16string FormatHex4(uint16_t value);        // "%.4X"
std::u16string FormatSensorHex(uint16_t value);   // "0x%4X": blank-padded to four digits
std::u16string FormatDecimal(int64_t value);      // "%d"
std::u16string FormatUnsigned(uint64_t value);    // "%u"

// The positional lists of the profile file. A simple list joins its entries with "|"; a grouped
// list joins the entries of each group with "|" and ends every group, the last included, with ";".
std::u16string JoinSimpleList(const std::vector<std::u16string>& entries);
std::u16string JoinGroupedList(const std::vector<std::u16string>& entries, size_t groupSize);

}  // namespace ostrel
