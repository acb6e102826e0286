#include "profile/language.h"

#include <system_error>

#include "base/number_text.h"
#include "profile/text_file.h"

namespace ostrel {
namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kSelectionHeader = u"[ChangeLanguage]";
constexpr std::u16string_view kLanguageHeader = u"[Setting]";
constexpr std::u16string_view kChineseName = u"中文";

// A "key=value" line with at least one character on each side of the first "=".
bool SplitEntryLine(std::u16string_view line, std::u16string_view& key,
                    std::u16string_view& value) {
    const size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos || equals == 0 || equals + 1 == line.size()) {
        return false;
    }
    key = line.substr(0, equals);
    value = line.substr(equals + 1);
    return true;
}

}  // namespace

const std::u16string& LanguageTable::Text(size_t n) const {
    static const std::u16string kEmpty;
    return n < entries.size() ? entries[n] : kEmpty;
}

std::u16string LanguageCodeFromLines(const std::vector<std::u16string>& lines) {
    if (lines.empty()) return {};
    if (lines[0] != kSelectionHeader) return lines[0];
    if (lines.size() < 2) return {};
    std::u16string_view key;
    std::u16string_view value;
    if (SplitEntryLine(lines[1], key, value)) return std::u16string(value);
    return lines[1];
}

bool ApplyLanguageLines(const std::vector<std::u16string>& lines, double uiScale,
                        LanguageTable& table) {
    if (lines.empty() || lines[0] != kLanguageHeader) return false;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::u16string_view key;
        std::u16string_view value;
        if (!SplitEntryLine(lines[i], key, value)) return false;
        const int32_t entry = ParseDecimal(key);
        if (entry < 0 || static_cast<size_t>(entry) >= table.entries.size()) continue;
        table.entries[static_cast<size_t>(entry)] = std::u16string(value);
    }
    if (table.entries[0] == kChineseName) {
        table.font = UiFont{u"宋体", static_cast<int>(12 * uiScale), 134};
    } else {
        table.font = UiFont{u"Tahoma", static_cast<int>(16 * uiScale), 1};
    }
    return true;
}

bool LoadLanguage(const fs::path& configFolder, double uiScale, LanguageTable& table) {
    std::u16string code;
    if (auto selection = ReadTextFile(configFolder / kLanguageSelectionFile)) {
        code = LanguageCodeFromLines(*selection);
    }
    const char* fileName = code == u"EN" ? kEnglishLanguageFile : kChineseLanguageFile;
    auto lines = ReadTextFile(configFolder / fileName);
    if (!lines) return false;
    return ApplyLanguageLines(*lines, uiScale, table);
}

bool ProvisionLanguageFiles(const fs::path& installedFolder, const fs::path& configFolder,
                            std::string_view systemLocale) {
    bool complete = true;
    std::error_code error;
    fs::create_directories(configFolder, error);
    for (const char* name : {kChineseLanguageFile, kEnglishLanguageFile}) {
        const fs::path target = configFolder / name;
        if (fs::exists(target, error)) continue;
        complete = CopyFileAtomic(installedFolder / name, target).ok() && complete;
    }
    const fs::path selection = configFolder / kLanguageSelectionFile;
    if (!fs::exists(selection, error)) {
        const bool chinese = systemLocale.substr(0, 2) == "zh";
        const std::vector<std::u16string> lines = {std::u16string(kSelectionHeader),
                                                   chinese ? u"Language=CN" : u"Language=EN"};
        complete = WriteTextFile(selection, lines).ok() && complete;
    }
    return complete;
}

}  // namespace ostrel
