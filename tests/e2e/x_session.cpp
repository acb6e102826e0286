#include "x_session.h"

#include <QFile>

namespace ostrel::testing {

namespace fs = std::filesystem;

XSession::~XSession() {
    std::vector<QProcess*> processes;
    for (auto& program : m_programs) processes.push_back(program.get());
    processes.push_back(m_tray.get());
    processes.push_back(m_windowManager.get());
    processes.push_back(m_server.get());
    for (QProcess* process : processes) {
        if (process != nullptr && process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(3000)) {
                process->kill();
                process->waitForFinished(3000);
            }
        }
    }
}

std::string XSession::Start(bool windowManager, bool tray) {
    fs::permissions(m_runtime.Path(), fs::perms::owner_all, fs::perm_options::replace);
    m_environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XAUTHORITY", "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS", "DBUS_SESSION_BUS_ADDRESS"}) {
        m_environment.remove(name);
    }
    m_environment.insert("HOME", QString::fromStdString(m_home.Path().string()));
    m_environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(m_runtime.Path().string()));
    m_environment.insert("XDG_CONFIG_HOME", QString::fromStdString((m_home.Path() / ".config").string()));
    m_environment.insert("XDG_DATA_HOME", QString::fromStdString((m_home.Path() / ".local/share").string()));
    m_environment.insert("QT_QPA_PLATFORM", "xcb");

    // Xvfb writes the display number it found free to the descriptor it is given.
    m_server = std::make_unique<QProcess>();
    m_server->setProcessEnvironment(m_environment);
    m_server->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-dpi", "96", "-nolisten", "tcp"});
    if (!m_server->waitForStarted(kStartTimeoutMs)) return "Xvfb does not start (is the xvfb package installed?)";
    QElapsedTimer clock;
    clock.start();
    QByteArray number;
    while (!number.contains('\n') && clock.elapsed() < kStartTimeoutMs) {
        if (!m_server->waitForReadyRead(kPollMs) && m_server->state() == QProcess::NotRunning) {
            return "Xvfb ended: " + m_server->readAllStandardError().toStdString();
        }
        number += m_server->readAllStandardOutput();
    }
    if (!number.contains('\n')) return "Xvfb named no display";
    m_environment.insert("DISPLAY", ":" + QString::fromLatin1(number.trimmed()));

    if (windowManager) {
        m_windowManager = std::make_unique<QProcess>();
        m_windowManager->setProcessEnvironment(m_environment);
        m_windowManager->start("openbox", {});
        if (!m_windowManager->waitForStarted(kStartTimeoutMs)) return "openbox does not start";
        // The window manager is ready once it has published its desktops.
        if (!WaitFor([&] { return Run("xdotool", {"get_num_desktops"}).exitCode == 0; }, kStartTimeoutMs)) {
            return "openbox did not come up";
        }
    }
    if (tray) {
        m_tray = std::make_unique<QProcess>();
        m_tray->setProcessEnvironment(m_environment);
        m_tray->start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24"});
        if (!m_tray->waitForStarted(kStartTimeoutMs)) return "trayer does not start";
        // The tray is there once its window is.
        if (!WaitFor([&] { return Run("xdotool", {"search", "--classname", "trayer"}).exitCode == 0; },
                     kStartTimeoutMs)) {
            return "the tray did not come up";
        }
    }
    return {};
}

QProcess* XSession::StartProgram(const QString& program, const QStringList& arguments,
                                 const QProcessEnvironment& extra) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = m_environment;
    for (const QString& key : extra.keys()) environment.insert(key, extra.value(key));
    process->setProcessEnvironment(environment);
    process->start(program, arguments);
    if (!process->waitForStarted(kStartTimeoutMs)) return nullptr;
    m_programs.push_back(std::move(process));
    return m_programs.back().get();
}

CommandResult XSession::Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.start(program, arguments);
    CommandResult result;
    if (!process.waitForStarted(kCommandTimeoutMs) || !process.waitForFinished(kCommandTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = process.readAllStandardOutput();
    return result;
}

QImage XSession::Screenshot() {
    const QString file = QString::fromStdString((m_home.Path() / "screen.png").string());
    QFile::remove(file);
    if (Run("import", {"-window", "root", file}).exitCode != 0) return QImage();
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

std::vector<Geometry> FindWindows(XSession& session, const QString& namePattern, bool onlyVisible) {
    QStringList arguments = {"search", "--name", namePattern};
    if (onlyVisible) arguments.insert(1, "--onlyvisible");
    const CommandResult search = session.Run("xdotool", arguments);
    std::vector<Geometry> found;
    for (const QString& window : QString::fromLatin1(search.output).split('\n', Qt::SkipEmptyParts)) {
        const CommandResult shell = session.Run("xdotool", {"getwindowgeometry", "--shell", window});
        Geometry geometry{window};
        for (const QByteArray& line : shell.output.split('\n')) {
            const QList<QByteArray> pair = line.split('=');
            if (pair.size() != 2) continue;
            const int value = pair[1].trimmed().toInt();
            if (pair[0] == "X") geometry.x = value;
            if (pair[0] == "Y") geometry.y = value;
            if (pair[0] == "WIDTH") geometry.width = value;
            if (pair[0] == "HEIGHT") geometry.height = value;
        }
        found.push_back(geometry);
    }
    return found;
}

int DifferingPixels(const QImage& screen, const QImage& expected, int x, int y) {
    if (screen.isNull() || x < 0 || y < 0 || x + expected.width() > screen.width() ||
        y + expected.height() > screen.height()) {
        return expected.width() * expected.height();
    }
    const QImage shown = screen.copy(x, y, expected.width(), expected.height());
    int differing = 0;
    for (int row = 0; row < expected.height(); ++row) {
        for (int column = 0; column < expected.width(); ++column) {
            differing += (shown.pixel(column, row) & 0xFFFFFF) != (expected.pixel(column, row) & 0xFFFFFF);
        }
    }
    return differing;
}

void Keep(const QImage& image, const std::string& name) {
    const fs::path folder = OSTREL_E2E_OUTPUT_DIR;
    std::error_code ignored;  // the pictures are for people looking at a run; tests do not need them
    fs::create_directories(folder, ignored);
    image.save(QString::fromStdString((folder / name).string()), "PNG");
}

}  // namespace ostrel::testing
