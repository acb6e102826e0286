// The dialog frame: initialisation and size, the frame picture and its average colour, the paint
// pipeline, control lookup, popup slots, the open-dialog list, the ways a dialog ends, and a
// program folder without skins.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "recording_dialog.h"
#include "ui/control_base.h"
#include "ui/open_dialog_list.h"
#include "ui/skin_painter.h"
#include "ui/skin_resources.h"
#include "ui_test_fixture.h"

namespace ostrel::testing {
namespace {

using Note = RecordingDialog::Note;

constexpr ui::ColorRef kBackground = ui::CDlgBase::kDefaultBackground;

ui::ColorRef PixelOf(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return ui::Rgb(c.red(), c.green(), c.blue());
}

// Writes a picture into the program folder under `name` ("skins\\x.bmp").
void WritePicture(const QImage& image, std::u16string_view name, const char* format) {
    const std::filesystem::path file = ui::ProgramFile(name);
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), format));
}

// Four quadrants of distinct colours.
QImage Quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            image.setPixelColor(x, y,
                                right ? (bottom ? QColor(200, 40, 40) : QColor(40, 200, 40))
                                      : (bottom ? QColor(40, 40, 200) : QColor(20, 20, 20)));
        }
    }
    return image;
}

class DlgBase : public UiTest {};

TEST_F(DlgBase, InitialisationSizesTitlesCentresAndBuildsAtTheUiScale) {
    ui::SetUiScale(1.5);
    m_host.SetWorkArea({0, 0, 1000, 800});
    RecordingDialog dialog({300, 200});
    ASSERT_TRUE(dialog.Create());
    const ui::WindowHandle w = dialog.Handle();
    EXPECT_EQ(dialog.DesignSize(), (ui::Size{450, 300}));
    EXPECT_EQ(m_host.GetWindowRect(w), (ui::Rect{275, 250, 725, 550}));
    EXPECT_EQ(dialog.createdWith, (ui::Rect{0, 0, 450, 300}));
    EXPECT_EQ(m_host.WindowText(w), std::u16string(ui::kProductTitle));
    EXPECT_TRUE(m_host.IsVisible(w));
    EXPECT_FALSE(m_host.IsTopmost(w));
    // Ten points at 96 pixels per inch, semi-bold, in the UI font's face.
    EXPECT_EQ(dialog.DialogFont().Height(), -13);
    EXPECT_EQ(dialog.DialogFont().Weight(), ui::kFontWeightSemiBold);
    EXPECT_EQ(dialog.DialogFont().Face(), ui::UiFontSetting().face);
}

TEST_F(DlgBase, ASmallDialogCentresOverItsOwnerAndStaysInTheWorkArea) {
    m_host.SetWorkArea({0, 0, 1000, 800});
    RecordingDialog owner({400, 300});
    ASSERT_TRUE(owner.Create());
    m_host.MoveWindow(owner.Handle(), {-100, 20});
    RecordingDialog child({100, 50}, owner.Handle());
    ASSERT_TRUE(child.Create());
    // Centred over the owner would put it at x = 50; y = 20 + 125.
    EXPECT_EQ(m_host.GetWindowRect(child.Handle()), (ui::Rect{50, 145, 150, 195}));

    m_host.MoveWindow(owner.Handle(), {-300, 20});
    child.DestroyWindow();
    RecordingDialog clamped({100, 50}, owner.Handle());
    ASSERT_TRUE(clamped.Create());
    EXPECT_EQ(m_host.GetWindowRect(clamped.Handle()).left, 0);
}

TEST_F(DlgBase, AFramePictureThatFitsIsCopiedAndGivesItsAverageColour) {
    // 2 × 2 pixels: the average is the integer division of each channel's sum.
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, QColor(10, 20, 30));
    picture.setPixelColor(1, 0, QColor(20, 30, 40));
    picture.setPixelColor(0, 1, QColor(30, 40, 50));
    picture.setPixelColor(1, 1, QColor(41, 51, 61));
    WritePicture(picture, u"skins\\Frame_tiny.bmp", "BMP");
    WritePicture(Quadrants(40, 20), u"skins\\Frame_fits.bmp", "BMP");

    RecordingDialog dialog({40, 20});
    ASSERT_TRUE(dialog.Create());
    dialog.SetFrameBitmapFile(ui::ProgramFile(u"skins\\Frame_tiny.bmp"));
    EXPECT_EQ(dialog.BackgroundColor(), ui::Rgb(25, 35, 45));

    dialog.SetFrameBitmapFile(ui::ProgramFile(u"skins\\Frame_fits.bmp"));
    EXPECT_EQ(dialog.FrameBitmapSize(), (ui::Size{40, 20}));
    EXPECT_EQ(dialog.FrameInset(), 0);
    EXPECT_EQ(dialog.BackgroundColor(), ui::Rgb(75, 75, 75));
    const QImage shown = m_host.Render(dialog.Handle());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), Quadrants(40, 20));
}

