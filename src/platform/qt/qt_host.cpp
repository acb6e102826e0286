#include "platform/qt/qt_host.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyleHints>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <optional>

#include "platform/qt/host_widget.h"
#include "ui/skin_image.h"
#include "ui/window_client.h"

namespace ostrel::platform {

namespace {

const QEvent::Type kPostedMessageEvent = static_cast<QEvent::Type>(QEvent::User + 1);
const QEvent::Type kQuitEvent = static_cast<QEvent::Type>(QEvent::User + 2);

constexpr int kDefaultDpi = 96;
constexpr ui::Rect kDefaultWorkArea{0, 0, 1024, 768};

class PostedMessage : public QEvent {
public:
    PostedMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam,
                  std::intptr_t lParam)
        : QEvent(kPostedMessageEvent),
          window(window),
          message(message),
          wParam(wParam),
          lParam(lParam) {}

    ui::WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

// Receives the posted messages on the UI thread.
class PostReceiver : public QObject {
public:
    explicit PostReceiver(QtHost& host) : m_host(host) {}

    bool event(QEvent* event) override {
        if (event->type() == kPostedMessageEvent || event->type() == kQuitEvent) {
            m_host.DeliverPosted(event);
            return true;
        }
        return QObject::event(event);
    }

private:
    QtHost& m_host;
};

ui::Point ToPoint(QPoint p) {
    return {p.x(), p.y()};
}

}  // namespace

constexpr int kMinimiseRetryMs = 20;

struct QtHost::Window {
    ui::HostWindowClient* client = nullptr;
    HostWidget* widget = nullptr;
    ui::WindowHandle owner = ui::kNoWindow;
    std::map<unsigned, QTimer*> timers;
    QTimer* hoverTimer = nullptr;
    unsigned hoverMs = 0;
    bool trackLeave = false;
    bool trackHover = false;
    QEventLoop* loop = nullptr;
    std::optional<int> endCode;
    // The window follows the mouse itself where the window manager cannot move it.
    bool manualMove = false;
    QPoint moveOffset;
    // The window manager moved the window; the release of that press is not the dialog's.
    bool swallowRelease = false;
    bool topmost = false;
    bool popup = false;
    bool popupActive = false;
    // A minimise asked for before the window manager took the window; done once it shows.
    bool minimisePending = false;
    ui::Surface surface;
};

QtHost::QtHost()
    : m_postReceiver(std::make_unique<PostReceiver>(*this)),
      m_doubleClick(
          static_cast<unsigned>(QGuiApplication::styleHints()->mouseDoubleClickInterval()),
          QGuiApplication::styleHints()->mouseDoubleClickDistance()) {
    m_clock.start();
}

QtHost::~QtHost() {
    // Clients still holding windows are going away with the program; only the widgets go here.
    for (auto& [handle, window] : m_windows) {
        for (auto& [id, timer] : window->timers) {
            delete timer;
        }
        delete window->hoverTimer;
        if (window->widget != nullptr) {
            window->widget->Detach();
        }
    }
    for (auto& [handle, window] : m_windows) {
        if (window->widget != nullptr && window->widget->parentWidget() == nullptr) {
            delete window->widget;
        }
    }
}

QtHost::Window* QtHost::Find(ui::WindowHandle window) const {
    const auto found = m_windows.find(window);
    return found == m_windows.end() ? nullptr : found->second.get();
}

QWidget* QtHost::Widget(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr ? w->widget : nullptr;
}

ui::WindowHandle QtHost::CreateWindow(ui::HostWindowClient& client,
                                      const ui::WindowOptions& options) {
    const ui::WindowHandle handle = m_nextHandle++;
    auto window = std::make_unique<Window>();
    window->client = &client;
    window->owner = options.owner;
    const Window* owner = Find(options.owner);
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    if (options.kind == ui::WindowKind::Popup) {
        // Qt's popups close on a press outside them and stack as menus do; the owner is their
        // transient parent.
        flags |= Qt::Popup;
        window->topmost = true;
        window->popup = true;
    } else {
        flags |= Qt::Window;
    }
    window->widget =
        new HostWidget(*this, handle, owner != nullptr ? owner->widget : nullptr, flags);
    if (options.modal) {
        window->widget->setWindowModality(Qt::ApplicationModal);
    }
    window->hoverTimer = new QTimer();
    window->hoverTimer->setSingleShot(true);
    QObject::connect(window->hoverTimer, &QTimer::timeout, [this, handle] { FireHover(handle); });
    m_windows.emplace(handle, std::move(window));
    return handle;
}

void QtHost::DestroyWindow(ui::WindowHandle window) {
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
    ForgetWindow(window, true);
}

void QtHost::ForgetWindow(ui::WindowHandle window, bool deleteWidget) {
    const auto found = m_windows.find(window);
    if (found == m_windows.end()) {
        return;
    }
    std::unique_ptr<Window> w = std::move(found->second);
    m_windows.erase(found);
    // Timers may be firing right now: they go when control is back in the event loop.
    for (auto& [id, timer] : w->timers) {
        timer->stop();
        timer->deleteLater();
    }
    w->hoverTimer->stop();
    w->hoverTimer->deleteLater();
    if (w->loop != nullptr) {
        w->loop->exit(ui::kModalAbandoned);
    }
    ForgetPopup(window);
    if (m_capture == window) {
        if (m_grabbed && w->widget != nullptr) {
            w->widget->releaseMouse();
        }
        m_grabbed = false;
        m_capture = ui::kNoWindow;
    }
    if (w->widget != nullptr) {
        w->widget->Detach();
        if (deleteWidget) {
            w->widget->hide();
            w->widget->deleteLater();
        }
    }
    w->client->OnWindowDestroyed();
}

void QtHost::WidgetDestroyed(ui::WindowHandle window) {
    if (Window* w = Find(window)) {
        w->widget = nullptr;
    }
    ForgetWindow(window, false);
}

bool QtHost::IsWindow(ui::WindowHandle window) const {
    return Find(window) != nullptr;
}

void QtHost::SetWindowText(ui::WindowHandle window, const std::u16string& text) {
    if (Window* w = Find(window)) {
        w->widget->setWindowTitle(
            QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    }
}

void QtHost::SetIcon(ui::WindowHandle window, const ui::SkinImage& icon) {
    Window* w = Find(window);
    if (w != nullptr && icon.IsLoaded()) {
        w->widget->setWindowIcon(QIcon(QPixmap::fromImage(icon.Image())));
    }
}

ui::Rect QtHost::GetWindowRect(ui::WindowHandle window) const {
    const Window* w = Find(window);
    if (w == nullptr) {
        return {};
    }
    const QRect g = w->widget->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void QtHost::MoveWindow(ui::WindowHandle window, ui::Point topLeft) {
    if (Window* w = Find(window)) {
        w->widget->move(topLeft.x, topLeft.y);
    }
}

void QtHost::ResizeWindow(ui::WindowHandle window, ui::Size size) {
    if (Window* w = Find(window)) {
        w->widget->setFixedSize(std::max(size.width, 1), std::max(size.height, 1));
    }
}

void QtHost::ShowWindow(ui::WindowHandle window, ui::ShowMode mode) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    QWidget* widget = w->widget;
    if (w->popup && mode == ui::ShowMode::Show) {
        widget->show();
        if (std::find(m_popups.begin(), m_popups.end(), window) == m_popups.end()) {
            m_popups.push_back(window);
        }
        if (!w->popupActive) {
            w->popupActive = true;
            w->client->OnActivate(true);
        }
        return;
    }
    w->minimisePending = false;
    switch (mode) {
        case ui::ShowMode::Hide:
            ForgetPopup(window);
            w->popupActive = false;
            widget->hide();
            break;
        case ui::ShowMode::Show:
            widget->setAttribute(Qt::WA_ShowWithoutActivating, false);
            if (widget->isMinimized()) {
                widget->showNormal();
            } else {
                widget->show();
            }
            widget->raise();
            widget->activateWindow();
            break;
        case ui::ShowMode::ShowNoActivate:
            widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
            widget->show();
            break;
        case ui::ShowMode::Minimize:
            // A window shown a moment ago is not yet the window manager's, which then ignores
            // the request: ask again until the window is on the screen.
            if (widget->isVisible() && widget->windowHandle() != nullptr &&
                !widget->windowHandle()->isExposed()) {
                w->minimisePending = true;
                QTimer::singleShot(kMinimiseRetryMs, widget, [this, window] {
                    Window* again = Find(window);
                    if (again != nullptr && again->minimisePending) ShowWindow(window, ui::ShowMode::Minimize);
                });
                break;
            }
            widget->showMinimized();
            break;
    }
}

bool QtHost::IsVisible(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr && w->widget->isVisible();
}

bool QtHost::IsMinimized(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr && w->widget->isMinimized();
}

bool QtHost::IsMaximized(ui::WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr && w->widget->isMaximized();
}

void QtHost::SetTopmost(ui::WindowHandle window, bool topmost) {
    Window* w = Find(window);
    if (w == nullptr || w->topmost == topmost) {
        return;
    }
    w->topmost = topmost;
    // Changing window flags hides the window; it comes back as it was.
    const bool visible = w->widget->isVisible();
    w->widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (visible) {
        w->widget->show();
    }
}

void QtHost::BringToFront(ui::WindowHandle window) {
    if (Window* w = Find(window)) {
        w->widget->raise();
        w->widget->activateWindow();
    }
}

void QtHost::SetOpacity(ui::WindowHandle window, double opacity) {
    if (Window* w = Find(window)) {
        w->widget->setWindowOpacity(std::clamp(opacity, 0.0, 1.0));
    }
}

void QtHost::InvalidateWindow(ui::WindowHandle window) {
    if (Window* w = Find(window)) {
        w->widget->update();
    }
}

void QtHost::InvalidateRect(ui::WindowHandle window, const ui::Rect& rect) {
    Window* w = Find(window);
    if (w != nullptr && !rect.IsEmpty()) {
        w->widget->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
    }
}

bool QtHost::SetTimer(ui::WindowHandle window, unsigned id, unsigned intervalMs) {
    Window* w = Find(window);
    if (w == nullptr) {
        return false;
    }
    QTimer*& timer = w->timers[id];
    if (timer == nullptr) {
        timer = new QTimer();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, [this, window, id] { FireTimer(window, id); });
    }
    timer->start(static_cast<int>(std::max(intervalMs, ui::kMinimumTimerMs)));
    return true;
}

bool QtHost::KillTimer(ui::WindowHandle window, unsigned id) {
    Window* w = Find(window);
    if (w == nullptr) {
        return false;
    }
    const auto found = w->timers.find(id);
    if (found == w->timers.end()) {
        return false;
    }
    found->second->stop();
    found->second->deleteLater();
    w->timers.erase(found);
    return true;
}

void QtHost::FireTimer(ui::WindowHandle window, unsigned id) {
    if (Window* w = Find(window)) {
        w->client->OnTimer(id);
    }
}

std::intptr_t QtHost::SendMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    Window* w = Find(window);
    return w != nullptr ? w->client->OnMessage(message, wParam, lParam) : 0;
}

