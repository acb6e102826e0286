// The two hosts: virtual time and the modal runs of the headless host that every toolkit test
// relies on, and the Qt host's timers, messages, modal loops and windows (offscreen).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <Qt>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "headless_host.h"
#include "platform/qt/double_click_detector.h"
#include "platform/qt/qt_environment.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_key_map.h"
#include "ui/window_client.h"

namespace ostrel::testing {
namespace {

// A window client that writes down what reaches it.
class Journal : public ui::HostWindowClient {
public:
    explicit Journal(std::vector<std::string>& log, std::string name)
        : m_log(log), m_name(std::move(name)) {}

    void OnPaint(ui::Surface&, const ui::Rect&) override {}
    void OnTimer(unsigned id) override {
        m_log.push_back(m_name + " timer " + std::to_string(id));
        if (onTimer) {
            onTimer(id);
        }
    }
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t) override {
        m_log.push_back(m_name + " message " + std::to_string(message) + " " +
                        std::to_string(wParam));
        return static_cast<std::intptr_t>(message) + 1;
    }
    void OnWindowDestroyed() override { m_log.push_back(m_name + " destroyed"); }
    void OnActivate(bool active) override {
        if (recordActivation) {
            m_log.push_back(m_name + (active ? " active" : " inactive"));
        }
    }

