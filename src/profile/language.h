#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

inline constexpr size_t kLanguageEntryCount = 500;

// The font of every skinned control, chosen by the language.
struct UiFont {
    std::u16string face = u"宋体";
    int height = 12;
    int charset = 134;

    bool operator==(const UiFont&) const = default;
};

// The numbered texts the user sees, filled once at start-up.
struct LanguageTable {
    std::array<std::u16string, kLanguageEntryCount> entries;
    UiFont font;

    // Entry n, or an empty text for a number outside the table.
    const std::u16string& Text(size_t n) const;
};

inline constexpr const char* kLanguageSelectionFile = "LanSetting.ini";
inline constexpr const char* kChineseLanguageFile = "Lan.txt";
inline constexpr const char* kEnglishLanguageFile = "Lan_EN.txt";

// The language code that the selection file's lines name (empty when there are none).
std::u16string LanguageCodeFromLines(const std::vector<std::u16string>& lines);

// Applies a language file's lines to `table` and chooses the font for `uiScale`. Returns false,
// with the font left as it was, when line 1 is not "[Setting]" or a line is malformed (the
// entries before that line stay). Entry numbers outside the table are ignored.
bool ApplyLanguageLines(const std::vector<std::u16string>& lines, double uiScale,
                        LanguageTable& table);

// Reads the selection file and the language file it names from `configFolder` into `table`.
bool LoadLanguage(const std::filesystem::path& configFolder, double uiScale, LanguageTable& table);

// First-start provisioning, as an installer would do it: copies the language files from
// `installedFolder` into `configFolder` where they are missing, and writes the selection file
// once when it is missing: English unless `systemLocale` (as in LANG, "zh_CN.UTF-8") is Chinese.
// Returns false when something that was missing could not be written.
bool ProvisionLanguageFiles(const std::filesystem::path& installedFolder,
                            const std::filesystem::path& configFolder,
                            std::string_view systemLocale);

}  // namespace ostrel
