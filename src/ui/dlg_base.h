#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/color_ref.h"
#include "ui/geometry.h"
#include "ui/host_types.h"
#include "ui/skin_font.h"
#include "ui/skin_image.h"
#include "ui/skin_surface.h"
#include "ui/window_client.h"

namespace ostrel::ui {

class CControlBase;
class SkinPainter;

// The two dialog templates: the main window's, and the one every other dialog shares.
inline constexpr int kIdTemplateMain = 102;
inline constexpr int kIdTemplateShared = 103;

// Controls that end a dialog.
inline constexpr int kIdCloseButton = 2004;
inline constexpr int kIdOkButton = 2010;
inline constexpr int kIdCancelButton = 2011;

// Every dialog carries the product title; it shows in the task switcher only.
inline constexpr std::u16string_view kProductTitle = u"Tessel-12 Gaming mouse";

// The base of every dialog, the main window included. The whole surface is drawn by the dialog:
// it owns owner-drawn controls in seven ordered collections, paints them double-buffered, routes
// the mouse to them, lets the user move the window by dragging any point no visible control
// covers, keeps eleven popup slots, and ends when its close, OK or cancel control is clicked.
// A concrete dialog builds its controls (CreateControls), paints its picture (DrawContent) and
// maps its controls' notifications (MapMessage). UI thread only.
class CDlgBase : public HostWindowClient {
public:
    static constexpr int kCollectionCount = 7;
    static constexpr int kPopupSlotCount = 11;
    static constexpr int kDefaultDesignWidth = 2254;
    static constexpr int kDefaultDesignHeight = 1480;
    static constexpr ColorRef kDefaultBackground = Rgb(186, 226, 239);
    static constexpr int kDefaultFrameBitmapSize = 100;
    static constexpr int kMaxFrameInset = 100;
    // Hover reports follow the mouse closely.
    static constexpr unsigned kHoverTimeMs = 1;

    using Collection = std::vector<std::unique_ptr<CControlBase>>;
    // A handler of the message map: (wParam, lParam) -> result.
    using MessageHandler = std::function<std::intptr_t(std::uintptr_t, std::intptr_t)>;

    CDlgBase(int templateId, WindowHandle parent);
    ~CDlgBase() override;
    CDlgBase(const CDlgBase&) = delete;
    CDlgBase& operator=(const CDlgBase&) = delete;

    // Makes the window, initialises it, runs it modally and returns the code it ended with
    // (kIdOk, kIdCancel, or kModalAbandoned when the host gave up on it). The window is gone
    // when it returns; the controls stay until the dialog is deleted.
    int DoModal();
    // Makes and initialises the window without a modal run; false if it already has one.
    bool Create();
    void DestroyWindow();
    WindowHandle Handle() const { return m_window; }
    WindowHandle ParentWindow() const { return m_parent; }

    // Sizes, fills and centres the window. Overrides call this one first.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // The window is asked to close (its owner, the open-dialog list, the window manager).
    virtual void OnClose();
    void EndDialog(int code);

    // Paints the whole dialog into the back buffer.
    virtual void DrawContent(SkinPainter& painter, const Rect& client) = 0;
    // Draws every displayed control that meets `clip`, collection by collection, in order.
    virtual void DrawControls(SkinPainter& painter, const Rect& clip);
    // Builds the dialog's controls for its client rectangle.
    virtual void CreateControls(Rect client) = 0;

    // Prepares the frame surface from a bitmap resource or a bitmap file; the background colour
    // becomes the picture's average colour. A picture that does not load changes only the inset.
    void SetFrameBitmap(int resourceId);
    void SetFrameBitmapFile(const std::filesystem::path& file);

    // The first control with `id` in collection order, or null.
    CControlBase* FindControl(int id) const;
    // Frees every control's images; dialogs call it right before they end.
    void ReleaseControlImages();

    // Appends a control to collection `collection` (0 holds the controls present on every page)
    // and returns it; the dialog owns it. An index outside 0–6 keeps nothing and returns null.
    CControlBase* AddControl(int collection, std::unique_ptr<CControlBase> control);
    const Collection& Controls(int collection) const;

    // The popup slots hold the window of an open popup (the popup owns itself).
    void SetPopup(int slot, WindowHandle popup);
    WindowHandle Popup(int slot) const;
    // Asks the slot's popup to close (posted) and empties the slot; an empty slot, or a popup
    // already gone, only empties it.
    void ClosePopup(int slot);

    // Registers the window in the open-dialog list (the small dialogs do so after
    // OnInitDialog); the destructor removes it again.
    bool RegisterOpenDialog();

