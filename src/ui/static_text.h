#pragma once

#include <string>

#include "ui/color_ref.h"
#include "ui/control_base.h"

namespace ostrel::ui {

// A text in one colour with the dialog's layout flags (kDtWordBreak for several lines), always
// cut at a word with "..." and centred vertically when on one line. Always disabled: it takes
// the mouse (no window drag through it) but never changes or reports anything.
class CStaticText : public CControlBase {
public:
    CStaticText(WindowHandle parent, int id, int left, int top, int right, int bottom,
                ColorRef color, unsigned flags, std::u16string text, int visible = 1,
                int shown = 1);

    ColorRef Color() const { return m_color; }
    void SetColor(ColorRef color);
    unsigned Flags() const { return m_flags; }

    void Draw(SkinPainter& painter, Rect clip) override;

private:
    ColorRef m_color;
    unsigned m_flags;
};

}  // namespace ostrel::ui
