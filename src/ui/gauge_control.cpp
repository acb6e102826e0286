#include "ui/gauge_control.h"

#include <utility>

#include "ui/gauge.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

CGaugeControl::CGaugeControl(WindowHandle parent, int id, int left, int top, int right, int bottom,
                             int valueCount, std::u16string text, int visible, int shown,
                             int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_count(valueCount) {}

bool CGaugeControl::LoadBackgroundImage(const std::filesystem::path& file) {
    return m_background.LoadFile(file);
}

bool CGaugeControl::LoadFillImage(const std::filesystem::path& file) { return m_fill.LoadFile(file); }

void CGaugeControl::SetValueCount(int count) {
    if (count != m_count) {
        m_count = count;
        InvalidateSelf();
    }
}

void CGaugeControl::SetValue(int value) {
    if (value != m_value) {
        m_value = value;
        InvalidateSelf();
    }
}

void CGaugeControl::Draw(SkinPainter& painter, Rect /*clip*/) {
    DrawGauge(painter, GetBounds(), m_background, m_fill, m_value, m_count, UiScale());
}

void CGaugeControl::ReleaseImages() {
    m_background.Release();
    m_fill.Release();
}

}  // namespace ostrel::ui
