#pragma once

#include <filesystem>
#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// A picture over the control's rectangle that reports presses and clicks. It keeps its picture
// while hovered and pressed.
class CStaticImage : public CControlBase {
public:
    CStaticImage(WindowHandle parent, int id, int left, int top, int right, int bottom,
                 std::u16string text, int visible = 1, int shown = 1, int disabled = 0);

    bool LoadImage(const std::filesystem::path& file);

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    SkinImage m_image;
};

}  // namespace ostrel::ui
