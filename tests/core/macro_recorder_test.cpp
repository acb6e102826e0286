#include "macro/macro_recorder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "assign/key_tables.h"
#include "macro/macro_action_rules.h"

namespace ostrel {
namespace {

constexpr uint32_t kKeyA = 0x41;
constexpr uint32_t kKeyB = 0x42;

MacroAction Press(uint8_t code) { return MakeKeyAction(code, false); }
MacroAction Release(uint8_t code) { return MakeKeyAction(code, true); }

std::vector<MacroAction> Used(const MacroRecord& macro) {
    return {macro.actions.begin(), macro.actions.begin() + UsedActions(macro)};
}

struct HookMessage {
    uint32_t key;
    bool release;
    uint32_t time;
};

TEST(MacroRecorderTest, RecordsKeysAndTheirDelays) {
    struct Case {
        const char* name;
        bool delays;
        std::vector<HookMessage> messages;
        std::vector<MacroAction> actions;
    };
    const Case cases[] = {
        {"press A, 300 ms, release A", true, {{kKeyA, false, 1000}, {kKeyA, true, 1300}},
         {Press(0x41), MakeDelayAction(300), Release(0x41)}},
        {"auto-repeat gives one press", true,
         {{kKeyA, false, 1000}, {kKeyA, false, 1030}, {kKeyA, false, 1060}, {kKeyA, true, 1500}},
         {Press(0x41), MakeDelayAction(500), Release(0x41)}},
        {"a pause over 4095 ms is stored as 4095", true, {{kKeyA, false, 0}, {kKeyB, false, 9000}},
         {Press(0x41), MakeDelayAction(4095), Press(0x42)}},
        {"the 31-bit tick count wraps", true, {{kKeyA, false, 0x7FFFFF00}, {kKeyA, true, 0x10}},
         {Press(0x41), MakeDelayAction(0x110), Release(0x41)}},
        {"only the low 31 bits are time", true, {{kKeyA, false, 0x80000010}, {kKeyA, true, 0x20}},
         {Press(0x41), MakeDelayAction(0x10), Release(0x41)}},
        {"without delays", false, {{kKeyA, false, 0}, {kKeyB, false, 50}, {kKeyA, true, 90}},
         {Press(0x41), Press(0x42), Release(0x41)}},
        {"codes below 8 and above 255 are no keys", true,
         {{0x01, false, 0}, {0x07, false, 0}, {0x141, false, 0}, {kKeyA, false, 10}},
         {Press(0x41)}},
        {"a release after another key is no repetition", false,
         {{kKeyA, false, 0}, {kKeyB, false, 0}, {kKeyB, true, 0}, {kKeyB, true, 0}},
         {Press(0x41), Press(0x42), Release(0x42)}},
    };
    for (const Case& c : cases) {
        MacroRecord macro;
        macro.actions[0] = Press(0x5A);  // an earlier recording: the start forgets it
        macro.actionCount = 1;
        macro.eventCount = 1;
        MacroRecorder recorder;
        recorder.recordDelays = c.delays;
        ASSERT_TRUE(recorder.Start(&macro)) << c.name;
        for (const HookMessage& m : c.messages) recorder.Feed(&macro, m.key, m.release, m.time);
        EXPECT_EQ(Used(macro), c.actions) << c.name;
        size_t events = 0;
        for (const MacroAction& action : c.actions) events += IsDelayAction(action) ? 0 : 1;
        EXPECT_EQ(macro.eventCount, events) << c.name;
        EXPECT_TRUE(recorder.Recording()) << c.name;
    }
}

TEST(MacroRecorderTest, StopsAtTheEventLimit) {
    for (const bool delays : {false, true}) {
        MacroRecord macro;
        MacroRecorder recorder;
        recorder.recordDelays = delays;
        ASSERT_TRUE(recorder.Start(&macro));
        uint32_t time = 0;
        for (size_t n = 0; n < kMaxMacroEvents; ++n, time += 10) {
            ASSERT_EQ(recorder.Feed(&macro, kKeyA, n % 2 == 1, time),
                      MacroRecorder::Step::Recorded);
        }
        EXPECT_EQ(macro.eventCount, kMaxMacroEvents);
        const MacroRecord full = macro;
        EXPECT_EQ(recorder.Feed(&macro, kKeyA, false, time), MacroRecorder::Step::Stopped);
        EXPECT_FALSE(recorder.Recording());
        EXPECT_EQ(macro, full);  // the 169th event is dropped
        EXPECT_EQ(macro.actionCount, delays ? 2 * kMaxMacroEvents - 1 : kMaxMacroEvents);
        EXPECT_EQ(recorder.Feed(&macro, kKeyB, false, time), MacroRecorder::Step::Ignored);
    }
}

TEST(MacroRecorderTest, StopsWhenInsertionsFilledTheList) {
    MacroRecord macro;
    MacroRecorder recorder;
    recorder.recordDelays = true;
    ASSERT_TRUE(recorder.Start(&macro));
    ASSERT_EQ(recorder.Feed(&macro, kKeyA, false, 0), MacroRecorder::Step::Recorded);
    // Delays inserted from the insert list while recording take places but no events.
    while (macro.actionCount < kMaxMacroActions - 1) InsertDelay(macro, macro.actionCount);
    const MacroRecord before = macro;
    EXPECT_EQ(recorder.Feed(&macro, kKeyA, true, 10), MacroRecorder::Step::Stopped);
    EXPECT_EQ(macro, before);
    EXPECT_EQ(macro.eventCount, 1);
}

TEST(MacroRecorderTest, NeedsACurrentMacro) {
    MacroRecorder recorder;
    EXPECT_FALSE(recorder.Start(nullptr));
    EXPECT_FALSE(recorder.Recording());
    MacroRecord macro;
    EXPECT_EQ(recorder.Feed(&macro, kKeyA, false, 0), MacroRecorder::Step::Ignored);  // not started
    ASSERT_TRUE(recorder.Start(&macro));
    EXPECT_EQ(recorder.Feed(nullptr, kKeyA, false, 0), MacroRecorder::Step::Ignored);
    recorder.Stop();
    EXPECT_EQ(recorder.Feed(&macro, kKeyA, false, 0), MacroRecorder::Step::Ignored);
    EXPECT_EQ(macro.actionCount, 0u);
}

TEST(MacroActionRulesTest, Insertions) {
    MacroRecord macro;
    InsertAction(macro, 0, Press(0x41));
    InsertAction(macro, 1, Release(0x41));
    macro.eventCount = 2;

    EXPECT_EQ(InsertClickRule(nullptr, std::nullopt, kVkMouseLeft).messageText,
              kTextSelectMacroBeforeInsert);
    EXPECT_EQ(InsertDelayRule(nullptr, std::nullopt).messageText, kTextSelectMacroBeforeInsert);

    // After the selected action; the release becomes the selection.
    InsertOutcome click = InsertClickRule(&macro, 0, kVkMouseMiddle);
    ASSERT_TRUE(click.done);
    EXPECT_EQ(click.selectAction, 3u);
    EXPECT_EQ(Used(macro),
              (std::vector<MacroAction>{Press(0x41), Press(kVkMouseMiddle), MakeDelayAction(50),
                                        Release(kVkMouseMiddle), Release(0x41)}));

    // Without a selection at the end; a delay right before the insertion point is edited instead.
    InsertOutcome delay = InsertDelayRule(&macro, std::nullopt);
    ASSERT_TRUE(delay.done);
    EXPECT_EQ(delay.actionToEdit, 5u);
    EXPECT_TRUE(delay.insertedForEditor);
    EXPECT_EQ(macro.actions[5], MakeDelayAction(100));
    InsertOutcome again = InsertDelayRule(&macro, std::nullopt);
    EXPECT_EQ(again.actionToEdit, 5u);
    EXPECT_FALSE(again.insertedForEditor);
    EXPECT_EQ(macro.actionCount, 6u);

    InsertOutcome key = InsertKeyRule(&macro, 5);
    ASSERT_TRUE(key.done);
    EXPECT_EQ(key.actionToEdit, 6u);
    EXPECT_TRUE(ConfirmKeyInsertion(macro, *key.actionToEdit, 0x70));
    EXPECT_EQ(macro.eventCount, 6);

    macro.eventCount = kMaxMacroEvents - 1;
    EXPECT_EQ(InsertClickRule(&macro, std::nullopt, kVkMouseLeft).messageText, kTextInsertFull);
    EXPECT_EQ(InsertKeyRule(&macro, std::nullopt).messageText, kTextInsertFull);

    MacroRecord full;
    for (size_t i = 0; i < kMaxMacroActions; ++i) InsertAction(full, i, Press(0x41));
    const InsertOutcome noRoom = InsertDelayRule(&full, 0);
    EXPECT_FALSE(noRoom.done);
    EXPECT_EQ(noRoom.messageText, kTextInsertFull);
}

TEST(MacroActionRulesTest, DeletingActionsKeepsCountAndSelection) {
    MacroRecord macro;
    for (const MacroAction& a : {Press(0x41), MakeDelayAction(5), Release(0x41)}) {
        InsertAction(macro, 9, a);
    }
    macro.eventCount = 2;

    EXPECT_FALSE(DeleteActionRule(macro, 3).removed);
    ActionDeletion middle = DeleteActionRule(macro, 1);
    EXPECT_EQ(middle.selection, 1u);
    EXPECT_EQ(macro.eventCount, 2);  // a delay
    ActionDeletion last = DeleteActionRule(macro, 1);
    EXPECT_EQ(last.selection, 0u);  // the last one went: the new last is selected
    EXPECT_EQ(macro.eventCount, 1);
    ActionDeletion only = DeleteActionRule(macro, 0);
    EXPECT_TRUE(only.removed);
    EXPECT_EQ(only.selection, std::nullopt);
    EXPECT_EQ(macro.eventCount, 0);

    // A count that is already short does not wrap round.
    InsertAction(macro, 0, Press(0x41));
    EXPECT_TRUE(DeleteActionRule(macro, 0).removed);
    EXPECT_EQ(macro.eventCount, 0);

    EXPECT_EQ(EditorFor(MakeDelayAction(3)), ActionEditor::Delay);
    EXPECT_EQ(EditorFor(Press(0x41)), ActionEditor::Key);
    EXPECT_EQ(EditorFor(Release(kVkMouseLeft)), ActionEditor::None);
    EXPECT_EQ(EditorFor({kVkMouseWheel, 0, 0, 1}), ActionEditor::None);
}

TEST(MacroActionRulesTest, LoopSettings) {
    MacroRecord macro;
    EXPECT_TRUE(LoopCountFieldShown(macro));
    for (uint8_t mode : {kLoopUntilReleased, kLoopUntilPressedAgain}) {
        ASSERT_TRUE(SetLoopMode(macro, mode));
        EXPECT_EQ(macro.loopMode, mode);
        EXPECT_FALSE(LoopCountFieldShown(macro));
    }
    EXPECT_FALSE(SetLoopMode(macro, 3));
    EXPECT_EQ(macro.loopMode, kLoopUntilPressedAgain);
    ASSERT_TRUE(SetLoopMode(macro, kLoopCount));
    EXPECT_TRUE(LoopCountFieldShown(macro));

    struct Case {
        std::u16string text;
        uint8_t value;
        std::optional<std::u16string> replacement;
    };
    const Case cases[] = {
        {u"7", 7, std::nullopt},   {u"255", 255, std::nullopt}, {u"256", 255, u"255"},
        {u"99999999999", 255, u"255"}, {u"0", 1, u"1"},      {u"", 1, u"1"},
        {u"1", 1, std::nullopt},
    };
    for (const Case& c : cases) {
        const LoopCountChange change = ApplyLoopCountText(macro, c.text);
        EXPECT_EQ(change.value, c.value) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(change.replacementText, c.replacement)
            << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(macro.loopCount, c.value);
        EXPECT_EQ(LoopCountFieldText(macro), c.replacement.value_or(c.text));
    }

    EXPECT_EQ(LoopCountFieldKey(u'0'), FieldKey::Accept);
    EXPECT_EQ(LoopCountFieldKey(u'9'), FieldKey::Accept);
    EXPECT_EQ(LoopCountFieldKey(u'\b'), FieldKey::Accept);
    EXPECT_EQ(LoopCountFieldKey(u'\r'), FieldKey::Swallow);
    EXPECT_EQ(LoopCountFieldKey(u'\x1B'), FieldKey::Swallow);
    EXPECT_EQ(LoopCountFieldKey(u'-'), FieldKey::Refuse);
    EXPECT_EQ(LoopCountFieldKey(u'a'), FieldKey::Refuse);
}

}  // namespace
}  // namespace ostrel
