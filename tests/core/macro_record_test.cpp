#include "macro/macro_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "assign/key_tables.h"
#include "macro/macro_events.h"

namespace ostrel {
namespace {

MacroAction Press(uint8_t code) { return MakeKeyAction(code, false); }
MacroAction Release(uint8_t code) { return MakeKeyAction(code, true); }
MacroAction Delay(uint32_t ms) { return MakeDelayAction(ms); }
MacroAction Move(uint8_t code, int8_t distance) {
    return {code, 0, 0, static_cast<uint8_t>(distance)};
}

MacroRecord MacroOf(const std::vector<MacroAction>& actions) {
    MacroRecord macro;
    for (const MacroAction& action : actions) {
        EXPECT_TRUE(InsertAction(macro, macro.actionCount, action));
    }
    return macro;
}

std::vector<MacroAction> Used(const MacroRecord& macro) {
    return {macro.actions.begin(), macro.actions.begin() + UsedActions(macro)};
}

TEST(MacroRecordTest, NewRecordDefaults) {
    const MacroRecord macro;
    EXPECT_EQ(macro.loopMode, kLoopCount);
    EXPECT_EQ(macro.loopCount, 1);
    EXPECT_EQ(macro.eventCount, 0);
    EXPECT_EQ(macro.actionCount, 0u);
    EXPECT_EQ(macro.identifier, 0u);
    EXPECT_EQ(Delay(300), (MacroAction{3, 0x00, 0x01, 0x2C}));
    EXPECT_EQ(DelayOf(Delay(0x123456)), 0x123456u);
    EXPECT_EQ(DelayOf(Delay(0x1000000)), kMaxDelayMs);  // cut to the 24 bits an action holds
}

TEST(MacroRecordTest, InsertShiftsAppendsAndRefusesWhenFull) {
    MacroRecord macro = MacroOf({Press(0x41), Release(0x41)});
    macro.actions[2] = Press(0x5A);  // a leftover slot beyond the count
    macro.actions[335] = Press(0x42);

    ASSERT_TRUE(InsertAction(macro, 1, Delay(10)));
    EXPECT_EQ(Used(macro), (std::vector<MacroAction>{Press(0x41), Delay(10), Release(0x41)}));
    EXPECT_EQ(macro.actions[3], Press(0x5A));  // moved up with the rest
    EXPECT_EQ(macro.actions[335], MacroAction{});  // the last slot's action fell off

    ASSERT_TRUE(InsertAction(macro, 100, Press(0x43)));  // past the count: appended
    EXPECT_EQ(macro.actionCount, 4u);
    EXPECT_EQ(macro.actions[3], Press(0x43));
    EXPECT_EQ(macro.actions[4], MacroAction{});

    MacroRecord full;
    for (size_t i = 0; i < kMaxMacroActions; ++i) ASSERT_TRUE(InsertAction(full, i, Press(0x41)));
    const MacroRecord before = full;
    EXPECT_FALSE(InsertAction(full, 0, Delay(1)));
    EXPECT_FALSE(InsertClick(full, 0, kVkMouseLeft));
    EXPECT_FALSE(InsertDelay(full, 0));
    EXPECT_EQ(full, before);
}

TEST(MacroRecordTest, RemoveAndReplace) {
    MacroRecord macro = MacroOf({Press(0x41), Delay(50), Release(0x41)});
    EXPECT_FALSE(RemoveAction(macro, 3));  // beyond the count
    EXPECT_FALSE(RemoveAction(macro, 300));
    EXPECT_EQ(macro.actionCount, 3u);

    ASSERT_TRUE(RemoveAction(macro, 2));  // the last action: its slot is cleared
    EXPECT_EQ(macro.actions[2], MacroAction{});
    ASSERT_TRUE(RemoveAction(macro, 0));
    EXPECT_EQ(Used(macro), std::vector<MacroAction>{Delay(50)});
    EXPECT_EQ(macro.actions[1], MacroAction{});

    EXPECT_TRUE(ReplaceAction(macro, 335, Press(0x42)));  // any slot, the count stays
    EXPECT_EQ(macro.actionCount, 1u);
    EXPECT_FALSE(ReplaceAction(macro, 336, Press(0x42)));
}

TEST(MacroRecordTest, CopyMacroTakesTheUsedActionsOnly) {
    MacroRecord source = MacroOf({Press(0x41), Delay(5), Release(0x41)});
    source.name = u"Copy";
    source.identifier = 9;
    source.loopMode = kLoopUntilPressedAgain;
    source.loopCount = 3;
    source.eventCount = 2;
    source.actions[3] = Press(0x44);  // beyond its count: not copied

    MacroRecord target = MacroOf({Press(0x50), Press(0x51), Press(0x52), Press(0x53), Press(0x54)});
    CopyMacro(target, source);
    EXPECT_EQ(target.name, u"Copy");
    EXPECT_EQ(target.identifier, 9u);
    EXPECT_EQ(target.loopMode, kLoopUntilPressedAgain);
    EXPECT_EQ(target.loopCount, 3);
    EXPECT_EQ(target.eventCount, 2);
    EXPECT_EQ(Used(target), Used(source));
    EXPECT_EQ(target.actions[3], Press(0x53));  // the target's own slot beyond the new count
}

TEST(MacroRecordTest, CompositeInsertionsKeepTheEventCount) {
    MacroRecord macro = MacroOf({Press(0x42), Release(0x42)});
    macro.eventCount = 2;

    ASSERT_TRUE(InsertClick(macro, 1, kVkMouseRight));
    EXPECT_EQ(Used(macro), (std::vector<MacroAction>{Press(0x42), Press(kVkMouseRight), Delay(50),
                                                      Release(kVkMouseRight), Release(0x42)}));
    EXPECT_EQ(macro.eventCount, 4);

    ASSERT_TRUE(InsertKeyPlaceholder(macro, 0));
    EXPECT_EQ(macro.eventCount, 4);  // counted once the key is chosen
    EXPECT_FALSE(ConfirmKeyInsertion(macro, 0, 0x03));  // not a key code
    ASSERT_TRUE(ConfirmKeyInsertion(macro, 0, 0x70));
    EXPECT_EQ(macro.actions[0], Press(0x70));
    EXPECT_EQ(macro.actions[2], Release(0x70));
    EXPECT_EQ(macro.eventCount, 6);

    ASSERT_TRUE(InsertKeyPlaceholder(macro, macro.actionCount));
    const size_t at = macro.actionCount - 3;
    EXPECT_FALSE(CancelKeyInsertion(macro, at + 1));  // no placeholder there
    ASSERT_TRUE(CancelKeyInsertion(macro, at));
    EXPECT_EQ(macro.actionCount, 8u);
    EXPECT_EQ(macro.eventCount, 6);

    ASSERT_TRUE(InsertDelay(macro, 0));
    EXPECT_EQ(macro.actions[0], (MacroAction{3, 0, 0, 0x64}));
    EXPECT_EQ(macro.eventCount, 6);

    // The event limit: two more events must fit into 168.
    macro.eventCount = kMaxMacroEvents - 1;
    const MacroRecord before = macro;
    EXPECT_FALSE(InsertClick(macro, 0, kVkMouseLeft));
    EXPECT_FALSE(InsertKeyPlaceholder(macro, 0));
    EXPECT_EQ(macro, before);
    macro.eventCount = kMaxMacroEvents - 2;
    EXPECT_TRUE(InsertClick(macro, 0, kVkMouseLeft));
    EXPECT_EQ(macro.eventCount, kMaxMacroEvents);

    // Three actions must fit as well, or the events and the list would disagree.
    MacroRecord nearlyFull;
    for (size_t i = 0; i < kMaxMacroActions - 2; ++i) InsertAction(nearlyFull, i, Delay(1));
    EXPECT_FALSE(InsertClick(nearlyFull, 0, kVkMouseLeft));
    EXPECT_EQ(nearlyFull.actionCount, kMaxMacroActions - 2);
    EXPECT_EQ(nearlyFull.eventCount, 0);
}

// Events as hex, a space between events.
std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char pair[3];
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0 && i % kMacroEventBytes == 0) text += ' ';
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        text += pair;
    }
    return text;
}

