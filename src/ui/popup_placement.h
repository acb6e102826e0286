#pragma once

#include "ui/geometry.h"

namespace ostrel::ui {

// Where the main window opens the function menu of a mouse button and its sub-menus, in its own
// client coordinates (the caller turns them into screen coordinates). `anchor` is the control
// that opened the menu, `windowTop` the main window's top on the screen and `screenHeight` the
// height the screen offers to windows. A menu whose 314 design pixels would reach past the
// screen's bottom is moved up. The rectangle is 300 design pixels square; the popup sizes itself
// from its items.
Rect FunctionMenuRect(const Rect& anchor, int windowTop, int screenHeight, double scale);
// A sub-menu beside the function menu, moved up with it near the bottom of the screen.
Rect SubMenuRect(const Rect& anchor, int windowTop, int screenHeight, double scale);

}  // namespace ostrel::ui
