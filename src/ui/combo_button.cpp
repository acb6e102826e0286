#include "ui/combo_button.h"

#include <utility>

#include "ui/button_text.h"
#include "ui/skin_painter.h"

namespace ostrel::ui {

namespace {
constexpr char16_t kDisableWord[] = u"Disable";
}  // namespace

CComboButton::CComboButton(WindowHandle parent, unsigned notifyMessage, int id, int left, int top,
                           int right, int bottom, std::u16string text, unsigned alignment,
                           int visible, int shown, int disabled, std::u16string valueText)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_valueText(std::move(valueText)),
      m_notifyMessage(notifyMessage),
      m_alignment(alignment) {}

bool CComboButton::LoadNormalImage(const std::filesystem::path& file) {
    return m_normal.LoadFile(file);
}

bool CComboButton::LoadHoverImage(const std::filesystem::path& file) {
    return m_hover.LoadFile(file);
}

void CComboButton::SetMargins(int left, int right) {
    m_leftMargin = left;
    m_rightMargin = right;
}

void CComboButton::SetValueText(const std::u16string& text) {
    m_valueText = text;
    InvalidateSelf();
}

void CComboButton::SetOpen(int open) {
    if (open != m_open) {
        m_open = open;
        InvalidateSelf();
    }
}

void CComboButton::SetInactive(int inactive) {
    m_inactive = inactive;
}

void CComboButton::SetShowsDisable(int disable) {
    if (disable != m_disableWord) {
        m_disableWord = disable;
        InvalidateSelf();
    }
}

void CComboButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    const Rect bounds = GetBounds();
    const bool lit = m_open != 0 || m_state != kStateNormal;
    painter.DrawImage(lit ? m_hover : m_normal, bounds);
    painter.DrawText(m_disableWord ? std::u16string(kDisableWord) : m_valueText,
                     ButtonTextRect(bounds, m_leftMargin, m_rightMargin),
                     m_alignment | kButtonTextFlags, lit ? kButtonTextHover : kButtonTextNormal,
                     Font());
}

bool CComboButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    if (Disabled() || m_state == kStatePressed) {
        return false;
    }
    const std::uintptr_t id = static_cast<std::uintptr_t>(Id());
    if (Contains(x, y)) {
        const bool changed = SetState(kStateHover);
        if (!m_hoverSent) {
            if (m_hoverCount < kHoverReports) {
                ++m_hoverCount;
            } else {
                m_hoverSent = 1;
            }
            m_left = 0;
            NotifyAs(m_notifyMessage, kEventEnter, id);
        }
        return changed;
    }
    const bool changed = SetState(kStateNormal);
    if (!m_left && !m_open) {
        m_hoverSent = 0;
        m_hoverCount = 0;
        m_left = 1;
        NotifyAs(m_notifyMessage, kEventLeave, id);
    }
    return changed;
}

bool CComboButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    if (Disabled() || !Contains(x, y)) {
        return false;
    }
    const bool changed = SetState(kStatePressed);
    if (!m_inactive) {
        Notify(kEventPress);
    }
    return changed;
}

bool CComboButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    if (Disabled()) {
        return false;
    }
    if (!Contains(x, y)) {
        return SetState(kStateNormal);
    }
    const bool changed = SetState(kStateHover);
    if (!m_inactive) {
        NotifyAs(m_notifyMessage, kEventClick, static_cast<std::uintptr_t>(Id()));
    }
    return changed;
}

void CComboButton::ReleaseImages() {
    m_normal.Release();
    m_hover.Release();
}

}  // namespace ostrel::ui