TEST(MacroEventsTest, EncodesEventsForTheMouse) {
    struct Case {
        const char* name;
        std::vector<MacroAction> actions;
        std::string events;
    };
    const Case cases[] = {
        {"press A, 300 ms, release A", {Press(0x41), Delay(300), Release(0x41)}, "312C04 B00004"},
        {"a 5000 ms delay reaches the mouse as 4095", {Press(0x41), Delay(5000), Release(0x41)},
         "3FFF04 B00004"},
        {"a leading delay is not sent", {Delay(100), Press(0x41), Release(0x41)}, "300004 B00004"},
        {"of two delays in a row only the first is sent",
         {Press(0x41), Delay(300), Delay(50), Release(0x41), Delay(7), Delay(9)}, "312C04 B00704"},
        {"a key without device code is a keyboard key of value 0", {Press(0x7C)}, "300000"},
        {"left Ctrl and right Alt are modifier bits", {Press(0xA2), Release(0xA5)},
         "200001 A00040"},
        {"a device code between keys and modifiers counts as a modifier", {Press(0xFB)}, "200002"},
        {"mouse buttons are button bits",
         {Press(kVkMouseLeft), Delay(50), Release(kVkMouseButton5)}, "103201 900010"},
        {"movements carry their distance",
         {Move(kVkMouseMoveX, -10), Move(kVkMouseMoveY, 5), Move(kVkMouseWheel, -1)},
         "4000F6 500005 6000FF"},
        {"delay types other than 3 read as delays", {Press(0x41), {0, 0, 0x01, 0x00}}, "310004"},
        {"only delays", {Delay(10), Delay(20)}, ""},
    };
    for (const Case& c : cases) {
        const MacroRecord macro = MacroOf(c.actions);
        EXPECT_EQ(Hex(EncodeMacroEvents(macro)), c.events) << c.name;
    }
}

