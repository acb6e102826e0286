#include "ui/static_image.h"

#include <utility>

#include "ui/skin_painter.h"

namespace ostrel::ui {

CStaticImage::CStaticImage(WindowHandle parent, int id, int left, int top, int right, int bottom,
                           std::u16string text, int visible, int shown, int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1) {}

bool CStaticImage::LoadImage(const std::filesystem::path& file) {
    return m_image.LoadFile(file);
}

void CStaticImage::Draw(SkinPainter& painter, Rect /*clip*/) {
    painter.DrawImage(m_image, GetBounds());
}

bool CStaticImage::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CStaticImage::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CStaticImage::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

void CStaticImage::ReleaseImages() {
    m_image.Release();
}

}  // namespace ostrel::ui
