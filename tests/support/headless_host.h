#pragma once

#include <QImage>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ui/host.h"
#include "ui/skin_surface.h"

namespace ostrel::testing {

// One invalidation a window received: a rectangle, or the whole client area.
struct Invalidation {
    ui::WindowHandle window = ui::kNoWindow;
    std::optional<ui::Rect> rect;

    bool operator==(const Invalidation&) const = default;
};

// A host without a screen, for tests and headless pictures. Windows paint into images with the
// program's own painting code; time is virtual (Advance fires due timers in order, Sleep only
// counts); a modal run calls the handler the test installed and is recorded as a failure, not a
// hang, when the dialog does not end; what was shown is logged.
//
// The mouse is one pointer on a virtual screen: events go to the window that holds the capture,
// else to the topmost visible window under the pointer, and a window that tracks the mouse is
// told when the pointer leaves it. While a modal run is on, windows other than the modal one
// and those it owns take no input. Popups behave as the host interface describes them: while
// any is open they take the mouse and the keyboard, and a press outside them closes the topmost
// one.
class HeadlessHost : public ui::Host {
public:
    // Called for every modal run with the window that runs; ends it by making the dialog end
    // (a click, a key, waiting for its timers).
    using ModalHandler = std::function<void(HeadlessHost& host, ui::WindowHandle window)>;

    HeadlessHost();
    ~HeadlessHost() override;
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // ui::Host
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

    // Set-up.
    void SetModalHandler(ModalHandler handler) { m_modalHandler = std::move(handler); }
    void SetWorkArea(const ui::Rect& area) { m_workArea = area; }
    void SetLogicalDpi(int dpi) { m_dpi = dpi; }
    void SetMaximized(ui::WindowHandle window, bool maximized);

    // The mouse. Points are client coordinates of `window`, turned into screen coordinates; the
    // event goes wherever the pointer and the capture send it.
    void MouseMove(ui::WindowHandle window, int x, int y);
    void MouseMoveScreen(ui::Point screen);
    void LButtonDown(ui::WindowHandle window, int x, int y);
    void LButtonUp(ui::WindowHandle window, int x, int y);
    void LButtonDblClk(ui::WindowHandle window, int x, int y);
    void RButtonUp(ui::WindowHandle window, int x, int y);
    void Wheel(ui::WindowHandle window, int delta, int x, int y);
    // Move there, press, release.
    void Click(ui::WindowHandle window, int x, int y);
    // The keyboard goes to the active window.
    void KeyDown(int virtualKey);
    void KeyUp(int virtualKey);
    // The window manager's close button.
    void RequestClose(ui::WindowHandle window);

    // Virtual time: delivers posted messages, then fires every timer (and hover report) that
    // falls due within `ms`, in order of time, then of setting.
    void Advance(unsigned ms);
    void DeliverPosted();
    std::uint64_t Now() const { return m_now.load(); }
    unsigned SleepCount() const { return m_sleepCount.load(); }
    std::uint64_t SleptMs() const { return m_sleptMs.load(); }

    // Paints the whole window now and returns its picture (a null image for no window).
    QImage Render(ui::WindowHandle window);
    std::vector<Invalidation> TakeInvalidations();
    // "create #2 owner #1", "show #2", "modal #2", "end #2 1", "move #2 to 10,20", ...
    const std::vector<std::string>& Log() const { return m_log; }
    // Problems the test must see: modal runs without a handler or that never ended, posted
    // messages that never settle.
    const std::vector<std::string>& Failures() const { return m_failures; }

    ui::HostWindowClient* Client(ui::WindowHandle window) const;
    std::u16string WindowText(ui::WindowHandle window) const;
    double Opacity(ui::WindowHandle window) const;
    bool IsTopmost(ui::WindowHandle window) const;
    bool HasTimer(ui::WindowHandle window, unsigned id) const;
    ui::WindowHandle ActiveWindow() const { return m_active; }
    // The open popups, the topmost last.
    const std::vector<ui::WindowHandle>& OpenPopups() const { return m_popups; }
    ui::WindowHandle LastCreated() const { return m_nextHandle - 1; }
    int SystemMoveCount() const { return m_systemMoveCount; }
    size_t ModalDepth() const { return m_modalStack.size(); }

private:
    struct Window;
    struct Posted {
        ui::WindowHandle window;
        unsigned message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        bool quit;
    };

    Window* Find(ui::WindowHandle window) const;
    static std::string Name(ui::WindowHandle window);
    ui::WindowHandle WindowAt(ui::Point screen) const;
    ui::WindowHandle MouseTarget(ui::Point screen);
    bool Blocked(ui::WindowHandle window) const;
    bool Owns(ui::WindowHandle owner, ui::WindowHandle window) const;
    void PointerOver(ui::WindowHandle window);
    ui::WindowHandle PopupAt(ui::Point screen) const;
    void ForgetPopup(ui::WindowHandle window);
    // A press at `screen` while popups are open: outside them it closes the topmost one. Returns
    // whether the press goes on to a window.
    bool PressPassesPopups(ui::Point screen);
    void Activate(ui::WindowHandle window);
    void TakeCaptureFrom(ui::WindowHandle window);
    void Raise(ui::WindowHandle window);
    unsigned MouseFlags() const;
    ui::Point ToClient(ui::WindowHandle window, ui::Point screen) const;

    std::map<ui::WindowHandle, std::unique_ptr<Window>> m_windows;
    ui::WindowHandle m_nextHandle = 1;
    std::uint64_t m_nextOrder = 1;
    ui::WindowHandle m_capture = ui::kNoWindow;
    ui::WindowHandle m_active = ui::kNoWindow;
    ui::WindowHandle m_pointerWindow = ui::kNoWindow;
    ui::Point m_cursor{-10000, -10000};
    bool m_leftDown = false;
    bool m_rightDown = false;
    ui::WindowHandle m_moving = ui::kNoWindow;
    int m_systemMoveCount = 0;
    bool m_quitting = false;
    std::vector<ui::WindowHandle> m_modalStack;
    std::vector<ui::WindowHandle> m_popups;
    ModalHandler m_modalHandler;
    ui::Rect m_workArea{0, 0, 1920, 1080};
    int m_dpi = 96;

    std::atomic<std::uint64_t> m_now{0};
    std::atomic<unsigned> m_sleepCount{0};
    std::atomic<std::uint64_t> m_sleptMs{0};
    std::uint64_t m_timerSequence = 0;

    std::mutex m_postedMutex;
    std::vector<Posted> m_posted;

    std::vector<Invalidation> m_invalidations;
    std::vector<std::string> m_log;
    std::vector<std::string> m_failures;
};

}  // namespace ostrel::testing
