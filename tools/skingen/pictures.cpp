#include "pictures.h"

#include <cstdio>
#include <set>

#include "app/main_window_layout.h"

namespace ostrel::skingen {

namespace {

bool g_sizeMissing = false;

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

}  // namespace

QSize ControlSizeOf(std::u16string_view skin) {
    QSize found;
    for (const app::ControlPlace& control : app::MainWindowControls()) {
        for (const std::u16string_view name : control.skins) {
            if (name != skin) {
                continue;
            }
            // A slider's thumb is as high as the slider and as wide as its two pads.
            const QSize size = control.cls == app::ControlClass::CSliderControl
                                   ? QSize(2 * control.sliderPad, control.rect.Height())
                                   : QSize(control.rect.Width(), control.rect.Height());
            if (found.isValid() && found != size) {
                std::fprintf(stderr, "skingen: controls that load %s differ in size\n",
                             Narrow(skin).c_str());
                return {};
            }
            found = size;
        }
    }
    return found;
}

QSize NeedSize(std::u16string_view skin) {
    const QSize size = ControlSizeOf(skin);
    if (!size.isValid() || size.isEmpty()) {
        std::fprintf(stderr, "skingen: the layout gives no size for %s\n", Narrow(skin).c_str());
        g_sizeMissing = true;
        return {1, 1};
    }
    return size;
}

std::vector<Picture> DrawAllPictures() {
    g_sizeMissing = false;
    std::vector<Picture> pictures;
    DrawControlPictures(pictures);
    DrawMousePictures(pictures);
    DrawFramePictures(pictures);
    DrawResourcePictures(pictures);
    std::set<std::string> names;
    for (const Picture& p : pictures) {
        if (!names.insert(p.name).second) {
            std::fprintf(stderr, "skingen: %s is drawn twice\n", p.name.c_str());
            return {};
        }
    }
    if (g_sizeMissing) {
        return {};
    }
    return pictures;
}

}  // namespace ostrel::skingen
