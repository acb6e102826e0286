#include "device/sync_engine.h"

#include <gtest/gtest.h>

#include "device_fixture.h"
#include "profile/profile_file.h"
#include "profile/settings_table.h"
#include "profile/text_file.h"

namespace ostrel {
namespace {

using testing_support::DeviceFixture;

class SyncEngineTest : public DeviceFixture {
protected:
    SyncEngineTest() { OpenProduct(kProductWired); }

    std::vector<uint8_t> Commands() {
        std::vector<uint8_t> commands;
        for (const auto& frame : TakeFrames()) commands.push_back(frame[kFrameCommand]);
        return commands;
    }
};

TEST_F(SyncEngineTest, TenEditsWithin20msMakeOneFlush) {
    for (int edit = 0; edit < 10; ++edit) {
        Current().XYSetting[0] = static_cast<uint16_t>(edit);
        engine.RequestFlush(kChangeDeviceSettings);
        scheduler.Advance(2);
    }
    EXPECT_EQ(window.refreshes, 0);
    scheduler.Advance(kFlushDelayMs);
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(Commands(), std::vector<uint8_t>{kCommandDpiLevels});
    EXPECT_FALSE(scheduler.Running(kTimerFlush));
}

TEST_F(SyncEngineTest, ProfileSwitchSendsNoPowerSetting) {
    ProfileRecord& other = config.profiles[1];
    other = Current();
    At(other.settings, ProfileSetting::PowerDownTime).value = u"9";
    other.Lighting1ModeValue[0] = 4;
    config.SetCurrentProfile(1);
    engine.RequestFlush(kChangeButtons | kChangeDeviceSettings);
    scheduler.Advance(kFlushDelayMs);
    EXPECT_EQ(Commands(), std::vector<uint8_t>{kCommandLighting});
}

TEST_F(SyncEngineTest, ProgressFollowsOnlyFlushesThatSentFrames) {
    engine.pollCounter = 7;
    engine.RequestFlush(kChangeAll);
    scheduler.Advance(kFlushDelayMs);
    EXPECT_EQ(window.progress, 0);
    EXPECT_EQ(engine.pollCounter, 7);
    EXPECT_TRUE(engine.savePending);
    EXPECT_TRUE(scheduler.Running(kTimerDelayedSave));

    Current().keys[1].code = {0x10, 0x04, 0};
    engine.RequestFlush(kChangeButtons);
    scheduler.Advance(kFlushDelayMs);
    EXPECT_EQ(window.progress, 1);
    EXPECT_EQ(engine.pollCounter, 0);

    // A device scan's flush is quiet once.
    Current().keys[1].code = {0x10, 0x02, 0};
    engine.quiet = true;
    engine.RequestFlush(kChangeButtons);
    scheduler.Advance(kFlushDelayMs);
    EXPECT_EQ(window.progress, 1);
    EXPECT_FALSE(engine.quiet);
}

TEST_F(SyncEngineTest, DelayedSaveWritesTheFilesTenSecondsAfterTheLastFlush) {
    auto savedName = [this] {
        auto lines = ReadTextFile(config.ProfileSlotPath(0));
        return lines ? ParseProfileFile(*lines)->settings[0].value : u"unreadable";
    };
    At(Current().settings, ProfileSetting::ProfileName).value = u"saved later";
    config.currentProfileIndex = 0;
    engine.RequestFlush(kChangeDeviceSettings);
    scheduler.Advance(kFlushDelayMs);
    scheduler.Advance(5000);
    engine.RequestFlush(kChangeDeviceSettings);  // restarts the ten seconds
    scheduler.Advance(kFlushDelayMs + 9999);
    EXPECT_NE(savedName(), u"saved later");
    EXPECT_TRUE(engine.savePending);
    scheduler.Advance(1);
    EXPECT_EQ(savedName(), u"saved later");
    EXPECT_FALSE(engine.savePending);
    EXPECT_FALSE(scheduler.Running(kTimerDelayedSave));
}

TEST_F(SyncEngineTest, InactiveWindowIsHiddenAndFlushesWait) {
    link.windowActive = false;
    scheduler.StartTimer(kTimerHideWatchdog, kHideWatchdogMs);
    Current().keys[0].code = {0x10, 0x02, 0};
    engine.RequestFlush(kChangeButtons);
    scheduler.Advance(250);
    EXPECT_EQ(window.hidden, 2);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(engine.changeFlags, kChangeButtons);
    EXPECT_FALSE(engine.savePending);
}

class OfflineReceiverTest : public DeviceFixture {
protected:
    OfflineReceiverTest() : DeviceFixture(Options()) {
        link.windowActive = false;
        link.mouseOnline = false;
        OpenProduct(kProductReceiver);
    }
    static VirtualMouse::Options Options() {
        VirtualMouse::Options options;
        options.wired = false;
        options.receiver = true;
        options.mouseAwake = false;
        return options;
    }
};

TEST_F(OfflineReceiverTest, EditWhileOfflineReachesTheMouseOnceItIsOnline) {
    Current().XYSetting[2] = 40;
    engine.RequestFlush(kChangeDeviceSettings);
    scheduler.Advance(kFlushDelayMs);
    EXPECT_TRUE(TakeFrames().empty());

    link.QueryStatus();  // asleep: the receiver answers offline
    EXPECT_FALSE(link.windowActive);
    mouse.SetMouseAwake(true);
    link.QueryStatus();
    EXPECT_TRUE(link.windowActive);
    EXPECT_EQ(window.shown, 1);
    TakeFrames();

    engine.RequestFlush(0);  // any later request
    scheduler.Advance(kFlushDelayMs);
    const auto frames = TakeFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][kFrameCommand], kCommandDpiLevels);
    EXPECT_EQ(mouse.Config().dpiLevels[6], config.stepTable.code[40]);
}

}  // namespace
}  // namespace ostrel
