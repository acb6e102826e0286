#include "ui/toolkit_globals.h"

#include <system_error>

#include "base/utf.h"
#include "ui/dpi_radio_button.h"
#include "ui/open_dialog_list.h"
#include "ui/radio_button.h"
#include "ui/tab_control.h"

namespace ostrel::ui {

namespace {

constexpr double kDefaultUiScale = 1.0;

double g_uiScale = kDefaultUiScale;
UiFont g_uiFont;
const LanguageTable* g_language = nullptr;

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path(error);
    }
    return exe.parent_path();
}

std::filesystem::path& ProgramFolderStorage() {
    static std::filesystem::path folder = ExecutableFolder();
    return folder;
}

}  // namespace

double UiScale() {
    return g_uiScale;
}

void SetUiScale(double scale) {
    g_uiScale = scale > 0 ? scale : kDefaultUiScale;
}

int Scaled(int designPixels) {
    return static_cast<int>(designPixels * g_uiScale);
}

const UiFont& UiFontSetting() {
    return g_uiFont;
}

void SetUiFontSetting(const UiFont& font) {
    g_uiFont = font;
}

const std::filesystem::path& ProgramFolder() {
    return ProgramFolderStorage();
}

void SetProgramFolder(const std::filesystem::path& folder) {
    ProgramFolderStorage() = folder;
}

std::filesystem::path ProgramFile(std::u16string_view relativeName) {
    std::u16string name(relativeName);
    for (char16_t& c : name) {
        if (c == u'\\') {
            c = u'/';
        }
    }
    return ProgramFolder() / PathFromText(name);
}

void SetLanguageTable(const LanguageTable* table) {
    g_language = table;
}

const std::u16string& LanguageText(size_t n) {
    static const std::u16string kEmpty;
    return g_language != nullptr ? g_language->Text(n) : kEmpty;
}

void ResetToolkitGlobals() {
    g_uiScale = kDefaultUiScale;
    g_uiFont = UiFont{};
    g_language = nullptr;
    ProgramFolderStorage() = ExecutableFolder();
    OpenDialogs().Clear();
    SetRadioSelectionWord(kInitialRadioSelectionWord);
    SetDpiLevelMask(kInitialDpiLevelMask);
    SetProfileTabIndex(0);
}

}  // namespace ostrel::ui
