#pragma once

#include <string>

#include "ui/control_base.h"

namespace ostrel::ui {

// The web-shop link of the main window; every link button carries this id.
inline constexpr int kIdLinkButton = 3503;

// A text link: its caption in the state's colour, no picture. It reports entering and leaving
// once each per pass of the mouse, besides its press and click.
class CLinkButton : public CControlBase {
public:
    CLinkButton(WindowHandle parent, int left, int top, int right, int bottom, std::u16string text,
                unsigned alignment, int visible = 1, int shown = 1, int disabled = 0);

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;

private:
    unsigned m_alignment;
    bool m_hoverSent = false;
};

}  // namespace ostrel::ui
