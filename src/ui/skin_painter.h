#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ui/color_ref.h"
#include "ui/geometry.h"

class QPainter;

namespace ostrel::ui {

class SkinFont;
class SkinImage;
class Surface;

// Text layout flags, as the dialogs and controls pass them.
inline constexpr unsigned kDtLeft = 0x0000;
inline constexpr unsigned kDtCenter = 0x0001;
inline constexpr unsigned kDtRight = 0x0002;
inline constexpr unsigned kDtVCenter = 0x0004;  // single line only
inline constexpr unsigned kDtBottom = 0x0008;   // single line only
inline constexpr unsigned kDtWordBreak = 0x0010;
inline constexpr unsigned kDtSingleLine = 0x0020;
inline constexpr unsigned kDtNoClip = 0x0100;
// With word break: a word wider than the rectangle is broken too, and a last line that would be
// cut off at the bottom is left out.
inline constexpr unsigned kDtEditControl = 0x2000;
inline constexpr unsigned kDtEndEllipsis = 0x8000;
inline constexpr unsigned kDtWordEllipsis = 0x40000;

class SkinPainter;

// Limits a painter to a rectangle (within any clip it already has) for the scope's lifetime.
class ClipScope {
public:
    ClipScope(SkinPainter& painter, const Rect& clip);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    SkinPainter& m_painter;
    std::optional<Rect> m_previous;
};

// The one place that puts pixels on a surface: pictures scaled with nearest-neighbour sampling,
// solid fills, copies between surfaces and texts. Controls and dialogs draw only through it.
class SkinPainter {
public:
    explicit SkinPainter(Surface& target);
    ~SkinPainter();
    SkinPainter(const SkinPainter&) = delete;
    SkinPainter& operator=(const SkinPainter&) = delete;

    Surface& Target() { return m_target; }

    // Limits every later drawing to `clip` (within the surface) until ResetClip; a control uses
    // it to keep a picture or a part row inside its rectangle.
    void SetClip(const Rect& clip);
    void ResetClip();
    const std::optional<Rect>& Clip() const { return m_clip; }

    void FillRect(const Rect& rect, ColorRef color);
    void SetPixel(int x, int y, ColorRef color);

    // Draws `source` of the image into `destination`, blending its alpha over what is there.
    // Scaling samples the nearest source pixel of each destination pixel's centre, so pictures
    // stay sharp at any UI scale; source pixels outside the image count as transparent.
    void DrawImage(const SkinImage& image, const Rect& destination, const Rect& source);
    void DrawImage(const SkinImage& image, const Rect& destination);
    // The whole picture at (0, 0), `scale` times its size (truncated), replacing what is there.
    void DrawBitmapStretched(const SkinImage& bitmap, double scale);
    // Like DrawImage, but replacing the pixels below instead of blending.
    void StretchCopy(const SkinImage& image, const Rect& destination, const Rect& source);
    // Copies `size` pixels of `source` from `sourceOrigin` to `destination`.
    void CopySurface(const Surface& source, Point destination, Size size,
                     Point sourceOrigin = {0, 0});

    // Draws `text` in `rect` with the kDt* flags, in `color`, on a transparent background.
    void DrawText(const std::u16string& text, const Rect& rect, unsigned flags, ColorRef color,
                  const SkinFont& font);

private:
    void DrawScaled(const SkinImage& image, const Rect& destination, const Rect& source,
                    bool blend);

    // The part of the surface that drawing may change: the whole surface, or the clip.
    Rect Drawable() const;

    Surface& m_target;
    std::unique_ptr<QPainter> m_painter;
    std::optional<Rect> m_clip;
};

}  // namespace ostrel::ui
