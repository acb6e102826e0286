#include "headless_host.h"

#include <algorithm>

#include "ui/window_client.h"

namespace ostrel::testing {

namespace {

// Posted messages that keep posting more are a bug of the test or the code under test.
constexpr int kMaxPostedRounds = 10000;

}  // namespace

struct HeadlessHost::Window {
    struct Timer {
        unsigned interval = 0;
        std::uint64_t due = 0;
        std::uint64_t sequence = 0;
    };

    ui::HostWindowClient* client = nullptr;
    ui::WindowHandle owner = ui::kNoWindow;
    ui::WindowKind kind = ui::WindowKind::Dialog;
    ui::Rect rect;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool topmost = false;
    double opacity = 1.0;
    std::u16string text;
    std::uint64_t order = 0;  // stacking: higher is nearer the user
    std::map<unsigned, Timer> timers;
    bool trackLeave = false;
    bool trackHover = false;
    unsigned hoverMs = 0;
    std::optional<std::uint64_t> hoverDue;
    std::optional<int> endCode;
    ui::Surface surface;
};

HeadlessHost::HeadlessHost() = default;

HeadlessHost::~HeadlessHost() = default;

std::string HeadlessHost::Name(ui::WindowHandle window) {
    return "#" + std::to_string(window);
}

HeadlessHost::Window* HeadlessHost::Find(ui::WindowHandle window) const {
    const auto found = m_windows.find(window);
    return found == m_windows.end() ? nullptr : found->second.get();
}

ui::WindowHandle HeadlessHost::CreateWindow(ui::HostWindowClient& client,
                                            const ui::WindowOptions& options) {
    const ui::WindowHandle handle = m_nextHandle++;
    auto window = std::make_unique<Window>();
    window->client = &client;
    window->owner = options.owner;
    window->kind = options.kind;
    window->topmost = options.kind == ui::WindowKind::Popup;
    window->order = m_nextOrder++;
    m_windows.emplace(handle, std::move(window));
    m_log.push_back("create " + Name(handle) +
                    (options.owner != ui::kNoWindow ? " owner " + Name(options.owner) : ""));
    return handle;
}

void HeadlessHost::DestroyWindow(ui::WindowHandle window) {
    if (Find(window) == nullptr) {
        return;
    }
    std::vector<ui::WindowHandle> owned;
    for (const auto& [handle, w] : m_windows) {
        if (w->owner == window) {
            owned.push_back(handle);
        }
    }
    for (ui::WindowHandle handle : owned) {
        DestroyWindow(handle);
    }
    const auto found = m_windows.find(window);
    if (found == m_windows.end()) {
        return;
    }
    std::unique_ptr<Window> w = std::move(found->second);
    m_windows.erase(found);
    m_log.push_back("destroy " + Name(window));
    if (m_capture == window) {
        m_capture = ui::kNoWindow;
    }
    if (m_moving == window) {
        m_moving = ui::kNoWindow;
    }
    if (m_pointerWindow == window) {
        m_pointerWindow = ui::kNoWindow;
    }
    ForgetPopup(window);
    if (m_active == window) {
        m_active = ui::kNoWindow;
        if (const Window* owner = Find(w->owner); owner != nullptr && owner->visible) {
            Activate(w->owner);
        }
    }
    w->client->OnWindowDestroyed();
}

bool HeadlessHost::IsWindow(ui::WindowHandle window) const {
    return Find(window) != nullptr;
}

void HeadlessHost::SetWindowText(ui::WindowHandle window, const std::u16string& text) {
    if (Window* w = Find(window)) {
        w->text = text;
    }
}

void HeadlessHost::SetIcon(ui::WindowHandle window, const ui::SkinImage& /*icon*/) {
    if (Find(window) != nullptr) {
        m_log.push_back("icon " + Name(window));
    }
}

ui::Rect HeadlessHost::GetWindowRect(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr ? w->rect : ui::Rect{};
}

void HeadlessHost::MoveWindow(ui::WindowHandle window, ui::Point topLeft) {
    if (Window* w = Find(window)) {
        w->rect = w->rect.Offset(topLeft.x - w->rect.left, topLeft.y - w->rect.top);
        m_log.push_back("move " + Name(window) + " to " + std::to_string(topLeft.x) + "," +
                        std::to_string(topLeft.y));
    }
}

void HeadlessHost::ResizeWindow(ui::WindowHandle window, ui::Size size) {
    if (Window* w = Find(window)) {
        w->rect.right = w->rect.left + std::max(size.width, 0);
        w->rect.bottom = w->rect.top + std::max(size.height, 0);
        m_log.push_back("size " + Name(window) + " " + std::to_string(size.width) + "x" +
                        std::to_string(size.height));
    }
}

void HeadlessHost::ShowWindow(ui::WindowHandle window, ui::ShowMode mode) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    switch (mode) {
        case ui::ShowMode::Hide:
            w->visible = false;
            m_log.push_back("hide " + Name(window));
            ForgetPopup(window);
            if (m_active == window) {
                m_active = ui::kNoWindow;
                w->client->OnActivate(false);
            }
            break;
        case ui::ShowMode::Show:
            w->visible = true;
            w->minimized = false;
            m_log.push_back("show " + Name(window));
            Raise(window);
            if (w->kind == ui::WindowKind::Popup) {
                // A popup stacks on the open ones and takes no activation from them.
                if (std::find(m_popups.begin(), m_popups.end(), window) == m_popups.end()) {
                    m_popups.push_back(window);
                    w->client->OnActivate(true);
                }
            } else {
                Activate(window);
            }
            break;
        case ui::ShowMode::ShowNoActivate:
            w->visible = true;
            m_log.push_back("show " + Name(window) + " inactive");
            Raise(window);
            break;
        case ui::ShowMode::Minimize:
            w->visible = true;
            w->minimized = true;
            m_log.push_back("minimize " + Name(window));
            break;
    }
}

