#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/geometry.h"
#include "ui/host_types.h"
#include "ui/skin_font.h"

namespace ostrel::ui {

class SkinPainter;

// Event codes a control sends to its dialog as lParam, with its id as the message number.
inline constexpr int kEventPress = 1;
inline constexpr int kEventClick = 2;
inline constexpr int kEventDrag = 3;
inline constexpr int kEventEnter = 4;
inline constexpr int kEventLeave = 5;
inline constexpr int kEventDoubleClick = 10;
inline constexpr int kEventRightClick = 11;
inline constexpr int kEventProfileHover = 12;

// The states of the standard state machine.
inline constexpr int kStateNormal = 0;
inline constexpr int kStateHover = 1;
inline constexpr int kStatePressed = 2;

// The base of every owner-drawn control. A control is a plain object owned by its dialog: it
// knows its rectangle in the dialog's client area, draws itself on the painter it is given,
// reacts to the mouse hooks its dialog calls, and notifies the dialog synchronously through the
// host (message = its id, lParam = event code). Controls take no keyboard input. UI thread only.
class CControlBase {
public:
    // `parent` receives the notifications and invalidations; the rectangle is in the parent's
    // client coordinates, already scaled. The font is made from the UI font.
    CControlBase(WindowHandle parent, int id, int left, int top, int right, int bottom,
                 std::u16string text, int visible, int shown, int disabled, int interactive);
    virtual ~CControlBase();
    CControlBase(const CControlBase&) = delete;
    CControlBase& operator=(const CControlBase&) = delete;

    virtual void Draw(SkinPainter& painter, Rect clip) = 0;
    // Called when the dialog drops the control as its pressed control; the base does nothing.
    virtual int OnReset(int reason);
    // Stores the rectangle; the caller repaints.
    virtual void SetBounds(int left, int top, int right, int bottom);
    virtual Rect GetBounds() const;
    // Stores a different text (exact comparison) and invalidates the control; the same text
    // changes nothing.
    virtual void SetText(const std::u16string& text);
    virtual std::u16string GetText() const;
    virtual void SetVisible(int visible);
    virtual void SetShown(int shown);
    // The mouse hooks return whether the control's look changed; the base ignores the mouse.
    virtual bool OnMouseMove(unsigned flags, int x, int y);
    virtual bool OnLButtonDown(unsigned flags, int x, int y);
    virtual bool OnLButtonUp(unsigned flags, int x, int y);
    virtual bool OnRButtonUp(unsigned flags, int x, int y);
    virtual bool OnLButtonDblClk(unsigned flags, int x, int y);
    // Frees the control's images; the dialog calls it for every control before it ends.
    virtual void ReleaseImages();

    // Replaces the font with one of `height` and `face` in the UI font's character set.
    void SetFont(int height, const std::u16string& face);

    int Id() const { return m_id; }
    WindowHandle Parent() const { return m_parent; }
    int Visible() const { return m_visible; }
    int Shown() const { return m_shown; }
    int Disabled() const { return m_disabled; }
    void SetDisabled(int disabled) { m_disabled = disabled; }
    int Interactive() const { return m_interactive; }
    // Drawn and hit only when the bitwise AND of the two visibility flags is non-zero.
    bool IsDisplayed() const { return (m_visible & m_shown) != 0; }
    const SkinFont& Font() const { return m_font; }
    int State() const { return m_state; }

protected:
    // Sends (id, wParam, code) to the parent now and returns the handler's result.
    std::intptr_t Notify(int code, std::uintptr_t wParam = 0);
    // Sends `code` with another message number (combo buttons report to a second number).
    std::intptr_t NotifyAs(unsigned message, int code, std::uintptr_t wParam);
    void InvalidateSelf();
    bool Contains(int x, int y) const { return m_rect.Contains({x, y}); }

    // The standard state machine (0 normal, 1 hover, 2 pressed) that nearly every control
    // follows; each returns whether the state changed. A disabled control never changes state
    // and sends nothing.
    // Move: hover inside, normal outside; a pressed control keeps its state.
    bool StandardMouseMove(int x, int y);
    // Press inside: pressed, then code 1.
    bool StandardLButtonDown(int x, int y);
    // Release inside: hover, then `action` (the class's own reaction), then code 2 with
    // `clickWParam`. Outside: normal, nothing sent.
    bool StandardLButtonUp(int x, int y, const std::function<void()>& action = {},
                           std::uintptr_t clickWParam = 0);
    // Double click inside: hover, then code 10. Outside: normal.
    bool StandardLButtonDblClk(int x, int y);

    // Sets the state and returns whether it changed.
    bool SetState(int state);

    int m_state = kStateNormal;

private:
    int m_id;
    Rect m_rect;
    int m_visible;
    int m_shown;
    int m_disabled;
    int m_interactive;
    std::u16string m_text;
    WindowHandle m_parent;
    SkinFont m_font;
};

}  // namespace ostrel::ui
