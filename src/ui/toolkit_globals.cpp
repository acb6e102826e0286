#include "ui/toolkit_globals.h"

#include <system_error>

#include "base/utf.h"
#include "ui/open_dialog_list.h"

namespace ostrel::ui {

namespace {

constexpr double kDefaultUiScale = 1.0;

double g_uiScale = kDefaultUiScale;
UiFont g_uiFont;

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

void ResetToolkitGlobals() {
    g_uiScale = kDefaultUiScale;
    g_uiFont = UiFont{};
    ProgramFolderStorage() = ExecutableFolder();
    OpenDialogs().Clear();
}

}  // namespace ostrel::ui
