#pragma once

#include <filesystem>
#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// What the vertical slider and the DPI value display share: a gauge of `count` values drawn from
// a background and a fill picture, with its value.
class CGaugeControl : public CControlBase {
public:
    CGaugeControl(WindowHandle parent, int id, int left, int top, int right, int bottom,
                  int valueCount, std::u16string text, int visible, int shown, int disabled);

    bool LoadBackgroundImage(const std::filesystem::path& file);
    bool LoadFillImage(const std::filesystem::path& file);
    int ValueCount() const { return m_count; }
    // The count follows the sensor's step table; repaints when it changed.
    void SetValueCount(int count);
    int Value() const { return m_value; }
    // Stores the value and repaints when it changed.
    void SetValue(int value);

    void Draw(SkinPainter& painter, Rect clip) override;
    void ReleaseImages() override;

protected:
    int m_count;
    int m_value = 0;

private:
    SkinImage m_background;
    SkinImage m_fill;
};

}  // namespace ostrel::ui
