#include "ui/color_select_button.h"

#include <utility>

#include "ui/skin_painter.h"

namespace ostrel::ui {

CColorSelectButton::CColorSelectButton(WindowHandle parent, int id, int left, int top, int right,
                                       int bottom, std::u16string text, Rect swatch, int visible,
                                       int shown, int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_swatch(swatch) {}

void CColorSelectButton::SetColor(ColorRef color) {
    if (color != m_color) {
        m_color = color;
        InvalidateSelf();
    }
}

void CColorSelectButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    painter.FillRect(m_swatch, m_color);
}

bool CColorSelectButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CColorSelectButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CColorSelectButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

}  // namespace ostrel::ui
