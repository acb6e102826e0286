#include "device/device_link.h"

#include <gtest/gtest.h>

#include "device_fixture.h"
#include "macro/macro_events.h"
#include "macro/macro_record.h"
#include "profile/settings_table.h"

namespace ostrel {
namespace {

using testing_support::DeviceFixture;
using testing_support::Frame;
using Frames = std::vector<std::array<uint8_t, kFrameLength>>;

class DeviceLinkTest : public DeviceFixture {
protected:
    DeviceLinkTest() { OpenProduct(kProductWired); }

    // A library macro of `events` key presses and releases with a 10 ms delay after each,
    // bound to button `button` of the current profile.
    uint32_t BindMacro(size_t button, size_t events) {
        MacroRecord macro;
        macro.name = u"m" + std::u16string(1, char16_t(u'0' + button));
        for (size_t e = 0; e < events; ++e) {
            InsertAction(macro, macro.actionCount, MakeKeyAction(0x41, e % 2 == 1));
            InsertAction(macro, macro.actionCount, MakeDelayAction(10));
        }
        macro.eventCount = static_cast<uint8_t>(events);
        macro.identifier = library.nextIdentifier++;
        const uint32_t id = macro.identifier;
        EXPECT_TRUE(library.Place(MacroLocation::Top(static_cast<int32_t>(library.Size())),
                                  MacroItem::Macro(macro)));
        KeySlot& slot = Current().keys[button];
        slot.code = {kCodeMacro, 0, 0};
        slot.MacroKeyIndex = id;
        CopyMacro(slot.macro, macro);
        return id;
    }

    Frames Flush(unsigned flags) {
        engine.RequestFlush(flags);
        scheduler.Advance(kFlushDelayMs);
        return TakeFrames();
    }
};

TEST_F(DeviceLinkTest, OneButtonEditSendsOneFrameWithTheMousesButtonNumber) {
    struct Case {
        size_t button;
        uint8_t deviceIndex;
    };
    for (const Case c : {Case{0, 0}, Case{3, 4}, Case{4, 3}, Case{6, 6}}) {
        Current().keys[c.button].code = {0x70, 0x02, 0x04};
        const uint8_t sequence = link.sequenceNumber;
        const uint32_t start = scheduler.now;
        link.SendButtonAssignments();
        EXPECT_EQ(TakeFrames(), (Frames{Frame(kCommandButton, sequence, 0x01, {c.deviceIndex, 0x70, 0x02, 0x04})}))
            << "button " << c.button;
        // 60 ms after the frame, and 60 ms for each of the seven buttons.
        EXPECT_EQ(scheduler.now - start, 480u);
    }
    const uint32_t start = scheduler.now;
    link.SendButtonAssignments();
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_EQ(scheduler.now - start, 420u);
}

TEST_F(DeviceLinkTest, OnlyTheCurrentLevelChangedSendsOnlyTheLevels) {
    Current().CurrentDPILevelValue = 3;
    const uint8_t sequence = link.sequenceNumber;
    link.SendDeviceSettings();
    // Six levels enabled, the fourth current; codes of steps 6, 14, 22, 30, 51, 58 of 0x3325.
    EXPECT_EQ(TakeFrames(), (Frames{Frame(kCommandDpiLevels, sequence, 0x01,
                                          {0x46, 0x3F, 7, 0, 15, 0, 23, 0, 31, 0, 52, 0, 59, 0, 0, 0, 0, 0})}));
    EXPECT_EQ(mouse.Config().dpiLevels[0], 0x46);
}

TEST_F(DeviceLinkTest, LightingFramesFollowTheEffect) {
    struct Case {
        const char* behaviour;
        std::function<void(ProfileRecord&)> edit;
        std::vector<uint8_t> payload;
        int length;
    };
    const Case cases[] = {
        {"effect 2 leaves a black colour out",
         [](ProfileRecord& r) {
             r.Lighting1ModeValue[0] = 2;
             r.Lighting1ColorSelected[2] = {1, 0, 1, 0, 0, 0, 1};
             r.Lighting1FixedColor[2][0] = 0x0000FF;
             r.Lighting1FixedColor[2][2] = 0;
             r.Lighting1FixedColor[2][6] = 0x332211;
         },
         {2, 0x22, 2, 0xFF, 0, 0, 0x11, 0x22, 0x33}, 9},
        {"effect 1 sends its direction",
         [](ProfileRecord& r) {
             r.Lighting1ModeValue[0] = 1;
             r.Lighting1Direction[1] = 0;
             r.Lighting1Speed[1] = 4;
             r.Lighting1Brightness[1] = 2;
         },
         {1, 0x35, 0}, 3},
        {"effect 7 sends two selected colours",
         [](ProfileRecord& r) {
             r.Lighting1ModeValue[0] = 7;
             r.Lighting1ColorSelected[7][1] = 0;
         },
         {7, 0x22, 0, 0xFF, 0, 0, 0, 0}, 8},
        {"an unknown effect sends nothing but its zero length",
         [](ProfileRecord& r) { r.Lighting1ModeValue[0] = 12; }, {}, 0},
    };
    for (const Case& c : cases) {
        c.edit(Current());
        const uint8_t sequence = link.sequenceNumber;
        link.SendDeviceSettings();
        EXPECT_EQ(TakeFrames(), (Frames{Frame(kCommandLighting, sequence, 0x01, c.payload, c.length)}))
            << c.behaviour;
    }
}

TEST_F(DeviceLinkTest, SequenceNumberWrapsFrom255To0) {
    link.sequenceNumber = 255;
    Current().keys[0].code = {0x10, 0x02, 0};
    Current().keys[1].code = {0x10, 0x01, 0};
    link.SendButtonAssignments();
    const Frames frames = TakeFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0][kFrameSequence], 255);
    EXPECT_EQ(frames[1][kFrameSequence], 0);
}

