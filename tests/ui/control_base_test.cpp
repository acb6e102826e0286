// The control base: the standard state machine, its notifications and return values, text
// changes and the font made from the UI font.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_dialog.h"
#include "ui/skin_font.h"
#include "ui_test_fixture.h"

namespace ostrel::testing {
namespace {

using Note = RecordingDialog::Note;

constexpr int kId = 2200;
constexpr ui::Rect kBounds{10, 10, 60, 40};

enum class Hook { Move, Down, Up, DoubleClick };

struct Call {
    Hook hook;
    int x;
    int y;
};

struct StateCase {
    std::string name;
    int disabled;
    std::vector<Call> calls;
    std::vector<bool> changed;  // what each call returned
    int finalState;
    std::vector<int> codes;  // event codes sent, in order
};

const std::vector<StateCase> kStateCases = {
    {"a move inside hovers", 0, {{Hook::Move, 20, 20}}, {true}, ui::kStateHover, {}},
    {"a move inside a hovered control changes nothing",
     0,
     {{Hook::Move, 20, 20}, {Hook::Move, 21, 21}},
     {true, false},
     ui::kStateHover,
     {}},
    {"a move outside ends the hover",
     0,
     {{Hook::Move, 20, 20}, {Hook::Move, 100, 100}},
     {true, true},
     ui::kStateNormal,
     {}},
    {"the right and bottom edges are outside",
     0,
     {{Hook::Move, 60, 20}, {Hook::Move, 20, 40}, {Hook::Move, 59, 39}},
     {false, false, true},
     ui::kStateHover,
     {}},
    {"a press inside presses and sends 1",
     0,
     {{Hook::Move, 20, 20}, {Hook::Down, 20, 20}},
     {true, true},
     ui::kStatePressed,
     {ui::kEventPress}},
    {"a press outside does nothing", 0, {{Hook::Down, 100, 100}}, {false}, ui::kStateNormal, {}},
    {"a pressed control ignores moves",
     0,
     {{Hook::Down, 20, 20}, {Hook::Move, 100, 100}},
     {true, false},
     ui::kStatePressed,
     {ui::kEventPress}},
    {"a release inside hovers and sends 2",
     0,
     {{Hook::Down, 20, 20}, {Hook::Up, 20, 20}},
     {true, true},
     ui::kStateHover,
     {ui::kEventPress, ui::kEventClick}},
    {"a release outside returns to normal without a click",
     0,
     {{Hook::Down, 20, 20}, {Hook::Up, 100, 100}},
     {true, true},
     ui::kStateNormal,
     {ui::kEventPress}},
    {"a double click inside hovers and sends 10",
     0,
     {{Hook::DoubleClick, 20, 20}},
     {true},
     ui::kStateHover,
     {ui::kEventDoubleClick}},
    {"a double click outside returns to normal",
     0,
     {{Hook::Move, 20, 20}, {Hook::DoubleClick, 100, 100}},
     {true, true},
     ui::kStateNormal,
     {}},
    {"a disabled control under the mouse stays normal and sends nothing",
     1,
     {{Hook::Move, 20, 20}, {Hook::Down, 20, 20}, {Hook::Up, 20, 20}, {Hook::DoubleClick, 20, 20}},
     {false, false, false, false},
     ui::kStateNormal,
     {}},
};

class ControlStateMachine : public UiTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(ControlStateMachine, Calls) {
    const StateCase& c = GetParam();
    RecordingDialog dialog({100, 100});
    ASSERT_TRUE(dialog.Create());
    RecordingControl* control = dialog.AddRecording(0, kId, kBounds, c.disabled);
    std::vector<bool> changed;
    for (const Call& call : c.calls) {
        switch (call.hook) {
            case Hook::Move:
                changed.push_back(control->OnMouseMove(0, call.x, call.y));
                break;
            case Hook::Down:
                changed.push_back(control->OnLButtonDown(0, call.x, call.y));
                break;
            case Hook::Up:
                changed.push_back(control->OnLButtonUp(0, call.x, call.y));
                break;
            case Hook::DoubleClick:
                changed.push_back(control->OnLButtonDblClk(0, call.x, call.y));
                break;
        }
    }
    EXPECT_EQ(changed, c.changed);
    EXPECT_EQ(control->State(), c.finalState);
    std::vector<Note> expected;
    for (int code : c.codes) {
        expected.push_back({kId, 0, code});
    }
    EXPECT_EQ(dialog.notes, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlStateMachine, ::testing::ValuesIn(kStateCases),
                         [](const ::testing::TestParamInfo<StateCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

class ControlBase : public UiTest {};

TEST_F(ControlBase, NotificationsAreSynchronousAndComeAfterTheStateChange) {
    RecordingDialog dialog({100, 100});
    ASSERT_TRUE(dialog.Create());
    RecordingControl* control = dialog.AddRecording(0, kId, kBounds);
    std::vector<int> statesSeen;
    dialog.MapMessage(kId, [&](std::uintptr_t, std::intptr_t) -> std::intptr_t {
        statesSeen.push_back(control->State());
        return 0;
    });
    control->OnLButtonDown(0, 20, 20);
    control->OnLButtonUp(0, 20, 20);
    EXPECT_EQ(statesSeen, (std::vector<int>{ui::kStatePressed, ui::kStateHover}));
}

TEST_F(ControlBase, SetTextInvalidatesOnlyOnAChange) {
    RecordingDialog dialog({100, 100});
    ASSERT_TRUE(dialog.Create());
    RecordingControl* control = dialog.AddRecording(0, kId, kBounds);
    m_host.TakeInvalidations();

    control->SetText(u"");
    EXPECT_TRUE(m_host.TakeInvalidations().empty());
    control->SetText(u"OK");
    EXPECT_EQ(m_host.TakeInvalidations(), (std::vector<Invalidation>{{dialog.Handle(), kBounds}}));
    control->SetText(u"OK");
    EXPECT_TRUE(m_host.TakeInvalidations().empty());
    control->SetText(u"ok");
    EXPECT_EQ(m_host.TakeInvalidations().size(), 1u);
    EXPECT_EQ(control->GetText(), u"ok");
}

TEST_F(ControlBase, FontComesFromTheUiFontAndSetFontKeepsItsCharacterSet) {
    ui::SetUiFontSetting({u"Tahoma", 24, ui::kDefaultCharset});
    RecordingDialog dialog({100, 100});
    ASSERT_TRUE(dialog.Create());
    RecordingControl* control = dialog.AddRecording(0, kId, kBounds);
    EXPECT_EQ(control->Font().Face(), u"Tahoma");
    EXPECT_EQ(control->Font().Height(), 24);
    EXPECT_EQ(control->Font().Charset(), ui::kDefaultCharset);
    EXPECT_EQ(control->Font().Weight(), ui::kFontWeightDontCare);

    control->SetFont(18, u"宋体");
    EXPECT_EQ(control->Font().Face(), u"宋体");
    EXPECT_EQ(control->Font().Height(), 18);
    EXPECT_EQ(control->Font().Charset(), ui::kDefaultCharset);
}

TEST_F(ControlBase, VisibilityIsTheBitwiseAndOfBothFlags) {
    RecordingDialog dialog({100, 100});
    ASSERT_TRUE(dialog.Create());
    RecordingControl* control = dialog.AddRecording(0, kId, kBounds);
    EXPECT_TRUE(control->IsDisplayed());
    control->SetShown(0);
    EXPECT_FALSE(control->IsDisplayed());
    control->SetShown(1);
    control->SetVisible(0);
    EXPECT_FALSE(control->IsDisplayed());
}

}  // namespace
}  // namespace ostrel::testing
