#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <memory>

#include "app/shell_services.h"

namespace ostrel::platform {

// The tray icon and its menu through QSystemTrayIcon (StatusNotifierItem or XEmbed). Events go
// to the main window as the messages it maps.
class QtShellServices : public app::ShellServices {
public:
    explicit QtShellServices(const QIcon& icon);
    ~QtShellServices() override;

    bool TrayAvailable() const override;
    void AddTrayIcon(ui::WindowHandle window, const std::u16string& tip) override;
    void RemoveTrayIcon() override;
    void ShowTrayMenu(ui::WindowHandle window, const std::u16string& showText,
                      const std::u16string& exitText) override;

private:
    QIcon m_icon;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    std::unique_ptr<QMenu> m_menu;
};

}  // namespace ostrel::platform
