#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/geometry.h"
#include "ui/host_types.h"
#include "ui/skin_font.h"
#include "ui/skin_image.h"
#include "ui/skin_surface.h"
#include "ui/window_client.h"

namespace ostrel::ui {

class SkinPainter;

// Every popup tells its owner that it received WM_CLOSE with this message.
inline constexpr unsigned kMsgPopupClosed = 1025;

// The popup kinds the program uses, with the messages they send their owner.
inline constexpr int kPopupKindFunctionMenu = 0;
inline constexpr int kPopupKindDpi = 2;
inline constexpr int kPopupKindMultimedia = 3;
inline constexpr int kPopupKindProfileList = 7;
inline constexpr int kPopupKindPollingRate = 8;
inline constexpr int kPopupKindLighting = 9;
inline constexpr int kPopupKindDpiLock = 10;
inline constexpr int kPopupKindWindowsManage = 11;
inline constexpr int kPopupKindOffice = 12;
inline constexpr int kPopupKindProfileAction = 13;
inline constexpr int kPopupKindActionInsert = 14;
inline constexpr int kPopupKindMacroList = 15;

struct PopupKindInfo {
    int kind = 0;
    unsigned selectionMessage = 0;
    unsigned deactivationMessage = 0;
    int width = 0;      // design pixels
    int rowHeight = 0;  // design pixels
};

inline constexpr std::array<PopupKindInfo, 12> kPopupKinds = {{
    {kPopupKindFunctionMenu, 1027, 1029, 162, 22},
    {kPopupKindDpi, 1041, 1042, 162, 22},
    {kPopupKindMultimedia, 1044, 1045, 162, 22},
    {kPopupKindProfileList, 1125, 1126, 230, 25},
    {kPopupKindPollingRate, 1135, 1136, 189, 22},
    {kPopupKindLighting, 1145, 1146, 189, 22},
    {kPopupKindDpiLock, 1155, 1156, 162, 22},
    {kPopupKindWindowsManage, 1158, 1159, 162, 22},
    {kPopupKindOffice, 1161, 1162, 162, 22},
    {kPopupKindProfileAction, 1164, 1165, 162, 22},
    {kPopupKindActionInsert, 1167, 1168, 118, 22},
    {kPopupKindMacroList, 1169, 1170, 162, 22},
}};

// The messages, width and row height of a kind; none for a kind no popup uses.
std::optional<PopupKindInfo> PopupKindOf(int kind);

// The three code bytes of a chosen function.
using PopupCode = std::array<std::uint8_t, 3>;

// What a popup hands its owner when an item is chosen (by pointer, valid during the call only).
struct PopupSelection {
    std::u16string name;
    PopupCode code{};
};

// A drop-down popup: a borderless topmost window at a screen position, drawn entirely by itself
// into one picture. It lays its items out in rows (separators are thin lines), follows the mouse
// over them, and tells its owner of the chosen item (the selection message with the owner value
// and a pointer to the selection record), of losing the activation (its kind's deactivation
// message with the owner value and the kind) and of closing (kMsgPopupClosed). The owner closes
// it by posting kMsgClose (CDlgBase::ClosePopup); it owns itself and goes with its window, which
// also goes with its owner. UI thread only.
class CWndPopup : public HostWindowClient {
public:
    static constexpr unsigned kHoverTimeMs = 50;

    struct Item {
        int separator = 0;
        int value = 0;  // the item's number in its popup, from 1
        SkinImage icon;
        std::u16string text;
        Rect rect;  // client coordinates
        int subMenu = 0;
        PopupCode code{};
    };

    // `designWidth` and `rowHeight` in design pixels (kPopupKinds has the program's).
    CWndPopup(int kind, unsigned deactivationMessage, int designWidth, int rowHeight);
    ~CWndPopup() override;
    CWndPopup(const CWndPopup&) = delete;
    CWndPopup& operator=(const CWndPopup&) = delete;

    // Makes the window owned by `owner` at the top-left corner of `screenRect`, builds the
    // items, paints and shows it (which makes it active). On success the popup owns itself and
    // its window is returned; on failure the popup is deleted and kNoWindow returned.
    static WindowHandle Open(std::unique_ptr<CWndPopup> popup, WindowHandle owner,
                             const Rect& screenRect, unsigned selectionMessage, int ownerValue);

