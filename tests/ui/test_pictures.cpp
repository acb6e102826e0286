#include "test_pictures.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QString>
#include <system_error>

#include "ui/toolkit_globals.h"

namespace ostrel::testing {

std::filesystem::path WriteSolidPicture(std::u16string_view name, int width, int height,
                                        ui::ColorRef color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(ui::RedOf(color), ui::GreenOf(color), ui::BlueOf(color)));
    const std::filesystem::path file = ui::ProgramFile(name);
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    const char* format = file.extension() == ".bmp" ? "BMP" : "PNG";
    EXPECT_TRUE(image.save(QString::fromStdString(file.string()), format)) << file;
    return file;
}

ui::ColorRef PixelOf(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return ui::Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

int PixelsOutside(const QImage& image, const ui::Rect& inside, ui::ColorRef ground) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!inside.Contains({x, y}) && PixelOf(image, x, y) != ground) {
                ++count;
            }
        }
    }
    return count;
}

int PixelsOfColor(const QImage& image, const ui::Rect& area, ui::ColorRef color) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
                PixelOf(image, x, y) == color) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace ostrel::testing
