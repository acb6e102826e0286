#include "ui/skin_surface.h"

#include <QImage>
#include <QString>

namespace ostrel::ui {

namespace {

QImage BlackImage(int width, int height) {
    if (width <= 0 || height <= 0) {
        return QImage();
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace

Surface::Surface() : m_image(std::make_unique<QImage>()) {}

Surface::Surface(int width, int height)
    : m_image(std::make_unique<QImage>(BlackImage(width, height))) {}

Surface::Surface(const Surface& other) : m_image(std::make_unique<QImage>(*other.m_image)) {}

Surface& Surface::operator=(const Surface& other) {
    *m_image = *other.m_image;
    return *this;
}

Surface::Surface(Surface&& other) noexcept : m_image(std::make_unique<QImage>()) {
    m_image->swap(*other.m_image);
}

Surface& Surface::operator=(Surface&& other) noexcept {
    m_image->swap(*other.m_image);
    return *this;
}

Surface::~Surface() = default;

bool Surface::IsNull() const {
    return m_image->isNull();
}

int Surface::Width() const {
    return m_image->width();
}

int Surface::Height() const {
    return m_image->height();
}

void Surface::Reset(int width, int height) {
    *m_image = BlackImage(width, height);
}

ColorRef Surface::PixelAt(int x, int y) const {
    if (!m_image->valid(x, y)) {
        return Rgb(0, 0, 0);
    }
    const QRgb pixel = m_image->pixel(x, y);
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

bool Surface::SavePng(const std::filesystem::path& file) const {
    return !m_image->isNull() && m_image->save(QString::fromStdString(file.string()), "PNG");
}

const QImage& Surface::Image() const {
    return *m_image;
}

QImage& Surface::Image() {
    return *m_image;
}

}  // namespace ostrel::ui
