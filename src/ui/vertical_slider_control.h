#pragma once

#include <filesystem>
#include <string>

#include "ui/gauge_control.h"

namespace ostrel::ui {

// A vertical gauge the user drags: the value follows the mouse from 0 at the bottom edge to
// count - 1 at the top, reported on every move while dragging.
class CVerticalSliderControl : public CGaugeControl {
public:
    CVerticalSliderControl(WindowHandle parent, int id, int left, int top, int right, int bottom,
                           int valueCount, std::u16string text, int visible = 1, int shown = 1,
                           int disabled = 0);

    // The value for a height in the control: 0 at the bottom edge, count - 1 just under the top;
    // 0 for a count of 0 or an empty rectangle.
    int ValueForY(int y) const;
    bool IsDragging() const { return m_dragging; }

    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;

private:
    bool m_dragging = false;
};

}  // namespace ostrel::ui
