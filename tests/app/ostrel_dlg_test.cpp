// The main window on the headless host with virtual time and the virtual mouse: start-up order,
// timers, tray, wake-up and the ways the program ends.
#include "app/ostrel_dlg.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <functional>

#include "app/main_window_layout.h"
#include "app/shell_services.h"
#include "device/virtual_mouse.h"
#include "profile/profile_file.h"
#include "profile/settings_table.h"
#include "profile/text_file.h"
#include "ui/skin_resources.h"
#include "ui_test_fixture.h"

namespace ostrel::app {
namespace {

namespace fs = std::filesystem;
using testing::HeadlessHost;

class RecordingShell : public ShellServices {
public:
    bool tray = true;
    int trayIcons = 0;
    int menus = 0;
    std::u16string menuShow, menuExit;

    bool TrayAvailable() const override { return tray; }
    void AddTrayIcon(ui::WindowHandle, const std::u16string&) override { ++trayIcons; }
    void RemoveTrayIcon() override { trayIcons = 0; }
    void ShowTrayMenu(ui::WindowHandle, const std::u16string& show, const std::u16string& exit) override {
        ++menus;
        menuShow = show;
        menuExit = exit;
    }
};

VirtualMouse::Options Products(bool wired, bool receiver) {
    VirtualMouse::Options options;
    options.wired = wired;
    options.receiver = receiver;
    return options;
}

class MainWindowTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_host.SetWorkArea({0, 0, 1920, 1080});
        // The installed language files, which the first start copies into the data folder.
        fs::copy(OSTREL_LANG_DIR, m_folder.Path() / "lang", fs::copy_options::recursive);
    }

    // Runs the main window; `during` drives it inside its modal run and must end it (or let it
    // end itself). Returns the dialog's code.
    int Run(const std::function<void(COstrelDlg&)>& during, VirtualMouse::Options devices = Products(true, false)) {
        mouse = std::make_unique<VirtualMouse>([this] { return m_host.TickCount(); }, devices);
        dialog = std::make_unique<COstrelDlg>(COstrelDlg::Setup{*mouse, shell, m_data.Path(), "en_GB.UTF-8",
                                                                [this](ui::WindowHandle window) {
                                                                    mouse->SetHotplugListener([window](VirtualMouse::Hotplug event) {
                                                                        ui::CurrentHost().PostMessage(
                                                                            window, kMessageDeviceChange,
                                                                            event == VirtualMouse::Hotplug::Arrival ? kDeviceArrival
                                                                                                                    : kDeviceRemoveComplete,
                                                                            0);
                                                                    });
                                                                }});
        m_host.SetModalHandler([&](HeadlessHost&, ui::WindowHandle window) {
            if (window == dialog->Handle()) {
                during(*dialog);
            } else {
                m_host.EndModal(window, ui::kIdOk);  // the progress dialog and message boxes
            }
        });
        return dialog->DoModal();
    }

    void WriteNeedPassword(const char16_t* value) {
        fs::create_directories(m_data.Path() / "config");
        AppSettingsTable table = DefaultAppSettings(m_data.Path());
        At(table, AppSetting::NeedPassword).value = value;
        std::vector<std::u16string> lines = {u"[Setting]"};
        for (const SettingEntry& entry : table) lines.push_back(entry.key + u"=" + entry.value);
        ASSERT_TRUE(WriteTextFile(m_data.Path() / "config" / "config.ini", lines));
    }

    std::vector<uint8_t> Commands() {
        std::vector<uint8_t> commands;
        for (const ReceivedFrame& frame : mouse->Frames()) commands.push_back(frame.bytes[kFrameCommand]);
        return commands;
    }

    ui::Point CentreOf(int id) {
        const ControlPlace* place = FindControlPlace(id);
        return {(place->rect.left + place->rect.right) / 2, (place->rect.top + place->rect.bottom) / 2};
    }

    testing::TempFolder m_data;
    RecordingShell shell;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<COstrelDlg> dialog;
};

