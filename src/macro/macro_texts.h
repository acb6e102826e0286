#pragma once

#include <cstdint>

namespace ostrel {

// Language strings of the macro manager by number (the texts are in the language files).
// Every message box of the manager is titled kTextNotice.
inline constexpr uint16_t kTextNone = 0;  // nothing to show
inline constexpr uint16_t kTextLeftClick = 20;
inline constexpr uint16_t kTextRightClick = 21;
inline constexpr uint16_t kTextMiddleClick = 22;
inline constexpr uint16_t kTextNotice = 150;
inline constexpr uint16_t kTextDigitsOnly = 175;
inline constexpr uint16_t kTextConfirmDelete = 232;
inline constexpr uint16_t kTextSelectItemFirst = 233;
inline constexpr uint16_t kTextSelectMacroFirst = 234;
inline constexpr uint16_t kTextRecordingFull = 235;
inline constexpr uint16_t kTextSelectMacroBeforeInsert = 236;
inline constexpr uint16_t kTextInsertFull = 237;
inline constexpr uint16_t kTextRenameHeading = 238;
inline constexpr uint16_t kTextMacroNamePrompt = 239;
inline constexpr uint16_t kTextDuplicateName = 241;
inline constexpr uint16_t kTextEmptyName = 242;
inline constexpr uint16_t kTextFolderNamePrompt = 243;
inline constexpr uint16_t kTextExportMacroTitle = 253;
inline constexpr uint16_t kTextImportMacroTitle = 254;
inline constexpr uint16_t kTextExportMacrosTitle = 255;
inline constexpr uint16_t kTextImportMacrosTitle = 256;
inline constexpr uint16_t kTextMacroBoundToButton = 257;

}  // namespace ostrel
