#pragma once

#include <filesystem>
#include <string_view>

#include "profile/language.h"

namespace ostrel::ui {

// The toolkit's program-wide settings, set at start-up (UI scale, font from the language) and
// read whenever a dialog, control or popup is made. UI thread only.

// 1.0, 1.5 or 2.0: every design coordinate is multiplied by it.
double UiScale();
void SetUiScale(double scale);
// A design length times the UI scale, truncated as the dialogs do it.
int Scaled(int designPixels);

const UiFont& UiFontSetting();
void SetUiFontSetting(const UiFont& font);

// The folder that holds the program and, below it, "skins". Starts as the executable's folder.
const std::filesystem::path& ProgramFolder();
void SetProgramFolder(const std::filesystem::path& folder);

// Program folder + a name as the system writes it ("skins\\exit_nr.png"); backslashes become
// folder separators.
std::filesystem::path ProgramFile(std::u16string_view relativeName);

// The language string table the toolkit's own dialogs take their texts from (the message box's
// OK caption); none until the program sets it, which reads as empty texts. The table must
// outlive its use.
void SetLanguageTable(const LanguageTable* table);
// Language string `n`, empty without a table or for a number outside it.
const std::u16string& LanguageText(size_t n);

// Puts every setting, the open-dialog list and the selection words of the radio buttons, DPI
// level buttons and profile tabs back to their start values (tests make many
// configurations in one process).
void ResetToolkitGlobals();

}  // namespace ostrel::ui