bool HeadlessHost::IsVisible(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr && w->visible;
}

bool HeadlessHost::IsMinimized(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr && w->minimized;
}

bool HeadlessHost::IsMaximized(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr && w->maximized;
}

void HeadlessHost::SetMaximized(ui::WindowHandle window, bool maximized) {
    if (Window* w = Find(window)) {
        w->maximized = maximized;
    }
}

void HeadlessHost::SetTopmost(ui::WindowHandle window, bool topmost) {
    if (Window* w = Find(window)) {
        w->topmost = topmost;
    }
}

void HeadlessHost::BringToFront(ui::WindowHandle window) {
    if (Find(window) != nullptr) {
        Raise(window);
        Activate(window);
    }
}

void HeadlessHost::Raise(ui::WindowHandle window) {
    if (Window* w = Find(window)) {
        w->order = m_nextOrder++;
    }
}

void HeadlessHost::SetOpacity(ui::WindowHandle window, double opacity) {
    if (Window* w = Find(window)) {
        w->opacity = opacity;
    }
}

double HeadlessHost::Opacity(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr ? w->opacity : 0.0;
}

bool HeadlessHost::IsTopmost(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr && w->topmost;
}

void HeadlessHost::InvalidateWindow(ui::WindowHandle window) {
    if (Find(window) != nullptr) {
        m_invalidations.push_back({window, std::nullopt});
    }
}

void HeadlessHost::InvalidateRect(ui::WindowHandle window, const ui::Rect& rect) {
    if (Find(window) != nullptr) {
        m_invalidations.push_back({window, rect});
    }
}

std::vector<Invalidation> HeadlessHost::TakeInvalidations() {
    std::vector<Invalidation> taken;
    taken.swap(m_invalidations);
    return taken;
}

bool HeadlessHost::SetTimer(ui::WindowHandle window, unsigned id, unsigned intervalMs) {
    Window* w = Find(window);
    if (w == nullptr) {
        return false;
    }
    const unsigned interval = std::max(intervalMs, ui::kMinimumTimerMs);
    w->timers[id] = {interval, m_now.load() + interval, m_timerSequence++};
    return true;
}

bool HeadlessHost::KillTimer(ui::WindowHandle window, unsigned id) {
    Window* w = Find(window);
    return w != nullptr && w->timers.erase(id) > 0;
}

bool HeadlessHost::HasTimer(ui::WindowHandle window, unsigned id) const {
    const Window* w = Find(window);
    return w != nullptr && w->timers.count(id) > 0;
}

