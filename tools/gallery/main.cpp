// The toolkit gallery: shows a test dialog of the skinned toolkit on the screen, or paints it
// headless into PNG files at several UI scales.
#include <QApplication>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "gallery_dlg.h"
#include "gallery_pictures.h"
#include "gallery_render.h"
#include "platform/qt/qt_environment.h"
#include "platform/qt/qt_host.h"
#include "ui/host.h"

namespace {

namespace fs = std::filesystem;
using namespace ostrel;

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

struct Options {
    double scale = 1.0;
    fs::path programFolder;
    fs::path renderFolder;
    bool render = false;
};

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: ostrel_gallery [--scale 1|1.5|2] [--program-folder DIR] "
                 "[--render OUT_DIR]\n");
}

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--scale" && hasValue) {
            const std::string_view value = argv[++i];
            if (value == "1") {
                options.scale = 1.0;
            } else if (value == "1.5") {
                options.scale = 1.5;
            } else if (value == "2") {
                options.scale = 2.0;
            } else {
                return false;
            }
        } else if (argument == "--program-folder" && hasValue) {
            options.programFolder = argv[++i];
        } else if (argument == "--render" && hasValue) {
            options.render = true;
            options.renderFolder = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

// The pictures go into the given folder, or into one of the system's temporary folders.
bool PreparePictures(Options& options) {
    if (options.programFolder.empty()) {
        std::string pattern = (fs::temp_directory_path() / "ostrel-gallery-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return false;
        }
        options.programFolder = pattern;
    }
    return gallery::WriteGalleryPictures(options.programFolder);
}

int Render(const Options& options) {
    std::error_code error;
    fs::create_directories(options.renderFolder, error);
    const struct {
        double scale;
        bool hover;
        const char* name;
    } pictures[] = {{1.0, false, "gallery_scale1.png"},
                    {1.5, false, "gallery_scale1.5.png"},
                    {2.0, false, "gallery_scale2.png"},
                    {1.0, true, "gallery_scale1_hover.png"},
                    {2.0, true, "gallery_scale2_hover.png"}};
    for (const auto& picture : pictures) {
        const QImage image =
            gallery::RenderGalleryHeadless(picture.scale, options.programFolder, picture.hover);
        const fs::path file = options.renderFolder / picture.name;
        if (image.isNull() || !image.save(QString::fromStdString(file.string()), "PNG")) {
            std::fprintf(stderr, "could not write %s\n", file.string().c_str());
            return kExitFailure;
        }
        std::printf("%s\n", file.string().c_str());
    }
    return 0;
}

int Show(const Options& options) {
    platform::QtHost host;
    ui::SetCurrentHost(&host);
    gallery::ConfigureGallery(options.scale, options.programFolder);
    int result = 0;
    {
        gallery::CGalleryDlg dialog(ui::kNoWindow);
        // Scripts (and the end-to-end test) follow what the dialog hears.
        dialog.SetObserver([](int id, int code) {
            std::printf("notify %d %d\n", id, code);
            std::fflush(stdout);
        });
        result = dialog.DoModal();
    }
    ui::SetCurrentHost(nullptr);
    std::printf("result %s\n", result == ui::kIdOk       ? "ok"
                               : result == ui::kIdCancel ? "cancel"
                                                         : "abandoned");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        PrintUsage();
        return kExitUsage;
    }
    if (options.render) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        if (!PreparePictures(options)) {
            std::fprintf(stderr, "could not write the gallery's pictures\n");
            return kExitFailure;
        }
        return Render(options);
    }
    platform::PrepareQtEnvironment(argc, argv);
    QApplication application(argc, argv);
    if (!PreparePictures(options)) {
        std::fprintf(stderr, "could not write the gallery's pictures\n");
        return kExitFailure;
    }
    return Show(options);
}
