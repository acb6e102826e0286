#pragma once

#include <string>

#include "ui/color_ref.h"
#include "ui/control_base.h"

namespace ostrel::ui {

// A colour swatch: it draws only its swatch rectangle in its colour and reports presses and
// clicks; hover and press do not change its picture.
class CColorSelectButton : public CControlBase {
public:
    static constexpr ColorRef kInitialColor = Rgb(0, 255, 0);

    // The swatch rectangle is in the parent's client coordinates, like the control's.
    CColorSelectButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                       std::u16string text, Rect swatch, int visible = 1, int shown = 1,
                       int disabled = 0);

    ColorRef Color() const { return m_color; }
    void SetColor(ColorRef color);
    const Rect& Swatch() const { return m_swatch; }

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;

private:
    Rect m_swatch;
    ColorRef m_color = kInitialColor;
};

}  // namespace ostrel::ui
