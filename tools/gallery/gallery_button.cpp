#include "gallery_button.h"

#include <utility>

#include "ui/skin_painter.h"

namespace ostrel::gallery {

namespace {

constexpr ui::ColorRef kTextNormal = ui::Rgb(180, 180, 180);
constexpr ui::ColorRef kTextHover = ui::Rgb(255, 255, 255);
constexpr ui::ColorRef kTextPressed = ui::Rgb(255, 255, 0);
constexpr unsigned kTextFlags =
    ui::kDtCenter | ui::kDtVCenter | ui::kDtSingleLine | ui::kDtWordEllipsis;

}  // namespace

GalleryButton::GalleryButton(ui::WindowHandle parent, int id, ui::Rect rect, std::u16string text,
                             int disabled)
    : CControlBase(parent, id, rect.left, rect.top, rect.right, rect.bottom, std::move(text), 1, 1,
                   disabled, 1) {}

void GalleryButton::LoadImages(const std::filesystem::path& normal,
                               const std::filesystem::path& hover,
                               const std::filesystem::path& pressed) {
    m_normal.LoadFile(normal);
    m_hover.LoadFile(hover);
    m_pressed.LoadFile(pressed);
}

void GalleryButton::Draw(ui::SkinPainter& painter, ui::Rect /*clip*/) {
    if (!m_normal.IsLoaded()) {
        return;
    }
    const ui::SkinImage* picture = &m_normal;
    ui::ColorRef color = kTextNormal;
    if (m_state == ui::kStateHover) {
        picture = &m_hover;
        color = kTextHover;
    } else if (m_state == ui::kStatePressed) {
        picture = &m_pressed;
        color = kTextPressed;
    }
    painter.DrawImage(*picture, GetBounds());
    painter.DrawText(GetText(), GetBounds(), kTextFlags, color, Font());
}

bool GalleryButton::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool GalleryButton::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool GalleryButton::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

void GalleryButton::ReleaseImages() {
    m_normal.Release();
    m_hover.Release();
    m_pressed.Release();
}

}  // namespace ostrel::gallery
