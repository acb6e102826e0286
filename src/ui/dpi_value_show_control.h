#pragma once

#include <filesystem>
#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The read-only twin of the vertical slider: the same gauge for a value the dialog sets; it
// reports presses and clicks (the DPI page opens its value dialog on a click).
class CDPIValueShowControl : public CControlBase {
public:
    CDPIValueShowControl(WindowHandle parent, int id, int left, int top, int right, int bottom,
                         int valueCount, std::u16string text, int visible = 1, int shown = 1,
                         int disabled = 0);

    bool LoadBackgroundImage(const std::filesystem::path& file);
    bool LoadFillImage(const std::filesystem::path& file);

    int ValueCount() const { return m_count; }
    // The count follows the sensor's step table.
    void SetValueCount(int count);
    int Value() const { return m_value; }
    void SetValue(int value);

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    SkinImage m_background;
    SkinImage m_fill;
    int m_count;
    int m_value = 0;
};

}  // namespace ostrel::ui
