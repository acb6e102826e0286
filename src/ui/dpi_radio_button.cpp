#include "ui/dpi_radio_button.h"

#include <string>
#include <utility>

#include "base/utf.h"
#include "ui/button_text.h"
#include "ui/host.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {

constexpr int kPictureSelected = 2;
constexpr int kDpiPerStep = 50;
// The value sits in a band at the top of the button.
constexpr int kValueBandHeight = 11;

std::uint8_t g_dpiLevelMask = kInitialDpiLevelMask;

}  // namespace

std::uint8_t DpiLevelMask() {
    return g_dpiLevelMask;
}

void SetDpiLevelMask(std::uint8_t mask) {
    g_dpiLevelMask = mask;
}

CDPIRadioButton::CDPIRadioButton(WindowHandle parent, int id, int left, int top, int right,
                                 int bottom, std::u16string text, int visible, int shown,
                                 int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_textColor(kButtonTextNormal) {}

bool CDPIRadioButton::LoadNormalImage(const std::filesystem::path& file) {
    return m_normal.LoadFile(file);
}

bool CDPIRadioButton::LoadHoverImage(const std::filesystem::path& file) {
    return m_hover.LoadFile(file);
}

bool CDPIRadioButton::LoadSelectedImage(const std::filesystem::path& file) {
    return m_selected.LoadFile(file);
}

void CDPIRadioButton::SetDpiValue(int value) {
    if (value != m_dpiValue) {
        m_dpiValue = value;
        InvalidateSelf();
    }
}

void CDPIRadioButton::SetTextColor(ColorRef color) {
    m_textColor = color;
}

int CDPIRadioButton::Level() const {
    const int level = Id() - kIdFirstDpiLevelButton;
    return level >= 0 && level < kDpiLevelButtonCount ? level : -1;
}

int CDPIRadioButton::PictureIndex() const {
    const int level = Level();
    if (level >= 0 && (g_dpiLevelMask & (1u << level)) != 0) {
        return kPictureSelected;
    }
    return m_state;
}

void CDPIRadioButton::Draw(SkinPainter& painter, Rect /*clip*/) {
    const Rect bounds = GetBounds();
    const int index = PictureIndex();
    const SkinImage& picture = index == kPictureSelected ? m_selected
                               : index == kStateHover    ? m_hover
                                                         : m_normal;
    painter.DrawImage(picture, bounds);
    const Rect band{bounds.left, bounds.top, bounds.right, bounds.top + Scaled(kValueBandHeight)};
    painter.DrawText(Utf8ToUtf16(std::to_string(m_dpiValue * kDpiPerStep)), band,
                     kDtCenter | kDtSingleLine | kDtWordEllipsis, m_textColor, Font());
}

bool CDPIRadioButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CDPIRadioButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CDPIRadioButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y, [this] {
        const int level = Level();
        if (level < 0) {
            return;
        }
        const auto mask = static_cast<std::uint8_t>((1u << (level + 1)) - 1);
        // The other level buttons change their pictures too.
        if (mask != g_dpiLevelMask) {
            g_dpiLevelMask = mask;
            CurrentHost().InvalidateWindow(Parent());
        }
    });
}

void CDPIRadioButton::ReleaseImages() {
    m_normal.Release();
    m_hover.Release();
    m_selected.Release();
}

}  // namespace ostrel::ui