    std::function<void(unsigned)> onTimer;
    bool recordActivation = false;

private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

TEST(HeadlessHostTime, TimersFireInOrderOfTimeThenOfSettingAndSleepFiresNothing) {
    HeadlessHost host;
    std::vector<std::string> log;
    Journal a(log, "a");
    Journal b(log, "b");
    const ui::WindowHandle wa = host.CreateWindow(a, {});
    const ui::WindowHandle wb = host.CreateWindow(b, {});
    host.SetTimer(wb, 30, 20);
    host.SetTimer(wa, 40, 20);
    host.SetTimer(wa, 70, 50);
    host.SetTimer(wb, 1, 0);  // raised to the minimum interval
    host.Sleep(60);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(host.SleepCount(), 1u);
    EXPECT_EQ(host.TickCount(), 60u);

    log.clear();
    a.onTimer = [&](unsigned id) {
        if (id == 70) {
            host.KillTimer(wa, 70);
        }
    };
    host.Advance(0);
    // Everything overdue fires once, earliest first, then in the order the timers were set.
    EXPECT_EQ(log,
              (std::vector<std::string>{"b timer 1", "b timer 30", "a timer 40", "a timer 70"}));
    log.clear();
    host.Advance(20);
    // At 70 the short timer alone; at 80 all three, in the order they were set.
    EXPECT_EQ(log,
              (std::vector<std::string>{"b timer 1", "b timer 30", "a timer 40", "b timer 1"}));
    EXPECT_FALSE(host.HasTimer(wa, 70));
    EXPECT_EQ(host.Now(), 80u);
}

TEST(HeadlessHostMessages, PostedFromAnotherThreadArriveInOrderAndSkipDestroyedWindows) {
    HeadlessHost host;
    std::vector<std::string> log;
    Journal a(log, "a");
    Journal gone(log, "gone");
    const ui::WindowHandle wa = host.CreateWindow(a, {});
    const ui::WindowHandle wg = host.CreateWindow(gone, {});
    std::thread poster([&] {
        for (unsigned i = 0; i < 3; ++i) {
            host.PostMessage(wa, 1067, i, 0);
            host.PostMessage(wg, 1067, i, 0);
        }
    });
    poster.join();
    host.DestroyWindow(wg);
    EXPECT_EQ(host.SendMessage(wa, 2000, 0, 0), 2001);
    host.DeliverPosted();
    EXPECT_EQ(log,
              (std::vector<std::string>{"gone destroyed", "a message 2000 0", "a message 1067 0",
                                        "a message 1067 1", "a message 1067 2"}));
}

TEST(HeadlessHostWindows, DestroyingAnOwnerDestroysWhatItOwnsFirst) {
    HeadlessHost host;
    std::vector<std::string> log;
    Journal owner(log, "owner");
    Journal popup(log, "popup");
    const ui::WindowHandle wo = host.CreateWindow(owner, {});
    const ui::WindowHandle wp = host.CreateWindow(popup, {ui::WindowKind::Popup, wo, false});
    host.DestroyWindow(wo);
    EXPECT_FALSE(host.IsWindow(wp));
    EXPECT_EQ(log, (std::vector<std::string>{"popup destroyed", "owner destroyed"}));
}

TEST(HeadlessHostModal, QuitEndsEveryModalRun) {
    HeadlessHost host;
    std::vector<std::string> log;
    Journal outer(log, "outer");
    Journal inner(log, "inner");
    const ui::WindowHandle wo = host.CreateWindow(outer, {ui::WindowKind::Dialog, 0, true});
    const ui::WindowHandle wi = host.CreateWindow(inner, {ui::WindowKind::Dialog, wo, true});
    int innerCode = 0;
    host.SetModalHandler([&](HeadlessHost& h, ui::WindowHandle w) {
        if (w == wo) {
            innerCode = h.RunModal(wi);
        } else {
            h.PostQuit();
            h.DeliverPosted();
        }
    });
    EXPECT_EQ(host.RunModal(wo), ui::kModalAbandoned);
    EXPECT_EQ(innerCode, ui::kModalAbandoned);
    EXPECT_TRUE(host.Failures().empty());
}

// The Qt host, on the offscreen platform of the test program.
class QtHostTest : public ::testing::Test {
protected:
    platform::QtHost m_host;
    std::vector<std::string> m_log;
};

TEST_F(QtHostTest, AModalRunEndsWithTheCodeGivenByItsTimer) {
    Journal dialog(m_log, "dialog");
    const ui::WindowHandle w = m_host.CreateWindow(dialog, {ui::WindowKind::Dialog, 0, true});
    m_host.ResizeWindow(w, {100, 80});
    m_host.ShowWindow(w, ui::ShowMode::Show);
    int ticks = 0;
    dialog.onTimer = [&](unsigned) {
        if (++ticks == 3) {
            m_host.KillTimer(w, 5);
            m_host.EndModal(w, 42);
        }
    };
    ASSERT_TRUE(m_host.SetTimer(w, 5, 10));
    EXPECT_EQ(m_host.RunModal(w), 42);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(m_host.GetWindowRect(w).Width(), 100);

    // Ended before it ran: the run returns at once.
    m_host.EndModal(w, 7);
    EXPECT_EQ(m_host.RunModal(w), 7);
    m_host.DestroyWindow(w);
    EXPECT_FALSE(m_host.IsWindow(w));
    EXPECT_EQ(m_log.back(), "dialog destroyed");
}

TEST_F(QtHostTest, MessagesPostedFromAWorkerThreadArriveDuringAModalRun) {
    Journal dialog(m_log, "dialog");
    const ui::WindowHandle w = m_host.CreateWindow(dialog, {ui::WindowKind::Dialog, 0, true});
    std::thread worker([&] {
        m_host.PostMessage(w, 1067, 1, 0);
        m_host.PostMessage(w, 1067, 2, 0);
    });
    worker.join();
    // A timer ends the run once the messages had their turn.
    dialog.onTimer = [&](unsigned) { m_host.EndModal(w, 1); };
    m_host.SetTimer(w, 9, 20);
    EXPECT_EQ(m_host.RunModal(w), 1);
    ASSERT_GE(m_log.size(), 2u);
    EXPECT_EQ(m_log[0], "dialog message 1067 1");
    EXPECT_EQ(m_log[1], "dialog message 1067 2");
    m_host.DestroyWindow(w);
}

TEST_F(QtHostTest, QuitEndsNestedRunsAndDestroyingAnOwnerTakesItsPopups) {
    Journal outer(m_log, "outer");
    Journal inner(m_log, "inner");
    Journal popup(m_log, "popup");
    const ui::WindowHandle wo = m_host.CreateWindow(outer, {ui::WindowKind::Dialog, 0, true});
    const ui::WindowHandle wi = m_host.CreateWindow(inner, {ui::WindowKind::Dialog, wo, true});
    const ui::WindowHandle wp = m_host.CreateWindow(popup, {ui::WindowKind::Popup, wo, false});
    int innerCode = 0;
    outer.onTimer = [&](unsigned) {
        m_host.KillTimer(wo, 1);
        inner.onTimer = [&](unsigned) { m_host.PostQuit(); };
        m_host.SetTimer(wi, 2, 10);
        innerCode = m_host.RunModal(wi);
    };
    m_host.SetTimer(wo, 1, 10);
    EXPECT_EQ(m_host.RunModal(wo), ui::kModalAbandoned);
    EXPECT_EQ(innerCode, ui::kModalAbandoned);

    m_host.DestroyWindow(wo);
    EXPECT_FALSE(m_host.IsWindow(wi));
    EXPECT_FALSE(m_host.IsWindow(wp));
    EXPECT_EQ(m_host.SendMessage(wp, 1500, 0, 0), 0);
}

TEST_F(QtHostTest, APopupIsActiveFromItsShowUntilQtClosesIt) {
    Journal owner(m_log, "owner");
    Journal popup(m_log, "popup");
    popup.recordActivation = true;
    const ui::WindowHandle wo = m_host.CreateWindow(owner, {});
    const ui::WindowHandle wp = m_host.CreateWindow(popup, {ui::WindowKind::Popup, wo, false});
    m_host.ResizeWindow(wo, {200, 100});
    m_host.ShowWindow(wo, ui::ShowMode::Show);
    m_host.ResizeWindow(wp, {50, 40});
    m_host.MoveWindow(wp, {30, 30});
    m_host.ShowWindow(wp, ui::ShowMode::Show);
    EXPECT_TRUE(m_host.IsVisible(wp));
    EXPECT_EQ(m_host.Widget(wp)->windowType(), Qt::Popup);
    EXPECT_EQ(m_host.Widget(wp)->parentWidget(), m_host.Widget(wo));
    // Qt closes a popup on a press outside it, or when the program loses the focus.
    m_host.Widget(wp)->close();
    EXPECT_FALSE(m_host.IsVisible(wp));
    EXPECT_TRUE(m_host.IsWindow(wp));
    // Hiding or destroying it from the program reports nothing more.
    m_host.ShowWindow(wp, ui::ShowMode::Show);
    m_host.ShowWindow(wp, ui::ShowMode::Hide);
    m_host.DestroyWindow(wo);
    EXPECT_EQ(m_log, (std::vector<std::string>{"popup active", "popup inactive", "popup active",
                                               "popup destroyed", "owner destroyed"}));
}

// A window client that notes the mouse events that reach it.
class MouseJournal : public Journal {
public:
    using Journal::Journal;
    void OnMouseMove(unsigned, int x, int y) override { Note("move", x, y); }
    void OnLButtonDown(unsigned, int x, int y) override { Note("down", x, y); }
    void OnLButtonUp(unsigned, int x, int y) override { Note("up", x, y); }

