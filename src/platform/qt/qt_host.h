#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/qt/double_click_detector.h"
#include "ui/host.h"
#include "ui/skin_surface.h"

class QEvent;
class QEventLoop;
class QObject;
class QRect;
class QTimer;
class QWidget;

namespace ostrel::platform {

class HostWidget;

// The program's host: a frameless QWidget per window, a QTimer per timer id, a nested event loop
// per modal run, posted messages through the Qt event queue. Needs a QApplication; lives on the
// UI thread, outlives every window it makes, and must outlive the threads that post to it.
class QtHost : public ui::Host {
public:
    QtHost();
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    ui::WindowHandle CreateWindow(ui::HostWindowClient& client,
                                  const ui::WindowOptions& options) override;
    void DestroyWindow(ui::WindowHandle window) override;
    bool IsWindow(ui::WindowHandle window) const override;
    void SetWindowText(ui::WindowHandle window, const std::u16string& text) override;
    void SetIcon(ui::WindowHandle window, const ui::SkinImage& icon) override;
    ui::Rect GetWindowRect(ui::WindowHandle window) const override;
    void MoveWindow(ui::WindowHandle window, ui::Point topLeft) override;
    void ResizeWindow(ui::WindowHandle window, ui::Size size) override;
    void ShowWindow(ui::WindowHandle window, ui::ShowMode mode) override;
    bool IsVisible(ui::WindowHandle window) const override;
    bool IsMinimized(ui::WindowHandle window) const override;
    bool IsMaximized(ui::WindowHandle window) const override;
    void SetTopmost(ui::WindowHandle window, bool topmost) override;
    void BringToFront(ui::WindowHandle window) override;
    void SetOpacity(ui::WindowHandle window, double opacity) override;
    void InvalidateWindow(ui::WindowHandle window) override;
    void InvalidateRect(ui::WindowHandle window, const ui::Rect& rect) override;
    bool SetTimer(ui::WindowHandle window, unsigned id, unsigned intervalMs) override;
    bool KillTimer(ui::WindowHandle window, unsigned id) override;
    std::intptr_t SendMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    bool PostMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    int RunModal(ui::WindowHandle window) override;
    void EndModal(ui::WindowHandle window, int code) override;
    void PostQuit() override;
    void SetCapture(ui::WindowHandle window) override;
    void ReleaseCapture() override;
    ui::WindowHandle GetCapture() const override;
    bool TrackMouse(ui::WindowHandle window, unsigned hoverMs) override;
    ui::Point GetCursorPos() const override;
    void StartSystemMove(ui::WindowHandle window, ui::Point clientPoint) override;
    ui::Rect WorkArea() const override;
    int LogicalDpi() const override;
    void Sleep(unsigned ms) override;
    std::uint32_t TickCount() const override;

    // The widget of a window (for the tools that look at it), or null.
    QWidget* Widget(ui::WindowHandle window) const;

    // What the widgets forward; each finds its window again, so a window destroyed meanwhile
    // receives nothing.
    void PaintWindow(ui::WindowHandle window, const QRect& area);
    void MouseMoved(ui::WindowHandle window, unsigned flags, QPoint client, QPoint screen,
                    bool leftHeld);
    void MousePressed(ui::WindowHandle window, int button, unsigned flags, QPoint client,
                      QPoint screen, std::uint64_t timeMs);
    void MouseReleased(ui::WindowHandle window, int button, unsigned flags, QPoint client,
                       QPoint screen);
    void MouseLeft(ui::WindowHandle window);
    void Wheel(ui::WindowHandle window, unsigned flags, int delta, QPoint client, QPoint screen);
    void Key(ui::WindowHandle window, bool down, int virtualKey, bool autoRepeat);
    void Activated(ui::WindowHandle window, bool active);
    void CloseRequested(ui::WindowHandle window);
    // Qt closed a popup (a press outside every popup, the program losing the focus).
    void PopupClosed(ui::WindowHandle window);
    void WidgetDestroyed(ui::WindowHandle window);
    void DeliverPosted(QEvent* event);

private:
    struct Window;

    Window* Find(ui::WindowHandle window) const;
    void FireTimer(ui::WindowHandle window, unsigned id);
    void FireHover(ui::WindowHandle window);
    void ForgetWindow(ui::WindowHandle window, bool deleteWidget);
    void TakeCaptureFrom(ui::WindowHandle window);
    void EndAllModalRuns();
    // While popups are open Qt gives every mouse event to the topmost one; these find the popup
    // (or the capture) that the event is for, none outside every popup.
    ui::WindowHandle PopupTarget(QPoint screen) const;
    void PopupPointerOver(ui::WindowHandle window);
    void ForgetPopup(ui::WindowHandle window);

    std::unordered_map<ui::WindowHandle, std::unique_ptr<Window>> m_windows;
    ui::WindowHandle m_nextHandle = 1;
    ui::WindowHandle m_capture = ui::kNoWindow;
    bool m_grabbed = false;
    bool m_quitting = false;
    std::vector<ui::WindowHandle> m_modalStack;
    std::vector<ui::WindowHandle> m_popups;  // open popups, the topmost last
    ui::WindowHandle m_popupPointer = ui::kNoWindow;
    std::unique_ptr<QObject> m_postReceiver;
    QElapsedTimer m_clock;
    DoubleClickDetector m_doubleClick;
};

}  // namespace ostrel::platform
