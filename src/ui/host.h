#pragma once

#include <cstdint>
#include <string>

#include "ui/geometry.h"
#include "ui/host_types.h"

namespace ostrel::ui {

class HostWindowClient;
class SkinImage;

// The windowing services the toolkit needs: windows, messages, timers, modal runs, the mouse, the
// screen and time. The program runs on the Qt host; tests run on a headless host with virtual
// time. Every operation is for the UI thread only, except PostMessage and PostQuit.
class Host {
public:
    virtual ~Host() = default;

    // A new hidden window of size 0 × 0 at (0, 0) that forwards everything to `client`; the
    // client must outlive the window or destroy it first.
    virtual WindowHandle CreateWindow(HostWindowClient& client, const WindowOptions& options) = 0;
    // Destroys the window and, first, every window it owns. Unknown handles are ignored.
    virtual void DestroyWindow(WindowHandle window) = 0;
    virtual bool IsWindow(WindowHandle window) const = 0;

    // The title shows in the task switcher only; nothing draws it.
    virtual void SetWindowText(WindowHandle window, const std::u16string& text) = 0;
    virtual void SetIcon(WindowHandle window, const SkinImage& icon) = 0;

    // Window rectangles are in screen coordinates; the client area is the whole window.
    virtual Rect GetWindowRect(WindowHandle window) const = 0;
    virtual void MoveWindow(WindowHandle window, Point topLeft) = 0;
    virtual void ResizeWindow(WindowHandle window, Size size) = 0;
    virtual void ShowWindow(WindowHandle window, ShowMode mode) = 0;
    virtual bool IsVisible(WindowHandle window) const = 0;
    virtual bool IsMinimized(WindowHandle window) const = 0;
    virtual bool IsMaximized(WindowHandle window) const = 0;
    virtual void SetTopmost(WindowHandle window, bool topmost) = 0;
    virtual void BringToFront(WindowHandle window) = 0;
    // 0 (invisible) to 1 (opaque).
    virtual void SetOpacity(WindowHandle window, double opacity) = 0;

    // Marks the whole client area for the next paint.
    virtual void InvalidateWindow(WindowHandle window) = 0;
    virtual void InvalidateRect(WindowHandle window, const Rect& rect) = 0;

    // Starts or restarts timer `id` of the window (intervals below kMinimumTimerMs are raised to
    // it); it fires OnTimer until killed or the window goes. Returns false for an unknown window.
    virtual bool SetTimer(WindowHandle window, unsigned id, unsigned intervalMs) = 0;
    virtual bool KillTimer(WindowHandle window, unsigned id) = 0;

    // Calls the window's OnMessage now and returns its result; 0 for an unknown window.
    virtual std::intptr_t SendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
    // Queues the message for the UI thread; callable from any thread. Delivered after the current
    // handler returns, in posting order; dropped if the window is gone by then.
    virtual bool PostMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;

    // Runs the window modally until EndModal (also when EndModal came first) and returns its code;
    // windows other than this one and those it owns take no input meanwhile.
    virtual int RunModal(WindowHandle window) = 0;
    virtual void EndModal(WindowHandle window, int code) = 0;
    // Ends every modal run, innermost first, with kModalAbandoned; callable from any thread.
    virtual void PostQuit() = 0;

    virtual void SetCapture(WindowHandle window) = 0;
    virtual void ReleaseCapture() = 0;
    virtual WindowHandle GetCapture() const = 0;
    // Asks for one OnMouseLeave when the mouse leaves the window and one OnMouseHover when it
    // rests `hoverMs` inside it. Returns false for an unknown window.
    virtual bool TrackMouse(WindowHandle window, unsigned hoverMs) = 0;
    virtual Point GetCursorPos() const = 0;
    // Lets the user move the window with the mouse while the left button, pressed at
    // `clientPoint`, stays down. The window gets no release for that press.
    virtual void StartSystemMove(WindowHandle window, Point clientPoint) = 0;

    // The usable part of the primary screen (without panels), in screen coordinates.
    virtual Rect WorkArea() const = 0;
    // Pixels per logical inch of the primary screen (96 on a standard display).
    virtual int LogicalDpi() const = 0;

    // Blocks the calling thread; the UI thread's timers and messages wait meanwhile.
    virtual void Sleep(unsigned ms) = 0;
    // Milliseconds since an arbitrary start; wraps around like a 32-bit counter.
    virtual std::uint32_t TickCount() const = 0;

    Point ScreenToClient(WindowHandle window, Point screen) const;
    Point ClientToScreen(WindowHandle window, Point client) const;
    Rect GetClientRect(WindowHandle window) const;
};

// The host of the running program (or test). Must be set before any dialog or control is made.
Host& CurrentHost();
bool HasCurrentHost();
void SetCurrentHost(Host* host);

}  // namespace ostrel::ui