std::intptr_t HeadlessHost::SendMessage(ui::WindowHandle window, unsigned message,
                                        std::uintptr_t wParam, std::intptr_t lParam) {
    Window* w = Find(window);
    return w != nullptr ? w->client->OnMessage(message, wParam, lParam) : 0;
}

bool HeadlessHost::PostMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
    std::lock_guard<std::mutex> lock(m_postedMutex);
    m_posted.push_back({window, message, wParam, lParam, false});
    return true;
}

void HeadlessHost::PostQuit() {
    std::lock_guard<std::mutex> lock(m_postedMutex);
    m_posted.push_back({ui::kNoWindow, 0, 0, 0, true});
}

void HeadlessHost::DeliverPosted() {
    for (int round = 0; round < kMaxPostedRounds; ++round) {
        std::vector<Posted> batch;
        {
            std::lock_guard<std::mutex> lock(m_postedMutex);
            batch.swap(m_posted);
        }
        if (batch.empty()) {
            return;
        }
        for (const Posted& posted : batch) {
            if (posted.quit) {
                m_quitting = true;
                for (ui::WindowHandle modal : m_modalStack) {
                    if (Window* w = Find(modal)) {
                        w->endCode = ui::kModalAbandoned;
                    }
                }
            } else if (Window* w = Find(posted.window)) {
                w->client->OnMessage(posted.message, posted.wParam, posted.lParam);
            }
        }
    }
    m_failures.push_back("posted messages keep posting more");
}

int HeadlessHost::RunModal(ui::WindowHandle window) {
    Window* w = Find(window);
    if (w == nullptr) {
        return ui::kModalAbandoned;
    }
    m_log.push_back("modal " + Name(window));
    auto finish = [this, window](int code) {
        m_log.push_back("end " + Name(window) + " " + std::to_string(code));
        return code;
    };
    if (w->endCode) {
        const int code = *w->endCode;
        w->endCode.reset();
        return finish(code);
    }
    if (m_quitting) {
        return finish(ui::kModalAbandoned);
    }
    if (!m_modalHandler) {
        m_failures.push_back("modal run of " + Name(window) + " with no modal handler");
        return finish(ui::kModalAbandoned);
    }
    if (m_capture != ui::kNoWindow && m_capture != window) {
        TakeCaptureFrom(m_capture);
    }
    m_modalStack.push_back(window);
    // A copy: the handler may install another one for the runs it starts.
    const ModalHandler handler = m_modalHandler;
    handler(*this, window);
    m_modalStack.erase(std::remove(m_modalStack.begin(), m_modalStack.end(), window),
                       m_modalStack.end());
    w = Find(window);
    if (w == nullptr) {
        return finish(ui::kModalAbandoned);
    }
    if (!w->endCode) {
        m_failures.push_back("modal run of " + Name(window) + " never ended");
        return finish(ui::kModalAbandoned);
    }
    const int code = *w->endCode;
    w->endCode.reset();
    return finish(code);
}

void HeadlessHost::EndModal(ui::WindowHandle window, int code) {
    if (Window* w = Find(window)) {
        w->endCode = code;
    }
}

void HeadlessHost::SetCapture(ui::WindowHandle window) {
    if (Find(window) == nullptr) {
        return;
    }
    if (m_capture != ui::kNoWindow && m_capture != window) {
        TakeCaptureFrom(m_capture);
    }
    m_capture = window;
}

void HeadlessHost::ReleaseCapture() {
    m_capture = ui::kNoWindow;
    // The pointer may have left the window while it held the capture.
    PointerOver(WindowAt(m_cursor));
}

void HeadlessHost::TakeCaptureFrom(ui::WindowHandle window) {
    m_capture = ui::kNoWindow;
    if (Window* w = Find(window)) {
        w->client->OnCaptureLost();
    }
}

ui::WindowHandle HeadlessHost::GetCapture() const {
    return m_capture;
}

bool HeadlessHost::TrackMouse(ui::WindowHandle window, unsigned hoverMs) {
    Window* w = Find(window);
    if (w == nullptr) {
        return false;
    }
    w->trackLeave = true;
    w->trackHover = true;
    w->hoverMs = hoverMs;
    w->hoverDue = m_now.load() + hoverMs;
    return true;
}

