#include "canvas.h"

#include <QPointF>
#include <algorithm>
#include <cmath>

namespace ostrel::skingen {

namespace {

// Samples per pixel side for antialiased edges.
constexpr int kSamples = 4;

int Lerp(int a, int b, double t) {
    return static_cast<int>(std::lround(a + (b - a) * t));
}

double Cross(QPointF a, QPointF b, QPointF p) {
    return (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
}

}  // namespace

QColor Mix(QColor a, QColor b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor(Lerp(a.red(), b.red(), t), Lerp(a.green(), b.green(), t),
                  Lerp(a.blue(), b.blue(), t), Lerp(a.alpha(), b.alpha(), t));
}

QColor WithAlpha(QColor color, int alpha) {
    color.setAlpha(alpha);
    return color;
}

Shader Solid(QColor color) {
    return [color](int, int) { return color; };
}

Shader Vertical(QColor top, QColor bottom, int topRow, int bottomRow) {
    const int span = std::max(1, bottomRow - topRow - 1);
    return [=](int, int y) { return Mix(top, bottom, static_cast<double>(y - topRow) / span); };
}

Shader Horizontal(QColor left, QColor right, int leftColumn, int rightColumn) {
    const int span = std::max(1, rightColumn - leftColumn - 1);
    return [=](int x, int) { return Mix(left, right, static_cast<double>(x - leftColumn) / span); };
}

Canvas::Canvas(int width, int height, QColor ground)
    : m_image(width, height, QImage::Format_ARGB32) {
    m_image.fill(ground);
}

void Canvas::Set(int x, int y, QColor color) {
    if (x >= 0 && y >= 0 && x < Width() && y < Height()) {
        reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = color.rgba();
    }
}

void Canvas::Blend(int x, int y, QColor color, double coverage) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height() || coverage <= 0.0) {
        return;
    }
    QRgb& pixel = reinterpret_cast<QRgb*>(m_image.scanLine(y))[x];
    if (coverage >= 1.0 && color.alpha() == 255) {
        pixel = color.rgba();
        return;
    }
    const double a = color.alphaF() * std::min(coverage, 1.0);
    const double below = qAlpha(pixel) / 255.0;
    const double out = a + below * (1.0 - a);
    if (out <= 0.0) {
        return;
    }
    const auto channel = [&](int source, int destination) {
        return static_cast<int>((source * a + destination * below * (1.0 - a)) / out + 0.5);
    };
    pixel = qRgba(channel(color.red(), qRed(pixel)), channel(color.green(), qGreen(pixel)),
                  channel(color.blue(), qBlue(pixel)), static_cast<int>(out * 255 + 0.5));
}

void Canvas::Fill(const QRect& rect, const Shader& shader) {
    const QRect r = rect.intersected(m_image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            Blend(x, y, shader(x, y));
        }
    }
}

void Canvas::Frame(const QRect& rect, QColor color) {
    Fill(QRect(rect.left(), rect.top(), rect.width(), 1), color);
    Fill(QRect(rect.left(), rect.bottom(), rect.width(), 1), color);
    Fill(QRect(rect.left(), rect.top() + 1, 1, rect.height() - 2), color);
    Fill(QRect(rect.right(), rect.top() + 1, 1, rect.height() - 2), color);
}

void Canvas::Shape(const QRect& bounds, const Inside& inside, const Shader& shader) {
    const QRect r = bounds.intersected(m_image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            // The shapes here have no part thinner than a pixel, so a pixel whose centre and
            // corners agree is wholly in or out; only edge pixels are sampled.
            const int probes = inside(x + 0.5, y + 0.5) + inside(x, y) + inside(x + 1.0, y) +
                               inside(x, y + 1.0) + inside(x + 1.0, y + 1.0);
            if (probes == 0) {
                continue;
            }
            if (probes == 5) {
                Blend(x, y, shader(x, y));
                continue;
            }
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) {
                        ++hits;
                    }
                }
            }
            if (hits > 0) {
                Blend(x, y, shader(x, y), static_cast<double>(hits) / (kSamples * kSamples));
            }
        }
    }
}

Inside RoundRectInside(const QRect& rect, double radius) {
    const double left = rect.left();
    const double top = rect.top();
    const double right = rect.left() + rect.width();
    const double bottom = rect.top() + rect.height();
    const double r = std::max(0.0, std::min({radius, rect.width() / 2.0, rect.height() / 2.0}));
    return [=](double x, double y) {
        if (x < left || x > right || y < top || y > bottom) {
            return false;
        }
        const double cx = std::clamp(x, left + r, right - r);
        const double cy = std::clamp(y, top + r, bottom - r);
        const double dx = x - cx;
        const double dy = y - cy;
        return dx * dx + dy * dy <= r * r;
    };
}

void Canvas::RoundRect(const QRect& rect, double radius, const Shader& shader) {
    Shape(rect, RoundRectInside(rect, radius), shader);
}

