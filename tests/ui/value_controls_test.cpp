// The value and display controls: slider steps and drags, the vertical gauge's values and its
// drawing for counts and values a sensor can produce, the scroll bar's geometry, parts and drag,
// the library tree list and the action list, the battery fill and the profile tabs.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "assign/key_tables.h"
#include "recording_dialog.h"
#include "test_pictures.h"
#include "ui/battery.h"
#include "ui/dpi_value_show_control.h"
#include "ui/edit_show_list.h"
#include "ui/image_show_list.h"
#include "ui/skin_image.h"
#include "ui/skin_painter.h"
#include "ui/slider_control.h"
#include "ui/tab_control.h"
#include "ui/toolkit_globals.h"
#include "ui/vertical_slider_control.h"
#include "ui/vscroll_bar.h"
#include "ui_test_fixture.h"

namespace ostrel::testing {
namespace {

using Note = RecordingDialog::Note;

constexpr ui::ColorRef kGround = RecordingDialog::kDefaultBackground;

class Values : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Open();
    }

    void TearDown() override {
        m_dialog.reset();
        UiTest::TearDown();
    }

    // A fresh dialog (after a change of the UI scale).
    void Open() {
        m_dialog = std::make_unique<RecordingDialog>(ui::Size{300, 250});
        ASSERT_TRUE(m_dialog->Create());
    }

    template <class Control>
    Control* Add(std::unique_ptr<Control> control) {
        return static_cast<Control*>(m_dialog->AddControl(0, std::move(control)));
    }

    ui::WindowHandle Window() const { return m_dialog->Handle(); }

    std::unique_ptr<RecordingDialog> m_dialog;
};