ui::Point HeadlessHost::GetCursorPos() const {
    return m_cursor;
}

void HeadlessHost::StartSystemMove(ui::WindowHandle window, ui::Point /*clientPoint*/) {
    if (Find(window) == nullptr) {
        return;
    }
    ++m_systemMoveCount;
    m_log.push_back("system move " + Name(window));
    // The move lasts while the button that started it is held.
    if (m_leftDown) {
        m_moving = window;
    }
}

ui::Rect HeadlessHost::WorkArea() const {
    return m_workArea;
}

int HeadlessHost::LogicalDpi() const {
    return m_dpi;
}

void HeadlessHost::Sleep(unsigned ms) {
    ++m_sleepCount;
    m_sleptMs += ms;
    m_now += ms;
}

std::uint32_t HeadlessHost::TickCount() const {
    return static_cast<std::uint32_t>(m_now.load());
}

bool HeadlessHost::Owns(ui::WindowHandle owner, ui::WindowHandle window) const {
    for (const Window* w = Find(window); w != nullptr; w = Find(w->owner)) {
        if (w->owner == owner) {
            return true;
        }
    }
    return false;
}

bool HeadlessHost::Blocked(ui::WindowHandle window) const {
    if (m_modalStack.empty()) {
        return false;
    }
    const ui::WindowHandle modal = m_modalStack.back();
    return window != modal && !Owns(modal, window);
}

ui::WindowHandle HeadlessHost::WindowAt(ui::Point screen) const {
    ui::WindowHandle best = ui::kNoWindow;
    const Window* bestWindow = nullptr;
    for (const auto& [handle, w] : m_windows) {
        if (!w->visible || w->minimized || !w->rect.Contains(screen)) {
            continue;
        }
        const bool above = bestWindow == nullptr || w->topmost > bestWindow->topmost ||
                           (w->topmost == bestWindow->topmost && w->order > bestWindow->order);
        if (above) {
            best = handle;
            bestWindow = w.get();
        }
    }
    return best;
}

void HeadlessHost::PointerOver(ui::WindowHandle window) {
    if (window == m_pointerWindow) {
        return;
    }
    const ui::WindowHandle left = m_pointerWindow;
    m_pointerWindow = window;
    Window* w = Find(left);
    if (w != nullptr && w->trackLeave) {
        w->trackLeave = false;
        w->trackHover = false;
        w->hoverDue.reset();
        w->client->OnMouseLeave();
    }
}

ui::WindowHandle HeadlessHost::PopupAt(ui::Point screen) const {
    for (auto it = m_popups.rbegin(); it != m_popups.rend(); ++it) {
        if (const Window* w = Find(*it); w != nullptr && w->rect.Contains(screen)) {
            return *it;
        }
    }
    return ui::kNoWindow;
}

void HeadlessHost::ForgetPopup(ui::WindowHandle window) {
    m_popups.erase(std::remove(m_popups.begin(), m_popups.end(), window), m_popups.end());
}

bool HeadlessHost::PressPassesPopups(ui::Point screen) {
    if (m_popups.empty() || m_capture != ui::kNoWindow || PopupAt(screen) != ui::kNoWindow) {
        return true;
    }
    const ui::WindowHandle top = m_popups.back();
    m_popups.pop_back();
    m_log.push_back("popup closed " + Name(top));
    if (Window* w = Find(top)) {
        w->visible = false;
        w->client->OnActivate(false);
    }
    // The press that closed the last popup goes on to the window under the pointer.
    return m_popups.empty();
}

ui::WindowHandle HeadlessHost::MouseTarget(ui::Point screen) {
    m_cursor = screen;
    if (m_capture != ui::kNoWindow) {
        return m_capture;
    }
    if (!m_popups.empty()) {
        const ui::WindowHandle popup = PopupAt(screen);
        PointerOver(popup);
        return popup;
    }
    const ui::WindowHandle under = WindowAt(screen);
    PointerOver(under);
    if (under == ui::kNoWindow) {
        return ui::kNoWindow;
    }
    if (Blocked(under)) {
        m_log.push_back("blocked " + Name(under));
        return ui::kNoWindow;
    }
    return under;
}

