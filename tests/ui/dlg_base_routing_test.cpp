// How a dialog routes the mouse to its controls: hover, press, release, double and right clicks,
// leaving the window and dragging the window by its background.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "recording_dialog.h"
#include "ui_test_fixture.h"

namespace ostrel::testing {
namespace {

using Note = RecordingDialog::Note;

// The controls of the routing dialog (300 × 200): A and B touch at x = 60, C is disabled, E
// (collection 1) overlaps D and comes later in drawing order, F is outside the first collection,
// G has an id whose click repaints the whole window, H is visible but not shown.
constexpr int kA = 2100;
constexpr int kB = 2101;
constexpr int kC = 2102;
constexpr int kD = 2103;
constexpr int kE = 2104;
constexpr int kF = 2105;
constexpr int kG = 2049;
constexpr int kH = 2106;
constexpr int kWholeWindow = 0;

enum class Kind { Move, Down, Up, DoubleClick, RightUp, Leave };

struct Step {
    Kind kind;
    int x = 0;
    int y = 0;
};

Step Move(int x, int y) {
    return {Kind::Move, x, y};
}
Step Down(int x, int y) {
    return {Kind::Down, x, y};
}
Step Up(int x, int y) {
    return {Kind::Up, x, y};
}
Step DoubleClick(int x, int y) {
    return {Kind::DoubleClick, x, y};
}
Step RightUp(int x, int y) {
    return {Kind::RightUp, x, y};
}
Step Leave() {
    return {Kind::Leave};
}

struct RoutingCase {
    std::string name;
    std::vector<Step> steps;
    int hot = 0;                             // id of the hot control afterwards, 0 for none
    std::map<int, int> states;               // control id -> state afterwards
    std::vector<Note> notes;                 // every notification, in order
    std::vector<int> lastStepInvalidations;  // control ids, kWholeWindow for the whole window
    ui::Point moved{0, 0};                   // how far the window moved
    int systemMoves = 0;                     // window moves started
    std::optional<ui::Point> lastPoint;      // the dialog's last mouse point afterwards
    std::map<int, int> resets;               // control id -> OnReset calls