    std::vector<std::string> events;

private:
    void Note(const char* what, int x, int y) {
        events.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

TEST_F(QtHostTest, WhileMenusAreOpenTheMouseGoesToThePopupUnderItAndAPressOutsideClosesTheTop) {
    Journal owner(m_log, "owner");
    MouseJournal menu(m_log, "menu");
    MouseJournal sub(m_log, "sub");
    menu.recordActivation = true;
    sub.recordActivation = true;
    const ui::WindowHandle wo = m_host.CreateWindow(owner, {});
    const ui::WindowHandle wm = m_host.CreateWindow(menu, {ui::WindowKind::Popup, wo, false});
    const ui::WindowHandle ws = m_host.CreateWindow(sub, {ui::WindowKind::Popup, wo, false});
    m_host.ResizeWindow(wo, {400, 300});
    m_host.ShowWindow(wo, ui::ShowMode::Show);
    m_host.ResizeWindow(wm, {100, 80});
    m_host.MoveWindow(wm, {100, 100});
    m_host.ShowWindow(wm, ui::ShowMode::Show);
    m_host.ResizeWindow(ws, {100, 60});
    m_host.MoveWindow(ws, {200, 150});
    m_host.ShowWindow(ws, ui::ShowMode::Show);
    EXPECT_EQ(m_log, (std::vector<std::string>{"menu active", "sub active"}));

    // Qt hands every event to the topmost popup; the host finds the popup under the pointer.
    QWidget* top = m_host.Widget(ws);
    const auto send = [&](QEvent::Type type, QPoint global) {
        const QPointF local = top->mapFromGlobal(QPointF(global));
        QMouseEvent event(type, local, local, QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(top, &event);
    };
    send(QEvent::MouseMove, {130, 120});
    send(QEvent::MouseMove, {210, 160});
    send(QEvent::MouseButtonPress, {150, 110});
    send(QEvent::MouseButtonRelease, {150, 110});
    EXPECT_EQ(menu.events, (std::vector<std::string>{"move 30,20", "down 50,10", "up 50,10"}));
    EXPECT_EQ(sub.events, (std::vector<std::string>{"move 10,10"}));

    // Outside both: the sub-menu closes and tells its client; the menu stays open.
    send(QEvent::MouseButtonPress, {20, 20});
    EXPECT_FALSE(m_host.IsVisible(ws));
    EXPECT_TRUE(m_host.IsVisible(wm));
    EXPECT_EQ(m_log, (std::vector<std::string>{"menu active", "sub active", "sub inactive"}));
    m_host.DestroyWindow(wo);
}

TEST(DoubleClickDetector, PairsOnlyQuickNearPressesOnOneWindow) {
    struct Case {
        const char* name;
        ui::WindowHandle window;
        ui::Point point;
        std::uint64_t time;
        bool pairs;
    };
    const Case cases[] = {
        {"second press soon and near", 1, {103, 98}, 300, true},
        {"too late", 1, {100, 100}, 501, false},
        {"too far", 1, {106, 100}, 100, false},
        {"another window", 2, {100, 100}, 100, false},
    };
    for (const Case& c : cases) {
        platform::DoubleClickDetector detector(400, 5);
        EXPECT_FALSE(detector.IsDoubleClick(1, {100, 100}, 100)) << c.name;
        EXPECT_EQ(detector.IsDoubleClick(c.window, c.point, c.time), c.pairs) << c.name;
    }
    // A third quick press starts a new pair.
    platform::DoubleClickDetector detector(400, 5);
    EXPECT_FALSE(detector.IsDoubleClick(1, {0, 0}, 0));
    EXPECT_TRUE(detector.IsDoubleClick(1, {0, 0}, 10));
    EXPECT_FALSE(detector.IsDoubleClick(1, {0, 0}, 20));
}

TEST(QtKeyMap, KeysBecomeTheSystemsVirtualKeyCodes) {
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_Return, 0, 0), 0x0D);
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_Escape, 0, 0), 0x1B);
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_Q, 0, 0), 'Q');
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_F12, 0, 0), 0x7B);
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_5, Qt::KeypadModifier, 0), 0x65);
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_Exclam, Qt::ShiftModifier, 0), '1');
    // Left and right modifiers stay apart by their key symbol.
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_Shift, 0, 0xFFE1), 0xA0);
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_Control, 0, 0xFFE4), 0xA3);
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_Shift, 0, 0), 0x10);
    EXPECT_EQ(platform::VirtualKeyFromQt(Qt::Key_unknown, 0, 0), 0);
}

