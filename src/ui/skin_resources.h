#pragma once

#include <string>

namespace ostrel::ui {

// Pictures compiled into the program (Qt resources under ":/ostrel/resources/"), found by number
// and kind as the system names them. A resource that is not compiled in is simply missing.
inline constexpr int kResourceAppIcon = 128;
inline constexpr int kResourceScrollDownArrows = 187;   // three-frame strip
inline constexpr int kResourceScrollUpArrows = 188;     // three-frame strip
inline constexpr int kResourcePalettePicture = 287;     // 500 × 291 bitmap
inline constexpr int kResourceMainWindowPicture = 364;  // 1127 × 740 bitmap

enum class ResourceKind {
    Bitmap,  // "<n>.bmp": whole dialog pictures
    Png,     // "<n>.png": pictures with alpha, strips
    Icon,    // "<n>.ico.png": the window and tray icon
};

// The resource path of picture `id` of `kind` (whether or not it is compiled in).
std::string ResourcePath(int id, ResourceKind kind);

}  // namespace ostrel::ui