TEST(MacroEventsTest, EncodesOnlyTheUsedActions) {
    MacroRecord macro = MacroOf({Press(0x41), Delay(20)});
    macro.actions[2] = Press(0x42);  // beyond the count
    EXPECT_EQ(Hex(EncodeMacroEvents(macro)), "301404");
    EXPECT_EQ(DelayOf(macro.actions[1]), 20u);

    MacroRecord overstated = macro;
    overstated.actionCount = 100000;  // never read past the slots
    EXPECT_EQ(EncodeMacroEvents(overstated).size(), 2 * kMacroEventBytes);

    MacroRecord full;
    for (size_t i = 0; i < kMaxMacroActions; ++i) {
        InsertAction(full, i, i % 2 ? Delay(1) : Press(0x41));
    }
    EXPECT_EQ(EncodeMacroEvents(full).size(), kMaxMacroEvents * kMacroEventBytes);
}

TEST(MacroRecordTest, ActionTexts) {
    struct Case {
        MacroAction action;
        ActionText text;
    };
    const Case cases[] = {
        {Delay(300), {u"300ms", ActionMark::None}},
        {Delay(0), {u"0ms", ActionMark::None}},
        {Move(kVkMouseMoveX, -12), {u"Move Left 12", ActionMark::None}},
        {Move(kVkMouseMoveX, 0), {u"Move Right 0", ActionMark::None}},
        {Move(kVkMouseMoveX, -128), {u"Move Left 128", ActionMark::None}},
        {Move(kVkMouseMoveY, -3), {u"Move Up 3", ActionMark::None}},
        {Move(kVkMouseMoveY, 127), {u"Move Down 127", ActionMark::None}},
        {Move(kVkMouseWheel, -1), {u"Wheel Up 1", ActionMark::None}},
        {Move(kVkMouseWheel, 2), {u"Wheel Down 2", ActionMark::None}},
        {Press(0x41), {u"A", ActionMark::Press}},
        {Release(kVkMouseLeft), {u"L Key", ActionMark::Release}},
        {Press(0x7C), {u"F13", ActionMark::Press}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeAction(c.action), c.text) << int(c.action[0]) << " " << int(c.action[3]);
    }
}

}  // namespace
}  // namespace ostrel
