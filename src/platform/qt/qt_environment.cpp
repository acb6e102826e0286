#include "platform/qt/qt_environment.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstring>

namespace ostrel::platform {

namespace {

bool PlatformChosen(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
}

bool WaylandSession() {
    return qgetenv("XDG_SESSION_TYPE") == "wayland" || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace

void PrepareQtEnvironment(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    if (!PlatformChosen(argc, argv) && WaylandSession()) {
        // Wayland itself stays as the fallback where no XWayland is running.
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    }
}

}  // namespace ostrel::platform
