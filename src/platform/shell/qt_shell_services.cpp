#include "platform/shell/qt_shell_services.h"

#include <QCursor>

#include "ui/host.h"

namespace ostrel::platform {

QtShellServices::QtShellServices(const QIcon& icon) : m_icon(icon) {}

QtShellServices::~QtShellServices() { RemoveTrayIcon(); }

bool QtShellServices::TrayAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void QtShellServices::AddTrayIcon(ui::WindowHandle window, const std::u16string& tip) {
    if (!TrayAvailable()) return;
    m_tray = std::make_unique<QSystemTrayIcon>(m_icon);
    m_tray->setToolTip(QString::fromStdU16String(tip));
    QObject::connect(m_tray.get(), &QSystemTrayIcon::activated, m_tray.get(),
                     [window](QSystemTrayIcon::ActivationReason reason) {
                         // A click also wakes the window: tray hosts that know no double click
                         // (StatusNotifierItem) report a plain activation.
                         const bool wake = reason == QSystemTrayIcon::DoubleClick ||
                                           reason == QSystemTrayIcon::Trigger;
                         const bool menu = reason == QSystemTrayIcon::Context;
                         if (!wake && !menu) return;
                         ui::CurrentHost().PostMessage(window, app::kMessageTrayCallback, app::kTrayIconId,
                                                       wake ? app::kTrayDoubleClick : app::kTrayRightButtonUp);
                     });
    m_tray->show();
}

void QtShellServices::RemoveTrayIcon() {
    if (m_tray) m_tray->hide();
    m_tray.reset();
}

void QtShellServices::ShowTrayMenu(ui::WindowHandle window, const std::u16string& showText,
                                   const std::u16string& exitText) {
    m_menu = std::make_unique<QMenu>();
    QAction* show = m_menu->addAction(QString::fromStdU16String(showText));
    m_menu->addSeparator();
    QAction* exit = m_menu->addAction(QString::fromStdU16String(exitText));
    QObject::connect(show, &QAction::triggered, [window] {
        ui::CurrentHost().PostMessage(window, app::kMessageCommand, app::kCommandTrayShow, 0);
    });
    QObject::connect(exit, &QAction::triggered, [window] {
        ui::CurrentHost().PostMessage(window, app::kMessageCommand, app::kCommandTrayExit, 0);
    });
    m_menu->popup(QCursor::pos());
}

}  // namespace ostrel::platform
