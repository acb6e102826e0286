#pragma once

#include <QImage>
#include <filesystem>

#include "toolkit_sheet_dlg.h"

namespace ostrel::gallery {

// Sets the toolkit's globals as the gallery runs: UI scale, the English UI font for that scale
// ("Tahoma", 16 × scale, default character set) and the program folder with its pictures.
void ConfigureGallery(double scale, const std::filesystem::path& programFolder);

// The gallery dialog painted on the headless host at `scale`, with the mouse resting on the
// Toggle button when `hoverToggle`; a null image if the dialog did not come up.
QImage RenderGalleryHeadless(double scale, const std::filesystem::path& programFolder,
                             bool hoverToggle = false);

// A sheet of the toolkit's controls in the states it shows, painted headless; the popup sheet
// with its open menu and sub-menu drawn where they lie on the screen.
QImage RenderToolkitSheet(Sheet sheet, double scale, const std::filesystem::path& programFolder);
// The message box, with the mouse on its OK button when `hoverOk`.
QImage RenderAttention(double scale, const std::filesystem::path& programFolder, bool hoverOk);
// The progress dialog halfway through its animation.
QImage RenderProgress(double scale, const std::filesystem::path& programFolder);

}  // namespace ostrel::gallery
