#pragma once

#include <cstdint>

#include "ui/geometry.h"
#include "ui/host_types.h"

namespace ostrel::ui {

class Surface;

// What a host window forwards to the object that owns it (a dialog or a popup). Every call comes
// on the UI thread; mouse coordinates are client coordinates of the window.
class HostWindowClient {
public:
    virtual ~HostWindowClient() = default;

    // Paints the window: `target` is the window's surface of its client size; `invalid` is the
    // part that needs new pixels (the client may paint more).
    virtual void OnPaint(Surface& target, const Rect& invalid) = 0;

    virtual void OnMouseMove(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    // Only after TrackMouse; each report ends the tracking that produced it.
    virtual void OnMouseLeave() {}
    virtual void OnMouseHover(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    virtual void OnLButtonDown(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    virtual void OnLButtonUp(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    // The second press of a double click comes here instead of OnLButtonDown.
    virtual void OnLButtonDblClk(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    virtual void OnRButtonUp(unsigned /*flags*/, int /*x*/, int /*y*/) {}
    // `delta` is a multiple of kWheelDelta per notch, positive away from the user.
    virtual void OnMouseWheel(unsigned /*flags*/, int /*delta*/, int /*x*/, int /*y*/) {}
    // The window held the mouse capture and lost it without releasing it itself.
    virtual void OnCaptureLost() {}

    virtual void OnKeyDown(const KeyEvent& /*key*/) {}
    virtual void OnKeyUp(const KeyEvent& /*key*/) {}

    virtual void OnActivate(bool /*active*/) {}
    virtual void OnTimer(unsigned /*id*/) {}

    // A message sent (synchronously) or posted to the window, kMsgClose included; the result goes
    // back to a sender.
    virtual std::intptr_t OnMessage(unsigned /*message*/, std::uintptr_t /*wParam*/,
                                    std::intptr_t /*lParam*/) {
        return 0;
    }

    // The host has destroyed the window (on request, or because its owner went); nothing of the
    // window is reachable any more. A self-owning popup deletes itself here.
    virtual void OnWindowDestroyed() {}
};

}  // namespace ostrel::ui
