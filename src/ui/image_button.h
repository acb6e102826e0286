#pragma once

#include <filesystem>
#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The image button whose hover is reported on every move (the profile button of the main window).
inline constexpr int kIdProfileHoverButton = 3502;

// A push button drawn from a normal and a hover picture with a caption on top. Without its normal
// picture it shows nothing (caption included) but still takes the mouse. Its click carries its
// id in wParam.
class CImageButton : public CControlBase {
public:
    // `alignment` is kDtLeft, kDtCenter or kDtRight.
    CImageButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                 std::u16string text, unsigned alignment, int visible = 1, int shown = 1,
                 int disabled = 0);

    bool LoadNormalImage(const std::filesystem::path& file);
    bool LoadHoverImage(const std::filesystem::path& file);
    void SetMargins(int left, int right);

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    SkinImage m_normal;
    SkinImage m_hover;
    unsigned m_alignment;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
};

}  // namespace ostrel::ui
