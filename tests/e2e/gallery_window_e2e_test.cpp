// The gallery dialog on a real X server (Xvfb), with and without a window manager: it shows
// exactly the pixels of its headless rendering, it moves when dragged by its background, and it
// ends by the keyboard or its close picture. Each run has its own X server, runtime and home
// folders.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

#include "gallery_pictures.h"
#include "gallery_render.h"
#include "temp_folder.h"
#include "ui/host.h"

namespace ostrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kStartTimeoutMs = 15000;
constexpr int kSettleTimeoutMs = 8000;
constexpr int kCommandTimeoutMs = 10000;
constexpr int kPollMs = 100;
// A point of the gallery that no control covers, and where its close picture lies.
constexpr int kBackgroundX = 200;
constexpr int kBackgroundY = 150;
constexpr int kCloseX = 344;
constexpr int kCloseY = 15;
constexpr int kDragX = 100;
constexpr int kDragY = 50;
constexpr int kDragSteps = 5;

struct CommandResult {
    int exitCode = -1;
    QByteArray output;
};

// An X session of its own: Xvfb on a display it picks itself, optionally openbox, and the
// folders its programs use. Everything it started is ended with it.
class XSession {
public:
    ~XSession() {
        for (QProcess* process : {m_gallery.get(), m_windowManager.get(), m_server.get()}) {
            if (process != nullptr && process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(3000)) {
                    process->kill();
                    process->waitForFinished(3000);
                }
            }
        }
    }

    // Returns an empty text on success, else what went wrong.
    std::string Start(bool windowManager) {
        fs::permissions(m_runtime.Path(), fs::perms::owner_all, fs::perm_options::replace);
        m_environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XAUTHORITY",
                                 "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
            m_environment.remove(name);
        }
        m_environment.insert("HOME", QString::fromStdString(m_home.Path().string()));
        m_environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(m_runtime.Path().string()));
        m_environment.insert("XDG_CONFIG_HOME",
                             QString::fromStdString((m_home.Path() / ".config").string()));
        m_environment.insert("QT_QPA_PLATFORM", "xcb");

        // Xvfb writes the display number it found free to the descriptor it is given.
        m_server = std::make_unique<QProcess>();
        m_server->setProcessEnvironment(m_environment);
        m_server->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-dpi", "96",
                                 "-nolisten", "tcp"});
        if (!m_server->waitForStarted(kStartTimeoutMs)) {
            return "Xvfb does not start (is the xvfb package installed?)";
        }
        QElapsedTimer clock;
        clock.start();
        QByteArray number;
        while (!number.contains('\n') && clock.elapsed() < kStartTimeoutMs) {
            if (!m_server->waitForReadyRead(kPollMs) && m_server->state() == QProcess::NotRunning) {
                return "Xvfb ended: " + m_server->readAllStandardError().toStdString();
            }
            number += m_server->readAllStandardOutput();
        }
        if (!number.contains('\n')) {
            return "Xvfb named no display";
        }
        m_environment.insert("DISPLAY", ":" + QString::fromLatin1(number.trimmed()));

        if (windowManager) {
            m_windowManager = std::make_unique<QProcess>();
            m_windowManager->setProcessEnvironment(m_environment);
            m_windowManager->start("openbox", {});
            if (!m_windowManager->waitForStarted(kStartTimeoutMs)) {
                return "openbox does not start";
            }
            // The window manager is ready once it has published its desktops.
            if (!WaitFor([&] { return Run("xdotool", {"get_num_desktops"}).exitCode == 0; })) {
                return "openbox did not come up";
            }
        }
        return {};
    }

    bool StartGallery(const fs::path& programFolder) {
        m_gallery = std::make_unique<QProcess>();
        m_gallery->setProcessEnvironment(m_environment);
        m_gallery->start(OSTREL_GALLERY_BINARY,
                         {"--program-folder", QString::fromStdString(programFolder.string())});
        return m_gallery->waitForStarted(kStartTimeoutMs);
    }

    QProcess& Gallery() { return *m_gallery; }

    CommandResult Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(program, arguments);
        CommandResult result;
        if (!process.waitForStarted(kCommandTimeoutMs) ||
            !process.waitForFinished(kCommandTimeoutMs)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.output = process.readAllStandardOutput();
        return result;
    }

    // The whole screen as the X server has it.
    QImage Screenshot() {
        const QString file = QString::fromStdString((m_home.Path() / "screen.png").string());
        QFile::remove(file);
        if (Run("import", {"-window", "root", file}).exitCode != 0) {
            return QImage();
        }
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

    template <class Condition>
    static bool WaitFor(Condition condition, int timeoutMs = kSettleTimeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            if (condition()) {
                return true;
            }
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
    std::unique_ptr<QProcess> m_gallery;
};

struct Geometry {
    QString window;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

std::optional<Geometry> FindGallery(XSession& session) {
    const CommandResult search =
        session.Run("xdotool", {"search", "--onlyvisible", "--name", "^Tessel-12 Gaming mouse$"});
    const QStringList windows = QString::fromLatin1(search.output).split('\n', Qt::SkipEmptyParts);
    if (search.exitCode != 0 || windows.size() != 1) {
        return std::nullopt;
    }
    const CommandResult shell =
        session.Run("xdotool", {"getwindowgeometry", "--shell", windows.front()});
    Geometry geometry{windows.front()};
    for (const QByteArray& line : shell.output.split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() != 2) {
            continue;
        }
        const int value = pair[1].trimmed().toInt();
        if (pair[0] == "X") {
            geometry.x = value;
        } else if (pair[0] == "Y") {
            geometry.y = value;
        } else if (pair[0] == "WIDTH") {
            geometry.width = value;
        } else if (pair[0] == "HEIGHT") {
            geometry.height = value;
        }
    }
    return geometry;
}

// How many pixels of the screen at the window's place differ from the headless picture.
int DifferingPixels(const QImage& screen, const QImage& expected, int x, int y) {
    if (screen.isNull() || x < 0 || y < 0 || x + expected.width() > screen.width() ||
        y + expected.height() > screen.height()) {
        return expected.width() * expected.height();
    }
    const QImage shown = screen.copy(x, y, expected.width(), expected.height());
    int differing = 0;
    for (int row = 0; row < expected.height(); ++row) {
        for (int column = 0; column < expected.width(); ++column) {
            differing +=
                (shown.pixel(column, row) & 0xFFFFFF) != (expected.pixel(column, row) & 0xFFFFFF);
        }
    }
    return differing;
}

void Keep(const QImage& image, const std::string& name) {
    const fs::path folder = OSTREL_E2E_OUTPUT_DIR;
    std::error_code
        ignored;  // the pictures are for people looking at a run; tests do not need them
    fs::create_directories(folder, ignored);
    image.save(QString::fromStdString((folder / name).string()), "PNG");
}

class GalleryWindow : public ::testing::TestWithParam<bool> {};

TEST_P(GalleryWindow, ShowsTheHeadlessPixelsMovesWhenDraggedAndCloses) {
    const bool windowManager = GetParam();
    const std::string variant = windowManager ? "openbox" : "bare";
    TempFolder program;
    ASSERT_TRUE(gallery::WriteGalleryPictures(program.Path()));
    const QImage expected =
        gallery::RenderGalleryHeadless(1.0, program.Path()).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), QSize(360, 220));

    XSession session;
    const std::string problem = session.Start(windowManager);
    ASSERT_TRUE(problem.empty()) << problem;
    // The pointer rests outside the dialog, so no control shows its hover look.
    ASSERT_EQ(session.Run("xdotool", {"mousemove", "1", "1"}).exitCode, 0);
    ASSERT_TRUE(session.StartGallery(program.Path()));

    std::optional<Geometry> before;
    ASSERT_TRUE(XSession::WaitFor([&] {
        before = FindGallery(session);
        return before.has_value() && before->width == 360 && before->height == 220;
    })) << "the gallery window did not show";
    // Centred on the 1280 × 800 screen.
    EXPECT_EQ(before->x, 460);
    EXPECT_EQ(before->y, 290);

    QImage screen;
    EXPECT_TRUE(XSession::WaitFor([&] {
        screen = session.Screenshot();
        return DifferingPixels(screen, expected, before->x, before->y) == 0;
    })) << DifferingPixels(screen, expected, before->x, before->y)
        << " pixels differ";
    Keep(screen, "gallery_" + variant + "_shown.png");

    // Drag by the background.
    const int startX = before->x + kBackgroundX;
    const int startY = before->y + kBackgroundY;
    ASSERT_EQ(
        session.Run("xdotool", {"mousemove", QString::number(startX), QString::number(startY)})
            .exitCode,
        0);
    QThread::msleep(200);
    ASSERT_EQ(session.Run("xdotool", {"mousedown", "1"}).exitCode, 0);
    QThread::msleep(200);
    for (int step = 1; step <= kDragSteps; ++step) {
        session.Run("xdotool", {"mousemove", QString::number(startX + kDragX * step / kDragSteps),
                                QString::number(startY + kDragY * step / kDragSteps)});
        QThread::msleep(60);
    }
    ASSERT_EQ(session.Run("xdotool", {"mouseup", "1"}).exitCode, 0);

    std::optional<Geometry> after;
    EXPECT_TRUE(XSession::WaitFor([&] {
        after = FindGallery(session);
        return after && after->x == before->x + kDragX && after->y == before->y + kDragY;
    })) << "the window is at "
        << (after ? after->x : -1) << "," << (after ? after->y : -1);
    ASSERT_TRUE(after.has_value());

    session.Run("xdotool", {"mousemove", "1", "1"});
    EXPECT_TRUE(XSession::WaitFor([&] {
        screen = session.Screenshot();
        return DifferingPixels(screen, expected, after->x, after->y) == 0;
    })) << DifferingPixels(screen, expected, after->x, after->y)
        << " pixels differ after the move";
    Keep(screen, "gallery_" + variant + "_moved.png");

    // With a window manager the dialog is active and Enter confirms it; without one, its close
    // picture ends it as a click: press and release.
    if (windowManager) {
        session.Run("xdotool", {"key", "Return"});
    } else {
        session.Run("xdotool", {"mousemove", QString::number(after->x + kCloseX),
                                QString::number(after->y + kCloseY)});
        QThread::msleep(200);
        session.Run("xdotool", {"click", "1"});
    }
    QProcess& gallery = session.Gallery();
    ASSERT_TRUE(gallery.waitForFinished(kSettleTimeoutMs)) << "the gallery did not end";
    const QString output = QString::fromUtf8(gallery.readAllStandardOutput());
    EXPECT_EQ(gallery.exitCode(), 0);
    if (windowManager) {
        EXPECT_TRUE(output.contains("result ok")) << output.toStdString();
    } else {
        EXPECT_TRUE(output.contains("notify 2004 2")) << output.toStdString();
        EXPECT_TRUE(output.contains("result cancel")) << output.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, GalleryWindow, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("WithOpenbox")
                                               : std::string("WithoutWindowManager");
                         });

}  // namespace
}  // namespace ostrel::testing
