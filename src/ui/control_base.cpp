#include "ui/control_base.h"

#include <utility>

#include "ui/host.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

CControlBase::CControlBase(WindowHandle parent, int id, int left, int top, int right, int bottom,
                           std::u16string text, int visible, int shown, int disabled,
                           int interactive)
    : m_id(id),
      m_rect{left, top, right, bottom},
      m_visible(visible),
      m_shown(shown),
      m_disabled(disabled),
      m_interactive(interactive),
      m_text(std::move(text)),
      m_parent(parent) {
    const UiFont& uiFont = UiFontSetting();
    m_font.Create(uiFont.height, kFontWeightDontCare, uiFont.charset, uiFont.face);
}

CControlBase::~CControlBase() = default;

int CControlBase::OnReset(int /*reason*/) {
    return 0;
}

void CControlBase::SetBounds(int left, int top, int right, int bottom) {
    m_rect = {left, top, right, bottom};
}

Rect CControlBase::GetBounds() const {
    return m_rect;
}

void CControlBase::SetText(const std::u16string& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    InvalidateSelf();
}

std::u16string CControlBase::GetText() const {
    return m_text;
}

void CControlBase::SetVisible(int visible) {
    m_visible = visible;
}

void CControlBase::SetShown(int shown) {
    m_shown = shown;
}

bool CControlBase::OnMouseMove(unsigned /*flags*/, int /*x*/, int /*y*/) {
    return false;
}

bool CControlBase::OnLButtonDown(unsigned /*flags*/, int /*x*/, int /*y*/) {
    return false;
}

bool CControlBase::OnLButtonUp(unsigned /*flags*/, int /*x*/, int /*y*/) {
    return false;
}

bool CControlBase::OnRButtonUp(unsigned /*flags*/, int /*x*/, int /*y*/) {
    return false;
}

bool CControlBase::OnLButtonDblClk(unsigned /*flags*/, int /*x*/, int /*y*/) {
    return false;
}

void CControlBase::ReleaseImages() {}

void CControlBase::SetFont(int height, const std::u16string& face) {
    m_font.Create(height, kFontWeightDontCare, UiFontSetting().charset, face);
}

std::intptr_t CControlBase::Notify(int code, std::uintptr_t wParam) {
    return NotifyAs(static_cast<unsigned>(m_id), code, wParam);
}

std::intptr_t CControlBase::NotifyAs(unsigned message, int code, std::uintptr_t wParam) {
    return CurrentHost().SendMessage(m_parent, message, wParam, code);
}

void CControlBase::InvalidateSelf() {
    CurrentHost().InvalidateRect(m_parent, m_rect);
}

bool CControlBase::SetState(int state) {
    const bool changed = state != m_state;
    m_state = state;
    return changed;
}

bool CControlBase::StandardMouseMove(int x, int y) {
    if (m_disabled || m_state == kStatePressed) {
        return false;
    }
    return SetState(Contains(x, y) ? kStateHover : kStateNormal);
}

bool CControlBase::StandardLButtonDown(int x, int y) {
    if (m_disabled || !Contains(x, y)) {
        return false;
    }
    // The result reports this control's own change, whatever the handler does to it.
    const bool changed = SetState(kStatePressed);
    Notify(kEventPress);
    return changed;
}

bool CControlBase::StandardLButtonUp(int x, int y, const std::function<void()>& action,
                                     std::uintptr_t clickWParam) {
    if (m_disabled) {
        return false;
    }
    if (!Contains(x, y)) {
        return SetState(kStateNormal);
    }
    const bool changed = SetState(kStateHover);
    if (action) {
        action();
    }
    Notify(kEventClick, clickWParam);
    return changed;
}

bool CControlBase::StandardLButtonDblClk(int x, int y) {
    if (m_disabled) {
        return false;
    }
    if (!Contains(x, y)) {
        return SetState(kStateNormal);
    }
    const bool changed = SetState(kStateHover);
    Notify(kEventDoubleClick);
    return changed;
}

}  // namespace ostrel::ui