TEST_F(MainWindowTest, FirstStartLoadsEverythingAndOnlyAsksTheMouseItsStatus) {
    const int code = Run([&](COstrelDlg& window) {
        const ui::Rect rect = m_host.GetWindowRect(window.Handle());
        EXPECT_EQ(rect.Width(), 1127);
        EXPECT_EQ(rect.Height(), 740);
        EXPECT_EQ(rect.left, (1920 - 1127) / 2);
        EXPECT_EQ(rect.top, (1080 - 740) / 2);
        // NeedPassword starts it minimised; the mouse's status answer shows it.
        EXPECT_TRUE(m_host.IsVisible(window.Handle()));
        EXPECT_FALSE(m_host.IsMinimized(window.Handle()));
        EXPECT_TRUE(window.Link().windowActive);
        EXPECT_TRUE(window.Link().wiredHandle.IsOpen());
        EXPECT_EQ(shell.trayIcons, 1);
        EXPECT_EQ(window.Language().Text(0), u"English");
        m_host.Advance(5000);
        window.Exit();
    });
    EXPECT_EQ(code, ui::kIdOk);
    for (const char* file : {"config.ini", "default0.psf", "default4.psf", "Lan.txt", "Lan_EN.txt", "LanSetting.ini"}) {
        EXPECT_TRUE(fs::exists(m_data.Path() / "config" / file)) << file;
    }
    EXPECT_EQ(Commands(), std::vector<uint8_t>{kCommandStatus});
    EXPECT_TRUE(mouse->Violations().empty());
    EXPECT_EQ(shell.trayIcons, 0) << "the tray icon goes with the window";
}

TEST_F(MainWindowTest, UiScaleFollowsTheWorkArea) {
    const std::pair<ui::Rect, int> cases[] = {
        {{0, 0, 2560, 1440}, 1690}, {{0, 0, 1920, 1080}, 1127}, {{0, 0, 3840, 2160}, 2254}};
    for (const auto& [area, width] : cases) {
        m_host.SetWorkArea(area);
        Run([&](COstrelDlg& window) {
            EXPECT_EQ(m_host.GetWindowRect(window.Handle()).Width(), width);
            window.Exit();
        });
    }
}

TEST_F(MainWindowTest, TheWholePictureIsStretchedAtScaleTwo) {
    m_host.SetWorkArea({0, 0, 3840, 2160});
    QImage picture;
    Run([&](COstrelDlg& window) {
        picture = m_host.Render(window.Handle());
        window.Exit();
    });
    const QImage design(QString::fromStdString(ui::ResourcePath(ui::kResourceMainWindowPicture, ui::ResourceKind::Bitmap)));
    ASSERT_EQ(design.size(), QSize(1127, 740));
    ASSERT_EQ(picture.size(), QSize(2254, 1480));
    // Points no control covers, across the window: each shows its design pixel, doubled.
    for (const QPoint point : {QPoint(1100, 700), QPoint(40, 730), QPoint(700, 20), QPoint(1120, 400)}) {
        EXPECT_EQ(picture.pixel(2 * point.x(), 2 * point.y()) & 0xFFFFFF, design.pixel(point) & 0xFFFFFF)
            << point.x() << "," << point.y();
        EXPECT_EQ(picture.pixel(2 * point.x() + 1, 2 * point.y() + 1) & 0xFFFFFF, design.pixel(point) & 0xFFFFFF);
    }
}

TEST_F(MainWindowTest, NoDeviceShowsTheNoticeAfterTwoSeconds) {
    WriteNeedPassword(u"1");
    Run(
        [&](COstrelDlg& window) {
            m_host.Advance(150);
            EXPECT_FALSE(m_host.IsVisible(window.Handle())) << "hidden into the tray";
            auto windowsMade = [&] {
                return std::count_if(m_host.Log().begin(), m_host.Log().end(),
                                     [](const std::string& line) { return line.rfind("create ", 0) == 0; });
            };
            const auto before = windowsMade();
            m_host.Advance(1800);
            EXPECT_EQ(windowsMade(), before);
            m_host.Advance(100);
            EXPECT_EQ(windowsMade(), before + 1) << "the device-missing notice";
            window.Exit();
        },
        Products(false, false));
}

