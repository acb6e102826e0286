#pragma once

#include <filesystem>
#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The five profile tabs of the main window.
inline constexpr int kIdFirstProfileTab = 2049;
inline constexpr int kProfileTabCount = 5;

// The profile tab index: which profile tab (0 to 4) draws as selected. A click on a profile tab
// sets it; the main window sets it from its model too. Process-wide, UI thread only.
int ProfileTabIndex();
void SetProfileTabIndex(int index);

// A tab: normal, hover, selected and selected-hover pictures with its caption. A click on a
// profile tab makes it the selected one before the click is reported; a right click is reported
// with the tab's id in wParam.
class CTabControl : public CControlBase {
public:
    CTabControl(WindowHandle parent, int id, int left, int top, int right, int bottom,
                std::u16string text, unsigned alignment, int visible = 1, int shown = 1,
                int disabled = 0);

    bool LoadNormalImage(const std::filesystem::path& file);
    bool LoadHoverImage(const std::filesystem::path& file);
    bool LoadSelectedImage(const std::filesystem::path& file);
    bool LoadSelectedHoverImage(const std::filesystem::path& file);
    void SetMargins(int left, int right);

    // The profile tab number (0 to 4), or -1 for another tab.
    int ProfileNumber() const;
    // 0 normal, 1 hover, 2 selected, 3 selected and hovered.
    int PictureIndex() const;

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    bool OnRButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    SkinImage m_normal;
    SkinImage m_hover;
    SkinImage m_selected;
    SkinImage m_selectedHover;
    unsigned m_alignment;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
};

}  // namespace ostrel::ui
