#pragma once

#include "ui/color_ref.h"
#include "ui/control_base.h"
#include "ui/geometry.h"
#include "ui/skin_painter.h"

namespace ostrel::ui {

// Text colours of the text-bearing buttons, by state.
inline constexpr ColorRef kButtonTextNormal = Rgb(180, 180, 180);
inline constexpr ColorRef kButtonTextHover = Rgb(255, 255, 255);
inline constexpr ColorRef kButtonTextPressed = Rgb(255, 255, 0);

// Button captions sit on one line, centred vertically, cut at a word with "...".
inline constexpr unsigned kButtonTextFlags = kDtWordEllipsis | kDtSingleLine | kDtVCenter;

inline ColorRef ButtonTextColor(int state) {
    switch (state) {
        case kStateHover:
            return kButtonTextHover;
        case kStatePressed:
            return kButtonTextPressed;
        default:
            return kButtonTextNormal;
    }
}

// The rectangle a caption is drawn in: the control's rectangle narrowed by the margins.
inline Rect ButtonTextRect(const Rect& bounds, int leftMargin, int rightMargin) {
    return {bounds.left + leftMargin, bounds.top, bounds.right - rightMargin, bounds.bottom};
}

}  // namespace ostrel::ui
