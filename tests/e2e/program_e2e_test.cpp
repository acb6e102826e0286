// The real program under Xvfb on the virtual mouse: its window, hiding with and without a tray,
// the single instance, the ways it ends with nothing pending lost, the device-missing notice and
// what reaches the mouse at start. Each run has its own X server, home, data and runtime folders.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QString>
#include <QThread>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/main_window_layout.h"
#include "app/ostrel_dlg.h"
#include "app/shell_services.h"
#include "device/virtual_mouse.h"
#include "headless_host.h"
#include "profile/profile_file.h"
#include "profile/settings_table.h"
#include "profile/text_file.h"
#include "ui/toolkit_globals.h"
#include "x_session.h"

namespace ostrel::testing {
namespace {

namespace fs = std::filesystem;

const QString kProgram = OSTREL_PROGRAM_BINARY;
const fs::path kProgramFolder = OSTREL_PROGRAM_FOLDER;
constexpr int kMainWidth = 1127;
constexpr int kMainHeight = 740;

class NoShell : public app::ShellServices {
public:
    bool TrayAvailable() const override { return false; }
    void AddTrayIcon(ui::WindowHandle, const std::u16string&) override {}
    void RemoveTrayIcon() override {}
    void ShowTrayMenu(ui::WindowHandle, const std::u16string&, const std::u16string&) override {}
};

// The main window as the headless host paints it on a 1280 × 800 screen.
QImage RenderMainWindowHeadless() {
    HeadlessHost host;
    ui::ResetToolkitGlobals();
    ui::SetProgramFolder(kProgramFolder);
    ui::SetCurrentHost(&host);
    host.SetWorkArea({0, 0, 1280, 800});
    TempFolder data;
    VirtualMouse mouse([&host] { return host.TickCount(); });
    NoShell shell;
    QImage picture;
    {
        app::COstrelDlg dialog({mouse, shell, data.Path(), "en_GB.UTF-8", {}});
        host.SetModalHandler([&](HeadlessHost&, ui::WindowHandle window) {
            picture = host.Render(window).convertToFormat(QImage::Format_RGB32);
            dialog.Exit();
        });
        dialog.DoModal();
    }
    ui::SetCurrentHost(nullptr);
    ui::ResetToolkitGlobals();
    return picture;
}

std::optional<Geometry> MainWindow(XSession& session, bool onlyVisible = true) {
    for (const Geometry& window : FindWindows(session, "^Tessel-12 Gaming mouse$", onlyVisible)) {
        if (window.width == kMainWidth && window.height == kMainHeight) return window;
    }
    return std::nullopt;
}

// Whether the window exists but is neither mapped nor visible (xdotool finds all windows by name).
bool IsIconic(XSession& session, const QString& window) {
    return session.Run("xprop", {"-id", window, "WM_STATE"}).output.contains("Iconic");
}

void ClickControl(XSession& session, const Geometry& window, int id) {
    const app::ControlPlace* place = app::FindControlPlace(id);
    ASSERT_NE(place, nullptr);
    const int x = window.x + (place->rect.left + place->rect.right) / 2;
    const int y = window.y + (place->rect.top + place->rect.bottom) / 2;
    session.Run("xdotool", {"mousemove", QString::number(x), QString::number(y)});
    QThread::msleep(200);
    session.Run("xdotool", {"click", "1"});
}

class ProgramTest : public ::testing::Test {
protected:
    fs::path DataFolder() const { return m_session.Home() / ".local/share/QuenbyData20231103B"; }
    fs::path FrameLog() const { return m_session.Home() / "frames.log"; }

    QProcess* Start(const QStringList& arguments) { return m_session.StartProgram(kProgram, arguments); }

    QProcess* StartOnVirtualMouse(const std::string& script = {}) {
        QStringList arguments = {"--virtual-mouse", "--frame-log", QString::fromStdString(FrameLog().string())};
        if (!script.empty()) {
            const fs::path file = m_session.Home() / "mouse-script.txt";
            std::ofstream(file) << script;
            arguments << "--virtual-mouse-script" << QString::fromStdString(file.string());
        }
        return Start(arguments);
    }

    std::optional<Geometry> WaitForMainWindow() {
        std::optional<Geometry> window;
        XSession::WaitFor([&] { return (window = MainWindow(m_session)).has_value(); }, kStartTimeoutMs);
        return window;
    }

    void WriteSettings(const char16_t* needPassword) {
        fs::create_directories(DataFolder() / "config");
        AppSettingsTable table = DefaultAppSettings(DataFolder());
        At(table, AppSetting::NeedPassword).value = needPassword;
        std::vector<std::u16string> lines = {u"[Setting]"};
        for (const SettingEntry& entry : table) lines.push_back(entry.key + u"=" + entry.value);
        ASSERT_TRUE(WriteTextFile(DataFolder() / "config" / "config.ini", lines));
    }

    uint8_t SavedLevelPosition() {
        auto lines = ReadTextFile(DataFolder() / "config" / "default0.psf");
        if (!lines) return 0xFF;
        auto record = ParseProfileFile(*lines);
        return record ? record->CurrentDPILevelValue : 0xFF;
    }

