#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>
#include <string_view>

#include "pixel_font.h"

namespace ostrel::skingen {

// The colour of a shape at one pixel (client coordinates of the picture).
using Shader = std::function<QColor(int x, int y)>;
// Whether a point (in pixel units, pixel centres at .5) lies inside a shape.
using Inside = std::function<bool(double x, double y)>;

Shader Solid(QColor color);
// Top to bottom over rows `top` … `bottom` − 1.
Shader Vertical(QColor top, QColor bottom, int topRow, int bottomRow);
// Left to right over columns `left` … `right` − 1.
Shader Horizontal(QColor left, QColor right, int leftColumn, int rightColumn);

// The inside test of a rectangle with round corners of `radius`.
Inside RoundRectInside(const QRect& rect, double radius);

QColor Mix(QColor a, QColor b, double t);
QColor WithAlpha(QColor color, int alpha);

// A picture being drawn. Straight edges fall on whole pixels; round edges are antialiased by
// sampling each pixel 4 × 4 times, which stays clean when the program doubles the pixels.
class Canvas {
public:
    Canvas(int width, int height, QColor ground = Qt::transparent);

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

    // Source-over of `color` at `coverage` (0–1) on one pixel; outside the picture nothing.
    void Blend(int x, int y, QColor color, double coverage = 1.0);
    void Set(int x, int y, QColor color);

    void Fill(const QRect& rect, const Shader& shader);
    void Fill(const QRect& rect, QColor color) { Fill(rect, Solid(color)); }
    // A one-pixel frame just inside `rect`.
    void Frame(const QRect& rect, QColor color);

    // Any shape given by its inside test, sampled within `bounds`.
    void Shape(const QRect& bounds, const Inside& inside, const Shader& shader);
    void RoundRect(const QRect& rect, double radius, const Shader& shader);
    void RoundRect(const QRect& rect, double radius, QColor color) {
        RoundRect(rect, radius, Solid(color));
    }
    // A rounded box with a border of `border` pixels: the edge colour, then the face inside.
    void Box(const QRect& rect, double radius, QColor edge, const Shader& face, int border = 1);
    void Disc(double cx, double cy, double radius, const Shader& shader);
    void Disc(double cx, double cy, double radius, QColor color) {
        Disc(cx, cy, radius, Solid(color));
    }
    void Ring(double cx, double cy, double outer, double inner, QColor color);
    // A thick line with round ends.
    void Line(double x1, double y1, double x2, double y2, double width, QColor color);
    // A filled triangle.
    void Triangle(QPointF a, QPointF b, QPointF c, const Shader& shader);

    // Pixel text with its top-left corner at (x, y).
    void Text(int x, int y, std::string_view text, QColor color, PixelText style = {});
    // Pixel text centred in `rect`.
    void TextCentred(const QRect& rect, std::string_view text, QColor color, PixelText style = {});

    // Copies `picture` with its top-left corner at (x, y), blending its alpha, `scale` times
    // enlarged without smoothing.
    void Draw(int x, int y, const QImage& picture, int scale = 1);

private:
    QImage m_image;  // ARGB32, not premultiplied
};

}  // namespace ostrel::skingen
