#include "ui/color_select_check_button.h"

#include <utility>

#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

CColorSelectCheckButton::CColorSelectCheckButton(WindowHandle parent, int id, int left, int top,
                                                 int right, int bottom, std::u16string text,
                                                 int visible, int shown, int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1) {}

bool CColorSelectCheckButton::LoadNormalImage(const std::filesystem::path& file) {
    return m_normal.LoadFile(file);
}

bool CColorSelectCheckButton::LoadCheckedImage(const std::filesystem::path& file) {
    return m_checkedImage.LoadFile(file);
}

void CColorSelectCheckButton::SetColor(ColorRef color) {
    if (color != m_color) {
        m_color = color;
        InvalidateSelf();
    }
}

void CColorSelectCheckButton::SetChecked(int checked) {
    if (checked != m_checked) {
        m_checked = checked;
        InvalidateSelf();
    }
}

Rect CColorSelectCheckButton::Swatch() const {
    const int inset = static_cast<int>(kSwatchInset * UiScale());
    const Rect bounds = GetBounds();
    return {bounds.left + inset, bounds.top + inset, bounds.right - inset, bounds.bottom - inset};
}

void CColorSelectCheckButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    painter.DrawImage(m_checked == 1 ? m_checkedImage : m_normal, GetBounds());
    painter.FillRect(Swatch(), m_color);
}

bool CColorSelectCheckButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CColorSelectCheckButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CColorSelectCheckButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

bool CColorSelectCheckButton::OnLButtonDblClk(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDblClk(x, y);
}

void CColorSelectCheckButton::ReleaseImages() {
    m_normal.Release();
    m_checkedImage.Release();
}

}  // namespace ostrel::ui