TEST_F(DlgBase, AFramePictureSmallerThanTheDialogIsShrunkByTheInset) {
    WritePicture(Quadrants(200, 150), u"skins\\Frame_small.bmp", "BMP");
    RecordingDialog dialog({300, 200});
    ASSERT_TRUE(dialog.Create());
    dialog.SetFrameBitmapFile(ui::ProgramFile(u"skins\\Frame_small.bmp"));
    // Inset = the smallest of 200, 100 and 150: the picture goes into 100 × 50 of its surface.
    EXPECT_EQ(dialog.FrameInset(), 100);
    const ui::Surface& surface = dialog.FrameSurface();
    ASSERT_EQ(surface.Width(), 200);
    EXPECT_EQ(surface.PixelAt(10, 10), ui::Rgb(20, 20, 20));
    EXPECT_EQ(surface.PixelAt(99, 49), ui::Rgb(200, 40, 40));
    EXPECT_EQ(surface.PixelAt(150, 100), ui::Rgb(0, 0, 0));

    const QImage shown = m_host.Render(dialog.Handle());
    EXPECT_EQ(PixelOf(shown, 99, 49), ui::Rgb(200, 40, 40));
    // Beyond the surface the background colour (the picture's average) shows.
    EXPECT_EQ(PixelOf(shown, 250, 180), dialog.BackgroundColor());
}

TEST_F(DlgBase, AFramePictureThatDoesNotLoadChangesOnlyTheInset) {
    RecordingDialog dialog({300, 200});
    ASSERT_TRUE(dialog.Create());
    dialog.SetFrameBitmapFile(ui::ProgramFile(u"skins\\Frame_missing.bmp"));
    dialog.SetFrameBitmap(ui::kResourceMainWindowPicture);
    EXPECT_EQ(dialog.FrameBitmapSize(), (ui::Size{100, 100}));
    EXPECT_EQ(dialog.FrameInset(), 100);
    EXPECT_EQ(dialog.BackgroundColor(), kBackground);
    EXPECT_TRUE(dialog.FrameSurface().IsNull());
    const QImage shown = m_host.Render(dialog.Handle());
    EXPECT_EQ(PixelOf(shown, 0, 0), kBackground);
    EXPECT_EQ(PixelOf(shown, 299, 199), kBackground);
}

TEST_F(DlgBase, AtScaleOneAndAHalfTheDialogPictureIsStretchedToTheWholeWindow) {
    ui::SetUiScale(1.5);
    WritePicture(Quadrants(300, 200), u"skins\\Frame_scaled.bmp", "BMP");
    RecordingDialog dialog({300, 200});
    dialog.paint = [](RecordingDialog& d, ui::SkinPainter& painter, const ui::Rect& client) {
        painter.FillRect(client, d.BackgroundColor());
        d.DrawFrameBitmapFile(painter, ui::ProgramFile(u"skins\\Frame_scaled.bmp"));
    };
    ASSERT_TRUE(dialog.Create());
    const QImage shown = m_host.Render(dialog.Handle());
    ASSERT_EQ(shown.size(), QSize(450, 300));
    EXPECT_EQ(PixelOf(shown, 224, 149), ui::Rgb(20, 20, 20));
    EXPECT_EQ(PixelOf(shown, 225, 149), ui::Rgb(40, 200, 40));
    EXPECT_EQ(PixelOf(shown, 224, 150), ui::Rgb(40, 40, 200));
    EXPECT_EQ(PixelOf(shown, 449, 299), ui::Rgb(200, 40, 40));
}

TEST_F(DlgBase, AMinimisedDialogPaintsOnePixel) {
    RecordingDialog dialog({40, 30});
    ASSERT_TRUE(dialog.Create());
    m_host.ShowWindow(dialog.Handle(), ui::ShowMode::Minimize);
    const QImage shown = m_host.Render(dialog.Handle());
    EXPECT_EQ(PixelOf(shown, 10, 10), ui::Rgb(255, 255, 255));
    EXPECT_EQ(PixelOf(shown, 11, 10), ui::Rgb(0, 0, 0));
    EXPECT_EQ(PixelOf(shown, 20, 20), ui::Rgb(0, 0, 0));
}