void HeadlessHost::Activate(ui::WindowHandle window) {
    if (m_active == window) {
        return;
    }
    // A popup's activation is its own (it opens active and closes inactive); the window below
    // keeps the keyboard focus meanwhile.
    if (const Window* w = Find(window); w != nullptr && w->kind == ui::WindowKind::Popup) {
        return;
    }
    const ui::WindowHandle previous = m_active;
    m_active = window;
    if (Window* w = Find(previous)) {
        w->client->OnActivate(false);
    }
    if (Window* w = Find(window); w != nullptr && m_active == window) {
        w->client->OnActivate(true);
    }
}

unsigned HeadlessHost::MouseFlags() const {
    return (m_leftDown ? ui::kMouseLeftButton : 0u) | (m_rightDown ? ui::kMouseRightButton : 0u);
}

ui::Point HeadlessHost::ToClient(ui::WindowHandle window, ui::Point screen) const {
    const Window* w = Find(window);
    return w != nullptr ? ui::Point{screen.x - w->rect.left, screen.y - w->rect.top} : screen;
}

void HeadlessHost::MouseMove(ui::WindowHandle window, int x, int y) {
    MouseMoveScreen(ClientToScreen(window, {x, y}));
}

void HeadlessHost::MouseMoveScreen(ui::Point screen) {
    if (Window* moving = Find(m_moving)) {
        moving->rect = moving->rect.Offset(screen.x - m_cursor.x, screen.y - m_cursor.y);
        m_cursor = screen;
        return;
    }
    const ui::WindowHandle target = MouseTarget(screen);
    Window* w = Find(target);
    if (w == nullptr) {
        return;
    }
    if (w->trackHover) {
        w->hoverDue = m_now.load() + w->hoverMs;
    }
    const ui::Point client = ToClient(target, screen);
    w->client->OnMouseMove(MouseFlags(), client.x, client.y);
}

void HeadlessHost::LButtonDown(ui::WindowHandle window, int x, int y) {
    m_leftDown = true;
    const ui::Point screen = ClientToScreen(window, {x, y});
    if (!PressPassesPopups(screen)) {
        m_cursor = screen;
        return;
    }
    const ui::WindowHandle target = MouseTarget(screen);
    if (Find(target) == nullptr) {
        return;
    }
    Activate(target);
    if (Window* w = Find(target)) {
        const ui::Point client = ToClient(target, screen);
        w->client->OnLButtonDown(MouseFlags(), client.x, client.y);
    }
}

void HeadlessHost::LButtonUp(ui::WindowHandle window, int x, int y) {
    m_leftDown = false;
    const ui::Point screen = ClientToScreen(window, {x, y});
    if (m_moving != ui::kNoWindow) {
        // The system move ends with the button; the dialog never sees that release.
        MouseMoveScreen(screen);
        m_log.push_back("move ended " + Name(m_moving));
        m_moving = ui::kNoWindow;
        return;
    }
    const ui::WindowHandle target = MouseTarget(screen);
    if (Window* w = Find(target)) {
        const ui::Point client = ToClient(target, screen);
        w->client->OnLButtonUp(MouseFlags(), client.x, client.y);
    }
}

void HeadlessHost::LButtonDblClk(ui::WindowHandle window, int x, int y) {
    m_leftDown = true;
    const ui::Point screen = ClientToScreen(window, {x, y});
    if (!PressPassesPopups(screen)) {
        m_cursor = screen;
        return;
    }
    const ui::WindowHandle target = MouseTarget(screen);
    if (Window* w = Find(target)) {
        const ui::Point client = ToClient(target, screen);
        w->client->OnLButtonDblClk(MouseFlags(), client.x, client.y);
    }
}

void HeadlessHost::RButtonUp(ui::WindowHandle window, int x, int y) {
    m_rightDown = false;
    const ui::Point screen = ClientToScreen(window, {x, y});
    // The right press that went before this release closes popups as a left press does.
    if (!PressPassesPopups(screen)) {
        m_cursor = screen;
        return;
    }
    const ui::WindowHandle target = MouseTarget(screen);
    if (Window* w = Find(target)) {
        const ui::Point client = ToClient(target, screen);
        w->client->OnRButtonUp(MouseFlags(), client.x, client.y);
    }
}

