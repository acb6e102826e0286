#include "ui/skin_resources.h"

namespace ostrel::ui {

std::string ResourcePath(int id, ResourceKind kind) {
    const char* extension = ".png";
    switch (kind) {
        case ResourceKind::Bitmap:
            extension = ".bmp";
            break;
        case ResourceKind::Png:
            extension = ".png";
            break;
        case ResourceKind::Icon:
            extension = ".ico.png";
            break;
    }
    return ":/ostrel/resources/" + std::to_string(id) + extension;
}

}  // namespace ostrel::ui
