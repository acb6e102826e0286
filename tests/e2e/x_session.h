#pragma once

// An X session of a test's own: Xvfb on a display it picks itself, optionally openbox and a
// system tray, the folders its programs use, and helpers to find windows and compare pixels.

#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QThread>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace ostrel::testing {

inline constexpr int kStartTimeoutMs = 15000;
inline constexpr int kSettleTimeoutMs = 8000;
inline constexpr int kCommandTimeoutMs = 10000;
inline constexpr int kPollMs = 100;

struct CommandResult {
    int exitCode = -1;
    QByteArray output;
};

// Everything the session started is ended with it.
class XSession {
public:
    ~XSession();

    // Returns an empty text on success, else what went wrong. A tray is a system tray host
    // (trayer), so that programs find one.
    std::string Start(bool windowManager, bool tray = false);

    // Starts a program in the session with its environment (plus `extra` variables); the session
    // owns it.
    QProcess* StartProgram(const QString& program, const QStringList& arguments,
                           const QProcessEnvironment& extra = {});

    CommandResult Run(const QString& program, const QStringList& arguments);
    // The whole screen as the X server has it.
    QImage Screenshot();
    const QProcessEnvironment& Environment() const { return m_environment; }
    const std::filesystem::path& Home() const { return m_home.Path(); }
    const std::filesystem::path& Runtime() const { return m_runtime.Path(); }

    template <class Condition>
    static bool WaitFor(Condition condition, int timeoutMs = kSettleTimeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            if (condition()) return true;
            QThread::msleep(kPollMs);
        }
        return condition();
    }

private:
    TempFolder m_runtime;
    TempFolder m_home;
    QProcessEnvironment m_environment;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_windowManager;
    std::unique_ptr<QProcess> m_tray;
    std::vector<std::unique_ptr<QProcess>> m_programs;
};

struct Geometry {
    QString window;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The geometry of every window whose name matches `namePattern` (xdotool's regular expression):
// the visible ones, or also the unmapped and minimised ones.
std::vector<Geometry> FindWindows(XSession& session, const QString& namePattern, bool onlyVisible = true);

// How many pixels of the screen at (x, y) differ from `expected`.
int DifferingPixels(const QImage& screen, const QImage& expected, int x, int y);

// Keeps a picture of a run for people to look at, in the build tree.
void Keep(const QImage& image, const std::string& name);

}  // namespace ostrel::testing
