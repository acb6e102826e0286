// The message box and the progress dialog: how the box ends, its size and picture at a UI scale,
// the modeless notice that deletes itself, and the progress bar's steps on virtual time up to the
// dialog closing itself.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "recording_dialog.h"
#include "test_pictures.h"
#include "ui/attention_dlg.h"
#include "ui/control_base.h"
#include "ui/open_dialog_list.h"
#include "ui/progress_bar_dlg.h"
#include "ui/toolkit_globals.h"
#include "ui_test_fixture.h"

namespace ostrel::testing {
namespace {

constexpr ui::ColorRef kFrameLeft = ui::Rgb(30, 34, 40);
constexpr ui::ColorRef kFrameRight = ui::Rgb(60, 30, 30);

// A picture whose left and right halves differ, so that its stretch can be measured.
void WriteHalves(std::u16string_view name, int width, int height, int split) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(ui::RedOf(kFrameRight), ui::GreenOf(kFrameRight), ui::BlueOf(kFrameRight)));
    QPainter(&image).fillRect(
        0, 0, split, height,
        QColor(ui::RedOf(kFrameLeft), ui::GreenOf(kFrameLeft), ui::BlueOf(kFrameLeft)));
    const std::filesystem::path file = ui::ProgramFile(name);
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "BMP"));
}

class MessageBox : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_language.entries[ui::kTextOk] = u"OK";
        ui::SetLanguageTable(&m_language);
    }

    // The centre of a control of the dialog being run.
    static ui::Point Centre(const ui::CDlgBase& dialog, int id) {
        const ui::Rect r = dialog.FindControl(id)->GetBounds();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    LanguageTable m_language;
};

TEST_F(MessageBox, OkAndEnterConfirmTheCrossAndEscapeCancel) {
    struct Case {
        const char* name;
        std::function<void(HeadlessHost&, ui::WindowHandle, const ui::CDlgBase&)> act;
        int result;
    };
    const std::vector<Case> cases = {
        {"the OK button",
         [](HeadlessHost& h, ui::WindowHandle w, const ui::CDlgBase& d) {
             const ui::Point p = Centre(d, ui::kIdOkButton);
             h.Click(w, p.x, p.y);
         },
         ui::kIdOk},
        {"the close button",
         [](HeadlessHost& h, ui::WindowHandle w, const ui::CDlgBase& d) {
             const ui::Point p = Centre(d, ui::kIdCloseButton);
             h.Click(w, p.x, p.y);
         },
         ui::kIdCancel},
        {"Enter", [](HeadlessHost& h, ui::WindowHandle, const ui::CDlgBase&) { h.KeyDown(0x0D); },
         ui::kIdOk},
        {"Escape",
         [](HeadlessHost& h, ui::WindowHandle, const ui::CDlgBase&) { h.KeyDown(ui::kVkEscape); },
         ui::kIdCancel},
    };
    for (const Case& c : cases) {
        ui::CAttentionDlg box(u"Attention", u"The mouse is not connected.", ui::kNoWindow);
        bool registered = false;
        m_host.SetModalHandler([&](HeadlessHost& h, ui::WindowHandle w) {
            registered = ui::OpenDialogs().Slots()[0] == w;
            EXPECT_EQ(box.FindControl(ui::kIdOkButton)->GetText(), u"OK");
            EXPECT_EQ(box.FindControl(ui::kIdAttentionMessage)->GetText(),
                      u"The mouse is not connected.");
            EXPECT_EQ(box.FindControl(ui::kIdAttentionTitle)->GetText(), u"");
            c.act(h, w, box);
        });
        EXPECT_EQ(box.DoModal(), c.result) << c.name;
        EXPECT_TRUE(registered) << c.name;
    }
}

TEST_F(MessageBox, AtScaleOneAndAHalfTheBoxAndItsPictureAreStretched) {
    ui::SetUiScale(1.5);
    WriteHalves(u"skins\\Frame_warning.bmp", 319, 102, 160);
    ui::CAttentionDlg box(u"", u"Text", ui::kNoWindow);
    QImage picture;
    m_host.SetModalHandler([&](HeadlessHost& h, ui::WindowHandle w) {
        picture = h.Render(w);
        h.KeyDown(ui::kVkEscape);
    });
    box.DoModal();
    ASSERT_EQ(picture.size(), QSize(478, 153));
    // Left half to x = 240, the rest the right half, down to the last row.
    EXPECT_EQ(PixelOf(picture, 239, 152), kFrameLeft);
    EXPECT_EQ(PixelOf(picture, 240, 152), kFrameRight);
    EXPECT_EQ(PixelOf(picture, 477, 2), kFrameRight);
    EXPECT_EQ(box.FindControl(ui::kIdOkButton)->GetBounds(), (ui::Rect{360, 105, 463, 135}));
}

