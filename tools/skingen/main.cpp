// ostrel_skingen: draws every skin picture and resource of the program at build time.
//
//   ostrel_skingen --skins DIR --resources DIR [--contact-sheet FILE] [--preview FILE]
//                  [--stamp FILE]
//
// A picture whose file already holds the same bytes is not written again, so the resources are
// compiled again only when a picture changed.
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "pictures.h"
#include "review.h"

namespace {

namespace fs = std::filesystem;
using namespace ostrel::skingen;

struct Options {
    fs::path skins;
    fs::path resources;
    fs::path contactSheet;
    fs::path preview;
    fs::path stamp;
};

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        const fs::path value = argv[i + 1];
        if (name == "--skins") {
            options.skins = value;
        } else if (name == "--resources") {
            options.resources = value;
        } else if (name == "--contact-sheet") {
            options.contactSheet = value;
        } else if (name == "--preview") {
            options.preview = value;
        } else if (name == "--stamp") {
            options.stamp = value;
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !options.skins.empty() && !options.resources.empty();
}

// Bitmaps are dialog pictures and carry no transparency; the rest are PNG with alpha.
QByteArray Encode(const QImage& image, const fs::path& file) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (file.extension() == ".bmp") {
        image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    } else {
        image.save(&buffer, "PNG");
    }
    return bytes;
}

bool WriteIfChanged(const QByteArray& bytes, const fs::path& file) {
    const QString path = QString::fromStdString(file.string());
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes) {
        return true;
    }
    existing.close();
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    QFile out(path);
    return !bytes.isEmpty() && out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           out.write(bytes) == bytes.size();
}

bool WriteReview(const std::vector<Picture>& pictures, QImage (*draw)(const std::vector<Picture>&),
                 const fs::path& file) {
    if (file.empty()) {
        return true;
    }
    const QImage image = draw(pictures);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    // Lightly compressed: the sheet is large and only ever looked at.
    return image.save(QString::fromStdString(file.string()), "PNG", 80);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: ostrel_skingen --skins DIR --resources DIR [--contact-sheet FILE] "
                     "[--preview FILE] [--stamp FILE]\n");
        return 2;
    }
    const std::vector<Picture> pictures = DrawAllPictures();
    if (pictures.empty()) {
        return 1;
    }
    for (const Picture& picture : pictures) {
        const fs::path folder =
            picture.destination == Destination::Skins ? options.skins : options.resources;
        const fs::path file = folder / picture.name;
        if (!WriteIfChanged(Encode(picture.image, file), file)) {
            std::fprintf(stderr, "skingen: could not write %s\n", file.string().c_str());
            return 1;
        }
    }
    if (!WriteReview(pictures, &ContactSheet, options.contactSheet) ||
        !WriteReview(pictures, &MainWindowPreview, options.preview)) {
        std::fprintf(stderr, "skingen: could not write the review pictures\n");
        return 1;
    }
    if (!options.stamp.empty()) {
        QFile stamp(QString::fromStdString(options.stamp.string()));
        if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "skingen: could not write %s\n", options.stamp.string().c_str());
            return 1;
        }
        stamp.write(QByteArray::number(static_cast<qulonglong>(pictures.size())) + " pictures\n");
    }
    return 0;
}