TEST_F(DeviceLinkTest, MacrosUploadInPacketsOf25Bytes) {
    struct Case {
        size_t events;
        std::vector<uint8_t> packetFields;
        std::vector<uint8_t> lengths;
    };
    const Case cases[] = {
        {20, {0x03, 0x13, 0x23}, {26, 26, 11}},
        {0, {0x01}, {1}},
        {25, {0x03, 0x13, 0x23}, {26, 26, 26}},
        // 21 packets: index and count each modulo 16.
        {168, {0x05, 0x15, 0x25, 0x35, 0x45, 0x55, 0x65, 0x75, 0x85, 0x95, 0xA5, 0xB5, 0xC5, 0xD5,
               0xE5, 0xF5, 0x05, 0x15, 0x25, 0x35, 0x45},
         {26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 5}},
    };
    for (const Case& c : cases) {
        library.Clear();
        for (KeySlot& key : Current().keys) key.code = {0x10, 0x01, 0};
        link.SeedShadows();
        TakeFrames();

        BindMacro(2, c.events);
        Frames frames = Flush(0);
        std::vector<uint8_t> fields, lengths;
        for (const auto& frame : frames) {
            ASSERT_EQ(frame[kFrameCommand], kCommandMacro) << c.events << " events";
            EXPECT_EQ(frame[kFramePayload], 1) << "slot";
            fields.push_back(frame[kFramePacket]);
            lengths.push_back(frame[kFrameLengthField]);
        }
        EXPECT_EQ(fields, c.packetFields) << c.events << " events";
        EXPECT_EQ(lengths, c.lengths) << c.events << " events";
        EXPECT_EQ(mouse.Config().macros[1], EncodeMacroEvents(Current().keys[2].macro));
        EXPECT_EQ(mouse.Config().macros[1].size(), 3 * c.events);
        // The binding carries loop mode 2, slot 1 and the loop count.
        EXPECT_EQ(Current().keys[2].code, (ButtonCode{kCodeMacro, 0x21, 1}));
    }
}