    // The four menu pictures: item, hovered item, item with a sub-menu, hovered item with a
    // sub-menu. Owners load them before Open.
    void LoadMenuSkin(const std::filesystem::path& item, const std::filesystem::path& itemHover,
                      const std::filesystem::path& subMenu,
                      const std::filesystem::path& subMenuHover);
    // The part of each menu picture that is stretched over an item: (0, 0, 190, 22) unless set.
    void SetSkinSource(const Rect& source) { m_skinSource = source; }
    // Items from the popup's left edge to its right one instead of one pixel in from each.
    void SetFullWidthItems(bool full) { m_fullWidth = full; }

    WindowHandle Handle() const { return m_window; }
    WindowHandle Owner() const { return m_owner; }
    int Kind() const { return m_kind; }
    int OwnerValue() const { return m_ownerValue; }
    unsigned SelectionMessage() const { return m_selectionMessage; }
    Point Position() const { return m_position; }
    const std::vector<Item>& Items() const { return m_items; }
    int HoverIndex() const { return m_hover; }
    // How often the picture was drawn, and the picture itself.
    int RenderCount() const { return m_renderCount; }
    const Surface& Picture() const { return m_picture; }

    // Paints every item into the picture.
    virtual void DrawItems(SkinPainter& painter, const Rect& client);
    // Draws the item icons centred in a column of 25 design pixels at each item's left.
    virtual void DrawItemIcons(SkinPainter& painter, const Rect& client);
    // Adds the popup's items; called once, while the popup is made.
    virtual void BuildItems();
    // Each returns whether the picture changed. Hover: the item under the point becomes the
    // hovered one (none over a separator or outside). Press: a point off the hovered item drops
    // the hover. Release: on the hovered item it chooses the item; off it, it drops the hover.
    // Right release: nothing here.
    virtual bool OnItemHover(int x, int y);
    virtual bool OnItemPress(int x, int y);
    virtual bool OnItemRelease(int x, int y);
    virtual bool OnItemRightRelease(int x, int y);

    // HostWindowClient
    void OnPaint(Surface& target, const Rect& invalid) override;
    void OnMouseMove(unsigned flags, int x, int y) override;
    void OnMouseLeave() override;
    void OnMouseHover(unsigned flags, int x, int y) override;
    void OnLButtonDown(unsigned flags, int x, int y) override;
    void OnLButtonUp(unsigned flags, int x, int y) override;
    void OnRButtonUp(unsigned flags, int x, int y) override;
    void OnCaptureLost() override;
    void OnActivate(bool active) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnWindowDestroyed() override;

protected:
    void AddItem(int value, std::u16string text, int subMenu = 0, PopupCode code = {});
    void AddSeparator();
    // Lays the items out and sizes the window to them.
    void Layout();
    // Draws the whole popup into its picture and hands it to the window.
    void Render();
    // Sends to the owner; nothing when the owner is gone.
    std::intptr_t SendToOwner(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    // Fills the selection record from an item and sends the selection message.
    void ChooseItem(const Item& item);
    void SetHoverIndex(int index) { m_hover = index; }
    const SkinFont& Font() const { return m_font; }
    int DesignWidth() const { return m_designWidth; }

private:
    // Set while a mouse handler runs, so that it stops touching the popup once the popup is gone.
    struct LifeGuard {
        explicit LifeGuard(CWndPopup& popup);
        ~LifeGuard();
        CWndPopup& popup;
        LifeGuard* outer;
        bool gone = false;
    };

    bool Create(WindowHandle owner, const Rect& screenRect, unsigned selectionMessage,
                int ownerValue);
    Point CursorInClient() const;

    bool m_tracking = false;
    bool m_buttonDown = false;
    bool m_captured = false;
    Point m_position;
    unsigned m_selectionMessage = 0;
    int m_ownerValue = 0;
    int m_kind;
    unsigned m_deactivationMessage;
    SkinFont m_font;

    int m_designWidth;
    int m_rowHeight;
    bool m_fullWidth = false;
    std::vector<Item> m_items;
    int m_hover = -1;
    PopupSelection m_selection;
    SkinImage m_itemImage;
    SkinImage m_itemHoverImage;
    SkinImage m_subMenuImage;
    SkinImage m_subMenuHoverImage;
    Rect m_skinSource{0, 0, 190, 22};

    WindowHandle m_window = kNoWindow;
    WindowHandle m_owner = kNoWindow;
    Surface m_picture;
    int m_renderCount = 0;
    bool m_ownsItself = false;
    bool m_closing = false;
    LifeGuard* m_guard = nullptr;
};

}  // namespace ostrel::ui
