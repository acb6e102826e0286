#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "ui/color_ref.h"
#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The DPI level buttons, one per level: 3290 for level 0 to 3297 for level 7.
inline constexpr int kIdFirstDpiLevelButton = 3290;
inline constexpr int kDpiLevelButtonCount = 8;

// The DPI level mask: bit n set means DPI level n is drawn as in use. Process-wide, read and
// written only by the DPI level buttons (and set back by tests). UI thread only.
inline constexpr std::uint8_t kInitialDpiLevelMask = 0x02;
std::uint8_t DpiLevelMask();
void SetDpiLevelMask(std::uint8_t mask);

// A DPI level button: a click on the button of level n puts levels 0 to n in use. It shows its
// selected picture while its level is in use, and its DPI value on top.
class CDPIRadioButton : public CControlBase {
public:
    CDPIRadioButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                    std::u16string text, int visible = 1, int shown = 1, int disabled = 0);

    bool LoadNormalImage(const std::filesystem::path& file);
    bool LoadHoverImage(const std::filesystem::path& file);
    bool LoadSelectedImage(const std::filesystem::path& file);

    // The DPI value in steps of 50 dpi; shown as dpi.
    int DpiValue() const { return m_dpiValue; }
    void SetDpiValue(int value);
    void SetTextColor(ColorRef color);

    // The level this button stands for, or -1 for an id outside 3290–3297.
    int Level() const;
    // 0 normal, 1 hover, 2 pressed or in use.
    int PictureIndex() const;

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    SkinImage m_normal;
    SkinImage m_hover;
    SkinImage m_selected;
    int m_dpiValue = 0;
    ColorRef m_textColor;
};

}  // namespace ostrel::ui