    RoutingCase Hot(int id) const {
        return With([&](RoutingCase& c) { c.hot = id; });
    }
    RoutingCase States(std::map<int, int> s) const {
        return With([&](RoutingCase& c) { c.states = s; });
    }
    RoutingCase Notes(std::vector<Note> n) const {
        return With([&](RoutingCase& c) { c.notes = n; });
    }
    RoutingCase Invalidated(std::vector<int> ids) const {
        return With([&](RoutingCase& c) { c.lastStepInvalidations = ids; });
    }
    RoutingCase Moved(ui::Point by, int starts) const {
        return With([&](RoutingCase& c) {
            c.moved = by;
            c.systemMoves = starts;
        });
    }
    RoutingCase LastPoint(ui::Point p) const {
        return With([&](RoutingCase& c) { c.lastPoint = p; });
    }
    RoutingCase Resets(std::map<int, int> r) const {
        return With([&](RoutingCase& c) { c.resets = r; });
    }

private:
    template <class F>
    RoutingCase With(F change) const {
        RoutingCase copy = *this;
        change(copy);
        return copy;
    }
};

RoutingCase Case(std::string name, std::vector<Step> steps) {
    RoutingCase c;
    c.name = std::move(name);
    c.steps = std::move(steps);
    return c;
}

Note Press(int id) {
    return {static_cast<unsigned>(id), 0, ui::kEventPress};
}
Note Click(int id) {
    return {static_cast<unsigned>(id), 0, ui::kEventClick};
}

const std::vector<RoutingCase> kCases = {
    Case("a press on the background moves the window",
         {Move(250, 150), Down(250, 150), Move(300, 180), Up(300, 180)})
        .Moved({50, 30}, 1),
    Case("a press on a disabled control does not move the window",
         {Move(20, 60), Down(20, 60), Move(40, 90), Up(40, 90)})
        .States({{kC, ui::kStateNormal}}),
    Case("moving between adjacent controls repaints both and the second becomes hot",
         {Move(30, 20), Move(59, 20), Move(60, 20)})
        .Hot(kB)
        .States({{kA, ui::kStateNormal}, {kB, ui::kStateHover}})
        .Invalidated({kA, kB}),
    Case("holding the button outside keeps the pressed control hot",
         {Move(30, 20), Down(30, 20), Move(80, 20)})
        .Hot(kA)
        .States({{kA, ui::kStatePressed}, {kB, ui::kStateNormal}})
        .Notes({Press(kA)}),
    Case("releasing outside drops the hot control without a click",
         {Move(30, 20), Down(30, 20), Move(80, 20), Up(80, 20)})
        .States({{kA, ui::kStateNormal}, {kB, ui::kStateNormal}})
        .Notes({Press(kA)})
        .Invalidated({kA})
        .LastPoint({-1, -1}),
    Case("after releasing over another control the next move makes it hot",
         {Move(30, 20), Down(30, 20), Move(80, 20), Up(80, 20), Move(81, 20)})
        .Hot(kB)
        .States({{kA, ui::kStateNormal}, {kB, ui::kStateHover}})
        .Notes({Press(kA)})
        .Invalidated({kB}),
    Case("a click inside sends press then click", {Move(30, 20), Down(30, 20), Up(30, 20)})
        .Hot(kA)
        .States({{kA, ui::kStateHover}})
        .Notes({Press(kA), Click(kA)})
        .Invalidated({kA})
        .LastPoint({30, 20}),
    Case("leaving the window drops the hot control", {Move(30, 20), Leave()})
        .States({{kA, ui::kStateNormal}})
        .Invalidated({kA})
        .LastPoint({-1, -1}),
    Case("leaving while the button is held keeps the pressed control",
         {Move(30, 20), Down(30, 20), Leave()})
        .Hot(kA)
        .States({{kA, ui::kStatePressed}})
        .Notes({Press(kA)}),
    // Both see the move inside them and take their hover look; only the later one is hot.
    Case("of overlapping controls the later one is hot and clicked",
         {Move(160, 40), Down(160, 40), Up(160, 40)})
        .Hot(kE)
        .States({{kD, ui::kStateHover}, {kE, ui::kStateHover}})
        .Notes({Press(kE), Click(kE)})
        .Invalidated({kE}),
    Case("a right click in the first collection reaches the hot control",
         {Move(30, 20), RightUp(30, 20)})
        .Hot(kA)
        .Notes({{kA, 0, ui::kEventRightClick}}),
    Case("a right click outside the first collection reaches nobody",
         {Move(20, 110), RightUp(20, 110)})
        .Hot(kF),
    Case("a click on a whole-window control repaints the whole window",
         {Move(130, 110), Down(130, 110), Up(130, 110)})
        .Hot(kG)
        .Notes({Press(kG), Click(kG)})
        .Invalidated({kWholeWindow}),
    Case("a double click sends press, click, double click, click",
         {Move(30, 20), Down(30, 20), Up(30, 20), DoubleClick(30, 20), Up(30, 20)})
        .Hot(kA)
        .States({{kA, ui::kStateHover}})
        .Notes({Press(kA), Click(kA), {kA, 0, ui::kEventDoubleClick}, Click(kA)}),
    Case("a control that is visible but not shown is background",
         {Move(20, 150), Down(20, 150), Up(20, 150)})
        .States({{kH, ui::kStateNormal}})
        .Moved({0, 0}, 1),
    Case("a press elsewhere resets the control pressed before",
         {Move(30, 20), Down(30, 20), Up(30, 20), Move(250, 150), Down(250, 150), Up(250, 150)})
        .Notes({Press(kA), Click(kA)})
        .Moved({0, 0}, 1)
        .Resets({{kA, 1}}),
};

class DlgBaseRouting : public UiTest, public ::testing::WithParamInterface<RoutingCase> {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_dialog = std::make_unique<RecordingDialog>(ui::Size{300, 200});
        m_dialog->build = [](RecordingDialog& d, ui::Rect) {
            d.AddRecording(0, kA, {10, 10, 60, 40});
            d.AddRecording(0, kB, {60, 10, 110, 40});
            d.AddRecording(0, kC, {10, 50, 60, 80}, 1);
            d.AddRecording(0, kD, {120, 10, 200, 60});
            d.AddRecording(1, kE, {150, 30, 230, 80});
            d.AddRecording(2, kF, {10, 100, 60, 130});
            d.AddRecording(0, kG, {120, 100, 170, 130});
            d.AddRecording(0, kH, {10, 140, 60, 170}, 0, 1, 0);
        };
        ASSERT_TRUE(m_dialog->Create());
    }

