#pragma once

#include <filesystem>
#include <string>

#include "ui/color_ref.h"
#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// A two-state button: each click toggles its checked flag before the click is reported. It shows
// the checked picture (and caption and colour) while checked or pressed; without its normal
// picture it shows nothing.
class CCheckButton : public CControlBase {
public:
    CCheckButton(WindowHandle parent, int id, int left, int top, int right, int bottom,
                 std::u16string text, unsigned alignment, int visible = 1, int shown = 1,
                 int disabled = 0);

    bool LoadNormalImage(const std::filesystem::path& file);
    bool LoadHoverImage(const std::filesystem::path& file);
    bool LoadCheckedImage(const std::filesystem::path& file);
    void SetMargins(int left, int right);

    int Checked() const { return m_checked; }
    // Stores the flag and repaints the button when it changed.
    void SetChecked(int checked);
    // Captions that replace the text while unchecked or checked; empty keeps the text.
    void SetCaptions(std::u16string unchecked, std::u16string checked);
    void SetCheckedTextColor(ColorRef color);

    // 0 normal, 1 hover, 2 checked or pressed.
    int PictureIndex() const;

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    SkinImage m_normal;
    SkinImage m_hover;
    SkinImage m_checkedImage;
    int m_checked = 0;
    unsigned m_alignment;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    std::u16string m_uncheckedCaption;
    std::u16string m_checkedCaption;
    ColorRef m_normalColor;
    ColorRef m_hoverColor;
    ColorRef m_checkedColor;
};

}  // namespace ostrel::ui