bool QtHost::PostMessage(ui::WindowHandle window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) {
    // postEvent is safe from any thread; whether the window still exists is checked on arrival.
    QCoreApplication::postEvent(m_postReceiver.get(),
                                new PostedMessage(window, message, wParam, lParam));
    return true;
}

void QtHost::PostQuit() {
    QCoreApplication::postEvent(m_postReceiver.get(), new QEvent(kQuitEvent));
}

void QtHost::DeliverPosted(QEvent* event) {
    if (event->type() == kQuitEvent) {
        m_quitting = true;
        EndAllModalRuns();
        return;
    }
    const auto* posted = static_cast<const PostedMessage*>(event);
    if (Window* w = Find(posted->window)) {
        w->client->OnMessage(posted->message, posted->wParam, posted->lParam);
    }
}

void QtHost::EndAllModalRuns() {
    for (auto it = m_modalStack.rbegin(); it != m_modalStack.rend(); ++it) {
        if (Window* w = Find(*it); w != nullptr && w->loop != nullptr) {
            w->loop->exit(ui::kModalAbandoned);
        }
    }
}

int QtHost::RunModal(ui::WindowHandle window) {
    Window* w = Find(window);
    if (w == nullptr || m_quitting) {
        return ui::kModalAbandoned;
    }
    if (w->endCode) {
        const int code = *w->endCode;
        w->endCode.reset();
        return code;
    }
    // A window that held the capture would never see the release that gives it back.
    if (m_capture != ui::kNoWindow && m_capture != window) {
        TakeCaptureFrom(m_capture);
    }
    QEventLoop loop;
    w->loop = &loop;
    m_modalStack.push_back(window);
    const int code = loop.exec(QEventLoop::DialogExec);
    m_modalStack.erase(std::remove(m_modalStack.begin(), m_modalStack.end(), window),
                       m_modalStack.end());
    if (Window* after = Find(window)) {
        after->loop = nullptr;
        after->endCode.reset();
    }
    return code;
}

