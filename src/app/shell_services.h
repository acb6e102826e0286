#pragma once

#include <string>

#include "ui/host_types.h"

namespace ostrel::app {

// Messages the main window receives from the platform, with the numbers the system gives them.
inline constexpr unsigned kMessageCommand = 0x0111;       // wParam: the command id
inline constexpr unsigned kMessageDeviceChange = 0x0219;  // wParam: arrival or removal
inline constexpr std::uintptr_t kDeviceArrival = 0x8000;
inline constexpr std::uintptr_t kDeviceRemoveComplete = 0x8004;
inline constexpr unsigned kMessageTrayCallback = 1056;  // wParam: tray id, lParam: the event
inline constexpr unsigned kMessageDpiDisplay = 1067;
inline constexpr unsigned kMessageWakeUp = 2999;
inline constexpr std::uintptr_t kTrayIconId = 128;
inline constexpr std::intptr_t kTrayDoubleClick = 0x0203;
inline constexpr std::intptr_t kTrayRightButtonUp = 0x0205;
inline constexpr unsigned kCommandTrayShow = 2075;
inline constexpr unsigned kCommandTrayExit = 2076;

// The desktop services the main window uses, given by the platform. UI thread only.
class ShellServices {
public:
    virtual ~ShellServices() = default;
    // Whether the desktop shows tray icons; without one a hidden window could not come back.
    virtual bool TrayAvailable() const = 0;
    // The tray icon: its events reach `window` as kMessageTrayCallback with kTrayIconId.
    virtual void AddTrayIcon(ui::WindowHandle window, const std::u16string& tip) = 0;
    virtual void RemoveTrayIcon() = 0;
    // The tray menu at the pointer: the chosen item reaches `window` as kMessageCommand.
    virtual void ShowTrayMenu(ui::WindowHandle window, const std::u16string& showText,
                              const std::u16string& exitText) = 0;
};

}  // namespace ostrel::app