TEST_F(DlgBase, DrawControlsDrawsOnlyDisplayedControlsThatMeetTheClip) {
    RecordingDialog dialog({100, 40});
    dialog.build = [](RecordingDialog& d, ui::Rect) {
        d.AddRecording(0, 2300, {0, 0, 20, 20});
        d.AddControl(0, nullptr);
        d.AddRecording(1, 2301, {20, 0, 40, 20}, 0, 1, 0);
        d.AddRecording(2, 2302, {40, 0, 60, 20});
        d.AddRecording(6, 2303, {60, 0, 80, 20});
        EXPECT_EQ(d.AddControl(7, nullptr), nullptr);
    };
    dialog.paint = [](RecordingDialog& d, ui::SkinPainter& painter, const ui::Rect& client) {
        painter.FillRect(client, ui::Rgb(1, 2, 3));
        d.DrawControls(painter, {0, 0, 50, 20});
    };
    ASSERT_TRUE(dialog.Create());
    const QImage shown = m_host.Render(dialog.Handle());
    const ui::ColorRef drawn = RecordingControl::kNormalFill;
    EXPECT_EQ(PixelOf(shown, 5, 5), drawn);
    EXPECT_EQ(PixelOf(shown, 25, 5), ui::Rgb(1, 2, 3));  // not shown
    EXPECT_EQ(PixelOf(shown, 45, 5), drawn);             // meets the clip
    EXPECT_EQ(PixelOf(shown, 65, 5), ui::Rgb(1, 2, 3));  // outside the clip
}

TEST_F(DlgBase, FindControlReturnsTheFirstInCollectionOrder) {
    RecordingDialog dialog({100, 40});
    dialog.build = [](RecordingDialog& d, ui::Rect) {
        d.AddControl(0, nullptr);
        d.AddRecording(3, 2400, {0, 0, 10, 10});
        d.AddRecording(1, 2400, {10, 0, 20, 10});
    };
    ASSERT_TRUE(dialog.Create());
    ASSERT_NE(dialog.FindControl(2400), nullptr);
    EXPECT_EQ(dialog.FindControl(2400)->GetBounds().left, 10);
    EXPECT_EQ(dialog.FindControl(2401), nullptr);

    dialog.ReleaseControlImages();
    EXPECT_EQ(dialog.Recording(2400)->releases, 1);
    EXPECT_EQ(static_cast<RecordingControl*>(dialog.Controls(3)[0].get())->releases, 1);
}

TEST_F(DlgBase, ClosePopupPostsACloseAndEmptiesTheSlot) {
    RecordingDialog dialog({200, 100});
    dialog.build = [](RecordingDialog& d, ui::Rect) { d.AddRecording(0, 2500, {0, 0, 50, 50}); };
    ASSERT_TRUE(dialog.Create());
    RecordingDialog popup({50, 50}, dialog.Handle());
    ASSERT_TRUE(popup.Create());
    int closes = 0;
    popup.onClose = [&] { ++closes; };
    dialog.SetPopup(3, popup.Handle());

    // The control that took the last press, no longer hot, is reset first.
    m_host.MouseMove(dialog.Handle(), 10, 10);
    m_host.LButtonDown(dialog.Handle(), 10, 10);
    m_host.LButtonUp(dialog.Handle(), 10, 10);
    m_host.MouseMove(dialog.Handle(), 150, 80);
    dialog.ClosePopup(3);
    EXPECT_EQ(dialog.Recording(2500)->resets, 1);
    EXPECT_EQ(dialog.PressedControl(), nullptr);
    EXPECT_EQ(dialog.Popup(3), ui::kNoWindow);
    EXPECT_EQ(closes, 0);  // posted: it arrives after the current handler
    m_host.DeliverPosted();
    EXPECT_EQ(closes, 1);

    // A popup whose window is gone, an empty slot and a slot that does not exist only clear.
    dialog.SetPopup(4, popup.Handle());
    popup.DestroyWindow();
    dialog.ClosePopup(4);
    dialog.ClosePopup(5);
    dialog.ClosePopup(11);
    dialog.ClosePopup(-1);
    m_host.DeliverPosted();
    EXPECT_EQ(dialog.Popup(4), ui::kNoWindow);
    EXPECT_EQ(closes, 1);
}

