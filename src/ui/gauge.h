#pragma once

#include "ui/geometry.h"

namespace ostrel::ui {

class SkinImage;
class SkinPainter;

// The gauge that the vertical slider and the DPI value display share: a background picture and,
// from the bottom up, the part of a fill picture for value + 1 of `count` values.

// The filled height in pixels: height × (value + 1) / count, with value + 1 kept within 0 and
// count, so an unknown sensor's count of 0 or a value beyond the count fills nothing or the
// whole gauge, never more.
int GaugeFillHeight(int height, int value, int count);

// Draws the gauge into `bounds` at UI scale `scale`; nothing lands outside `bounds`.
void DrawGauge(SkinPainter& painter, const Rect& bounds, const SkinImage& background,
               const SkinImage& fill, int value, int count, double scale);

}  // namespace ostrel::ui
