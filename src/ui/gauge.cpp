#include "ui/gauge.h"

#include <algorithm>
#include <cstdint>

#include "ui/skin_image.h"
#include "ui/skin_painter.h"

namespace ostrel::ui {

int GaugeFillHeight(int height, int value, int count) {
    if (count < 1 || height <= 0) {
        return 0;
    }
    const std::int64_t filled =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(value) + 1, 0, count);
    return static_cast<int>(static_cast<std::int64_t>(height) * filled / count);
}

void DrawGauge(SkinPainter& painter, const Rect& bounds, const SkinImage& background,
               const SkinImage& fill, int value, int count, double scale) {
    const ClipScope inside(painter, bounds);
    painter.DrawImage(background, {bounds.left, bounds.top,
                                   bounds.left + static_cast<int>(background.Width() * scale),
                                   bounds.top + static_cast<int>(background.Height() * scale)});
    const int filled = GaugeFillHeight(bounds.Height(), value, count);
    int top = bounds.bottom - filled;
    // Scaled pictures move in whole design pixels; an odd height starts one pixel lower.
    if (scale > 1 && filled % 2 == 1) {
        ++top;
    }
    if (top >= bounds.bottom) {
        return;
    }
    const int sourceHeight = std::min(static_cast<int>(filled / scale), fill.Height());
    const Rect source{0, fill.Height() - sourceHeight, fill.Width(), fill.Height()};
    painter.DrawImage(
        fill,
        {bounds.left, top, bounds.left + static_cast<int>(fill.Width() * scale), bounds.bottom},
        source);
}

}  // namespace ostrel::ui
