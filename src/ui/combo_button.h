#pragma once

#include <filesystem>
#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The drop-down button that opens a popup. Its click, hover and leave go to its own notify
// message with its id in wParam (its press goes out with its id as the message). One entry of the
// mouse reports hover on each of its first five moves and the leave once; while its popup is open
// (the open flag) the leave is held back. An inactive combo changes its look but reports no press
// or click; the "Disable" flag shows that word instead of the value.
class CComboButton : public CControlBase {
public:
    // Hover reports per entry of the mouse: the count runs to this, then one more report.
    static constexpr int kHoverReports = 4;

    CComboButton(WindowHandle parent, unsigned notifyMessage, int id, int left, int top, int right,
                 int bottom, std::u16string text, unsigned alignment, int visible = 1,
                 int shown = 1, int disabled = 0, std::u16string valueText = {});

    bool LoadNormalImage(const std::filesystem::path& file);
    bool LoadHoverImage(const std::filesystem::path& file);
    void SetMargins(int left, int right);

    const std::u16string& ValueText() const { return m_valueText; }
    // Stores the text and repaints the button.
    void SetValueText(const std::u16string& text);
    int Open() const { return m_open; }
    // Set while the combo's popup is shown: the button keeps its hover look and holds back its
    // leave report.
    void SetOpen(int open);
    int Inactive() const { return m_inactive; }
    void SetInactive(int inactive);
    int ShowsDisable() const { return m_disableWord; }
    void SetShowsDisable(int disable);
    unsigned NotifyMessage() const { return m_notifyMessage; }

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    std::u16string m_valueText;
    int m_open = 0;
    unsigned m_notifyMessage;
    SkinImage m_normal;
    SkinImage m_hover;
    int m_inactive = 0;
    int m_disableWord = 0;
    int m_hoverSent = 0;
    int m_left = 1;
    unsigned m_alignment;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    int m_hoverCount = 0;
};

}  // namespace ostrel::ui
