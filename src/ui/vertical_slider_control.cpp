#include "ui/vertical_slider_control.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace ostrel::ui {

CVerticalSliderControl::CVerticalSliderControl(WindowHandle parent, int id, int left, int top,
                                               int right, int bottom, int valueCount,
                                               std::u16string text, int visible, int shown,
                                               int disabled)
    : CGaugeControl(parent, id, left, top, right, bottom, valueCount, std::move(text), visible,
                    shown, disabled) {}

int CVerticalSliderControl::ValueForY(int y) const {
    const Rect bounds = GetBounds();
    const int height = bounds.Height();
    if (height <= 0 || m_count < 1) {
        return 0;
    }
    const int kept = std::clamp(y, bounds.top, bounds.bottom);
    const std::int64_t above = bounds.bottom - kept - (kept != bounds.bottom ? 1 : 0);
    return static_cast<int>(above * m_count / height);
}

bool CVerticalSliderControl::OnMouseMove(unsigned /*flags*/, int x, int y) {
    if (m_dragging && !Disabled()) {
        m_value = ValueForY(y);
        InvalidateSelf();
        Notify(kEventDrag, static_cast<std::uintptr_t>(m_value));
        return true;
    }
    return StandardMouseMove(x, y);
}

bool CVerticalSliderControl::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    if (Disabled() || !Contains(x, y)) {
        return false;
    }
    SetState(kStatePressed);
    m_dragging = true;
    m_value = ValueForY(y);
    Notify(kEventPress);
    return true;
}

bool CVerticalSliderControl::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    if (Disabled()) {
        return false;
    }
    m_dragging = false;
    if (!Contains(x, y)) {
        return SetState(kStateNormal);
    }
    const bool changed = SetState(kStateHover);
    Notify(kEventClick);
    return changed;
}

}  // namespace ostrel::ui