void Canvas::Box(const QRect& rect, double radius, QColor edge, const Shader& face, int border) {
    const QRect inner = rect.adjusted(border, border, -border, -border);
    const Inside outside = RoundRectInside(rect, radius);
    const Inside inside = RoundRectInside(inner, radius - border);
    // The edge is a ring, so a translucent face shows what lies below, not the edge colour.
    Shape(
        rect, [&](double x, double y) { return outside(x, y) && !inside(x, y); }, Solid(edge));
    Shape(inner, inside, face);
}

void Canvas::Disc(double cx, double cy, double radius, const Shader& shader) {
    const QRect bounds(
        static_cast<int>(std::floor(cx - radius)), static_cast<int>(std::floor(cy - radius)),
        static_cast<int>(std::ceil(2 * radius)) + 2, static_cast<int>(std::ceil(2 * radius)) + 2);
    Shape(
        bounds,
        [=](double x, double y) {
            return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
        },
        shader);
}

void Canvas::Ring(double cx, double cy, double outer, double inner, QColor color) {
    const QRect bounds(
        static_cast<int>(std::floor(cx - outer)), static_cast<int>(std::floor(cy - outer)),
        static_cast<int>(std::ceil(2 * outer)) + 2, static_cast<int>(std::ceil(2 * outer)) + 2);
    Shape(
        bounds,
        [=](double x, double y) {
            const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            return d <= outer * outer && d >= inner * inner;
        },
        Solid(color));
}

void Canvas::Line(double x1, double y1, double x2, double y2, double width, QColor color) {
    const double half = width / 2;
    const QRect bounds(static_cast<int>(std::floor(std::min(x1, x2) - half)) - 1,
                       static_cast<int>(std::floor(std::min(y1, y2) - half)) - 1,
                       static_cast<int>(std::ceil(std::abs(x2 - x1) + width)) + 3,
                       static_cast<int>(std::ceil(std::abs(y2 - y1) + width)) + 3);
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double length2 = dx * dx + dy * dy;
    Shape(
        bounds,
        [=](double x, double y) {
            double t = length2 > 0 ? ((x - x1) * dx + (y - y1) * dy) / length2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double px = x1 + t * dx - x;
            const double py = y1 + t * dy - y;
            return px * px + py * py <= half * half;
        },
        Solid(color));
}

void Canvas::Triangle(QPointF a, QPointF b, QPointF c, const Shader& shader) {
    const double minX = std::min({a.x(), b.x(), c.x()});
    const double minY = std::min({a.y(), b.y(), c.y()});
    const double maxX = std::max({a.x(), b.x(), c.x()});
    const double maxY = std::max({a.y(), b.y(), c.y()});
    const QRect bounds(static_cast<int>(std::floor(minX)), static_cast<int>(std::floor(minY)),
                       static_cast<int>(std::ceil(maxX - minX)) + 2,
                       static_cast<int>(std::ceil(maxY - minY)) + 2);
    const double orientation = Cross(a, b, c) >= 0 ? 1.0 : -1.0;
    Shape(
        bounds,
        [=](double x, double y) {
            const QPointF p(x, y);
            return Cross(a, b, p) * orientation >= 0 && Cross(b, c, p) * orientation >= 0 &&
                   Cross(c, a, p) * orientation >= 0;
        },
        shader);
}

void Canvas::Text(int x, int y, std::string_view text, QColor color, PixelText style) {
    const int advance = kGlyphAdvance + (style.bold ? 1 : 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const GlyphRows* glyph = Glyph(text[i]);
        if (glyph == nullptr) {
            continue;
        }
        const int left = x + static_cast<int>(i) * advance * style.scale;
        for (int row = 0; row < kGlyphRows; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if ((*glyph)[static_cast<std::size_t>(row)][column] != '#') {
                    continue;
                }
                const int width = style.bold ? 2 : 1;
                Fill(QRect(left + column * style.scale, y + row * style.scale, width * style.scale,
                           style.scale),
                     color);
            }
        }
    }
}

void Canvas::TextCentred(const QRect& rect, std::string_view text, QColor color, PixelText style) {
    const int x = rect.left() + (rect.width() - TextWidth(text, style)) / 2;
    const int y = rect.top() + (rect.height() - TextHeight(style)) / 2;
    Text(x, y, text, color, style);
}

void Canvas::Draw(int x, int y, const QImage& picture, int scale) {
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    for (int sy = 0; sy < source.height(); ++sy) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        for (int sx = 0; sx < source.width(); ++sx) {
            const QColor color = QColor::fromRgba(line[sx]);
            if (color.alpha() == 0) {
                continue;
            }
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    Blend(x + sx * scale + dx, y + sy * scale + dy, color);
                }
            }
        }
    }
}

}  // namespace ostrel::skingen
