#include "ui/popup_placement.h"

namespace ostrel::ui {

namespace {

// Design pixels of the main window's menu placement.
constexpr int kMenuRise = 20;      // the function menu starts this far above the anchor's bottom
constexpr int kMenuShift = 161;    // to the right of the anchor
constexpr int kMenuReach = 314;    // the height that must fit on the screen
constexpr int kSubMenuDrop = 102;  // a sub-menu's top below the anchor's bottom
constexpr int kSubMenuBelowMoved = 118;  // a sub-menu's top below a moved function menu's
constexpr int kCreationSquare = 300;

int Scaled(int design, double scale) {
    return static_cast<int>(design * scale);
}

// The function menu's top before any move, and whether it must move up.
int FunctionMenuTop(const Rect& anchor, double scale) {
    return anchor.bottom - Scaled(kMenuRise, scale);
}

bool Overflows(int top, int windowTop, int screenHeight, double scale) {
    return top + windowTop + Scaled(kMenuReach, scale) > screenHeight;
}

int MovedTop(int top, int windowTop, int screenHeight, double scale) {
    return top + Scaled(kMenuRise, scale) -
           (Scaled(kMenuReach, scale) - (screenHeight - top - windowTop));
}

Rect Square(int left, int top, double scale) {
    const int side = Scaled(kCreationSquare, scale);
    return {left, top, left + side, top + side};
}

}  // namespace

Rect FunctionMenuRect(const Rect& anchor, int windowTop, int screenHeight, double scale) {
    int top = FunctionMenuTop(anchor, scale);
    if (Overflows(top, windowTop, screenHeight, scale)) {
        top = MovedTop(top, windowTop, screenHeight, scale);
    }
    return Square(anchor.left + Scaled(kMenuShift, scale), top, scale);
}

Rect SubMenuRect(const Rect& anchor, int windowTop, int screenHeight, double scale) {
    const int menuTop = FunctionMenuTop(anchor, scale);
    int top = anchor.bottom + Scaled(kSubMenuDrop, scale);
    if (Overflows(menuTop, windowTop, screenHeight, scale)) {
        top = MovedTop(menuTop, windowTop, screenHeight, scale) + Scaled(kSubMenuBelowMoved, scale);
    }
    return Square(anchor.right + Scaled(kMenuShift, scale), top, scale);
}

}  // namespace ostrel::ui
