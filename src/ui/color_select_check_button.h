#pragma once

#include <filesystem>
#include <string>

#include "ui/color_ref.h"
#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// A colour slot: a frame picture (normal, or checked while its checked flag is set) with its
// colour inside, 3 design pixels in from each side. A click does not change the checked flag;
// the dialog decides. A double click is reported too.
class CColorSelectCheckButton : public CControlBase {
public:
    static constexpr ColorRef kInitialColor = Rgb(0, 255, 0);
    static constexpr double kSwatchInset = 3;

    CColorSelectCheckButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                            std::u16string text, int visible = 1, int shown = 1, int disabled = 0);

    bool LoadNormalImage(const std::filesystem::path& file);
    bool LoadCheckedImage(const std::filesystem::path& file);

    ColorRef Color() const { return m_color; }
    void SetColor(ColorRef color);
    int Checked() const { return m_checked; }
    void SetChecked(int checked);
    // The control's rectangle inset by 3 × UI scale on each side.
    Rect Swatch() const;

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    bool OnLButtonDblClk(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    SkinImage m_normal;
    SkinImage m_checkedImage;
    ColorRef m_color = kInitialColor;
    int m_checked = 0;
};

}  // namespace ostrel::ui
