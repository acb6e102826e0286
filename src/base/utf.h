#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ostrel {

// Conversions between the core's UTF-16 texts and UTF-8. Malformed input (lone surrogates,
// invalid UTF-8 sequences) becomes U+FFFD instead of failing: texts come from files.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Paths are stored in settings as UTF-16 text; the file system takes them as UTF-8.
std::filesystem::path PathFromText(std::u16string_view text);
std::u16string TextFromPath(const std::filesystem::path& path);

}  // namespace ostrel
