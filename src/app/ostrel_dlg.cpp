#include "app/ostrel_dlg.h"

#include "app/main_window_layout.h"
#include "app/shell_services.h"
#include "app/startup_values.h"
#include "base/number_text.h"
#include "macro/macro_library_file.h"
#include "profile/settings_table.h"
#include "ui/attention_dlg.h"
#include "ui/host.h"
#include "ui/image_button.h"
#include "ui/open_dialog_list.h"
#include "ui/progress_bar_dlg.h"
#include "ui/skin_painter.h"
#include "ui/skin_resources.h"
#include "ui/toolkit_globals.h"

namespace ostrel::app {
namespace {

constexpr int kEventClick = 2;
constexpr const char* kInstalledLanguageFolder = "lang";

}  // namespace

COstrelDlg::COstrelDlg(Setup setup)
    : ui::CDlgBase(ui::kIdTemplateMain, ui::kNoWindow),
      m_setup(std::move(setup)),
      m_config(m_setup.dataFolder, m_language),
      m_link(m_setup.transport, m_scheduler, m_config, m_library, m_language, *this),
      m_engine(m_link, m_config, m_scheduler, *this),
      m_discovery(m_setup.transport, m_link, m_engine, m_config, m_scheduler, *this, m_uiQueue) {
    MapMessages();
}

COstrelDlg::~COstrelDlg() {
    // The listeners must not hand anything to a window that is gone.
    m_discovery.StopListeners();
    m_uiQueue.Clear();
    ui::SetLanguageTable(nullptr);
}

void COstrelDlg::LoadTables() {
    const std::filesystem::path configFolder = m_setup.dataFolder / kConfigFolderName;
    // As an installer would: the language files and the language choice on the first start.
    ProvisionLanguageFiles(ui::ProgramFolder() / kInstalledLanguageFolder, configFolder, m_setup.systemLocale);
    LoadLanguage(configFolder, ui::UiScale(), m_language);
    ui::SetLanguageTable(&m_language);
    ui::SetUiFontSetting(m_language.font);
    LoadDataFolderMacroLibrary(m_setup.dataFolder, m_library);
    m_config.LoadSettingsFile();
    m_config.BuildDpiStepTable();
    m_dpiStepRange = m_config.stepTable.count;
}

bool COstrelDlg::OnInitDialog() {
    ui::Host& host = ui::CurrentHost();
    const ui::Rect area = host.WorkArea();
    ui::SetUiScale(UiScaleForWorkArea(area.Width(), area.Height()));
    LoadTables();

    m_icon.LoadIconResource(ui::kResourceAppIcon);
    m_designWidth = ui::Scaled(kMainDesignWidth);
    m_designHeight = ui::Scaled(kMainDesignHeight);
    // The window paints its picture stretched itself, so it needs the frame's measures only, not
    // its surface: one decoding of the picture at start.
    TakeFrameMeasures(m_background, m_background.LoadBitmapResource(ui::kResourceMainWindowPicture));
    ui::CDlgBase::OnInitDialog();

    ui::OpenDialogs().Clear();
    m_scheduler.SetWindow(Handle());
    m_uiQueue.SetWindow(Handle());
    m_tray = m_setup.shell.TrayAvailable();
    if (m_tray) m_setup.shell.AddTrayIcon(Handle(), std::u16string(ui::kProductTitle));

    const bool startHidden = ParseDecimal(At(m_config.appSettings, AppSetting::NeedPassword).value) == 1;
    if (startHidden) host.ShowWindow(Handle(), ui::ShowMode::Minimize);
    m_link.windowActive = !startHidden;
    m_link.mouseOnline = !startHidden;
    RefreshView();

    if (m_setup.onWindowReady) m_setup.onWindowReady(Handle());
    m_discovery.ResetForNotifications();
    m_link.SeedShadows();
    m_discovery.ScanDevices();
    if (m_discovery.Connected() && m_discovery.firstReadPending) {
        m_discovery.firstReadPending = false;
        m_link.QueryStatus();
        RefreshView();
    }
    m_scheduler.StartTimer(kTimerHideWatchdog, kHideWatchdogMs);
    m_scheduler.StartTimer(kTimerDeviceMissing, kDeviceMissingMs);
    return true;
}

void COstrelDlg::CreateControls(ui::Rect) {
    for (int id : {kIdExit, kIdMinimise}) {
        const ControlPlace* place = FindControlPlace(id);
        if (place == nullptr) continue;
        auto button = std::make_unique<ui::CImageButton>(
            Handle(), id, ui::Scaled(place->rect.left), ui::Scaled(place->rect.top),
            ui::Scaled(place->rect.right), ui::Scaled(place->rect.bottom), u"", ui::kDtCenter);
        if (place->skins.size() > 0) button->LoadNormalImage(ui::ProgramFile(place->skins[0]));
        if (place->skins.size() > 1) button->LoadHoverImage(ui::ProgramFile(place->skins[1]));
        AddControl(static_cast<int>(app::Collection::Header), std::move(button));
    }
}

void COstrelDlg::DrawContent(ui::SkinPainter& painter, const ui::Rect& client) {
    if (m_background.IsLoaded()) {
        painter.DrawBitmapStretched(m_background, ui::UiScale());
    } else {
        painter.FillRect(client, m_backgroundColor);
    }
    DrawControls(painter, client);
}

void COstrelDlg::MapMessages() {
    MapMessage(kMessageWakeUp, [this](std::uintptr_t, std::intptr_t) {
        WakeUp();
        return std::intptr_t{0};
    });
    MapMessage(kMessageTrayCallback, &COstrelDlg::OnTrayCallback);
    MapMessage(kMessageCommand, &COstrelDlg::OnCommand);
    MapMessage(kMessageDeviceChange, &COstrelDlg::OnDeviceChange);
    MapMessage(kMessageRunPosted, [this](std::uintptr_t, std::intptr_t) {
        m_uiQueue.RunPosted();
        return std::intptr_t{0};
    });
    MapMessage(static_cast<unsigned>(kIdExit), &COstrelDlg::OnHideButton);
    MapMessage(static_cast<unsigned>(kIdMinimise), &COstrelDlg::OnHideButton);
}

void COstrelDlg::OnTimer(unsigned id) {
    const int timer = static_cast<int>(id);
    // Without a tray the window must stay reachable: nothing hides it.
    if (timer == kTimerHideWatchdog && !m_tray) return;
    if (!m_engine.OnTimer(timer)) m_discovery.OnTimer(timer);
}

std::intptr_t COstrelDlg::OnTrayCallback(std::uintptr_t trayId, std::intptr_t event) {
    if (trayId != kTrayIconId) return 0;
    if (event == kTrayDoubleClick) WakeUp();
    if (event == kTrayRightButtonUp) {
        m_setup.shell.ShowTrayMenu(Handle(), m_language.Text(kTextTrayShow), m_language.Text(kTextTrayExit));
    }
    return 0;
}

std::intptr_t COstrelDlg::OnCommand(std::uintptr_t command, std::intptr_t) {
    if (command == kCommandTrayShow) WakeUp();
    if (command == kCommandTrayExit) Exit();
    return 0;
}

std::intptr_t COstrelDlg::OnDeviceChange(std::uintptr_t kind, std::intptr_t) {
    if (kind == kDeviceArrival) m_discovery.OnDeviceArrival();
    if (kind == kDeviceRemoveComplete) m_discovery.OnDeviceRemoval();
    return 0;
}

std::intptr_t COstrelDlg::OnHideButton(std::uintptr_t id, std::intptr_t code) {
    if (code != kEventClick) return 0;
    // Without a tray the close button ends the program as the tray's exit command would.
    if (id == static_cast<std::uintptr_t>(kIdExit) && !m_tray) {
        Exit();
    } else {
        HideMainWindow();
    }
    return 0;
}

void COstrelDlg::OnClose() {
    // The window manager's close button does what the window's own close button does.
    if (m_tray) {
        HideMainWindow();
    } else {
        Exit();
    }
}

void COstrelDlg::Exit() {
    ui::OpenDialogs().CloseAll(ui::CurrentHost());
    EndDialog(ui::kIdOk);
}

void COstrelDlg::WakeUp() {
    if (m_link.windowActive && m_link.mouseOnline) {
        ShowFromDevice();
    } else {
        m_link.QueryStatus();
    }
}

void COstrelDlg::HideMainWindow() {
    ui::CurrentHost().ShowWindow(Handle(), m_tray ? ui::ShowMode::Hide : ui::ShowMode::Minimize);
}

void COstrelDlg::OnWindowDestroyed() {
    ui::CDlgBase::OnWindowDestroyed();
    m_discovery.StopListeners();
    m_uiQueue.Clear();
    ui::CurrentHost().Sleep(kDestroyPauseMs);
    m_engine.SaveIfPending();
    for (HidHandle* handle : {&m_link.wiredHandle, &m_link.receiverHandle}) {
        if (handle->IsOpen()) m_setup.transport.Close(*handle);
        *handle = {};
    }
    m_setup.shell.RemoveTrayIcon();
}

void COstrelDlg::ShowFromDevice() {
    ui::Host& host = ui::CurrentHost();
    host.ShowWindow(Handle(), ui::ShowMode::Show);
    host.BringToFront(Handle());
}

void COstrelDlg::Minimise() { ui::CurrentHost().ShowWindow(Handle(), ui::ShowMode::Minimize); }

void COstrelDlg::Hide() { HideMainWindow(); }

void COstrelDlg::SetDpiStepRange(uint32_t stepCount) { m_dpiStepRange = stepCount; }

void COstrelDlg::Redraw() { InvalidateWindow(); }

void COstrelDlg::RefreshView() {
    m_config.currentProfileIndex = m_config.CurrentProfile();
    InvalidateWindow();
}

void COstrelDlg::ShowProgress(size_t textEntry) {
    ui::CProgressBarDlg progress(m_language.Text(textEntry), u"", Handle());
    progress.DoModal();
}

void COstrelDlg::UpdateBattery(uint8_t level, uint8_t chargeState, uint8_t animationStep) {
    m_batteryLevel = level;
    m_chargeState = chargeState;
    m_batteryStep = animationStep;
    InvalidateWindow();
}

void COstrelDlg::ShowAttentionBox(size_t titleEntry, size_t textEntry) {
    // Modeless and topmost: nothing waits for it; it deletes itself when it ends.
    ui::CAttentionDlg::ShowNotice(m_language.Text(titleEntry), m_language.Text(textEntry), Handle());
}

void COstrelDlg::SetCurrentLevelPosition(uint8_t position) { m_currentLevelPosition = position; }

void COstrelDlg::ShowDpiDisplay() {
    ui::CurrentHost().PostMessage(Handle(), kMessageDpiDisplay, 1, 0);
}

void COstrelDlg::CloseDialogsAndQuit() { Exit(); }

}  // namespace ostrel::app
