#pragma once

#include <filesystem>

#include "ui/skin_image.h"

namespace ostrel::gallery {

// The skins the toolkit's controls and dialogs load, for the gallery's pictures: the program's
// own skins where `skinSource` (a program folder) has them, pictures drawn in code in their place
// where it does not. Everything is written into `programFolder`, which must differ from
// `skinSource`. Returns false when a file cannot be written.
bool PrepareToolkitSkins(const std::filesystem::path& programFolder,
                         const std::filesystem::path& skinSource);

// The scroll bar's arrow strips (three frames: normal, hover, pressed), which the program keeps
// as resources: drawn in code for a gallery built without them.
ui::SkinImage ScrollArrowStrip(bool up);

}  // namespace ostrel::gallery
