// ostrel: the configuration program of the mouse.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QLocale>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ostrel_dlg.h"
#include "app/program_options.h"
#include "app/shell_services.h"
#include "app/startup_values.h"
#include "platform/qt/qt_environment.h"
#include "platform/qt/qt_host.h"
#include "platform/shell/device_backend.h"
#include "platform/shell/qt_shell_services.h"
#include "platform/shell/single_instance.h"
#include "platform/shell/unix_signals.h"
#include "ui/host.h"
#include "ui/skin_resources.h"
#include "ui/toolkit_globals.h"

namespace {

namespace fs = std::filesystem;
using namespace ostrel;

constexpr int kExitUsage = 2;

// The folder whose "skins" the program shows: beside the executable in the build tree, the
// installed share folder after installation.
fs::path FindProgramFolder(const fs::path& executableFolder) {
    std::error_code error;
    if (fs::is_directory(executableFolder / "skins", error)) return executableFolder;
    const fs::path installed = executableFolder.parent_path() / "share" / "ostrel";
    if (fs::is_directory(installed / "skins", error)) return installed;
    return executableFolder;
}

std::string SystemLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty()) return value.toStdString();
    }
    return QLocale::system().name().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    platform::PrepareQtEnvironment(argc, argv);
    QApplication application(argc, argv);
    // The main window hides instead of closing; only the exit paths end the program.
    application.setQuitOnLastWindowClosed(false);

    std::vector<std::string> arguments;
    const QStringList qtArguments = application.arguments();
    for (qsizetype i = 1; i < qtArguments.size(); ++i) arguments.push_back(qtArguments[i].toStdString());
    auto options = app::ParseProgramOptions(arguments);
    if (!options) {
        std::fprintf(stderr, "ostrel: %s\n%s\n", options.reason().c_str(), app::ProgramUsage());
        return kExitUsage;
    }

    platform::QtHost host;
    ui::SetCurrentHost(&host);
    ui::SetProgramFolder(FindProgramFolder(QCoreApplication::applicationDirPath().toStdString()));

    ui::WindowHandle mainWindow = ui::kNoWindow;
    platform::SingleInstance instance([&] {
        if (mainWindow != ui::kNoWindow) host.SendMessage(mainWindow, app::kMessageWakeUp, 0, 0);
    });
    if (!instance.Claim()) return 0;

    std::unique_ptr<platform::DeviceBackend> backend;
    if (options->Virtual()) {
        auto made = platform::MakeVirtualBackend(*options, sinceStart);
        if (!made) {
            std::fprintf(stderr, "ostrel: %s\n", made.reason().c_str());
            return kExitUsage;
        }
        backend = std::move(*made);
    } else {
        backend = platform::MakeHidrawBackend();
    }

    const QString iconPath = QString::fromStdString(ui::ResourcePath(ui::kResourceAppIcon, ui::ResourceKind::Icon));
    platform::QtShellServices shell{QIcon(iconPath)};
    // The session's end and the usual signals take the exit command's path, so nothing pending
    // is lost.
    auto exitCommand = [&] {
        if (mainWindow != ui::kNoWindow) {
            host.PostMessage(mainWindow, app::kMessageCommand, app::kCommandTrayExit, 0);
        } else {
            host.PostQuit();
        }
    };
    platform::UnixSignals unixSignals(exitCommand);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, exitCommand);

    const fs::path userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    app::COstrelDlg::Setup setup{backend->Transport(), shell, app::PrepareDataFolder(userData), SystemLocale(),
                                 [&](ui::WindowHandle window) {
                                     mainWindow = window;
                                     backend->NotifyWindow(window);
                                 }};
    {
        app::COstrelDlg dialog(std::move(setup));
        dialog.DoModal();
        mainWindow = ui::kNoWindow;
    }
    ui::SetCurrentHost(nullptr);
    return 0;
}