void QtHost::EndModal(ui::WindowHandle window, int code) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    if (w->loop != nullptr) {
        w->loop->exit(code);
    } else {
        w->endCode = code;
    }
}

void QtHost::SetCapture(ui::WindowHandle window) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    if (m_capture != ui::kNoWindow && m_capture != window) {
        TakeCaptureFrom(m_capture);
    }
    m_capture = window;
    // While a button is held Qt already sends every mouse event to the pressed window.
    if (QGuiApplication::mouseButtons() == Qt::NoButton && !m_grabbed) {
        w->widget->grabMouse();
        m_grabbed = true;
    }
}

void QtHost::ReleaseCapture() {
    if (m_grabbed) {
        if (Window* w = Find(m_capture)) {
            w->widget->releaseMouse();
        }
        m_grabbed = false;
    }
    m_capture = ui::kNoWindow;
}

void QtHost::TakeCaptureFrom(ui::WindowHandle window) {
    ReleaseCapture();
    if (Window* w = Find(window)) {
        w->client->OnCaptureLost();
    }
}

ui::WindowHandle QtHost::GetCapture() const {
    return m_capture;
}

bool QtHost::TrackMouse(ui::WindowHandle window, unsigned hoverMs) {
    Window* w = Find(window);
    if (w == nullptr) {
        return false;
    }
    w->trackLeave = true;
    w->trackHover = true;
    w->hoverMs = hoverMs;
    w->hoverTimer->start(static_cast<int>(hoverMs));
    return true;
}

