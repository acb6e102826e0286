#pragma once

#include <QImage>
#include <filesystem>
#include <string_view>

#include "ui/color_ref.h"
#include "ui/geometry.h"

namespace ostrel::testing {

// Writes a picture of one opaque colour under the program folder ("skins\\x.png") and returns its
// path.
std::filesystem::path WriteSolidPicture(std::u16string_view name, int width, int height,
                                        ui::ColorRef color);

// The colour of a pixel of a rendered window, as the toolkit stores colours.
ui::ColorRef PixelOf(const QImage& image, int x, int y);

// How many pixels outside `inside` differ from `ground`.
int PixelsOutside(const QImage& image, const ui::Rect& inside, ui::ColorRef ground);

// How many pixels of `area` have `color`.
int PixelsOfColor(const QImage& image, const ui::Rect& area, ui::ColorRef color);

}  // namespace ostrel::testing
