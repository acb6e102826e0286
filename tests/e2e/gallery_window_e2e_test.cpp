// The gallery dialog on a real X server (Xvfb), with and without a window manager: it shows
// exactly the pixels of its headless rendering, it moves when dragged by its background, and it
// ends by the keyboard or its close picture. Each run has its own X server, runtime and home
// folders.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QString>
#include <QThread>
#include <filesystem>
#include <optional>
#include <string>

#include "gallery_pictures.h"
#include "gallery_render.h"
#include "ui/host.h"
#include "x_session.h"

namespace ostrel::testing {
namespace {

namespace fs = std::filesystem;

// A point of the gallery that no control covers, and where its close picture lies.
constexpr int kBackgroundX = 200;
constexpr int kBackgroundY = 150;
constexpr int kCloseX = 344;
constexpr int kCloseY = 15;
constexpr int kDragX = 100;
constexpr int kDragY = 50;
constexpr int kDragSteps = 5;

std::optional<Geometry> FindGallery(XSession& session) {
    const std::vector<Geometry> windows = FindWindows(session, "^Tessel-12 Gaming mouse$");
    if (windows.size() != 1) return std::nullopt;
    return windows.front();
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
    QProcess* galleryProcess = session.StartProgram(
        OSTREL_GALLERY_BINARY, {"--program-folder", QString::fromStdString(program.Path().string())});
    ASSERT_NE(galleryProcess, nullptr);

    std::optional<Geometry> before;
    ASSERT_TRUE(XSession::WaitFor([&] {
        before = FindGallery(session);
        return before.has_value() && before->width == 360 && before->height == 220;
    }, kStartTimeoutMs)) << "the gallery window did not show";
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
    QProcess& gallery = *galleryProcess;
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
