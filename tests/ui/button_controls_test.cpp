// The button family: what each class does with a click, the global selection words of the radio
// and DPI level buttons, the combo button's hover and leave reports, the link's once-per-pass
// reports and the power dial's segments, driven through a dialog on the headless host.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "recording_dialog.h"
#include "test_pictures.h"
#include "ui/check_button.h"
#include "ui/color_select_check_button.h"
#include "ui/combo_button.h"
#include "ui/dpi_radio_button.h"
#include "ui/image_button.h"
#include "ui/link_button.h"
#include "ui/power_manage_button.h"
#include "ui/radio_button.h"
#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"
#include "ui_test_fixture.h"

namespace ostrel::testing {
namespace {

using Note = RecordingDialog::Note;

class Buttons : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_dialog = std::make_unique<RecordingDialog>(ui::Size{400, 300});
        ASSERT_TRUE(m_dialog->Create());
    }

    void TearDown() override {
        m_dialog.reset();
        UiTest::TearDown();
    }

    template <class Control>
    Control* Add(std::unique_ptr<Control> control) {
        return static_cast<Control*>(m_dialog->AddControl(0, std::move(control)));
    }

    ui::WindowHandle Window() const { return m_dialog->Handle(); }

    void Click(const ui::Rect& r) { m_host.Click(Window(), r.left + 2, r.top + 2); }

    // The notifications with a given event code.
    std::vector<Note> NotesWithCode(int code) const {
        std::vector<Note> found;
        for (const Note& note : m_dialog->notes) {
            if (note.code == code) {
                found.push_back(note);
            }
        }
        return found;
    }

    std::unique_ptr<RecordingDialog> m_dialog;
};

TEST_F(Buttons, ACheckButtonTogglesOnceForAClickAndNotForAReleaseOutside) {
    struct Case {
        const char* name;
        std::vector<ui::Point> releases;  // one press inside before each release
        int checked;
        std::vector<int> codes;
    };
    const std::vector<Case> cases = {
        {"press and release inside", {{20, 20}}, 1, {ui::kEventPress, ui::kEventClick}},
        {"released outside", {{200, 200}}, 0, {ui::kEventPress}},
        {"two clicks",
         {{20, 20}, {21, 21}},
         0,
         {ui::kEventPress, ui::kEventClick, ui::kEventPress, ui::kEventClick}},
    };
    for (const Case& c : cases) {
        RecordingDialog dialog({400, 300});
        ASSERT_TRUE(dialog.Create());
        auto* check = static_cast<ui::CCheckButton*>(dialog.AddControl(
            0, std::make_unique<ui::CCheckButton>(dialog.Handle(), 2200, 10, 10, 60, 40, u"Check",
                                                  ui::kDtLeft)));
        for (const ui::Point& release : c.releases) {
            m_host.MouseMove(dialog.Handle(), 20, 20);
            m_host.LButtonDown(dialog.Handle(), 20, 20);
            m_host.MouseMove(dialog.Handle(), release.x, release.y);
            m_host.LButtonUp(dialog.Handle(), release.x, release.y);
        }
        EXPECT_EQ(check->Checked(), c.checked) << c.name;
        std::vector<int> codes;
        for (const Note& note : dialog.notes) {
            EXPECT_EQ(note.message, 2200u) << c.name;
            codes.push_back(static_cast<int>(note.code));
        }
        EXPECT_EQ(codes, c.codes) << c.name;
    }
}

TEST_F(Buttons, ACheckButtonShowsItsCheckedPictureWhileCheckedOrPressed) {
    auto* check =
        Add(std::make_unique<ui::CCheckButton>(Window(), 2200, 10, 10, 60, 40, u"", ui::kDtLeft));
    EXPECT_EQ(check->PictureIndex(), 0);
    check->OnMouseMove(0, 20, 20);
    EXPECT_EQ(check->PictureIndex(), 1);
    check->SetChecked(1);
    EXPECT_EQ(check->PictureIndex(), 2);  // hovered but checked
    check->SetChecked(0);
    check->OnLButtonDown(0, 20, 20);
    EXPECT_EQ(check->PictureIndex(), 2);  // pressed
}

TEST_F(Buttons, RadioButtonsSelectWithinTheirGroupOnly) {
    const ui::Rect r2031{10, 10, 30, 30};
    const ui::Rect r2033{40, 10, 60, 30};
    const ui::Rect rOther{70, 10, 90, 30};
    auto* loop1 = Add(std::make_unique<ui::CRadioButton>(Window(), 2031, r2031.left, r2031.top,
                                                         r2031.right, r2031.bottom, u""));
    auto* loop2 = Add(std::make_unique<ui::CRadioButton>(Window(), 2033, r2033.left, r2033.top,
                                                         r2033.right, r2033.bottom, u""));
    Add(std::make_unique<ui::CRadioButton>(Window(), 2300, rOther.left, rOther.top, rOther.right,
                                           rOther.bottom, u""));
    EXPECT_EQ(ui::RadioSelectionWord(), ui::kInitialRadioSelectionWord);

    Click(r2033);
    Click(r2031);
    const std::uint32_t word = ui::RadioSelectionWord();
    EXPECT_EQ(word & 0xE000u, 0x2000u);
    EXPECT_EQ(word & ~0xE000u, ui::kInitialRadioSelectionWord & ~0xE000u);
    EXPECT_TRUE(loop1->IsSelected());
    EXPECT_FALSE(loop2->IsSelected());
    EXPECT_EQ(loop2->PictureIndex(), 0);

    // A radio outside every group only reports its click.
    m_dialog->notes.clear();
    Click(rOther);
    EXPECT_EQ(ui::RadioSelectionWord(), word);
    EXPECT_EQ(m_dialog->notes,
              (std::vector<Note>{{2300, 0, ui::kEventPress}, {2300, 0, ui::kEventClick}}));
}

