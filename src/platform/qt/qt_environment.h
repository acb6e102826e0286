#pragma once

namespace ostrel::platform {

// Sets up the process environment for Qt; call before the application object is made.
// - Qt's own high-DPI scaling is off: the program scales its pictures by its UI scale, and a
//   second scale on top would blur every skin.
// - On a Wayland session the program runs on XWayland unless the user chose a platform (the
//   QT_QPA_PLATFORM variable or a -platform argument), because it places its own windows and
//   popups, which a Wayland compositor does not allow.
void PrepareQtEnvironment(int argc, char** argv);

}  // namespace ostrel::platform