TEST_F(Values, FiveSliderStepsOnAHundredPixelsAndTheNearestStep) {
    const int left = 50;
    auto* slider = Add(std::make_unique<ui::CSliderControl>(Window(), 3200, left, 20, left + 100,
                                                            40, 5, 0, 0, u""));
    EXPECT_EQ(slider->StepPositions(),
              (std::vector<int>{left, left + 25, left + 50, left + 75, left + 100}));
    const struct {
        int x;
        int step;
    } cases[] = {{-5, 0}, {0, 0},  {11, 0}, {12, 1}, {36, 1},  {37, 2},
                 {61, 2}, {62, 3}, {86, 3}, {87, 4}, {100, 4}, {180, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(slider->NearestStep(left + c.x), c.step) << "x = " << c.x;
    }
}

TEST_F(Values, SlidersWithoutStepsOrWithOneKeepValueZeroAndDrawInside) {
    for (const int steps : {-1, 0, 1}) {
        auto* slider = Add(std::make_unique<ui::CSliderControl>(Window(), 3201, 10, 60, 110, 80,
                                                                steps, 4, 4, u""));
        slider->SetValue(3);
        EXPECT_EQ(slider->Value(), 0) << steps;
        EXPECT_EQ(slider->NearestStep(90), 0) << steps;
        m_host.Click(Window(), 12, 70);
        EXPECT_EQ(slider->Value(), 0) << steps;
    }
    m_host.Render(Window());
}

TEST_F(Values, DraggingASliderPastEitherEndKeepsTheEndStep) {
    // Pads of 8 give the thumb a width to take the press.
    auto* slider =
        Add(std::make_unique<ui::CSliderControl>(Window(), 3202, 50, 20, 166, 40, 5, 8, 8, u""));
    ASSERT_EQ(slider->ThumbRect(), (ui::Rect{50, 20, 66, 40}));
    m_host.MouseMove(Window(), 55, 30);
    m_host.LButtonDown(Window(), 55, 30);
    ASSERT_TRUE(slider->IsDragging());
    // The dialog hands its own mouse moves on, so the drag goes on outside the slider.
    slider->Drag(400);
    EXPECT_EQ(slider->Value(), 4);
    slider->Drag(-100);
    EXPECT_EQ(slider->Value(), 0);
    slider->Drag(400);
    m_host.MouseMove(Window(), 290, 30);
    m_host.LButtonUp(Window(), 290, 30);
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(slider->Value(), 4);
    EXPECT_EQ(slider->ThumbRect(), (ui::Rect{150, 20, 166, 40}));
    EXPECT_EQ(m_dialog->notes, (std::vector<Note>{{3202, 0, ui::kEventPress},
                                                  {3202, 4, ui::kEventDrag},
                                                  {3202, 0, ui::kEventDrag},
                                                  {3202, 4, ui::kEventDrag}}));

    // A release inside settles on the step nearest the release.
    m_dialog->notes.clear();
    m_host.MouseMove(Window(), 100, 30);
    m_host.LButtonDown(Window(), 100, 30);
    m_host.LButtonUp(Window(), 100, 30);
    EXPECT_EQ(slider->Value(), 2);
    EXPECT_EQ(m_dialog->notes.back(), (Note{3202, 0, ui::kEventClick}));
}

TEST_F(Values, TheVerticalSliderGivesZeroAtTheBottomAndTheLastValueJustUnderTheTop) {
    auto* slider =
        Add(std::make_unique<ui::CVerticalSliderControl>(Window(), 3280, 10, 10, 30, 110, 50, u""));
    const struct {
        int y;
        int value;
    } cases[] = {{110, 0}, {109, 0}, {300, 0}, {60, 24}, {11, 49}, {10, 49}, {-40, 49}};
    for (const auto& c : cases) {
        EXPECT_EQ(slider->ValueForY(c.y), c.value) << "y = " << c.y;
    }
    // A press sets the value, a drag reports it, a release clicks.
    m_host.MouseMove(Window(), 20, 60);
    m_host.LButtonDown(Window(), 20, 60);
    m_host.MouseMove(Window(), 20, 10);
    m_host.LButtonUp(Window(), 20, 10);
    EXPECT_EQ(slider->Value(), 49);
    EXPECT_EQ(m_dialog->notes, (std::vector<Note>{{3280, 0, ui::kEventPress},
                                                  {3280, 49, ui::kEventDrag},
                                                  {3280, 0, ui::kEventClick}}));

    auto* empty =
        Add(std::make_unique<ui::CVerticalSliderControl>(Window(), 3281, 50, 10, 70, 10, 50, u""));
    EXPECT_EQ(empty->ValueForY(10), 0);
    auto* none =
        Add(std::make_unique<ui::CVerticalSliderControl>(Window(), 3282, 80, 10, 100, 110, 0, u""));
    EXPECT_EQ(none->ValueForY(10), 0);
}

TEST_F(Values, TheGaugeFillsByItsCountAndNeverDrawsOutsideItsRectangle) {
    constexpr ui::ColorRef kBack = ui::Rgb(30, 30, 30);
    constexpr ui::ColorRef kFill = ui::Rgb(0, 180, 250);
    // Pictures larger than the gauge: nothing of them may land outside it.
    const auto back = WriteSolidPicture(u"skins\\gauge_back.png", 40, 200, kBack);
    const auto fill = WriteSolidPicture(u"skins\\gauge_fill.png", 40, 200, kFill);
    struct Case {
        const char* name;
        double scale;
        int count;
        int value;
        int filledRows;  // of the gauge's 100 × scale rows
    };
    const std::vector<Case> cases = {
        {"an unknown sensor's count of 0", 1.0, 0, 0, 0},
        {"a default step of 58 beyond a count of 50", 1.0, 50, 58, 100},
        {"a default step of 50 at a count of 50", 2.0, 50, 50, 200},
        {"the last value of 58", 1.0, 58, 57, 100},
        {"value 24 of 50", 1.0, 50, 24, 50},
        {"an odd fill at scale 2 starts a pixel lower", 2.0, 40, 0, 4},
        {"a negative value", 1.0, 50, -3, 0},
    };
    for (const Case& c : cases) {
        ui::SetUiScale(c.scale);
        Open();
        const ui::Rect r{20, 20, 20 + ui::Scaled(16), 20 + ui::Scaled(100)};
        auto* gauge = Add(std::make_unique<ui::CDPIValueShowControl>(
            Window(), 3300, r.left, r.top, r.right, r.bottom, c.count, u""));
        gauge->LoadBackgroundImage(back);
        gauge->LoadFillImage(fill);
        gauge->SetValue(c.value);
        const QImage picture = m_host.Render(Window());
        EXPECT_EQ(PixelsOutside(picture, r, kGround), 0) << c.name;
        EXPECT_EQ(PixelsOfColor(picture, r, kFill), c.filledRows * r.Width()) << c.name;
        if (c.filledRows > 0) {
            EXPECT_EQ(PixelOf(picture, r.left, r.bottom - 1), kFill) << c.name;
        }
    }
}

class ScrollBar : public Values {
protected:
    void SetUp() override {
        Values::SetUp();
        m_bar = Add(std::make_unique<ui::CVScrollBar>(Window(), 2021, 100, 10, 112, 110, u""));
        // The test program's strips: 9 × 4, three frames of 3 × 4.
        ASSERT_TRUE(m_bar->LoadArrowResources());
    }

    ui::CVScrollBar* m_bar = nullptr;
};

TEST_F(ScrollBar, ArrowsTrackAndThumbFollowTheScrollInfo) {
    EXPECT_EQ(m_bar->UpArrowRect(), (ui::Rect{100, 10, 112, 14}));
    EXPECT_EQ(m_bar->DownArrowRect(), (ui::Rect{100, 106, 112, 110}));
    EXPECT_EQ(m_bar->TrackTop(), 14);
    EXPECT_EQ(m_bar->TrackEnd(), 106);
    const struct {
        const char* name;
        int position;
        int page;
        int total;
        ui::Rect thumb;
    } cases[] = {
        {"total 0 fills the track", 0, 5, 0, {100, 14, 112, 106}},
        {"a quarter page at the top", 0, 10, 40, {100, 14, 112, 37}},
        {"the last page", 30, 10, 40, {100, 83, 112, 106}},
        {"a page larger than the total", 0, 80, 40, {100, 14, 112, 106}},
        {"a position beyond the total stays in the track", 90, 10, 40, {100, 106, 112, 106}},
    };
    for (const auto& c : cases) {
        m_bar->SetScrollInfo(c.position, c.page, c.total);
        EXPECT_EQ(m_bar->ThumbRect(), c.thumb) << c.name;
    }

    // With total 0 the thumb's look covers the whole track and nothing leaves the bar.
    m_bar->SetScrollInfo(0, 5, 0);
    const QImage picture = m_host.Render(Window());
    EXPECT_EQ(PixelsOutside(picture, m_bar->GetBounds(), kGround), 0);
    EXPECT_EQ(PixelOf(picture, 101, 14), ui::Rgb(31, 31, 31));
    EXPECT_EQ(PixelOf(picture, 106, 104), ui::Rgb(50, 50, 50));
    EXPECT_EQ(PixelOf(picture, 101, 10), ui::Rgb(0, 255, 255));  // up arrow, first frame
    EXPECT_EQ(PixelOf(picture, 101, 109), ui::Rgb(255, 0, 0));   // down arrow, first frame
}

TEST_F(ScrollBar, APressReportsThePartItHits) {
    m_bar->SetScrollInfo(10, 10, 40);  // thumb rows 37 to 60
    const struct {
        int y;
        int part;
    } cases[] = {{11, ui::kScrollPartUpArrow},
                 {108, ui::kScrollPartDownArrow},
                 {40, ui::kScrollPartThumb},
                 {20, ui::kScrollPartPageUp},
                 {90, ui::kScrollPartPageDown}};
    for (const auto& c : cases) {
        m_dialog->notes.clear();
        m_host.Click(Window(), 105, c.y);
        ASSERT_FALSE(m_dialog->notes.empty());
        EXPECT_EQ(m_dialog->notes.front(),
                  (Note{2021, static_cast<std::uintptr_t>(c.part), ui::kEventPress}))
            << "y = " << c.y;
        EXPECT_EQ(m_dialog->notes.back(), (Note{2021, 0, ui::kEventClick})) << "y = " << c.y;
    }
}

TEST_F(ScrollBar, DraggingTheThumbMovesThePositionWithinTheTrack) {
    m_bar->SetScrollInfo(0, 10, 40);  // thumb rows 14 to 37
    m_host.MouseMove(Window(), 105, 20);
    m_host.LButtonDown(Window(), 105, 20);
    ASSERT_TRUE(m_bar->IsDragging());
    m_bar->Drag(105, 60);  // thumb top 54
    EXPECT_EQ(m_bar->Position(), 17);
    m_bar->Drag(105, 60);  // the same place reports nothing new
    m_bar->Drag(105, 500);
    EXPECT_EQ(m_bar->ThumbRect().bottom, m_bar->TrackEnd());
    EXPECT_EQ(m_bar->Position(), 30);
    m_host.MouseMove(Window(), 200, 500);
    m_host.LButtonUp(Window(), 200, 500);
    EXPECT_FALSE(m_bar->IsDragging());
    EXPECT_EQ(m_bar->ThumbRect(), (ui::Rect{100, 83, 112, 106}));
    EXPECT_EQ(m_dialog->notes, (std::vector<Note>{{2021, 0, ui::kEventPress},
                                                  {2021, 0, ui::kEventDrag},
                                                  {2021, 0, ui::kEventDrag},
                                                  {2021, 0, ui::kEventClick}}));
}

TEST_F(Values, TheBatteryFillIsAtLeastOneDesignPixel) {
    constexpr ui::ColorRef kFull = ui::Rgb(0, 220, 0);
    const auto full = WriteSolidPicture(u"skins\\battery_full.png", 40, 70, kFull);
    const auto empty = WriteSolidPicture(u"skins\\battery_empty.png", 40, 70, ui::Rgb(20, 20, 20));
    const struct {
        double scale;
        int level;
        int rows;
    } cases[] = {{1.0, 1, 1}, {1.0, 0, 1}, {1.0, 50, 25}, {1.0, 100, 50}, {1.0, 250, 50},
                 {2.0, 1, 2}, {1.5, 1, 2}, {1.5, 3, 2},   {2.0, 100, 100}};
    for (const auto& c : cases) {
        ui::SetUiScale(c.scale);
        Open();
        const ui::Rect r{10, 10, 10 + ui::Scaled(40), 10 + ui::Scaled(70)};
        auto* battery =
            Add(std::make_unique<ui::CBattery>(Window(), r.left, r.top, r.right, r.bottom));
        battery->LoadFullImage(full);
        battery->LoadEmptyImage(empty);
        battery->SetLevel(c.level);
        const QImage picture = m_host.Render(Window());
        EXPECT_EQ(PixelsOfColor(picture, r, kFull), c.rows * r.Width())
            << "scale " << c.scale << " level " << c.level;
        // The fill ends at design row 57.
        EXPECT_EQ(PixelOf(picture, r.left, r.top + static_cast<int>(57 * c.scale) - 1), kFull);
        EXPECT_NE(PixelOf(picture, r.left, r.top + static_cast<int>(57 * c.scale)), kFull);
    }
}

TEST_F(Values, ChargingShowsTheChargeLevelUnderTheMarkAndChargedTheFullPicture) {
    constexpr ui::ColorRef kFull = ui::Rgb(0, 220, 0);
    constexpr ui::ColorRef kCharge = ui::Rgb(0, 120, 250);
    constexpr ui::ColorRef kMark = ui::Rgb(255, 255, 255);
    const auto full = WriteSolidPicture(u"skins\\battery_full.png", 40, 70, kFull);
    const auto charge = WriteSolidPicture(u"skins\\battery_charging.png", 40, 70, kCharge);
    // The charging mark: transparent but for a 4 × 4 square at (18, 45), inside the fill.
    QImage mark(40, 70, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    for (int y = 45; y < 49; ++y) {
        for (int x = 18; x < 22; ++x) {
            mark.setPixelColor(x, y, Qt::white);
        }
    }
    const std::filesystem::path markFile = ui::ProgramFile(u"skins\\battery_lighting.png");
    ASSERT_TRUE(mark.save(QString::fromStdString(markFile.string()), "PNG"));
    const struct {
        int mode;
        int chargeLevel;
        int fullPixels;
        int chargePixels;
    } cases[] = {{ui::CBattery::kCharging, 50, 0, 25 * 40 - 16},
                 {ui::CBattery::kCharging, 0, 0, 40},
                 {ui::CBattery::kCharged, 50, 40 * 70 - 16, 0}};
    for (const auto& c : cases) {
        Open();
        const ui::Rect r{10, 10, 50, 80};
        auto* battery =
            Add(std::make_unique<ui::CBattery>(Window(), r.left, r.top, r.right, r.bottom));
        battery->LoadFullImage(full);
        battery->LoadChargeFillImage(charge);
        battery->LoadChargingImage(markFile);
        battery->SetMode(c.mode);
        battery->SetChargeLevel(c.chargeLevel);
        const QImage picture = m_host.Render(Window());
        EXPECT_EQ(PixelsOfColor(picture, r, kFull), c.fullPixels) << c.mode;
        EXPECT_EQ(PixelsOfColor(picture, r, kCharge), c.chargePixels) << c.mode;
        EXPECT_EQ(PixelsOfColor(picture, r, kMark), 16) << c.mode;
    }
}

TEST_F(Values, ClickingProfileTab2051SelectsItAndRepaintsTheWholeWindow) {
    std::vector<ui::CTabControl*> tabs;
    for (int n = 0; n < ui::kProfileTabCount; ++n) {
        tabs.push_back(
            Add(std::make_unique<ui::CTabControl>(Window(), ui::kIdFirstProfileTab + n, 10 + 50 * n,
                                                  10, 55 + 50 * n, 30, u"Profile", ui::kDtLeft)));
    }
    EXPECT_EQ(tabs[0]->PictureIndex(), 2);
    m_host.TakeInvalidations();
    m_host.Click(Window(), 120, 20);
    EXPECT_EQ(ui::ProfileTabIndex(), 2);
    const std::vector<Invalidation> invalid = m_host.TakeInvalidations();
    EXPECT_NE(std::find(invalid.begin(), invalid.end(), Invalidation{Window(), std::nullopt}),
              invalid.end());
    EXPECT_EQ(tabs[2]->PictureIndex(), 3);  // selected and hovered
    EXPECT_EQ(tabs[0]->PictureIndex(), 0);
    m_host.MouseMove(Window(), 200, 200);
    EXPECT_EQ(tabs[2]->PictureIndex(), 2);

    m_dialog->notes.clear();
    m_host.MouseMove(Window(), 70, 20);
    m_host.RButtonUp(Window(), 70, 20);
    EXPECT_EQ(m_dialog->notes, (std::vector<Note>{{2050, 2050, ui::kEventRightClick}}));
    EXPECT_EQ(ui::ProfileTabIndex(), 2);
}

class LibraryList : public Values {
protected:
    void SetUp() override {
        Values::SetUp();
        MacroRecord m1;
        m1.name = u"m1";
        MacroRecord deep;
        deep.name = u"deep";
        MacroRecord m2;
        m2.name = u"M2";
        const MacroLocation folder = MacroLocation::Top(0);
        m_library.Place(folder, MacroItem::Folder(u"F", true));
        m_library.Place(folder.Child(0), MacroItem::Macro(m1));
        m_library.Place(folder.Child(3), MacroItem::Folder(u"G", false));
        m_library.Place(folder.Child(3).Child(0), MacroItem::Macro(deep));
        m_library.Place(MacroLocation::Top(1), MacroItem::Macro(m2));
        const auto open = WriteSolidPicture(u"skins\\foldr_open.png", 16, 16, ui::Rgb(250, 200, 0));
        const auto closed =
            WriteSolidPicture(u"skins\\foldr_close.png", 16, 16, ui::Rgb(200, 150, 0));
        // 50 pixels high: (50 + 10) / 20 = 3 rows fit.
        m_list = Add(std::make_unique<ui::CEditShowList>(Window(), 10, 10, 150, 60, u""));
        m_list->LoadFolderOpenImage(open);
        m_list->LoadFolderClosedImage(closed);
        m_list->Bind(&m_library);
    }

    std::vector<std::u16string> Names() const {
        std::vector<std::u16string> names;
        for (const ui::LibraryRow& row : ui::LibraryRows(m_library)) {
            names.push_back(row.name);
        }
        return names;
    }

    MacroLibrary m_library;
    ui::CEditShowList* m_list = nullptr;
};

TEST_F(LibraryList, RowsFollowOpenFoldersWithTheirLevels) {
    const std::vector<ui::LibraryRow> rows = ui::LibraryRows(m_library);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (ui::LibraryRow{MacroLocation::Top(0), 0, true, true, u"F"}));
    EXPECT_EQ(rows[1].name, u"m1");
    EXPECT_EQ(rows[1].level, 1);
    EXPECT_EQ(rows[2], (ui::LibraryRow{MacroLocation::Top(0).Child(3), 1, true, false, u"G"}));
    EXPECT_EQ(rows[3].name, u"M2");
    EXPECT_EQ(rows[3].level, 0);
    EXPECT_EQ(m_list->RowsThatFit(), 3);
}

TEST_F(LibraryList, APressSelectsAndOpensOrClosesAFolderOnlyOnItsPicture) {
    struct Step {
        const char* name;
        ui::Point point;
        int selected;
        std::vector<std::u16string> names;
    };
    const std::vector<Step> steps = {
        {"a press right of the folder picture selects it",
         {100, 12},
         0,
         {u"F", u"m1", u"G", u"M2"}},
        {"a press on the picture closes it", {15, 12}, 0, {u"F", u"M2"}},
        {"a press below the rows selects nothing", {50, 55}, -1, {u"F", u"M2"}},
        {"a press on the picture opens it again", {15, 12}, 0, {u"F", u"m1", u"G", u"M2"}},
        // A second-level folder's picture reaches twice as far right.
        {"a second-level folder opens on its picture",
         {40, 52},
         2,
         {u"F", u"m1", u"G", u"deep", u"M2"}},
    };
    for (const Step& step : steps) {
        m_host.Click(Window(), step.point.x, step.point.y);
        EXPECT_EQ(m_list->SelectedRow(), step.selected) << step.name;
        EXPECT_EQ(Names(), step.names) << step.name;
    }
    EXPECT_EQ(m_library.selection, MacroLocation::Top(0).Child(3));
    EXPECT_EQ(m_dialog->notes.back(), (Note{ui::kIdEditShowList, 0, ui::kEventClick}));
}

TEST_F(LibraryList, DoubleAndRightClicksAreReportedAndScrollingKeepsTheSelectionInView) {
    m_host.MouseMove(Window(), 100, 52);
    m_host.LButtonDblClk(Window(), 100, 52);  // on G, far from its picture
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"F", u"m1", u"G", u"deep", u"M2"}));
    EXPECT_EQ(m_dialog->notes.back(), (Note{ui::kIdEditShowList, 0, ui::kEventDoubleClick}));
    m_host.LButtonUp(Window(), 100, 52);

    m_dialog->notes.clear();
    m_host.RButtonUp(Window(), 100, 32);
    ASSERT_EQ(m_dialog->notes.size(), 1u);
    EXPECT_EQ(m_dialog->notes[0].code, ui::kEventRightClick);
    EXPECT_NE(m_dialog->notes[0].wParam, 0u);
    EXPECT_EQ(m_list->SelectedRow(), 1);
    EXPECT_EQ(m_library.selection, MacroLocation::Top(0).Child(0));

    m_list->SetSelectedRow(4);
    m_list->EnsureVisible();
    EXPECT_EQ(m_list->FirstVisibleRow(), 2);
    m_list->SetSelectedRow(0);
    m_list->EnsureVisible();
    EXPECT_EQ(m_list->FirstVisibleRow(), 0);
    m_list->SetFirstVisibleRow(2);
    m_list->SetSelectedRow(-1);
    m_list->EnsureVisible();
    EXPECT_EQ(m_list->FirstVisibleRow(), 2);  // more rows than fit: it stays
    EXPECT_EQ(PixelsOutside(m_host.Render(Window()), m_list->GetBounds(), kGround), 0);
}