TEST_F(DeviceLinkTest, MacroSlotsFollowTheLibrary) {
    const uint32_t shared = BindMacro(0, 2);
    BindMacro(1, 3);
    Current().keys[5].code = {kCodeMacro, 0, 0};
    Current().keys[5].MacroKeyIndex = shared;
    Current().keys[6].code = {kCodeMacro, 0, 0};
    Current().keys[6].MacroKeyIndex = 999;  // no such macro
    link.AssignMacroSlots();
    EXPECT_EQ(Current().keys[0].code[1] & 0x0F, 1);
    EXPECT_EQ(Current().keys[1].code[1] & 0x0F, 2);
    EXPECT_EQ(Current().keys[5].code[1] & 0x0F, 1);
    EXPECT_EQ(Current().keys[6].code, (ButtonCode{0, 0, 0}));
    EXPECT_EQ(Current().keys[6].name, u"Disabled");

    // After the macro manager was open the buttons take the library's macro again.
    library.At(*library.FindMacro(shared))->macro.loopMode = kLoopUntilReleased;
    link.AssignMacroSlots();
    EXPECT_EQ(Current().keys[0].code[1], 0x21);
    link.macroManagerOpened = true;
    link.AssignMacroSlots();
    EXPECT_EQ(Current().keys[0].code, (ButtonCode{kCodeMacro, 0x11, 0}));
    EXPECT_FALSE(link.macroManagerOpened);
}

TEST_F(DeviceLinkTest, FailedSendIsSentAgainByTheNextFlush) {
    Current().keys[2].code = {0x70, 0x00, 0x05};
    BindMacro(1, 4);
    At(Current().settings, ProfileSetting::PowerDownTime).value = u"9";
    At(Current().settings, ProfileSetting::KeyDebounce).value = u"20";
    const VirtualMouseConfig before = mouse.Config();

    mouse.SetFailSends(true);
    engine.RequestFlush(kChangeAll);
    scheduler.Advance(kFlushDelayMs);
    EXPECT_EQ(mouse.Config(), before);

    mouse.SetFailSends(false);
    const Frames frames = Flush(kChangeAll);
    std::vector<uint8_t> commands;
    for (const auto& frame : frames) commands.push_back(frame[kFrameCommand]);
    EXPECT_EQ(commands, (std::vector<uint8_t>{kCommandButton, kCommandButton, kCommandDebounce,
                                              kCommandPower, kCommandMacro}));
    const VirtualMouseConfig after = mouse.Config();
    EXPECT_EQ(after.buttons[2], (ButtonCode{0x70, 0x00, 0x05}));
    EXPECT_EQ(after.buttons[1], (ButtonCode{kCodeMacro, 0x21, 0x01}));
    EXPECT_EQ(after.debounce, 20);
    EXPECT_EQ(after.powerDownTime, 9);
    EXPECT_EQ(after.macros[1].size(), 12u);
    // And once sent, nothing is sent again.
    EXPECT_TRUE(Flush(kChangeAll).empty());
}

std::array<uint8_t, kFrameLength> Answer(uint8_t online, uint8_t sensorCode, uint8_t battery,
                                         uint8_t charge, bool tag = true) {
    std::array<uint8_t, kFrameLength> answer{};
    answer[0] = kReportId;
    answer[kFrameCommand] = kCommandStatus;
    if (tag) std::copy_n("Z6K3", 4, answer.begin() + kStatusTag);
    answer[kStatusSensor] = sensorCode;
    answer[kStatusBattery] = battery;
    answer[kStatusCharge] = charge;
    answer[kStatusOnline] = online;
    return answer;
}

