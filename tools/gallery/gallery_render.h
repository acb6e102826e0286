#pragma once

#include <QImage>
#include <filesystem>

namespace ostrel::gallery {

// Sets the toolkit's globals as the gallery runs: UI scale, the English UI font for that scale
// ("Tahoma", 16 × scale, default character set) and the program folder with its pictures.
void ConfigureGallery(double scale, const std::filesystem::path& programFolder);

// The gallery dialog painted on the headless host at `scale`, with the mouse resting on the
// Toggle button when `hoverToggle`; a null image if the dialog did not come up.
QImage RenderGalleryHeadless(double scale, const std::filesystem::path& programFolder,
                             bool hoverToggle = false);

}  // namespace ostrel::gallery
