#include "ui/skin_image.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>
#include <cstdint>

#include "ui/skin_resources.h"

namespace ostrel::ui {

namespace {

QImage ReadImage(const QString& path) {
    QImageReader reader(path);
    // Skins are small; a hostile file must not make the reader allocate without bound.
    reader.setAllocationLimit(256);
    return reader.read();
}

QString QtPath(const std::filesystem::path& file) {
    return QString::fromStdString(file.string());
}

}  // namespace

SkinImage::SkinImage() : m_image(std::make_unique<QImage>()) {}

SkinImage::SkinImage(const SkinImage& other)
    : m_image(std::make_unique<QImage>(*other.m_image)),
      m_width(other.m_width),
      m_height(other.m_height) {}

SkinImage& SkinImage::operator=(const SkinImage& other) {
    *m_image = *other.m_image;
    m_width = other.m_width;
    m_height = other.m_height;
    return *this;
}

SkinImage::SkinImage(SkinImage&& other) noexcept
    : m_image(std::make_unique<QImage>()), m_width(other.m_width), m_height(other.m_height) {
    m_image->swap(*other.m_image);
}

SkinImage& SkinImage::operator=(SkinImage&& other) noexcept {
    m_image->swap(*other.m_image);
    m_width = other.m_width;
    m_height = other.m_height;
    return *this;
}

SkinImage::~SkinImage() = default;

bool SkinImage::Adopt(QImage image, bool opaqueOverBlack) {
    if (image.isNull()) {
        return false;
    }
    if (opaqueOverBlack) {
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::black);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
        painter.end();
        *m_image = std::move(opaque);
    } else {
        *m_image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    m_width = m_image->width();
    m_height = m_image->height();
    return true;
}

bool SkinImage::LoadFile(const std::filesystem::path& file) {
    return Adopt(ReadImage(QtPath(file)), false);
}

bool SkinImage::LoadBitmapFile(const std::filesystem::path& file) {
    return Adopt(ReadImage(QtPath(file)), true);
}

bool SkinImage::LoadPngResource(int id) {
    return Adopt(ReadImage(QString::fromStdString(ResourcePath(id, ResourceKind::Png))), false);
}

bool SkinImage::LoadBitmapResource(int id) {
    return Adopt(ReadImage(QString::fromStdString(ResourcePath(id, ResourceKind::Bitmap))), true);
}

bool SkinImage::LoadIconResource(int id) {
    return Adopt(ReadImage(QString::fromStdString(ResourcePath(id, ResourceKind::Icon))), false);
}

void SkinImage::Release() {
    *m_image = QImage();
}

bool SkinImage::IsLoaded() const {
    return !m_image->isNull();
}

std::optional<ColorRef> SkinImage::AverageColor() const {
    if (m_image->isNull()) {
        return std::nullopt;
    }
    // Summed as the pixels are stored, premultiplied where the picture has alpha; a frame picture
    // is opaque, so its sums are the plain colours.
    std::uint64_t red = 0;
    std::uint64_t green = 0;
    std::uint64_t blue = 0;
    const QImage pixels = m_image->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            red += static_cast<std::uint64_t>(qRed(line[x]));
            green += static_cast<std::uint64_t>(qGreen(line[x]));
            blue += static_cast<std::uint64_t>(qBlue(line[x]));
        }
    }
    const std::uint64_t count =
        static_cast<std::uint64_t>(pixels.width()) * static_cast<std::uint64_t>(pixels.height());
    return Rgb(static_cast<int>(red / count), static_cast<int>(green / count),
               static_cast<int>(blue / count));
}

SkinImage SkinImage::FromImage(const QImage& image) {
    SkinImage result;
    result.Adopt(image, false);
    return result;
}

const QImage& SkinImage::Image() const {
    return *m_image;
}

}  // namespace ostrel::ui