TEST_F(Buttons, TheFourthDpiLevelButtonPutsTheFirstFourLevelsInUse) {
    constexpr ui::ColorRef kNormal = ui::Rgb(40, 40, 40);
    constexpr ui::ColorRef kSelected = ui::Rgb(0, 200, 90);
    const auto normal = WriteSolidPicture(u"skins\\dpi_nr.png", 4, 4, kNormal);
    const auto hover = WriteSolidPicture(u"skins\\dpi_ov.png", 4, 4, ui::Rgb(90, 90, 90));
    const auto selected = WriteSolidPicture(u"skins\\dpi_dn.png", 4, 4, kSelected);
    std::vector<ui::CDPIRadioButton*> levels;
    for (int n = 0; n < ui::kDpiLevelButtonCount; ++n) {
        auto button = std::make_unique<ui::CDPIRadioButton>(
            Window(), ui::kIdFirstDpiLevelButton + n, 10 + 40 * n, 100, 40 + 40 * n, 140, u"");
        button->LoadNormalImage(normal);
        button->LoadHoverImage(hover);
        button->LoadSelectedImage(selected);
        button->SetDpiValue(16 * (n + 1));
        levels.push_back(Add(std::move(button)));
    }
    EXPECT_EQ(ui::DpiLevelMask(), ui::kInitialDpiLevelMask);

    Click(levels[3]->GetBounds());
    EXPECT_EQ(ui::DpiLevelMask(), 0x0F);
    // The mouse rests on the fourth button; every button draws by the mask.
    const QImage picture = m_host.Render(Window());
    for (int n = 0; n < ui::kDpiLevelButtonCount; ++n) {
        const ui::Rect r = levels[static_cast<size_t>(n)]->GetBounds();
        EXPECT_EQ(PixelOf(picture, r.left + 2, r.bottom - 3), n < 4 ? kSelected : kNormal)
            << "level " << n;
    }
    EXPECT_EQ(m_dialog->notes.back(), (Note{3293, 0, ui::kEventClick}));
}

TEST_F(Buttons, AComboReportsFiveHoversAndOneLeavePerEntryButNoLeaveWhileOpen) {
    constexpr unsigned kNotify = 1134;
    constexpr int kId = 2400;
    auto* combo = Add(std::make_unique<ui::CComboButton>(Window(), kNotify, kId, 10, 10, 110, 30,
                                                         u"", ui::kDtLeft));
    const auto hovers = [&] {
        int n = 0;
        for (const Note& note : m_dialog->notes) {
            n += note == Note{kNotify, kId, ui::kEventEnter};
        }
        return n;
    };
    const auto leaves = [&] {
        int n = 0;
        for (const Note& note : m_dialog->notes) {
            n += note == Note{kNotify, kId, ui::kEventLeave};
        }
        return n;
    };
    struct Step {
        const char* name;
        int movesInside;
        bool open;
        int hoversAfter;
        int leavesAfter;
    };
    const std::vector<Step> steps = {
        {"seven moves in one entry report five hovers, then one leave", 7, false, 5, 1},
        {"a second entry reports its own hovers and leave", 2, false, 7, 2},
        {"with the popup open the leave is held back", 3, true, 10, 2},
        {"the next entry goes on counting where the last stopped", 3, true, 12, 2},
    };
    for (const Step& step : steps) {
        combo->SetOpen(step.open ? 1 : 0);
        for (int i = 0; i < step.movesInside; ++i) {
            m_host.MouseMove(Window(), 20 + i, 20);
        }
        m_host.MouseMove(Window(), 200, 200);
        EXPECT_EQ(hovers(), step.hoversAfter) << step.name;
        EXPECT_EQ(leaves(), step.leavesAfter) << step.name;
    }
}

TEST_F(Buttons, AComboClicksToItsNotifyMessageUnlessInactive) {
    constexpr unsigned kNotify = 1028;
    constexpr int kId = 2401;
    const ui::Rect r{10, 10, 110, 30};
    auto* combo = Add(std::make_unique<ui::CComboButton>(Window(), kNotify, kId, r.left, r.top,
                                                         r.right, r.bottom, u"", ui::kDtLeft));
    Click(r);
    EXPECT_EQ(NotesWithCode(ui::kEventPress), (std::vector<Note>{{kId, 0, ui::kEventPress}}));
    EXPECT_EQ(NotesWithCode(ui::kEventClick), (std::vector<Note>{{kNotify, kId, ui::kEventClick}}));

    m_dialog->notes.clear();
    combo->SetInactive(1);
    Click(r);
    EXPECT_TRUE(NotesWithCode(ui::kEventPress).empty());
    EXPECT_TRUE(NotesWithCode(ui::kEventClick).empty());
    EXPECT_EQ(combo->State(), ui::kStateHover);
}

