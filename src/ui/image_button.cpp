#include "ui/image_button.h"

#include <utility>

#include "ui/button_text.h"
#include "ui/skin_painter.h"

namespace ostrel::ui {

CImageButton::CImageButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                           std::u16string text, unsigned alignment, int visible, int shown,
                           int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_alignment(alignment) {}

bool CImageButton::LoadNormalImage(const std::filesystem::path& file) {
    return m_normal.LoadFile(file);
}

bool CImageButton::LoadHoverImage(const std::filesystem::path& file) {
    return m_hover.LoadFile(file);
}

void CImageButton::SetMargins(int left, int right) {
    m_leftMargin = left;
    m_rightMargin = right;
}

void CImageButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    if (!m_normal.IsLoaded()) {
        return;
    }
    const Rect bounds = GetBounds();
    painter.DrawImage(m_state == kStateNormal ? m_normal : m_hover, bounds);
    painter.DrawText(GetText(), ButtonTextRect(bounds, m_leftMargin, m_rightMargin),
                     m_alignment | kButtonTextFlags, ButtonTextColor(m_state), Font());
}

bool CImageButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    const bool changed = StandardMouseMove(x, y);
    if (!Disabled() && m_state == kStateHover && Id() == kIdProfileHoverButton) {
        Notify(kEventProfileHover);
    }
    return changed;
}

bool CImageButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CImageButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y, {}, static_cast<std::uintptr_t>(Id()));
}

void CImageButton::ReleaseImages() {
    m_normal.Release();
    m_hover.Release();
}

}  // namespace ostrel::ui