TEST_F(MainWindowTest, HideButtonsUseTheTrayOrTheTaskBar) {
    WriteNeedPassword(u"0");
    Run([&](COstrelDlg& window) {
        const ui::Point minimise = CentreOf(kIdMinimise);
        m_host.Click(window.Handle(), minimise.x, minimise.y);
        EXPECT_FALSE(m_host.IsVisible(window.Handle()));
        m_host.SendMessage(window.Handle(), kMessageWakeUp, 0, 0);
        EXPECT_TRUE(m_host.IsVisible(window.Handle()));
        window.Exit();
    });
    shell.tray = false;
    const int code = Run([&](COstrelDlg& window) {
        const ui::Point minimise = CentreOf(kIdMinimise);
        m_host.Click(window.Handle(), minimise.x, minimise.y);
        EXPECT_TRUE(m_host.IsMinimized(window.Handle()));
        EXPECT_TRUE(m_host.IsVisible(window.Handle()));
        // Without a tray the close button ends the program.
        m_host.ShowWindow(window.Handle(), ui::ShowMode::Show);
        const ui::Point exit = CentreOf(kIdExit);
        m_host.Click(window.Handle(), exit.x, exit.y);
    });
    EXPECT_EQ(code, ui::kIdOk);
}

TEST_F(MainWindowTest, TrayEventsWakeAndOfferTheMenu) {
    WriteNeedPassword(u"0");
    Run([&](COstrelDlg& window) {
        m_host.ShowWindow(window.Handle(), ui::ShowMode::Hide);
        m_host.SendMessage(window.Handle(), kMessageTrayCallback, 7, kTrayDoubleClick);
        EXPECT_FALSE(m_host.IsVisible(window.Handle())) << "another tray id is ignored";
        m_host.SendMessage(window.Handle(), kMessageTrayCallback, kTrayIconId, kTrayDoubleClick);
        EXPECT_TRUE(m_host.IsVisible(window.Handle()));
        m_host.SendMessage(window.Handle(), kMessageTrayCallback, kTrayIconId, kTrayRightButtonUp);
        EXPECT_EQ(shell.menus, 1);
        EXPECT_EQ(shell.menuShow, window.Language().Text(kTextTrayShow));
        EXPECT_EQ(shell.menuExit, window.Language().Text(kTextTrayExit));
        m_host.SendMessage(window.Handle(), kMessageCommand, kCommandTrayExit, 0);
    });
}

TEST_F(MainWindowTest, WakeUpAsksTheMouseWhenItIsNotKnownOnline) {
    Run([&](COstrelDlg& window) {
        mouse->ClearFrames();
        window.Link().mouseOnline = false;
        m_host.SendMessage(window.Handle(), kMessageWakeUp, 0, 0);
        EXPECT_EQ(Commands(), std::vector<uint8_t>{kCommandStatus});
        window.Exit();
    });
}

TEST_F(MainWindowTest, ExitWritesThePendingSave) {
    Run([&](COstrelDlg& window) {
        At(window.Config().CurrentRecord().settings, ProfileSetting::ProfileName).value = u"kept at exit";
        window.Engine().RequestFlush(kChangeDeviceSettings);
        m_host.Advance(kFlushDelayMs);
        ASSERT_TRUE(window.Engine().savePending);
        m_host.SendMessage(window.Handle(), kMessageCommand, kCommandTrayExit, 0);
    });
    auto lines = ReadTextFile(m_data.Path() / "config" / "default0.psf");
    ASSERT_TRUE(lines);
    EXPECT_EQ(ParseProfileFile(*lines)->settings[0].value, u"kept at exit");
}

TEST_F(MainWindowTest, RemovalOfTheLastDeviceEndsTheProgram) {
    const int code = Run([&](COstrelDlg& window) {
        ASSERT_TRUE(window.Discovery().Connected());
        mouse->Unplug(kProductWired);
        m_host.Advance(10);  // the posted device change
    });
    EXPECT_EQ(code, ui::kIdOk);
}

}  // namespace
}  // namespace ostrel::app