    void TearDown() override {
        m_dialog.reset();
        UiTest::TearDown();
    }

    // Steps are in client coordinates of the window where it stood at the start, so that a
    // window moved by the mouse does not move the points that follow.
    void Run(const Step& original, const ui::Rect& start) {
        const ui::WindowHandle w = m_dialog->Handle();
        const ui::Rect now = m_host.GetWindowRect(w);
        const Step step{original.kind, original.x + start.left - now.left,
                        original.y + start.top - now.top};
        switch (step.kind) {
            case Kind::Move:
                m_host.MouseMove(w, step.x, step.y);
                break;
            case Kind::Down:
                m_host.LButtonDown(w, step.x, step.y);
                break;
            case Kind::Up:
                m_host.LButtonUp(w, step.x, step.y);
                break;
            case Kind::DoubleClick:
                m_host.LButtonDblClk(w, step.x, step.y);
                break;
            case Kind::RightUp:
                m_host.RButtonUp(w, step.x, step.y);
                break;
            case Kind::Leave:
                m_host.MouseMoveScreen({2, 2});
                break;
        }
    }

    std::unique_ptr<RecordingDialog> m_dialog;
};

TEST_P(DlgBaseRouting, EventSequence) {
    const RoutingCase& c = GetParam();
    const ui::Rect before = m_host.GetWindowRect(m_dialog->Handle());
    ASSERT_FALSE(before.Contains({2, 2}));
    for (size_t i = 0; i < c.steps.size(); ++i) {
        if (i + 1 == c.steps.size()) {
            m_host.TakeInvalidations();
        }
        Run(c.steps[i], before);
    }

    const ui::CControlBase* hot = m_dialog->HotControl();
    EXPECT_EQ(hot != nullptr ? hot->Id() : 0, c.hot);
    for (const auto& [id, state] : c.states) {
        EXPECT_EQ(m_dialog->Recording(id)->State(), state) << "control " << id;
    }
    EXPECT_EQ(m_dialog->notes, c.notes);

    std::vector<Invalidation> expected;
    for (int id : c.lastStepInvalidations) {
        expected.push_back(
            {m_dialog->Handle(), id == kWholeWindow
                                     ? std::nullopt
                                     : std::optional(m_dialog->Recording(id)->GetBounds())});
    }
    EXPECT_EQ(m_host.TakeInvalidations(), expected);

    const ui::Rect after = m_host.GetWindowRect(m_dialog->Handle());
    EXPECT_EQ((ui::Point{after.left - before.left, after.top - before.top}), c.moved);
    EXPECT_EQ(m_host.SystemMoveCount(), c.systemMoves);
    if (c.lastPoint) {
        EXPECT_EQ(m_dialog->LastMousePoint(), *c.lastPoint);
    }
    for (const auto& [id, count] : c.resets) {
        EXPECT_EQ(m_dialog->Recording(id)->resets, count) << "control " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DlgBaseRouting, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RoutingCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

TEST_F(DlgBaseRouting, EveryDisplayedControlSeesTheMoveThatChangesTheHotControl) {
    m_host.MouseMove(m_dialog->Handle(), 30, 20);
    std::map<int, int> before;
    for (int id : {kA, kB, kC, kD, kE, kF, kG, kH}) {
        before[id] = m_dialog->Recording(id)->moves;
    }
    m_host.MouseMove(m_dialog->Handle(), 60, 20);
    for (int id : {kA, kB, kC, kD, kE, kF, kG}) {
        EXPECT_EQ(m_dialog->Recording(id)->moves, before[id] + 1) << "control " << id;
    }
    EXPECT_EQ(m_dialog->Recording(kH)->moves, before[kH]);
    // Within the hot control only the hot control hears about the move.
    m_host.MouseMove(m_dialog->Handle(), 61, 21);
    EXPECT_EQ(m_dialog->Recording(kA)->moves, before[kA] + 1);
    EXPECT_EQ(m_dialog->Recording(kB)->moves, before[kB] + 2);
}

TEST_F(DlgBaseRouting, LeavingTellsTheHotControlItsLastPoint) {
    m_host.MouseMove(m_dialog->Handle(), 30, 20);
    m_host.MouseMoveScreen({2, 2});
    EXPECT_EQ(m_dialog->Recording(kA)->lastMove, (ui::Point{-1, -1}));

    // A maximised window whose hot control still lies under the cursor keeps the cursor's point
    // (the leave came although the pointer is still inside the control).
    m_host.SetMaximized(m_dialog->Handle(), true);
    m_host.MouseMove(m_dialog->Handle(), 30, 20);
    m_dialog->OnMouseLeave();
    EXPECT_EQ(m_dialog->Recording(kA)->lastMove, (ui::Point{30, 20}));
    EXPECT_EQ(m_dialog->HotControl(), nullptr);
}

TEST_F(DlgBaseRouting, AHoverReportRepaintsTheHotControlAtTheCursor) {
    const ui::WindowHandle w = m_dialog->Handle();
    m_host.MouseMove(w, 30, 20);
    m_host.MouseMove(w, 35, 25);
    m_host.TakeInvalidations();
    // The mouse rests for the hover time (1 ms): one report, then none until the next tracking.
    m_host.Advance(1);
    EXPECT_EQ(m_host.TakeInvalidations(),
              (std::vector<Invalidation>{{w, m_dialog->Recording(kA)->GetBounds()}}));
    EXPECT_EQ(m_dialog->LastMousePoint(), (ui::Point{35, 25}));
    m_host.Advance(10);
    EXPECT_TRUE(m_host.TakeInvalidations().empty());
}

TEST_F(DlgBaseRouting, CaptureFollowsTheButton) {
    const ui::WindowHandle w = m_dialog->Handle();
    m_host.MouseMove(w, 30, 20);
    m_host.LButtonDown(w, 30, 20);
    EXPECT_TRUE(m_dialog->IsCaptured());
    EXPECT_EQ(m_host.GetCapture(), w);
    EXPECT_EQ(m_dialog->PressedRect(), (ui::Rect{10, 10, 60, 40}));
    // Outside the window the captured dialog still gets the release.
    m_host.MouseMoveScreen({2, 2});
    m_host.LButtonUp(w, -500, -500);
    EXPECT_FALSE(m_dialog->IsCaptured());
    EXPECT_EQ(m_host.GetCapture(), ui::kNoWindow);
    EXPECT_EQ(m_dialog->PressedRect(), ui::kNoRect);
    EXPECT_EQ(m_dialog->Recording(kA)->State(), ui::kStateNormal);
}

TEST_F(DlgBaseRouting, APressWhoseReleaseWentToAModalDialogDoesNotWedgeTheDialog) {
    const ui::WindowHandle w = m_dialog->Handle();
    m_dialog->MapMessage(kA, [&](std::uintptr_t, std::intptr_t code) -> std::intptr_t {
        if (code == ui::kEventPress) {
            RecordingDialog inner({100, 50}, w);
            m_host.SetModalHandler([](HeadlessHost& h, ui::WindowHandle modal) {
                h.LButtonUp(modal, 5, 5);
                h.RequestClose(modal);
            });
            EXPECT_EQ(inner.DoModal(), ui::kIdCancel);
        }
        return 0;
    });
    m_host.MouseMove(w, 30, 20);
    m_host.LButtonDown(w, 30, 20);
    EXPECT_TRUE(m_dialog->IsButtonDown());

    // The release went to the modal dialog. The next press, on B, presses B.
    m_host.MouseMove(w, 80, 20);
    m_host.LButtonDown(w, 80, 20);
    m_host.LButtonUp(w, 80, 20);
    EXPECT_EQ(m_host.SystemMoveCount(), 0);
    EXPECT_EQ(m_dialog->Recording(kA)->State(), ui::kStateNormal);
    EXPECT_EQ(m_dialog->notes, (std::vector<Note>{Press(kA), Press(kB), Click(kB)}));
    EXPECT_FALSE(m_dialog->IsCaptured());
}

}  // namespace
}  // namespace ostrel::testing
