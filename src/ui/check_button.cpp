#include "ui/check_button.h"

#include <utility>

#include "ui/button_text.h"
#include "ui/skin_painter.h"

namespace ostrel::ui {

namespace {
constexpr int kPictureNormal = 0;
constexpr int kPictureHover = 1;
constexpr int kPictureChecked = 2;
}  // namespace

CCheckButton::CCheckButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                           std::u16string text, unsigned alignment, int visible, int shown,
                           int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_alignment(alignment),
      m_normalColor(kButtonTextNormal),
      m_hoverColor(kButtonTextHover),
      m_checkedColor(kButtonTextPressed) {}

bool CCheckButton::LoadNormalImage(const std::filesystem::path& file) {
    return m_normal.LoadFile(file);
}

bool CCheckButton::LoadHoverImage(const std::filesystem::path& file) {
    return m_hover.LoadFile(file);
}

bool CCheckButton::LoadCheckedImage(const std::filesystem::path& file) {
    return m_checkedImage.LoadFile(file);
}

void CCheckButton::SetMargins(int left, int right) {
    m_leftMargin = left;
    m_rightMargin = right;
}

void CCheckButton::SetChecked(int checked) {
    if (checked != m_checked) {
        m_checked = checked;
        InvalidateSelf();
    }
}

void CCheckButton::SetCaptions(std::u16string unchecked, std::u16string checked) {
    m_uncheckedCaption = std::move(unchecked);
    m_checkedCaption = std::move(checked);
    InvalidateSelf();
}

void CCheckButton::SetCheckedTextColor(ColorRef color) {
    m_checkedColor = color;
}

int CCheckButton::PictureIndex() const {
    if (m_state == kStatePressed || m_checked) {
        return kPictureChecked;
    }
    return m_state == kStateHover ? kPictureHover : kPictureNormal;
}

void CCheckButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    if (!m_normal.IsLoaded()) {
        return;
    }
    const Rect bounds = GetBounds();
    const int index = PictureIndex();
    const SkinImage& picture = index == kPictureChecked ? m_checkedImage
                               : index == kPictureHover ? m_hover
                                                        : m_normal;
    painter.DrawImage(picture, bounds);
    const std::u16string& caption =
        index == kPictureChecked ? m_checkedCaption : m_uncheckedCaption;
    const ColorRef color = index == kPictureChecked ? m_checkedColor
                           : index == kPictureHover ? m_hoverColor
                                                    : m_normalColor;
    painter.DrawText(caption.empty() ? GetText() : caption,
                     ButtonTextRect(bounds, m_leftMargin, m_rightMargin),
                     m_alignment | kButtonTextFlags, color, Font());
}

bool CCheckButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CCheckButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CCheckButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    // The toggle changes the picture even when the state does not.
    bool toggled = false;
    const bool changed = StandardLButtonUp(x, y, [this, &toggled] {
        m_checked = m_checked ? 0 : 1;
        toggled = true;
    });
    return changed || toggled;
}

void CCheckButton::ReleaseImages() {
    m_normal.Release();
    m_hover.Release();
    m_checkedImage.Release();
}

}  // namespace ostrel::ui