TEST_F(Values, TheActionListShowsEachActionsIconAndSelectsOnlyActions) {
    constexpr ui::ColorRef kPress = ui::Rgb(0, 200, 0);
    constexpr ui::ColorRef kRelease = ui::Rgb(200, 0, 0);
    constexpr ui::ColorRef kDelay = ui::Rgb(0, 0, 200);
    MacroRecord macro;
    InsertAction(macro, 0, MakeKeyAction('A', false));
    InsertAction(macro, 1, MakeDelayAction(300));
    InsertAction(macro, 2, MakeKeyAction('A', true));
    InsertAction(macro, 3, {kVkMouseMoveX, 0, 0, static_cast<uint8_t>(-5)});
    auto* list = Add(std::make_unique<ui::CImageShowList>(Window(), 10, 10, 150, 110, u""));
    list->LoadPressIcon(WriteSolidPicture(u"skins\\macro_down.png", 8, 8, kPress));
    list->LoadReleaseIcon(WriteSolidPicture(u"skins\\macro_up.png", 8, 8, kRelease));
    list->LoadDelayIcon(WriteSolidPicture(u"skins\\macro_time.png", 8, 8, kDelay));
    EXPECT_EQ(PixelsOfColor(m_host.Render(Window()), list->GetBounds(), ui::Rgb(75, 75, 75)),
              140 * 100);  // nothing bound: only the background
    list->BindMacro(&macro);
    const QImage picture = m_host.Render(Window());
    const ui::ColorRef icons[] = {kPress, kDelay, kRelease, kPress};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(PixelOf(picture, 12, 10 + 20 * row + 3), icons[row]) << "row " << row;
    }
    EXPECT_EQ(PixelOf(picture, 12, 10 + 20 * 4 + 3), ui::Rgb(75, 75, 75));

    m_host.Click(Window(), 60, 35);
    EXPECT_EQ(list->SelectedRow(), 1);
    m_host.Click(Window(), 60, 95);  // below the last action
    EXPECT_EQ(list->SelectedRow(), -1);
    m_host.LButtonDblClk(Window(), 60, 15);
    EXPECT_EQ(m_dialog->notes.back(), (Note{ui::kIdImageShowList, 0, ui::kEventDoubleClick}));
}

}  // namespace
}  // namespace ostrel::testing
