#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/host_scheduler.h"
#include "app/window_ui_queue.h"
#include "device/device_discovery.h"
#include "device/device_link.h"
#include "device/link_window.h"
#include "device/sync_engine.h"
#include "macro/macro_library.h"
#include "profile/config_store.h"
#include "profile/language.h"
#include "ui/dlg_base.h"
#include "ui/skin_image.h"

namespace ostrel::app {

class ShellServices;

inline constexpr size_t kTextTrayShow = 1;
inline constexpr size_t kTextTrayExit = 2;
inline constexpr uint32_t kDestroyPauseMs = 50;

// The main window: owns the program-wide tables and the device link, loads everything at its
// start, serves the device timers, the tray and the wake-up, and ends the program through the
// exit command or the removal of the last device. UI thread only.
class COstrelDlg : public ui::CDlgBase, public LinkWindow {
public:
    struct Setup {
        HidTransport& transport;
        ShellServices& shell;
        std::filesystem::path dataFolder;
        std::string systemLocale;  // chooses the language at the first start
        // Called once the window exists, before the first scan: the platform routes hot-plug
        // and wake-up messages to it from then on.
        std::function<void(ui::WindowHandle)> onWindowReady;
    };

    explicit COstrelDlg(Setup setup);
    ~COstrelDlg() override;

    bool OnInitDialog() override;
    void CreateControls(ui::Rect client) override;
    void DrawContent(ui::SkinPainter& painter, const ui::Rect& client) override;
    void OnTimer(unsigned id) override;
    void OnClose() override;
    void OnWindowDestroyed() override;

    // The tray's exit command: close every open dialog, then end the modal run.
    void Exit();
    // The wake-up message, the tray's double click and its show command.
    void WakeUp();
    // "Hide the main window": into the tray, or minimised where the desktop has no tray.
    void HideMainWindow();

    // LinkWindow
    void ShowFromDevice() override;
    void Minimise() override;
    void Hide() override;
    void SetDpiStepRange(uint32_t stepCount) override;
    void Redraw() override;
    void RefreshView() override;
    void ShowProgress(size_t textEntry) override;
    void UpdateBattery(uint8_t level, uint8_t chargeState, uint8_t animationStep) override;
    void ShowAttentionBox(size_t titleEntry, size_t textEntry) override;
    void SetCurrentLevelPosition(uint8_t position) override;
    void ShowDpiDisplay() override;
    void CloseDialogsAndQuit() override;

    ConfigStore& Config() { return m_config; }
    DeviceLink& Link() { return m_link; }
    SyncEngine& Engine() { return m_engine; }
    DeviceDiscovery& Discovery() { return m_discovery; }
    const LanguageTable& Language() const { return m_language; }
    bool HasTray() const { return m_tray; }
    uint32_t DpiStepRange() const { return m_dpiStepRange; }
    uint8_t CurrentLevelPosition() const { return m_currentLevelPosition; }

private:
    void LoadTables();
    void MapMessages();
    std::intptr_t OnTrayCallback(std::uintptr_t trayId, std::intptr_t event);
    std::intptr_t OnCommand(std::uintptr_t command, std::intptr_t);
    std::intptr_t OnDeviceChange(std::uintptr_t kind, std::intptr_t);
    std::intptr_t OnHideButton(std::uintptr_t id, std::intptr_t code);

    Setup m_setup;
    // The window's picture, stretched by the UI scale over the whole window at every paint (a
    // dialog's frame surface holds only its top-left part at scales above 1).
    ui::SkinImage m_background;
    LanguageTable m_language;
    ConfigStore m_config;
    MacroLibrary m_library;
    HostScheduler m_scheduler;
    WindowUiQueue m_uiQueue;
    DeviceLink m_link;
    SyncEngine m_engine;
    DeviceDiscovery m_discovery;
    bool m_tray = false;
    uint32_t m_dpiStepRange = 0;
    uint8_t m_currentLevelPosition = 0;
    uint8_t m_batteryLevel = kStartBatteryLevel;
    uint8_t m_chargeState = 0;
    uint8_t m_batteryStep = 0;
};

}  // namespace ostrel::app
