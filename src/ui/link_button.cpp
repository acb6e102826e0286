#include "ui/link_button.h"

#include <utility>

#include "ui/button_text.h"
#include "ui/skin_painter.h"

namespace ostrel::ui {

CLinkButton::CLinkButton(WindowHandle parent, int left, int top, int right, int bottom,
                         std::u16string text, unsigned alignment, int visible, int shown,
                         int disabled)
    : CControlBase(parent, kIdLinkButton, left, top, right, bottom, std::move(text), visible, shown,
                   disabled, 1),
      m_alignment(alignment) {}

void CLinkButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    painter.DrawText(GetText(), GetBounds(), m_alignment | kButtonTextFlags,
                     ButtonTextColor(m_state), Font());
}

bool CLinkButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    if (Disabled() || m_state == kStatePressed) {
        return false;
    }
    if (Contains(x, y)) {
        const bool changed = SetState(kStateHover);
        if (!m_hoverSent) {
            m_hoverSent = true;
            Notify(kEventEnter);
        }
        return changed;
    }
    const bool changed = SetState(kStateNormal);
    if (m_hoverSent) {
        m_hoverSent = false;
        Notify(kEventLeave);
    }
    return changed;
}

bool CLinkButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CLinkButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

}  // namespace ostrel::ui