    XSession m_session;
};

TEST_F(ProgramTest, WindowMatchesTheHeadlessPictureAndOnlyStatusQueriesGoOut) {
    ASSERT_EQ(m_session.Start(true), "");
    m_session.Run("xdotool", {"mousemove", "1", "1"});
    const QImage expected = RenderMainWindowHeadless();
    ASSERT_EQ(expected.size(), QSize(kMainWidth, kMainHeight));
    QProcess* program = StartOnVirtualMouse();
    ASSERT_NE(program, nullptr);
    const std::optional<Geometry> window = WaitForMainWindow();
    ASSERT_TRUE(window.has_value()) << "the main window did not show";
    EXPECT_EQ(window->x, (1280 - kMainWidth) / 2);
    EXPECT_EQ(window->y, (800 - kMainHeight) / 2);
    QImage screen;
    EXPECT_TRUE(XSession::WaitFor([&] {
        screen = m_session.Screenshot();
        return DifferingPixels(screen, expected, window->x, window->y) == 0;
    })) << DifferingPixels(screen, expected, window->x, window->y) << " pixels differ";
    Keep(screen, "program_shown.png");

    QThread::msleep(2500);
    std::ifstream log(FrameLog());
    int frames = 0;
    for (std::string line; std::getline(log, line); ++frames) {
        const size_t hex = line.find(' ');
        ASSERT_NE(hex, std::string::npos) << line;
        EXPECT_EQ(line.substr(hex + 1 + 4, 2), "20") << "only status queries at start: " << line;
    }
    EXPECT_GE(frames, 1);
}

TEST_F(ProgramTest, WithATrayTheMinimiseButtonHidesAndASecondStartBringsItBack) {
    ASSERT_EQ(m_session.Start(true, true), "");
    QProcess* first = StartOnVirtualMouse();
    ASSERT_NE(first, nullptr);
    std::optional<Geometry> window = WaitForMainWindow();
    ASSERT_TRUE(window.has_value());
    ClickControl(m_session, *window, app::kIdMinimise);
    EXPECT_TRUE(XSession::WaitFor([&] { return !MainWindow(m_session).has_value(); })) << "still mapped";
    EXPECT_FALSE(IsIconic(m_session, window->window)) << "hidden, not minimised";

    QProcess* second = StartOnVirtualMouse();
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(second->waitForFinished(kSettleTimeoutMs));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_TRUE(WaitForMainWindow().has_value()) << "the first instance did not come back";
}

TEST_F(ProgramTest, WithoutATrayMinimiseKeepsItInTheTaskBarAndCloseEndsWithTheSave) {
    ASSERT_EQ(m_session.Start(true, false), "");
    // The mouse's DPI button moves the level to the third position half a second in.
    QProcess* program = StartOnVirtualMouse("500 dpi-button\n");
    ASSERT_NE(program, nullptr);
    std::optional<Geometry> window = WaitForMainWindow();
    ASSERT_TRUE(window.has_value());
    ClickControl(m_session, *window, app::kIdMinimise);
    EXPECT_TRUE(XSession::WaitFor([&] { return IsIconic(m_session, window->window); })) << "not minimised";

    m_session.Run("xdotool", {"windowactivate", "--sync", window->window});
    ASSERT_TRUE(XSession::WaitFor([&] { return MainWindow(m_session).has_value(); }));
    QThread::msleep(800);
    ClickControl(m_session, *window, app::kIdExit);
    ASSERT_TRUE(program->waitForFinished(kSettleTimeoutMs)) << "the close button did not end it";
    EXPECT_EQ(program->exitCode(), 0);
    EXPECT_EQ(SavedLevelPosition(), 2);
}

TEST_F(ProgramTest, TerminationWritesTheChangeTheMouseMade) {
    ASSERT_EQ(m_session.Start(true), "");
    QProcess* program = StartOnVirtualMouse("300 dpi-button\n");
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(WaitForMainWindow().has_value());
    QThread::msleep(1500);
    EXPECT_NE(SavedLevelPosition(), 2) << "saved before the ten seconds passed";
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(program->waitForFinished(kSettleTimeoutMs));
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(SavedLevelPosition(), 2);
}

TEST_F(ProgramTest, WithoutADeviceTheNoticeComesAfterTwoSeconds) {
    ASSERT_EQ(m_session.Start(true), "");
    WriteSettings(u"1");
    // No virtual mouse: the real devices, of which this machine has none.
    QProcess* program = Start({});
    ASSERT_NE(program, nullptr);
    auto notices = [&] {
        int found = 0;
        for (const Geometry& window : FindWindows(m_session, "^Tessel-12 Gaming mouse$")) {
            found += window.width == 319 && window.height == 102;
        }
        return found;
    };
    QThread::msleep(1200);
    EXPECT_EQ(notices(), 0) << "too early";
    EXPECT_TRUE(XSession::WaitFor([&] { return notices() == 1; }, 4000)) << "no notice";
    // Without a tray the main window waits minimised in the task bar for the mouse.
    EXPECT_FALSE(MainWindow(m_session).has_value());
    const std::optional<Geometry> window = MainWindow(m_session, false);
    ASSERT_TRUE(window.has_value());
    EXPECT_TRUE(IsIconic(m_session, window->window));
}

}  // namespace
}  // namespace ostrel::testing
