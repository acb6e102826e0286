#include "ui/slider_control.h"

#include <algorithm>
#include <utility>

#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

CSliderControl::CSliderControl(WindowHandle parent, int id, int left, int top, int right,
                               int bottom, int stepCount, int leftPad, int rightPad,
                               std::u16string text, int visible, int shown, int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_leftPad(leftPad),
      m_rightPad(rightPad) {
    const int count = std::max(stepCount, 0);
    m_positions.resize(static_cast<size_t>(count));
    if (count > 0) {
        const int span = (right - left) - leftPad - rightPad;
        m_positions.front() = left + leftPad;
        m_positions.back() = right - rightPad;
        for (int i = 1; i < count - 1; ++i) {
            m_positions[static_cast<size_t>(i)] = left + leftPad + i * span / (count - 1);
        }
    }
    PlaceThumb();
}

bool CSliderControl::LoadThumbImage(const std::filesystem::path& file) {
    return m_thumbImage.LoadFile(file);
}

int CSliderControl::NearestStep(int x) const {
    const int count = StepCount();
    int i = 0;
    while (i + 1 < count) {
        const int middle =
            (m_positions[static_cast<size_t>(i)] + m_positions[static_cast<size_t>(i + 1)]) / 2;
        if (x < middle) {
            break;
        }
        ++i;
    }
    return i;
}

void CSliderControl::SetValue(int value) {
    const int kept = std::clamp(value, 0, std::max(StepCount() - 1, 0));
    const Rect before = m_thumb;
    m_value = kept;
    PlaceThumb();
    if (!(before == m_thumb)) {
        InvalidateSelf();
    }
}

void CSliderControl::PlaceThumb() {
    const Rect bounds = GetBounds();
    // Without steps the thumb rests at the left end.
    const int position =
        StepCount() > 0 ? m_positions[static_cast<size_t>(m_value)] : bounds.left + m_leftPad;
    m_thumb = {position - m_leftPad, bounds.top, position + m_rightPad, bounds.bottom};
}

void CSliderControl::Drag(int x) {
    if (!m_dragging || (m_state != kStateHover && m_state != kStatePressed)) {
        return;
    }
    const Rect bounds = GetBounds();
    const int kept = std::clamp(x, bounds.left, bounds.right);
    m_dragPosition = kept - m_leftPad;
    m_value = NearestStep(kept);
    InvalidateSelf();
    Notify(kEventDrag, static_cast<std::uintptr_t>(m_value));
}

void CSliderControl::Draw(SkinPainter& painter, Rect /*clip*/) {
    const Rect bounds = GetBounds();
    const double scale = UiScale();
    const int width = static_cast<int>(m_thumbImage.Width() * scale);
    const int height = static_cast<int>(m_thumbImage.Height() * scale);
    int left = m_thumb.left;
    if (m_dragging) {
        left = std::max(bounds.left, std::min(m_dragPosition, bounds.right - width));
    }
    painter.DrawImage(m_thumbImage, {left, bounds.top, left + width, bounds.top + height});
}

bool CSliderControl::OnMouseMove(unsigned /*flags*/, int x, int y) {
    if (m_dragging) {
        // A drag ends when the mouse is outside a slider that is not held, or on a disabled one.
        if ((Disabled() && m_state == kStateNormal) ||
            (m_state != kStatePressed && !Contains(x, y))) {
            m_dragging = false;
        } else {
            Drag(x);
            return true;
        }
    }
    return StandardMouseMove(x, y);
}

bool CSliderControl::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    if (Disabled() || !Contains(x, y)) {
        return false;
    }
    const bool changed = SetState(kStatePressed);
    if (m_thumb.Contains({x, y})) {
        m_dragging = true;
    }
    m_dragPosition = x - m_leftPad;
    Notify(kEventPress);
    return changed;
}

bool CSliderControl::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    if (Disabled()) {
        return false;
    }
    const bool wasDragging = m_dragging;
    m_dragging = false;
    if (!Contains(x, y)) {
        // The value a drag reached outside stays; the thumb goes to its step.
        PlaceThumb();
        return SetState(kStateNormal) || wasDragging;
    }
    SetState(kStateHover);
    m_value = NearestStep(x);
    PlaceThumb();
    Notify(kEventClick);
    return true;
}

void CSliderControl::ReleaseImages() {
    m_thumbImage.Release();
}

}  // namespace ostrel::ui
