#include "ui/dpi_value_show_control.h"

#include <utility>

#include "ui/gauge.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

CDPIValueShowControl::CDPIValueShowControl(WindowHandle parent, int id, int left, int top,
                                           int right, int bottom, int valueCount,
                                           std::u16string text, int visible, int shown,
                                           int disabled)
    : CControlBase(parent, id, left, top, right, bottom, std::move(text), visible, shown, disabled,
                   1),
      m_count(valueCount) {}

bool CDPIValueShowControl::LoadBackgroundImage(const std::filesystem::path& file) {
    return m_background.LoadFile(file);
}

bool CDPIValueShowControl::LoadFillImage(const std::filesystem::path& file) {
    return m_fill.LoadFile(file);
}

void CDPIValueShowControl::SetValueCount(int count) {
    if (count != m_count) {
        m_count = count;
        InvalidateSelf();
    }
}

void CDPIValueShowControl::SetValue(int value) {
    if (value != m_value) {
        m_value = value;
        InvalidateSelf();
    }
}

void CDPIValueShowControl::Draw(SkinPainter& painter, Rect /*clip*/) {
    DrawGauge(painter, GetBounds(), m_background, m_fill, m_value, m_count, UiScale());
}

bool CDPIValueShowControl::OnMouseMove(unsigned /*flags*/, int x, int y) {
    return StandardMouseMove(x, y);
}

bool CDPIValueShowControl::OnLButtonDown(unsigned /*flags*/, int x, int y) {
    return StandardLButtonDown(x, y);
}

bool CDPIValueShowControl::OnLButtonUp(unsigned /*flags*/, int x, int y) {
    return StandardLButtonUp(x, y);
}

void CDPIValueShowControl::ReleaseImages() {
    m_background.Release();
    m_fill.Release();
}

}  // namespace ostrel::ui