    void MapMessage(unsigned message, MessageHandler handler);
    template <class Dialog>
    void MapMessage(unsigned message,
                    std::intptr_t (Dialog::*handler)(std::uintptr_t, std::intptr_t)) {
        MapMessage(message, [this, handler](std::uintptr_t wParam, std::intptr_t lParam) {
            return (static_cast<Dialog*>(this)->*handler)(wParam, lParam);
        });
    }
    // The shared handler of the close (2004) and cancel (2011) controls: a click frees the
    // images and cancels; other codes are ignored.
    std::intptr_t OnCloseControl(std::uintptr_t wParam, std::intptr_t code);
    // The same for an OK control that only confirms: a click frees the images and ends with OK.
    std::intptr_t OnOkControl(std::uintptr_t wParam, std::intptr_t code);

    void InvalidateRect(const Rect& rect);
    void InvalidateWindow();

    // What the dialog knows of the mouse and its picture, for owners and tests.
    CControlBase* HotControl() const { return m_hot; }
    CControlBase* PressedControl() const { return m_pressed; }
    const Rect& PressedRect() const { return m_pressedRect; }
    Point LastMousePoint() const { return m_lastMousePoint; }
    bool IsTracking() const { return m_tracking; }
    bool IsButtonDown() const { return m_buttonDown; }
    bool IsCaptured() const { return m_captured; }
    bool IsDoubleClicked() const { return m_doubleClicked; }
    ColorRef BackgroundColor() const { return m_backgroundColor; }
    int FrameInset() const { return m_frameInset; }
    Size FrameBitmapSize() const { return {m_frameBitmapWidth, m_frameBitmapHeight}; }
    Size DesignSize() const { return {m_designWidth, m_designHeight}; }
    const Surface& FrameSurface() const { return m_frameSurface; }
    const SkinFont& DialogFont() const { return m_dialogFont; }

    // HostWindowClient
    void OnPaint(Surface& target, const Rect& invalid) override;
    void OnMouseMove(unsigned flags, int x, int y) override;
    void OnMouseLeave() override;
    void OnMouseHover(unsigned flags, int x, int y) override;
    void OnLButtonDown(unsigned flags, int x, int y) override;
    void OnLButtonUp(unsigned flags, int x, int y) override;
    void OnLButtonDblClk(unsigned flags, int x, int y) override;
    void OnRButtonUp(unsigned flags, int x, int y) override;
    void OnCaptureLost() override;
    void OnKeyDown(const KeyEvent& key) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnWindowDestroyed() override;

protected:
    // The picture steps that every DrawContent shares: the frame surface copied at (0, 0) as far
    // as it and the client reach; and a dialog picture file stretched by the UI scale (loaded
    // for this paint only; false when it does not load).
    void DrawFrameSurface(SkinPainter& painter, const Rect& client) const;
    bool DrawFrameBitmapFile(SkinPainter& painter, const std::filesystem::path& file) const;
    // Centres the window over its owner, or in the work area when it has none, kept inside the
    // work area.
    void CenterWindow();
    // What a frame picture gives the dialog besides its surface: its size, the inset and the
    // background colour (its average). For a dialog that paints its picture itself.
    void TakeFrameMeasures(const SkinImage& bitmap, bool loaded);

    int m_designWidth = kDefaultDesignWidth;
    int m_designHeight = kDefaultDesignHeight;
    ColorRef m_backgroundColor = kDefaultBackground;
    SkinFont m_dialogFont;
    SkinImage m_icon;
    int m_frameBitmapWidth = kDefaultFrameBitmapSize;
    int m_frameBitmapHeight = kDefaultFrameBitmapSize;
    Surface m_frameSurface;
    int m_frameInset = 0;
    // The main window and the progress dialog build their controls once.
    int m_controlsCreated = 0;

private:
    bool IsEligible(const CControlBase* control) const;
    void PrepareFrameSurface(const SkinImage& bitmap, bool loaded);
    bool MakeWindow(bool modal);

    int m_templateId;
    WindowHandle m_parent;
    WindowHandle m_window = kNoWindow;
    WindowHandle m_registeredWindow = kNoWindow;
    bool m_modal = false;

    bool m_tracking = false;
    bool m_buttonDown = false;
    Rect m_pressedRect = kNoRect;
    bool m_doubleClicked = false;
    bool m_captured = false;
    Point m_lastMousePoint{-1, -1};

    std::array<Collection, kCollectionCount> m_collections;
    CControlBase* m_hot = nullptr;
    CControlBase* m_pressed = nullptr;
    std::array<WindowHandle, kPopupSlotCount> m_popups{};

    std::unordered_map<unsigned, MessageHandler> m_messageMap;
};

// Controls whose click changes much of the main window: their release repaints the whole window.
bool IsWholeWindowControl(int id);

}  // namespace ostrel::ui