TEST_F(Buttons, ALinkReportsEnteringAndLeavingOncePerPass) {
    Add(std::make_unique<ui::CLinkButton>(Window(), 10, 10, 110, 30, u"shop", ui::kDtLeft));
    for (int pass = 0; pass < 2; ++pass) {
        for (int x = 20; x < 25; ++x) {
            m_host.MouseMove(Window(), x, 20);
        }
        m_host.MouseMove(Window(), 200, 200);
    }
    const Note enter{ui::kIdLinkButton, 0, ui::kEventEnter};
    const Note leave{ui::kIdLinkButton, 0, ui::kEventLeave};
    EXPECT_EQ(m_dialog->notes, (std::vector<Note>{enter, leave, enter, leave}));
}

TEST_F(Buttons, AnImageButtonClickCarriesItsIdAndTheProfileButtonReportsEveryMove) {
    Add(std::make_unique<ui::CImageButton>(Window(), 2500, 10, 10, 60, 30, u"", ui::kDtCenter));
    Add(std::make_unique<ui::CImageButton>(Window(), ui::kIdProfileHoverButton, 100, 10, 150, 30,
                                           u"", ui::kDtCenter));
    Click({10, 10, 60, 30});
    EXPECT_EQ(m_dialog->notes,
              (std::vector<Note>{{2500, 0, ui::kEventPress}, {2500, 2500, ui::kEventClick}}));
    m_dialog->notes.clear();
    for (int x = 110; x < 113; ++x) {
        m_host.MouseMove(Window(), x, 20);
    }
    EXPECT_EQ(NotesWithCode(ui::kEventProfileHover).size(), 3u);
}

TEST_F(Buttons, ThePowerDialSelectsTheSegmentUnderTheReleaseAndNothingOffTheDisc) {
    struct Case {
        const char* name;
        double scale;
        ui::Point design;  // from the dial's top-left corner
        std::optional<int> value;
    };
    const std::vector<Case> cases = {
        {"between (40, 13) and (70, 5)", 1.0, {58, 20}, 6},
        {"the same segment at scale 1.5", 1.5, {58, 20}, 6},
        {"first segment, next to the left end", 1.0, {8, 66}, 3},
        {"last segment, next to the right end", 1.0, {128, 66}, 10},
        {"inside the rectangle, above the disc", 1.0, {3, 4}, std::nullopt},
        {"inside the rectangle, above the disc at scale 1.5", 1.5, {133, 6}, std::nullopt},
    };
    for (const Case& c : cases) {
        ui::SetUiScale(c.scale);
        RecordingDialog dialog({400, 300});
        ASSERT_TRUE(dialog.Create());
        const int left = 20;
        const int top = 30;
        auto* dial = static_cast<ui::CPowerManageButton*>(dialog.AddControl(
            0, std::make_unique<ui::CPowerManageButton>(
                   dialog.Handle(), left, top, left + ui::Scaled(140), top + ui::Scaled(80))));
        dial->SetSelectedValue(8);
        const int x = left + static_cast<int>(c.design.x * c.scale);
        const int y = top + static_cast<int>(c.design.y * c.scale);
        m_host.Click(dialog.Handle(), x, y);
        EXPECT_EQ(dial->SelectedValue(), c.value.value_or(8)) << c.name;
        const bool clicked =
            !dialog.notes.empty() && dialog.notes.back() == Note{ui::kIdPowerManageButton, 0, 2};
        EXPECT_EQ(clicked, c.value.has_value()) << c.name;
    }
}

TEST_F(Buttons, TheColourSlotInsetScalesAndADoubleClickIsReported) {
    ui::SetUiScale(1.5);
    RecordingDialog dialog({400, 300});
    ASSERT_TRUE(dialog.Create());
    auto* slot = static_cast<ui::CColorSelectCheckButton*>(dialog.AddControl(
        0,
        std::make_unique<ui::CColorSelectCheckButton>(dialog.Handle(), 3180, 10, 10, 40, 40, u"")));
    EXPECT_EQ(slot->Swatch(), (ui::Rect{14, 14, 36, 36}));
    slot->SetColor(ui::Rgb(200, 0, 0));
    const QImage picture = m_host.Render(dialog.Handle());
    EXPECT_EQ(PixelsOfColor(picture, {0, 0, picture.width(), picture.height()}, ui::Rgb(200, 0, 0)),
              22 * 22);

    m_host.MouseMove(dialog.Handle(), 20, 20);
    m_host.LButtonDblClk(dialog.Handle(), 20, 20);
    EXPECT_EQ(dialog.notes.back(), (Note{3180, 0, ui::kEventDoubleClick}));
    EXPECT_EQ(slot->Checked(), 0);
}

}  // namespace
}  // namespace ostrel::testing
