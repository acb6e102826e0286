#include "ui/tab_control.h"

#include <utility>

#include "ui/button_text.h"
#include "ui/skin_painter.h"

namespace ostrel::ui {

namespace {

constexpr int kPictureSelected = 2;
constexpr int kPictureSelectedHover = 3;
constexpr ColorRef kCaptionColor = Rgb(180, 180, 180);

int g_profileTabIndex = 0;

}  // namespace

int ProfileTabIndex() {
    return g_profileTabIndex;
}

void SetProfileTabIndex(int index) {
    g_profileTabIndex = index;
}

CTabControl::CTabControl(WindowHandle parent, int id, int left, int top, int right, int bottom,
                         std::u16string text, unsigned alignment, int visible, int shown,
                         int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_alignment(alignment) {}

bool CTabControl::LoadNormalImage(const std::filesystem::path& file) {
    return m_normal.LoadFile(file);
}

bool CTabControl::LoadHoverImage(const std::filesystem::path& file) {
    return m_hover.LoadFile(file);
}

bool CTabControl::LoadSelectedImage(const std::filesystem::path& file) {
    return m_selected.LoadFile(file);
}

bool CTabControl::LoadSelectedHoverImage(const std::filesystem::path& file) {
    return m_selectedHover.LoadFile(file);
}

void CTabControl::SetMargins(int left, int right) {
    m_leftMargin = left;
    m_rightMargin = right;
}

int CTabControl::ProfileNumber() const {
    const int number = Id() - kIdFirstProfileTab;
    return number >= 0 && number < kProfileTabCount ? number : -1;
}

int CTabControl::PictureIndex() const {
    const int number = ProfileNumber();
    if (number >= 0 && number == g_profileTabIndex) {
        return m_state == kStateHover ? kPictureSelectedHover : kPictureSelected;
    }
    return m_state;
}

void CTabControl::Draw(SkinPainter& painter, Rect /*clip*/) {
    const Rect bounds = GetBounds();
    const int index = PictureIndex();
    const SkinImage& picture = index == kPictureSelectedHover ? m_selectedHover
                               : index == kPictureSelected    ? m_selected
                               : index == kStateHover         ? m_hover
                                                              : m_normal;
    painter.DrawImage(picture, bounds);
    painter.DrawText(GetText(), ButtonTextRect(bounds, m_leftMargin, m_rightMargin),
                     m_alignment | kButtonTextFlags, kCaptionColor, Font());
}

bool CTabControl::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CTabControl::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CTabControl::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y, [this] {
        const int number = ProfileNumber();
        if (number >= 0) {
            g_profileTabIndex = number;
        }
    });
}

bool CTabControl::OnRButtonUp(unsigned /*flags*/, int x, int y) {
    if (Disabled() || !Contains(x, y)) {
        return false;
    }
    Notify(kEventRightClick, static_cast<std::uintptr_t>(Id()));
    return false;
}

void CTabControl::ReleaseImages() {
    m_normal.Release();
    m_hover.Release();
    m_selected.Release();
    m_selectedHover.Release();
}

}  // namespace ostrel::ui
