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
#include "gallery_stand_ins.h"
#include "platform/qt/qt_environment.h"
#include "platform/qt/qt_host.h"
#include "toolkit_sheet_dlg.h"
#include "ui/attention_dlg.h"
#include "ui/host.h"
#include "ui/progress_bar_dlg.h"
#include "ui/toolkit_globals.h"

namespace {

namespace fs = std::filesystem;
using namespace ostrel;

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

// What the gallery shows on the screen.
enum class Page { Gallery, Buttons, Values, Popup, Attention, Progress };

struct Options {
    double scale = 1.0;
    fs::path programFolder;
    fs::path renderFolder;
    // Where the program's own skins are taken from; pictures drawn in code stand in for the rest.
    fs::path skinSource;
    bool render = false;
    Page page = Page::Gallery;
};

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: ostrel_gallery [--scale 1|1.5|2] [--program-folder DIR] "
                 "[--skins-from DIR] [--page gallery|buttons|values|popup|attention|progress] "
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
        } else if (argument == "--skins-from" && hasValue) {
            options.skinSource = argv[++i];
        } else if (argument == "--page" && hasValue) {
            const std::string_view value = argv[++i];
            const struct {
                std::string_view name;
                Page page;
            } pages[] = {{"gallery", Page::Gallery},     {"buttons", Page::Buttons},
                         {"values", Page::Values},       {"popup", Page::Popup},
                         {"attention", Page::Attention}, {"progress", Page::Progress}};
            bool known = false;
            for (const auto& page : pages) {
                if (page.name == value) {
                    options.page = page.page;
                    known = true;
                }
            }
            if (!known) {
                return false;
            }
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
    if (options.skinSource.empty()) {
        options.skinSource = ui::ProgramFolder();
    }
    return gallery::WriteGalleryPictures(options.programFolder) &&
           gallery::PrepareToolkitSkins(options.programFolder, options.skinSource);
}

bool Save(const QImage& image, const fs::path& file) {
    if (image.isNull() || !image.save(QString::fromStdString(file.string()), "PNG")) {
        std::fprintf(stderr, "could not write %s\n", file.string().c_str());
        return false;
    }
    std::printf("%s\n", file.string().c_str());
    return true;
}

// Every toolkit sheet and dialog at UI scales 1 and 2.
bool RenderToolkit(const Options& options) {
    const struct {
        double scale;
        const char* suffix;
    } scales[] = {{1.0, "scale1"}, {2.0, "scale2"}};
    const struct {
        gallery::Sheet sheet;
        const char* name;
    } sheets[] = {{gallery::Sheet::Buttons, "toolkit_buttons"},
                  {gallery::Sheet::Values, "toolkit_values"},
                  {gallery::Sheet::Popup, "toolkit_popup"}};
    for (const auto& s : scales) {
        const std::string suffix = std::string("_") + s.suffix + ".png";
        for (const auto& sheet : sheets) {
            if (!Save(gallery::RenderToolkitSheet(sheet.sheet, s.scale, options.programFolder),
                      options.renderFolder / (sheet.name + suffix))) {
                return false;
            }
        }
        if (!Save(gallery::RenderAttention(s.scale, options.programFolder, false),
                  options.renderFolder / ("toolkit_attention" + suffix)) ||
            !Save(gallery::RenderAttention(s.scale, options.programFolder, true),
                  options.renderFolder / ("toolkit_attention_hover" + suffix)) ||
            !Save(gallery::RenderProgress(s.scale, options.programFolder),
                  options.renderFolder / ("toolkit_progress" + suffix))) {
            return false;
        }
    }
    return true;
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
    return RenderToolkit(options) ? 0 : kExitFailure;
}

int Show(const Options& options) {
    platform::QtHost host;
    ui::SetCurrentHost(&host);
    gallery::ConfigureGallery(options.scale, options.programFolder);
    int result = 0;
    switch (options.page) {
        case Page::Gallery: {
            gallery::CGalleryDlg dialog(ui::kNoWindow);
            // Scripts (and the end-to-end test) follow what the dialog hears.
            dialog.SetObserver([](int id, int code) {
                std::printf("notify %d %d\n", id, code);
                std::fflush(stdout);
            });
            result = dialog.DoModal();
            break;
        }
        case Page::Buttons:
        case Page::Values:
        case Page::Popup: {
            const gallery::Sheet sheet = options.page == Page::Buttons  ? gallery::Sheet::Buttons
                                         : options.page == Page::Values ? gallery::Sheet::Values
                                                                        : gallery::Sheet::Popup;
            gallery::CToolkitSheetDlg dialog(sheet, ui::kNoWindow);
            dialog.SetObserver([](unsigned message, std::uintptr_t wParam, std::intptr_t code) {
                std::printf("notify %u %ju %jd\n", message, static_cast<std::uintmax_t>(wParam),
                            static_cast<std::intmax_t>(code));
                std::fflush(stdout);
            });
            result = dialog.DoModal();
            break;
        }
        case Page::Attention: {
            ui::CAttentionDlg box(u"", u"The mouse is not connected.", ui::kNoWindow);
            result = box.DoModal();
            break;
        }
        case Page::Progress: {
            ui::CProgressBarDlg progress(u"Please wait", u"", ui::kNoWindow);
            result = progress.DoModal();
            break;
        }
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
