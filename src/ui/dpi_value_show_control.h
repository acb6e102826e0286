#pragma once

#include <filesystem>
#include <string>

#include "ui/gauge_control.h"

namespace ostrel::ui {

// The read-only twin of the vertical slider: the same gauge for a value the dialog sets; it
// reports presses and clicks (the DPI page opens its value dialog on a click).
class CDPIValueShowControl : public CGaugeControl {
public:
    CDPIValueShowControl(WindowHandle parent, int id, int left, int top, int right, int bottom,
                         int valueCount, std::u16string text, int visible = 1, int shown = 1,
                         int disabled = 0);

    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
};

}  // namespace ostrel::ui
