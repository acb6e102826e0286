#include "ui/static_text.h"

#include <utility>

#include "ui/skin_painter.h"

namespace ostrel::ui {

CStaticText::CStaticText(WindowHandle parent, int id, int left, int top, int right, int bottom,
                         ColorRef color, unsigned flags, std::u16string text, int visible,
                         int shown)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, 1, 1),
      m_color(color),
      m_flags(flags) {}

void CStaticText::SetColor(ColorRef color) {
    if (color != m_color) {
        m_color = color;
        InvalidateSelf();
    }
}

void CStaticText::Draw(SkinPainter& painter, Rect /*clip*/) {
    painter.DrawText(GetText(), GetBounds(), m_flags | kDtWordEllipsis | kDtVCenter, m_color,
                     Font());
}

}  // namespace ostrel::ui
