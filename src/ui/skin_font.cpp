#include "ui/skin_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

namespace ostrel::ui {

namespace {

constexpr int kDefaultCellHeight = 16;
constexpr double kReferencePixelSize = 1000.0;

QString ToQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsChineseFace(const QString& face) {
    return face == QStringLiteral("宋体") ||
           face.compare(QStringLiteral("SimSun"), Qt::CaseInsensitive) == 0 ||
           face == QStringLiteral("新宋体") || face == QStringLiteral("微软雅黑");
}

// Stand-ins in order of likeness: a Song (serif) face for the Chinese face, a plain sans face
// for Tahoma and everything else.
QStringList Candidates(const QString& face, int charset) {
    if (IsChineseFace(face) || charset == kGb2312Charset) {
        return {face,
                QStringLiteral("SimSun"),
                QStringLiteral("Noto Serif CJK SC"),
                QStringLiteral("Noto Sans CJK SC"),
                QStringLiteral("AR PL UMing CN"),
                QStringLiteral("WenQuanYi Zen Hei"),
                QStringLiteral("WenQuanYi Micro Hei"),
                QStringLiteral("DejaVu Sans")};
    }
    return {face,
            QStringLiteral("Tahoma"),
            QStringLiteral("DejaVu Sans"),
            QStringLiteral("Noto Sans"),
            QStringLiteral("Liberation Sans"),
            QStringLiteral("FreeSans")};
}

QString ResolveFamily(const QString& face, int charset) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& candidate : Candidates(face, charset)) {
        if (!candidate.isEmpty() && installed.contains(candidate, Qt::CaseInsensitive)) {
            return candidate;
        }
    }
    // Nothing known is installed: let the font system pick its sans face.
    return face.isEmpty() ? QStringLiteral("sans-serif") : face;
}

// The em size whose ascent plus descent fills a cell of `cellHeight`, as a cell height picks a
// size on the system the program comes from.
int EmSizeForCell(const QFont& base, int cellHeight) {
    QFont reference(base);
    reference.setPixelSize(static_cast<int>(kReferencePixelSize));
    const double referenceCell = QFontMetricsF(reference).height();
    if (referenceCell <= 0) {
        return cellHeight;
    }
    return std::max(
        1, static_cast<int>(std::lround(cellHeight * kReferencePixelSize / referenceCell)));
}

QFont::Weight QtWeight(int weight) {
    if (weight <= 0) {
        return QFont::Normal;
    }
    // Both scales run from 100 to 900 in the same steps.
    return static_cast<QFont::Weight>(std::clamp(weight, 100, 900));
}

}  // namespace

SkinFont::SkinFont() : m_font(std::make_unique<QFont>()) {}

SkinFont::SkinFont(const SkinFont& other)
    : m_font(std::make_unique<QFont>(*other.m_font)),
      m_created(other.m_created),
      m_height(other.m_height),
      m_weight(other.m_weight),
      m_charset(other.m_charset),
      m_face(other.m_face) {}

SkinFont& SkinFont::operator=(const SkinFont& other) {
    *m_font = *other.m_font;
    m_created = other.m_created;
    m_height = other.m_height;
    m_weight = other.m_weight;
    m_charset = other.m_charset;
    m_face = other.m_face;
    return *this;
}

SkinFont::~SkinFont() = default;

void SkinFont::Create(int height, int weight, int charset, const std::u16string& face) {
    m_height = height;
    m_weight = weight;
    m_charset = charset;
    m_face = face;

    QFont font(ResolveFamily(ToQString(face), charset));
    font.setWeight(QtWeight(weight));
    // Grey-scale smoothing only: the same text must give the same pixels on every screen, and in
    // the headless pictures of the tests.
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    if (height < 0) {
        font.setPixelSize(-height);
    } else {
        font.setPixelSize(EmSizeForCell(font, height == 0 ? kDefaultCellHeight : height));
    }
    *m_font = font;
    m_created = true;
}

int SkinFont::PixelSize() const {
    return m_font->pixelSize();
}

std::u16string SkinFont::Family() const {
    return m_font->family().toStdU16String();
}

const QFont& SkinFont::Font() const {
    return *m_font;
}

std::u16string InstalledFamilyFor(const std::u16string& face, int charset) {
    return ResolveFamily(ToQString(face), charset).toStdU16String();
}

}  // namespace ostrel::ui