TEST(QtEnvironment, WaylandSessionsRunOnXcbUnlessThePlatformWasChosen) {
    const QByteArray saved = qgetenv("QT_QPA_PLATFORM");
    struct Case {
        const char* name;
        const char* sessionType;
        const char* platform;  // nullptr: not set
        std::vector<const char*> arguments;
        QByteArray expected;
    };
    const std::vector<Case> cases = {
        {"wayland session", "wayland", nullptr, {"ostrel"}, "xcb;wayland"},
        {"x11 session", "x11", nullptr, {"ostrel"}, ""},
        {"platform variable set", "wayland", "wayland", {"ostrel"}, "wayland"},
        {"platform argument", "wayland", nullptr, {"ostrel", "-platform", "wayland"}, ""},
    };
    for (const Case& c : cases) {
        qputenv("XDG_SESSION_TYPE", c.sessionType);
        qunsetenv("WAYLAND_DISPLAY");
        if (c.platform != nullptr) {
            qputenv("QT_QPA_PLATFORM", c.platform);
        } else {
            qunsetenv("QT_QPA_PLATFORM");
        }
        qputenv("QT_SCALE_FACTOR", "2");
        std::vector<char*> argv;
        for (const char* a : c.arguments) {
            argv.push_back(const_cast<char*>(a));
        }
        platform::PrepareQtEnvironment(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), c.expected) << c.name;
        EXPECT_EQ(qgetenv("QT_ENABLE_HIGHDPI_SCALING"), "0") << c.name;
        EXPECT_FALSE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) << c.name;
    }
    qputenv("QT_QPA_PLATFORM", saved);
    qunsetenv("XDG_SESSION_TYPE");
}

}  // namespace
}  // namespace ostrel::testing