void QtHost::FireHover(ui::WindowHandle window) {
    Window* w = Find(window);
    if (w == nullptr || !w->trackHover) {
        return;
    }
    const QPoint local = w->widget->mapFromGlobal(QCursor::pos());
    if (!w->widget->rect().contains(local)) {
        return;
    }
    w->trackHover = false;
    w->client->OnMouseHover(
        MouseFlags(QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers()),
        local.x(), local.y());
}

ui::Point QtHost::GetCursorPos() const {
    return ToPoint(QCursor::pos());
}

void QtHost::StartSystemMove(ui::WindowHandle window, ui::Point /*clientPoint*/) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    QWindow* native = w->widget->windowHandle();
    if (native != nullptr && native->startSystemMove()) {
        w->swallowRelease = true;
        return;
    }
    // No window manager that moves windows for us (or none at all): follow the mouse here.
    w->manualMove = true;
    w->moveOffset = QCursor::pos() - w->widget->pos();
}

ui::Rect QtHost::WorkArea() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return kDefaultWorkArea;
    }
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

int QtHost::LogicalDpi() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : kDefaultDpi;
}

void QtHost::Sleep(unsigned ms) {
    QThread::msleep(ms);
}

std::uint32_t QtHost::TickCount() const {
    return static_cast<std::uint32_t>(m_clock.elapsed());
}

void QtHost::PaintWindow(ui::WindowHandle window, const QRect& area) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    const QSize size = w->widget->size();
    if (w->surface.Width() != size.width() || w->surface.Height() != size.height()) {
        w->surface.Reset(size.width(), size.height());
    }
    w->client->OnPaint(w->surface, {area.left(), area.top(), area.left() + area.width(),
                                    area.top() + area.height()});
    // The client may have destroyed its window while painting.
    if (Find(window) == w && !w->surface.IsNull()) {
        QPainter painter(w->widget);
        painter.drawImage(area, w->surface.Image(), area);
    }
}

ui::WindowHandle QtHost::PopupTarget(QPoint screen) const {
    if (m_capture != ui::kNoWindow) {
        return m_capture;
    }
    for (auto it = m_popups.rbegin(); it != m_popups.rend(); ++it) {
        const Window* p = Find(*it);
        if (p != nullptr && p->widget->isVisible() && p->widget->geometry().contains(screen)) {
            return *it;
        }
    }
    return ui::kNoWindow;
}

void QtHost::PopupPointerOver(ui::WindowHandle window) {
    if (window == m_popupPointer) {
        return;
    }
    const ui::WindowHandle left = m_popupPointer;
    m_popupPointer = window;
    MouseLeft(left);
}

void QtHost::ForgetPopup(ui::WindowHandle window) {
    m_popups.erase(std::remove(m_popups.begin(), m_popups.end(), window), m_popups.end());
    if (m_popupPointer == window) {
        m_popupPointer = ui::kNoWindow;
    }
}