TEST_F(DeviceLinkTest, StatusAnswersSteerTheWindowAndTheBattery) {
    struct Step {
        const char* behaviour;
        std::array<uint8_t, kFrameLength> answer;
        int shown, minimised;
        bool active, online;
        uint8_t battery, charge;
        uint32_t stepRange;
    };
    auto otherCommand = Answer(1, 0x25, 5, 0);
    otherCommand[kFrameCommand] = kCommandButton;
    auto nonZeroByte3 = Answer(1, 0x25, 5, 0);
    nonZeroByte3[3] = 1;
    const Step steps[] = {
        {"online shows the inactive window", Answer(1, 0x25, 80, 0), 1, 0, true, true, 80, 0, 0},
        {"the same answer changes nothing", Answer(1, 0x25, 80, 0), 1, 0, true, true, 80, 0, 0},
        {"offline minimises what the mouse showed", Answer(0, 0x25, 80, 0), 1, 1, true, false, 80, 0, 0},
        {"offline again changes nothing", Answer(0, 0x25, 80, 0), 1, 1, true, false, 80, 0, 0},
        {"a level above 100 is kept for the display", Answer(1, 0x25, 150, 1), 1, 1, true, true, 150, 1, 0},
        {"fully charged reports 100", Answer(1, 0x25, 40, 2), 1, 1, true, true, 100, 2, 0},
        {"another command is ignored", otherCommand, 1, 1, true, true, 100, 2, 0},
        {"a non-zero byte 3 is ignored", nonZeroByte3, 1, 1, true, true, 100, 2, 0},
        {"without the tag only the battery counts", Answer(0, 0x25, 30, 7, false), 1, 1, true, true, 30, 0, 0},
        {"an unknown sensor code changes nothing", Answer(1, 0x55, 30, 0), 1, 1, true, true, 30, 0, 0},
        {"another sensor resets the steps", Answer(1, 0x89, 30, 0), 1, 1, true, true, 30, 0, 160},
    };
    link.windowActive = false;
    link.mouseOnline = false;
    for (const Step& step : steps) {
        link.ApplyStatusAnswer(step.answer);
        EXPECT_EQ(window.shown, step.shown) << step.behaviour;
        EXPECT_EQ(window.minimised, step.minimised) << step.behaviour;
        EXPECT_EQ(link.windowActive, step.active) << step.behaviour;
        EXPECT_EQ(link.mouseOnline, step.online) << step.behaviour;
        EXPECT_EQ(link.batteryLevel, step.battery) << step.behaviour;
        EXPECT_EQ(link.chargeState, step.charge) << step.behaviour;
        EXPECT_EQ(window.stepRange, step.stepRange) << step.behaviour;
    }
    EXPECT_EQ(config.sensorId, 0x3389);
    EXPECT_EQ(config.profiles[0].XYSetting, (std::array<uint16_t, 8>{3, 7, 15, 31, 49, 59, 59, 59}));
}

TEST_F(DeviceLinkTest, StatusQueryAsksAndAppliesTheAnswer) {
    mouse.SetBattery(55, 1);
    const uint8_t sequence = link.sequenceNumber;
    const uint32_t start = scheduler.now;
    link.QueryStatus();
    EXPECT_EQ(TakeFrames(), (Frames{Frame(kCommandStatus, sequence, 0x00, {})}));
    EXPECT_EQ(scheduler.now - start, kStatusAnswerWaitMs);
    EXPECT_EQ(link.batteryLevel, 55);
    EXPECT_EQ(link.chargeState, 1);
}

TEST_F(DeviceLinkTest, FramesKeepTheirPauseOnTheMousesClock) {
    BindMacro(0, 30);
    Current().CurrentDPILevelValue = 0;
    Current().PollingRateValue[0] = 3;
    engine.RequestFlush(kChangeAll);
    scheduler.Advance(kFlushDelayMs);
    const std::vector<ReceivedFrame> frames = mouse.Frames();
    ASSERT_GT(frames.size(), 4u);
    for (size_t i = 1; i < frames.size(); ++i) {
        EXPECT_GE(frames[i].timeMs - frames[i - 1].timeMs, kFramePauseMs) << "frame " << i;
    }
    EXPECT_TRUE(mouse.Violations().empty());
}

TEST_F(DeviceLinkTest, FactoryResetFrameHasNoPause) {
    const uint8_t sequence = link.sequenceNumber;
    const uint32_t start = scheduler.now;
    link.SendFactoryReset();
    EXPECT_EQ(TakeFrames(), (Frames{Frame(kCommandFactoryReset, sequence, 0x01, {0xFF})}));
    EXPECT_EQ(scheduler.now, start);
    EXPECT_EQ(mouse.FactoryResets(), 1);
}

}  // namespace
}  // namespace ostrel
