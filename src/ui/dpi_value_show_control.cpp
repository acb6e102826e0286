#include "ui/dpi_value_show_control.h"

#include <utility>

namespace ostrel::ui {

CDPIValueShowControl::CDPIValueShowControl(WindowHandle parent, int id, int left, int top,
                                           int right, int bottom, int valueCount,
                                           std::u16string text, int visible, int shown,
                                           int disabled)
    : CGaugeControl(parent, id, left, top, right, bottom, valueCount, std::move(text), visible,
                    shown, disabled) {}

bool CDPIValueShowControl::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CDPIValueShowControl::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CDPIValueShowControl::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

}  // namespace ostrel::ui