TEST_F(DlgBase, OpenDialogListKeepsTenInOrderAndClosesThemInSlotOrder) {
    std::vector<std::unique_ptr<RecordingDialog>> dialogs;
    std::vector<int> closed;
    for (int i = 0; i < 11; ++i) {
        dialogs.push_back(std::make_unique<RecordingDialog>(ui::Size{50, 50}));
        ASSERT_TRUE(dialogs.back()->Create());
        dialogs.back()->onClose = [&closed, i] { closed.push_back(i); };
        EXPECT_EQ(dialogs.back()->RegisterOpenDialog(), i < 10) << "dialog " << i;
    }
    EXPECT_EQ(ui::OpenDialogs().Slots()[9], dialogs[9]->Handle());

    // Removing the first leaves the others moved down by one and the tenth slot empty.
    const ui::WindowHandle second = dialogs[1]->Handle();
    dialogs[0].reset();
    EXPECT_EQ(ui::OpenDialogs().Slots()[0], second);
    EXPECT_EQ(ui::OpenDialogs().Slots()[8], dialogs[9]->Handle());
    EXPECT_EQ(ui::OpenDialogs().Slots()[9], ui::kNoWindow);

    ui::OpenDialogs().CloseAll(m_host);
    EXPECT_EQ(closed, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(DlgBase, RemovingTheFirstOfThreeLeavesTheOtherTwoInFront) {
    RecordingDialog a({50, 50});
    RecordingDialog b({50, 50});
    auto c = std::make_unique<RecordingDialog>(ui::Size{50, 50});
    ASSERT_TRUE(a.Create() && b.Create() && c->Create());
    auto first = std::make_unique<RecordingDialog>(ui::Size{50, 50});
    ASSERT_TRUE(first->Create());
    ASSERT_TRUE(first->RegisterOpenDialog());
    ASSERT_TRUE(a.RegisterOpenDialog());
    ASSERT_TRUE(b.RegisterOpenDialog());
    first.reset();
    EXPECT_EQ(ui::OpenDialogs().Slots()[0], a.Handle());
    EXPECT_EQ(ui::OpenDialogs().Slots()[1], b.Handle());
    EXPECT_EQ(ui::OpenDialogs().Slots()[2], ui::kNoWindow);
}

// How a modal dialog ends: the close, cancel and OK controls on a click only, the keyboard
// defaults and the window manager's close.
struct EndingCase {
    std::string name;
    std::function<void(HeadlessHost&, RecordingDialog&)> act;
    int code;
    int releases;  // ReleaseImages calls on the dialog's control
};

class DlgBaseEnding : public UiTest, public ::testing::WithParamInterface<EndingCase> {};

void ClickControl(HeadlessHost& host, RecordingDialog& dialog, int id) {
    const ui::Rect r = dialog.FindControl(id)->GetBounds();
    host.Click(dialog.Handle(), r.left + 2, r.top + 2);
}

TEST_P(DlgBaseEnding, ModalRun) {
    const EndingCase& c = GetParam();
    RecordingDialog dialog({200, 100});
    dialog.build = [](RecordingDialog& d, ui::Rect) {
        d.AddRecording(0, ui::kIdCloseButton, {180, 0, 200, 20});
        d.AddRecording(0, ui::kIdOkButton, {100, 70, 140, 90});
        d.AddRecording(0, ui::kIdCancelButton, {150, 70, 190, 90});
        d.MapMessage(ui::kIdCloseButton, &ui::CDlgBase::OnCloseControl);
        d.MapMessage(ui::kIdCancelButton, &ui::CDlgBase::OnCloseControl);
        d.MapMessage(ui::kIdOkButton, &ui::CDlgBase::OnOkControl);
    };
    bool ranModal = false;
    m_host.SetModalHandler([&](HeadlessHost& host, ui::WindowHandle) {
        ranModal = true;
        c.act(host, dialog);
    });
    EXPECT_EQ(dialog.DoModal(), c.code);
    EXPECT_TRUE(ranModal);
    // What was shown, as the host logged it.
    const std::vector<std::string>& log = m_host.Log();
    const std::string window = "#" + std::to_string(m_host.LastCreated());
    for (const std::string& entry :
         {"show " + window, "modal " + window, "end " + window + " " + std::to_string(c.code),
          "destroy " + window}) {
        EXPECT_NE(std::find(log.begin(), log.end(), entry), log.end()) << entry;
    }
    EXPECT_EQ(dialog.Handle(), ui::kNoWindow);
    EXPECT_EQ(dialog.Recording(ui::kIdCloseButton)->releases, c.releases);
}

const std::vector<EndingCase> kEndingCases = {
    {"the close control cancels",
     [](HeadlessHost& h, RecordingDialog& d) { ClickControl(h, d, ui::kIdCloseButton); },
     ui::kIdCancel, 1},
    {"the cancel control cancels",
     [](HeadlessHost& h, RecordingDialog& d) { ClickControl(h, d, ui::kIdCancelButton); },
     ui::kIdCancel, 1},
    {"the OK control confirms",
     [](HeadlessHost& h, RecordingDialog& d) { ClickControl(h, d, ui::kIdOkButton); }, ui::kIdOk,
     1},
    {"a press alone ends nothing, the release does",
     [](HeadlessHost& h, RecordingDialog& d) {
         h.MouseMove(d.Handle(), 185, 5);
         h.LButtonDown(d.Handle(), 185, 5);
         EXPECT_EQ(d.Recording(ui::kIdCloseButton)->releases, 0);
         h.LButtonUp(d.Handle(), 185, 5);
     },
     ui::kIdCancel, 1},
    {"enter confirms", [](HeadlessHost& h, RecordingDialog&) { h.KeyDown(ui::kVkReturn); },
     ui::kIdOk, 0},
    {"escape cancels", [](HeadlessHost& h, RecordingDialog&) { h.KeyDown(ui::kVkEscape); },
     ui::kIdCancel, 0},
    {"the window manager's close cancels",
     [](HeadlessHost& h, RecordingDialog& d) { h.RequestClose(d.Handle()); }, ui::kIdCancel, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, DlgBaseEnding, ::testing::ValuesIn(kEndingCases),
                         [](const ::testing::TestParamInfo<EndingCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

// A static text as the program has them: always disabled, drawn in white.
class TextControl : public ui::CControlBase {
public:
    TextControl(ui::WindowHandle parent, int id, ui::Rect r, std::u16string text)
        : CControlBase(parent, id, r.left, r.top, r.right, r.bottom, std::move(text), 1, 1, 1, 1) {}
    void Draw(ui::SkinPainter& painter, ui::Rect) override {
        painter.DrawText(GetText(), GetBounds(), ui::kDtCenter | ui::kDtVCenter | ui::kDtSingleLine,
                         ui::Rgb(255, 255, 255), Font());
    }
};

TEST_F(DlgBase, WithoutSkinsDialogsStillOpenTextsStillDrawAndControlsStillNotify) {
    ASSERT_FALSE(std::filesystem::exists(ui::ProgramFile(u"skins")));
    RecordingDialog dialog({200, 100});
    dialog.build = [](RecordingDialog& d, ui::Rect) {
        d.AddControl(0, std::make_unique<TextControl>(d.Handle(), 2013, ui::Rect{0, 10, 200, 40},
                                                      u"Message"));
        d.AddRecording(0, 2600, {20, 60, 80, 90});
        d.AddRecording(0, ui::kIdCloseButton, {180, 0, 200, 20});
        d.MapMessage(ui::kIdCloseButton, &ui::CDlgBase::OnCloseControl);
    };
    dialog.paint = [](RecordingDialog& d, ui::SkinPainter& painter, const ui::Rect& client) {
        painter.FillRect(client, d.BackgroundColor());
        d.DrawFrameSurface(painter, client);
        EXPECT_FALSE(d.DrawFrameBitmapFile(painter, ui::ProgramFile(u"skins\\Frame_warning.bmp")));
        d.DrawControls(painter, client);
    };
    int textPixels = -1;
    m_host.SetModalHandler([&](HeadlessHost& host, ui::WindowHandle w) {
        dialog.SetFrameBitmapFile(ui::ProgramFile(u"skins\\Frame_warning.bmp"));
        const QImage shown = host.Render(w);
        textPixels = 0;
        for (int y = 10; y < 40; ++y) {
            for (int x = 0; x < 200; ++x) {
                textPixels += PixelOf(shown, x, y) != kBackground;
            }
        }
        host.Click(w, 30, 70);
        host.Click(w, 190, 10);
    });
    EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
    EXPECT_GT(textPixels, 20);
    EXPECT_EQ(dialog.notes.at(1), (Note{2600, 0, ui::kEventClick}));
}

TEST(HeadlessModalRun, ADialogThatNeverEndsFailsInsteadOfHanging) {
    HeadlessHost host;
    ui::ResetToolkitGlobals();
    ui::SetCurrentHost(&host);
    {
        RecordingDialog dialog({50, 50});
        host.SetModalHandler([](HeadlessHost& h, ui::WindowHandle) { h.Advance(1000); });
        EXPECT_EQ(dialog.DoModal(), ui::kModalAbandoned);
    }
    ui::SetCurrentHost(nullptr);
    ASSERT_EQ(host.Failures().size(), 1u);
    EXPECT_NE(host.Failures()[0].find("never ended"), std::string::npos);
}

}  // namespace
}  // namespace ostrel::testing
