#pragma once

#include <filesystem>
#include <memory>

#include "ui/color_ref.h"
#include "ui/geometry.h"

class QImage;

namespace ostrel::ui {

// An opaque pixel surface that the skin painter draws on: a window's client area, a dialog's back
// buffer or its prepared frame picture. A new surface is black, like a fresh bitmap.
class Surface {
public:
    Surface();
    Surface(int width, int height);
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    Surface(Surface&&) noexcept;
    Surface& operator=(Surface&&) noexcept;
    ~Surface();

    // A surface of size 0 × 0 holds nothing; drawing it copies nothing.
    bool IsNull() const;
    int Width() const;
    int Height() const;
    Rect Bounds() const { return {0, 0, Width(), Height()}; }

    // Makes the surface `width` × `height` and black again.
    void Reset(int width, int height);

    // The colour of one pixel; black outside the surface.
    ColorRef PixelAt(int x, int y) const;

    bool SavePng(const std::filesystem::path& file) const;

    // For the hosts, which hand the pixels to the screen, and for pixel tests.
    const QImage& Image() const;
    QImage& Image();

private:
    std::unique_ptr<QImage> m_image;
};

}  // namespace ostrel::ui
