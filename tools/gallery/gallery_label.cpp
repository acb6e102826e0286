#include "gallery_label.h"

#include <utility>

#include "ui/skin_painter.h"

namespace ostrel::gallery {

GalleryLabel::GalleryLabel(ui::WindowHandle parent, int id, ui::Rect rect, ui::ColorRef color,
                           unsigned flags, std::u16string text)
    : CControlBase(parent, id, rect.left, rect.top, rect.right, rect.bottom, std::move(text), 1, 1,
                   1, 1),
      m_color(color),
      m_flags(flags) {}

void GalleryLabel::Draw(ui::SkinPainter& painter, ui::Rect /*clip*/) {
    painter.DrawText(GetText(), GetBounds(), m_flags, m_color, Font());
}

}  // namespace ostrel::gallery