void HeadlessHost::Wheel(ui::WindowHandle window, int delta, int x, int y) {
    const ui::Point screen = ClientToScreen(window, {x, y});
    const ui::WindowHandle target = MouseTarget(screen);
    if (Window* w = Find(target)) {
        const ui::Point client = ToClient(target, screen);
        w->client->OnMouseWheel(MouseFlags(), delta, client.x, client.y);
    }
}

void HeadlessHost::Click(ui::WindowHandle window, int x, int y) {
    MouseMove(window, x, y);
    LButtonDown(window, x, y);
    LButtonUp(window, x, y);
}

void HeadlessHost::KeyDown(int virtualKey) {
    // Open popups take the keyboard.
    const ui::WindowHandle target = m_popups.empty() ? m_active : m_popups.back();
    if (Window* w = Find(target); w != nullptr && !Blocked(target)) {
        w->client->OnKeyDown({virtualKey, false, TickCount()});
    }
}

void HeadlessHost::KeyUp(int virtualKey) {
    const ui::WindowHandle target = m_popups.empty() ? m_active : m_popups.back();
    if (Window* w = Find(target); w != nullptr && !Blocked(target)) {
        w->client->OnKeyUp({virtualKey, false, TickCount()});
    }
}

void HeadlessHost::RequestClose(ui::WindowHandle window) {
    if (Window* w = Find(window)) {
        w->client->OnMessage(ui::kMsgClose, 0, 0);
    }
}

void HeadlessHost::Advance(unsigned ms) {
    const std::uint64_t end = m_now.load() + ms;
    for (;;) {
        DeliverPosted();
        // The next thing due: a timer (earliest, then first set) or a hover report.
        ui::WindowHandle dueWindow = ui::kNoWindow;
        std::optional<unsigned> dueTimer;
        std::uint64_t dueTime = 0;
        std::uint64_t dueSequence = 0;
        bool found = false;
        for (const auto& [handle, w] : m_windows) {
            for (const auto& [id, timer] : w->timers) {
                if (!found || timer.due < dueTime ||
                    (timer.due == dueTime && timer.sequence < dueSequence)) {
                    found = true;
                    dueWindow = handle;
                    dueTimer = id;
                    dueTime = timer.due;
                    dueSequence = timer.sequence;
                }
            }
            if (w->trackHover && w->hoverDue && (!found || *w->hoverDue < dueTime)) {
                found = true;
                dueWindow = handle;
                dueTimer.reset();
                dueTime = *w->hoverDue;
                dueSequence = 0;
            }
        }
        if (!found || dueTime > end) {
            break;
        }
        m_now = std::max(m_now.load(), dueTime);
        Window* w = Find(dueWindow);
        if (dueTimer) {
            Window::Timer& timer = w->timers[*dueTimer];
            timer.due = m_now.load() + timer.interval;
            w->client->OnTimer(*dueTimer);
        } else {
            w->trackHover = false;
            w->hoverDue.reset();
            if (w->rect.Contains(m_cursor)) {
                const ui::Point client = ToClient(dueWindow, m_cursor);
                w->client->OnMouseHover(MouseFlags(), client.x, client.y);
            }
        }
    }
    m_now = std::max(m_now.load(), end);
    DeliverPosted();
}

QImage HeadlessHost::Render(ui::WindowHandle window) {
    Window* w = Find(window);
    if (w == nullptr) {
        return QImage();
    }
    const ui::Rect client{0, 0, w->rect.Width(), w->rect.Height()};
    if (w->surface.Width() != client.Width() || w->surface.Height() != client.Height()) {
        w->surface.Reset(client.Width(), client.Height());
    }
    w->client->OnPaint(w->surface, client);
    w = Find(window);
    return w != nullptr ? w->surface.Image().copy() : QImage();
}

ui::HostWindowClient* HeadlessHost::Client(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr ? w->client : nullptr;
}

std::u16string HeadlessHost::WindowText(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr ? w->text : std::u16string();
}

}  // namespace ostrel::testing
