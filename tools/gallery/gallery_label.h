#pragma once

#include <string>

#include "ui/color_ref.h"
#include "ui/control_base.h"

namespace ostrel::gallery {

// A static text: always disabled, so it takes the mouse (no window drag through it) but never
// changes or notifies.
class GalleryLabel : public ui::CControlBase {
public:
    GalleryLabel(ui::WindowHandle parent, int id, ui::Rect rect, ui::ColorRef color, unsigned flags,
                 std::u16string text);

    void Draw(ui::SkinPainter& painter, ui::Rect clip) override;

private:
    ui::ColorRef m_color;
    unsigned m_flags;
};

}  // namespace ostrel::gallery
