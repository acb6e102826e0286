#include "gallery_pictures.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <system_error>

#include "ui/toolkit_globals.h"

namespace ostrel::gallery {

namespace {

constexpr int kFrameWidth = 360;
constexpr int kFrameHeight = 220;
const QColor kWindow(34, 36, 40);
const QColor kTitleBand(45, 48, 54);
const QColor kAccent(53, 160, 222);
const QColor kPanel(75, 75, 75);
const QColor kPanelEdge(96, 96, 96);

bool Save(const QImage& image, std::u16string_view name, const char* format) {
    const std::filesystem::path file = ui::ProgramFile(name);
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return image.save(QString::fromStdString(file.string()), format);
}

QImage Frame() {
    QImage image(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    image.fill(kWindow);
    QPainter painter(&image);
    painter.fillRect(0, 0, kFrameWidth, 30, kTitleBand);
    painter.fillRect(0, 30, kFrameWidth, 1, kAccent);
    painter.fillRect(12, 40, kFrameWidth - 24, 108, kPanelEdge);
    painter.fillRect(13, 41, kFrameWidth - 26, 106, kPanel);
    // A one-pixel checker strip: scaled without smoothing it stays two clean colours.
    for (int x = 12; x < kFrameWidth - 12; ++x) {
        painter.fillRect(x, 204 + (x % 2), 1, 1, kAccent);
    }
    // A bare corner mark the mouse can drag the window by.
    painter.fillRect(kFrameWidth - 16, kFrameHeight - 10, 8, 2, kPanelEdge);
    return image;
}

// A 48 × 14 rounded button face (half the button's design size); the corners are transparent.
QImage ButtonFace(const QColor& fill, const QColor& edge) {
    QImage image(48, 14, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool corner =
                (x == 0 || x == image.width() - 1) && (y == 0 || y == image.height() - 1);
            if (corner) {
                continue;
            }
            const bool border =
                x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
            image.setPixelColor(x, y, border ? edge : fill);
        }
    }
    return image;
}

// An 8 × 8 cross on a transparent ground.
QImage Cross(const QColor& color) {
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 1; i < 7; ++i) {
        image.setPixelColor(i, i, color);
        image.setPixelColor(7 - i, i, color);
    }
    return image;
}

}  // namespace

bool WriteGalleryPictures(const std::filesystem::path& programFolder) {
    const std::filesystem::path previous = ui::ProgramFolder();
    ui::SetProgramFolder(programFolder);
    const bool written =
        Save(Frame(), kGalleryFrame, "BMP") &&
        Save(ButtonFace(QColor(60, 63, 70), QColor(110, 113, 120)), kGalleryButtonNormal, "PNG") &&
        Save(ButtonFace(QColor(53, 160, 222), QColor(140, 200, 240)), kGalleryButtonHover, "PNG") &&
        Save(ButtonFace(QColor(32, 100, 150), QColor(53, 160, 222)), kGalleryButtonPressed,
             "PNG") &&
        Save(Cross(QColor(150, 150, 150)), kGalleryExitNormal, "PNG") &&
        Save(Cross(QColor(255, 255, 255)), kGalleryExitHover, "PNG");
    ui::SetProgramFolder(previous);
    return written;
}

}  // namespace ostrel::gallery