TEST_F(MessageBox, TheNoticeIsTopmostModelessAndGoesWhenItEnds) {
    RecordingDialog owner({600, 400});
    ASSERT_TRUE(owner.Create());
    const ui::WindowHandle notice = ui::CAttentionDlg::ShowNotice(u"", u"No mouse", owner.Handle());
    ASSERT_NE(notice, ui::kNoWindow);
    EXPECT_TRUE(m_host.IsTopmost(notice));
    EXPECT_TRUE(m_host.IsVisible(notice));
    EXPECT_EQ(ui::OpenDialogs().Slots()[0], notice);

    const auto* box = static_cast<const ui::CDlgBase*>(m_host.Client(notice));
    const ui::Point ok = Centre(*box, ui::kIdOkButton);
    m_host.Click(notice, ok.x, ok.y);
    EXPECT_FALSE(m_host.IsVisible(notice));
    m_host.DeliverPosted();
    EXPECT_FALSE(m_host.IsWindow(notice));
    EXPECT_EQ(ui::OpenDialogs().Slots()[0], ui::kNoWindow);

    // A notice nobody ended goes with its owner.
    const ui::WindowHandle second = ui::CAttentionDlg::ShowNotice(u"", u"Again", owner.Handle());
    EXPECT_EQ(ui::OpenDialogs().Slots()[0], second);
    owner.DestroyWindow();
    EXPECT_FALSE(m_host.IsWindow(second));
    EXPECT_EQ(ui::OpenDialogs().Slots()[0], ui::kNoWindow);
}

// Notes the virtual time at which the dialog ended.
class TimedProgress : public ui::CProgressBarDlg {
public:
    explicit TimedProgress(HeadlessHost& host)
        : CProgressBarDlg(u"Saving", u"", ui::kNoWindow), m_host(host) {}

    void OnOK() override {
        endedAt = m_host.Now();
        CProgressBarDlg::OnOK();
    }

    std::optional<std::uint64_t> endedAt;

private:
    HeadlessHost& m_host;
};

TEST_F(MessageBox, TheProgressDialogGrowsInFiftyStepsAndClosesItselfAfterHalfASecond) {
    constexpr ui::ColorRef kFill = ui::Rgb(40, 200, 120);
    WriteSolidPicture(u"skins\\Frame_progress_nr.bmp", 429, 140, ui::Rgb(35, 35, 40));
    WriteSolidPicture(u"skins\\Frame_progress_ov.bmp", 429, 140, kFill);
    TimedProgress progress(m_host);
    std::vector<int> widths;
    QImage middle;
    m_host.SetModalHandler([&](HeadlessHost& h, ui::WindowHandle w) {
        widths.push_back(progress.FillWidth());
        // Keys do not end it.
        h.KeyDown(ui::kVkEscape);
        h.KeyDown(0x0D);
        for (int tick = 0; tick < 60 && !progress.endedAt; ++tick) {
            h.Advance(10);
            widths.push_back(progress.FillWidth());
            if (tick == 24) {
                middle = h.Render(w);
            }
        }
    });
    EXPECT_EQ(progress.DoModal(), ui::kIdOk);
    ASSERT_TRUE(progress.endedAt.has_value());
    // 50 steps from 0 ms to 490 ms, the close timer set at 500 ms fires 20 ms later.
    EXPECT_EQ(*progress.endedAt, 520u);
    ASSERT_GE(widths.size(), 50u);
    EXPECT_EQ(widths[0], 0);
    EXPECT_EQ(widths[1], 8);
    EXPECT_EQ(widths[49], 420);
    EXPECT_EQ(*std::max_element(widths.begin(), widths.end()), 420);
    // At 250 ms the bar shows 50 percent: 214 design pixels of fill on row 66.
    ASSERT_FALSE(middle.isNull());
    EXPECT_EQ(PixelsOfColor(middle, {0, 66, 429, 67}, kFill), 214);
    EXPECT_EQ(PixelsOfColor(middle, {0, 65, 429, 66}, kFill), 0);
    EXPECT_EQ(progress.FindControl(ui::kIdProgressTitle)->GetText(), u"Saving");
}

}  // namespace
}  // namespace ostrel::testing
