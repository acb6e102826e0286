#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "ui/color_ref.h"

class QImage;

namespace ostrel::ui {

// A picture loaded from a skin file or a resource, with the size the load found. A load that
// fails leaves the image empty; drawing an empty image draws nothing and stops nothing.
class SkinImage {
public:
    SkinImage();
    SkinImage(const SkinImage& other);
    SkinImage& operator=(const SkinImage& other);
    SkinImage(SkinImage&&) noexcept;
    SkinImage& operator=(SkinImage&&) noexcept;
    ~SkinImage();

    // A PNG or BMP file, alpha kept. Returns whether it loaded.
    bool LoadFile(const std::filesystem::path& file);
    // A dialog picture: the file composed over opaque black, so it has no transparency left.
    bool LoadBitmapFile(const std::filesystem::path& file);
    bool LoadPngResource(int id);
    bool LoadBitmapResource(int id);
    bool LoadIconResource(int id);

    // Frees the pixels; the recorded size stays, as the controls keep it.
    void Release();

    bool IsLoaded() const;
    // The size recorded by the last successful load (0 before any).
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // One frame of a strip of `frames` pictures side by side.
    int FrameWidth(int frames) const { return frames > 0 ? m_width / frames : 0; }

    // The integer average of red, green and blue over every pixel (alpha ignored); none for an
    // empty image.
    std::optional<ColorRef> AverageColor() const;

    // Wraps pixels made in code (the gallery's pictures, test pictures).
    static SkinImage FromImage(const QImage& image);

    const QImage& Image() const;

private:
    bool Adopt(QImage image, bool opaqueOverBlack);

    std::unique_ptr<QImage> m_image;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace ostrel::ui
