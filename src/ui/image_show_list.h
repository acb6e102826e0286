#pragma once

#include <filesystem>
#include <string>

#include "macro/macro_record.h"
#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The macro manager's action list; every one carries this id.
inline constexpr int kIdImageShowList = 2020;

// The list of one macro's actions, rows of 20 design pixels: each action's text (a delay in ms,
// a movement, or a key name) after a press, release or delay icon. A press selects the action
// under it, or nothing below the last; clicks and double clicks are reported.
class CImageShowList : public CControlBase {
public:
    static constexpr int kRowHeight = 20;

    CImageShowList(WindowHandle parent, int left, int top, int right, int bottom,
                   std::u16string text, int visible = 1, int shown = 1, int disabled = 0);

    bool LoadPressIcon(const std::filesystem::path& file);
    bool LoadReleaseIcon(const std::filesystem::path& file);
    bool LoadDelayIcon(const std::filesystem::path& file);

    // The macro the list shows; null shows an empty list. The macro must outlive the binding.
    void BindMacro(const MacroRecord* macro);
    const MacroRecord* Macro() const { return m_macro; }

    int RowsThatFit() const;
    int FirstVisibleRow() const { return m_firstVisible; }
    void SetFirstVisibleRow(int row);
    int SelectedRow() const { return m_selected; }
    void SetSelectedRow(int row);

    void Draw(SkinPainter& painter, Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    bool OnLButtonDblClk(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    int ActionCount() const;
    int RowPixels() const;

    const MacroRecord* m_macro = nullptr;
    int m_firstVisible = 0;
    int m_selected = -1;
    SkinImage m_releaseIcon;
    SkinImage m_pressIcon;
    SkinImage m_delayIcon;
};

}  // namespace ostrel::ui