void QtHost::PopupClosed(ui::WindowHandle window) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    ForgetPopup(window);
    if (w->popupActive) {
        w->popupActive = false;
        w->client->OnActivate(false);
    }
}

void QtHost::MouseMoved(ui::WindowHandle window, unsigned flags, QPoint client, QPoint screen,
                        bool leftHeld) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    if (w->popup) {
        window = PopupTarget(screen);
        PopupPointerOver(window);
        w = Find(window);
        if (w == nullptr) {
            return;
        }
        client = w->widget->mapFromGlobal(screen);
    }
    if (w->manualMove) {
        if (leftHeld) {
            w->widget->move(screen - w->moveOffset);
            return;
        }
        w->manualMove = false;
    }
    if (w->trackHover) {
        w->hoverTimer->start(static_cast<int>(w->hoverMs));
    }
    w->client->OnMouseMove(flags, client.x(), client.y());
}

void QtHost::MousePressed(ui::WindowHandle window, int button, unsigned flags, QPoint client,
                          QPoint screen, std::uint64_t timeMs) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    if (w->popup) {
        const ui::WindowHandle target = PopupTarget(screen);
        if (target == ui::kNoWindow) {
            // Outside every popup: the topmost closes as Qt closes popups (which reports its
            // deactivation), and Qt hands the press on once no popup is left.
            if (!m_popups.empty()) {
                if (Window* top = Find(m_popups.back())) {
                    top->widget->close();
                }
            }
            return;
        }
        window = target;
        w = Find(window);
        client = w->widget->mapFromGlobal(screen);
    }
    if (button == Qt::LeftButton) {
        w->swallowRelease = false;
        w->manualMove = false;
        if (m_doubleClick.IsDoubleClick(window, ToPoint(screen), timeMs)) {
            w->client->OnLButtonDblClk(flags, client.x(), client.y());
        } else {
            w->client->OnLButtonDown(flags, client.x(), client.y());
        }
    } else {
        // Another button between two left presses breaks the pair.
        m_doubleClick.Reset();
    }
}

void QtHost::MouseReleased(ui::WindowHandle window, int button, unsigned flags, QPoint client,
                           QPoint screen) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    if (w->popup) {
        window = PopupTarget(screen);
        w = Find(window);
        if (w == nullptr) {
            return;
        }
        client = w->widget->mapFromGlobal(screen);
    }
    if (button == Qt::LeftButton) {
        if (w->manualMove) {
            w->manualMove = false;
            return;
        }
        if (w->swallowRelease) {
            w->swallowRelease = false;
            return;
        }
        w->client->OnLButtonUp(flags, client.x(), client.y());
    } else if (button == Qt::RightButton) {
        w->client->OnRButtonUp(flags, client.x(), client.y());
    }
}

void QtHost::MouseLeft(ui::WindowHandle window) {
    Window* w = Find(window);
    if (w == nullptr || !w->trackLeave) {
        return;
    }
    w->trackLeave = false;
    w->trackHover = false;
    w->hoverTimer->stop();
    w->client->OnMouseLeave();
}

void QtHost::Wheel(ui::WindowHandle window, unsigned flags, int delta, QPoint client,
                   QPoint screen) {
    Window* w = Find(window);
    if (w != nullptr && w->popup) {
        w = Find(PopupTarget(screen));
        if (w != nullptr) {
            client = w->widget->mapFromGlobal(screen);
        }
    }
    if (w != nullptr) {
        w->client->OnMouseWheel(flags, delta, client.x(), client.y());
    }
}

void QtHost::Key(ui::WindowHandle window, bool down, int virtualKey, bool autoRepeat) {
    Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    const ui::KeyEvent key{virtualKey, autoRepeat, TickCount()};
    if (down) {
        w->client->OnKeyDown(key);
    } else {
        w->client->OnKeyUp(key);
    }
}

void QtHost::Activated(ui::WindowHandle window, bool active) {
    // A popup's activation runs from its show to its close (PopupClosed), whatever Qt's focus
    // does meanwhile.
    if (Window* w = Find(window); w != nullptr && !w->popup) {
        w->client->OnActivate(active);
    }
}

void QtHost::CloseRequested(ui::WindowHandle window) {
    if (Window* w = Find(window)) {
        w->client->OnMessage(ui::kMsgClose, 0, 0);
    }
}

}  // namespace ostrel::platform
