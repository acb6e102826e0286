#include "ui/skin_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/skin_font.h"
#include "ui/skin_image.h"
#include "ui/skin_surface.h"

namespace ostrel::ui {

namespace {

const QString kEllipsis = QStringLiteral("...");

QColor ToQColor(ColorRef color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

QString ToQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The source index of destination pixel `i` of `count`, for `sourceCount` source pixels starting
// at `sourceStart`: the pixel under the destination pixel's centre.
int SampleIndex(int i, int count, int sourceStart, int sourceCount) {
    const std::int64_t numerator =
        (2 * static_cast<std::int64_t>(i) + 1) * static_cast<std::int64_t>(sourceCount);
    return sourceStart + static_cast<int>(numerator / (2 * static_cast<std::int64_t>(count)));
}

QString TrimmedRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) {
        --end;
    }
    return text.left(end);
}

// The longest start of `text` that fits `width`, at least one character.
qsizetype FittingPrefix(const QFontMetrics& metrics, const QString& text, int width) {
    qsizetype count = 1;
    while (count < text.size() && metrics.horizontalAdvance(text.left(count + 1)) <= width) {
        ++count;
    }
    return count;
}

// Breaks one paragraph into lines no wider than `width` at the places where a line may break.
// A piece wider than the whole width stays whole unless `breakWords`.
void WrapParagraph(const QFontMetrics& metrics, const QString& paragraph, int width,
                   bool breakWords, QStringList& lines) {
    QString rest = paragraph;
    while (!rest.isEmpty()) {
        if (metrics.horizontalAdvance(TrimmedRight(rest)) <= width) {
            lines.append(TrimmedRight(rest));
            return;
        }
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, rest);
        qsizetype lastFit = 0;
        qsizetype firstBreak = 0;
        for (qsizetype position = finder.toNextBoundary(); position > 0;
             position = finder.toNextBoundary()) {
            if (firstBreak == 0) {
                firstBreak = position;
            }
            if (metrics.horizontalAdvance(TrimmedRight(rest.left(position))) > width) {
                break;
            }
            lastFit = position;
        }
        qsizetype cut = lastFit;
        if (cut == 0) {
            cut = breakWords ? FittingPrefix(metrics, rest, width)
                             : (firstBreak > 0 ? firstBreak : rest.size());
        }
        lines.append(TrimmedRight(rest.left(cut)));
        rest = rest.mid(cut);
        // The spaces where a line broke belong to neither line.
        qsizetype skip = 0;
        while (skip < rest.size() && rest.at(skip) == QLatin1Char(' ')) {
            ++skip;
        }
        rest = rest.mid(skip);
    }
}

QString Elided(const QFontMetrics& metrics, const QString& line, int width) {
    if (metrics.horizontalAdvance(line) <= width) {
        return line;
    }
    qsizetype count = line.size();
    while (count > 0 && metrics.horizontalAdvance(line.left(count) + kEllipsis) > width) {
        --count;
    }
    return TrimmedRight(line.left(count)) + kEllipsis;
}

}  // namespace

SkinPainter::SkinPainter(Surface& target) : m_target(target) {
    if (!m_target.IsNull()) {
        m_painter = std::make_unique<QPainter>(&m_target.Image());
    }
}

SkinPainter::~SkinPainter() {
    if (m_painter) {
        m_painter->end();
    }
}

void SkinPainter::SetClip(const Rect& clip) {
    m_clip = clip.Intersected(m_target.Bounds());
    if (m_painter) {
        m_painter->setClipRect(ToQRect(*m_clip));
    }
}

void SkinPainter::ResetClip() {
    m_clip.reset();
    if (m_painter) {
        m_painter->setClipping(false);
    }
}

ClipScope::ClipScope(SkinPainter& painter, const Rect& clip)
    : m_painter(painter), m_previous(painter.Clip()) {
    m_painter.SetClip(m_previous ? clip.Intersected(*m_previous) : clip);
}

ClipScope::~ClipScope() {
    if (m_previous) {
        m_painter.SetClip(*m_previous);
    } else {
        m_painter.ResetClip();
    }
}

Rect SkinPainter::Drawable() const {
    return m_clip ? *m_clip : m_target.Bounds();
}

void SkinPainter::FillRect(const Rect& rect, ColorRef color) {
    if (!m_painter || rect.IsEmpty()) {
        return;
    }
    m_painter->fillRect(ToQRect(rect), ToQColor(color));
}

void SkinPainter::SetPixel(int x, int y, ColorRef color) {
    FillRect({x, y, x + 1, y + 1}, color);
}

void SkinPainter::DrawImage(const SkinImage& image, const Rect& destination, const Rect& source) {
    DrawScaled(image, destination, source, true);
}

void SkinPainter::DrawImage(const SkinImage& image, const Rect& destination) {
    DrawScaled(image, destination, {0, 0, image.Width(), image.Height()}, true);
}

void SkinPainter::DrawBitmapStretched(const SkinImage& bitmap, double scale) {
    const Rect destination{0, 0, static_cast<int>(bitmap.Width() * scale),
                           static_cast<int>(bitmap.Height() * scale)};
    DrawScaled(bitmap, destination, {0, 0, bitmap.Width(), bitmap.Height()}, false);
}

