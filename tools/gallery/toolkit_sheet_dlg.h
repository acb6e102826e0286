#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "macro/macro_library.h"
#include "macro/macro_record.h"
#include "ui/dlg_base.h"

namespace ostrel::ui {
class CComboButton;
}

namespace ostrel::gallery {

class CGalleryPopup;

// The toolkit's controls laid out in rows, one row per class with its states side by side.
enum class Sheet {
    Buttons,  // image, check, radio, DPI level, colour, combo, link buttons and the power dial
    Values,   // sliders, gauges, scroll bars, the two lists, batteries, static image and text, tabs
    Popup,    // a combo that opens a menu with a sub-menu
};

// Notify message of the popup sheet's combo, and the messages of its menus.
inline constexpr unsigned kMsgGalleryCombo = 1028;

// A gallery sheet: a dialog that shows one group of controls. Run on the screen, every control
// answers the mouse; ShowStates puts them into the states the sheet is meant to show (the
// rendered pictures call it).
class CToolkitSheetDlg : public ui::CDlgBase {
public:
    CToolkitSheetDlg(Sheet sheet, ui::WindowHandle parent);

    static ui::Size DesignSize(Sheet sheet);

    // Told of every notification the sheet receives (message, wParam, event code).
    void SetObserver(std::function<void(unsigned, std::uintptr_t, std::intptr_t)> observer) {
        m_observer = std::move(observer);
    }

    // Hovers, presses, drags and opens what each cell of the sheet shows.
    void ShowStates();
    // The popup sheet: opens the menu under the combo as its click does; returns the menu.
    ui::WindowHandle OpenMenu();
    // The open menu and sub-menu (kNoWindow when closed).
    ui::WindowHandle Menu() const { return Popup(kMenuSlot); }
    ui::WindowHandle SubMenu() const { return Popup(kSubMenuSlot); }

    bool OnInitDialog() override;
    void CreateControls(ui::Rect client) override;
    void DrawContent(ui::SkinPainter& painter, const ui::Rect& client) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    static constexpr int kMenuSlot = 0;
    static constexpr int kSubMenuSlot = 3;
    // The menu's item that opens the sub-menu.
    static constexpr size_t kMenuSubMenuItem = 4;

    void BuildButtons(const ui::Rect& client);
    void BuildValues(const ui::Rect& client);
    void BuildPopup(const ui::Rect& client);
    // A row caption at design row `top`.
    void AddCaption(const ui::Rect& client, int top, const std::u16string& text);
    // A row of cells: its caption and top (design pixels), then the row's height moves the next
    // row down.
    int BeginRow(const ui::Rect& client, const std::u16string& caption);
    void EndRow(int height);
    // What ShowStates does to a control.
    void Mark(ui::CControlBase* control, bool hover, bool press);
    void ClosePopups();
    void OpenSubMenu();

    Sheet m_sheet;
    std::function<void(unsigned, std::uintptr_t, std::intptr_t)> m_observer;
    // What ShowStates does to which control.
    std::vector<ui::CControlBase*> m_hover;
    std::vector<ui::CControlBase*> m_press;
    std::vector<ui::CControlBase*> m_drag;
    // Tracks drawn under the sliders (they belong to a dialog's picture).
    std::vector<ui::Rect> m_tracks;
    int m_rowTop = 40;  // design pixels
    ui::CComboButton* m_combo = nullptr;
    // The popups ShowStates drives right after opening them (they own themselves).
    CGalleryPopup* m_openedMenu = nullptr;
    CGalleryPopup* m_openedSubMenu = nullptr;
    MacroLibrary m_library;
    MacroRecord m_macro;
};

}  // namespace ostrel::gallery