void SkinPainter::StretchCopy(const SkinImage& image, const Rect& destination, const Rect& source) {
    DrawScaled(image, destination, source, false);
}

void SkinPainter::DrawScaled(const SkinImage& image, const Rect& destination, const Rect& source,
                             bool blend) {
    if (!m_painter || !image.IsLoaded() || destination.IsEmpty() || source.IsEmpty()) {
        return;
    }
    // Only the part of the destination that lands on the surface (and the clip) is sampled.
    const Rect visible = destination.Intersected(Drawable());
    if (visible.IsEmpty()) {
        return;
    }
    const QImage& pixels = image.Image();
    QImage sampled(visible.Width(), visible.Height(), QImage::Format_ARGB32_Premultiplied);
    std::vector<int> columns(static_cast<size_t>(visible.Width()));
    for (int x = 0; x < visible.Width(); ++x) {
        columns[static_cast<size_t>(x)] = SampleIndex(
            x + visible.left - destination.left, destination.Width(), source.left, source.Width());
    }
    int previousSourceY = -1;
    for (int y = 0; y < visible.Height(); ++y) {
        const int sourceY = SampleIndex(y + visible.top - destination.top, destination.Height(),
                                        source.top, source.Height());
        auto* out = reinterpret_cast<QRgb*>(sampled.scanLine(y));
        // An enlarged picture repeats its rows: copy the row just made.
        if (y > 0 && sourceY == previousSourceY) {
            const auto* above = reinterpret_cast<const QRgb*>(sampled.constScanLine(y - 1));
            std::copy(above, above + visible.Width(), out);
            continue;
        }
        previousSourceY = sourceY;
        if (sourceY < 0 || sourceY >= pixels.height()) {
            std::fill(out, out + visible.Width(), 0u);
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(sourceY));
        for (int x = 0; x < visible.Width(); ++x) {
            const int sourceX = columns[static_cast<size_t>(x)];
            out[x] = (sourceX >= 0 && sourceX < pixels.width()) ? in[sourceX] : 0u;
        }
    }
    m_painter->setCompositionMode(blend ? QPainter::CompositionMode_SourceOver
                                        : QPainter::CompositionMode_Source);
    m_painter->drawImage(visible.left, visible.top, sampled);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void SkinPainter::CopySurface(const Surface& source, Point destination, Size size,
                              Point sourceOrigin) {
    if (!m_painter || source.IsNull() || size.width <= 0 || size.height <= 0) {
        return;
    }
    m_painter->setCompositionMode(QPainter::CompositionMode_Source);
    m_painter->drawImage(QPoint(destination.x, destination.y), source.Image(),
                         QRect(sourceOrigin.x, sourceOrigin.y, size.width, size.height));
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void SkinPainter::DrawText(const std::u16string& text, const Rect& rect, unsigned flags,
                           ColorRef color, const SkinFont& font) {
    if (!m_painter || text.empty()) {
        return;
    }
    const QFontMetrics metrics(font.Font());
    const int lineHeight = metrics.height();
    const int width = rect.Width();
    const bool singleLine = (flags & kDtSingleLine) != 0;

    QStringList lines;
    QString all = ToQString(text);
    if (singleLine) {
        all.remove(QLatin1Char('\r'));
        all.remove(QLatin1Char('\n'));
        lines.append(all);
    } else {
        for (QString paragraph : all.split(QLatin1Char('\n'))) {
            if (paragraph.endsWith(QLatin1Char('\r'))) {
                paragraph.chop(1);
            }
            if (flags & kDtWordBreak) {
                if (paragraph.isEmpty()) {
                    lines.append(paragraph);
                } else {
                    WrapParagraph(metrics, paragraph, width, (flags & kDtEditControl) != 0, lines);
                }
            } else {
                lines.append(paragraph);
            }
        }
    }
    if (flags & (kDtWordEllipsis | kDtEndEllipsis)) {
        for (QString& line : lines) {
            line = Elided(metrics, line, width);
        }
    }

    int top = rect.top;
    if (singleLine && (flags & kDtVCenter)) {
        top = (rect.top + rect.bottom - lineHeight) / 2;
    } else if (singleLine && (flags & kDtBottom)) {
        top = rect.bottom - lineHeight;
    }

    m_painter->save();
    if (!(flags & kDtNoClip)) {
        m_painter->setClipRect(ToQRect(rect),
                               m_painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    m_painter->setFont(font.Font());
    m_painter->setPen(ToQColor(color));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineTop = top + static_cast<int>(i) * lineHeight;
        if (!singleLine && (flags & kDtEditControl) && i > 0 &&
            lineTop + lineHeight > rect.bottom) {
            break;
        }
        const QString& line = lines.at(i);
        const int lineWidth = metrics.horizontalAdvance(line);
        int left = rect.left;
        if (flags & kDtCenter) {
            left = rect.left + (width - lineWidth) / 2;
        } else if (flags & kDtRight) {
            left = rect.right - lineWidth;
        }
        m_painter->drawText(QPoint(left, lineTop + metrics.ascent()), line);
    }
    m_painter->restore();
}

}  // namespace ostrel::ui
