#include "device/device_discovery.h"

#include <gtest/gtest.h>

#include "device_fixture.h"
#include "test_ui_queue.h"

namespace ostrel {
namespace {

using testing_support::DeviceFixture;
using testing_support::Eventually;
using testing_support::TestUiQueue;

VirtualMouse::Options Products(bool wired, bool receiver) {
    VirtualMouse::Options options;
    options.wired = wired;
    options.receiver = receiver;
    return options;
}

// The program's device side with discovery; hot-plug notifications reach it synchronously, as
// the monitor delivers them on the UI thread.
class DiscoveryTest : public DeviceFixture {
protected:
    explicit DiscoveryTest(VirtualMouse::Options options = Products(true, false))
        : DeviceFixture(options), discovery(mouse, link, engine, config, scheduler, window, ui) {
        scheduler.onTimer = [this](int id) { engine.OnTimer(id) || discovery.OnTimer(id); };
        mouse.SetHotplugListener([this](VirtualMouse::Hotplug event) {
            event == VirtualMouse::Hotplug::Arrival ? discovery.OnDeviceArrival() : discovery.OnDeviceRemoval();
        });
        discovery.ResetForNotifications();
    }
    ~DiscoveryTest() override {
        mouse.SetHotplugListener(nullptr);
        discovery.StopListeners();
    }

    // Lets the quiet flush of a scan run.
    void Settle() { scheduler.Advance(kFlushDelayMs); }

    uint16_t ProductOfNextFrame() {
        mouse.ClearFrames();
        Current().keys[0].code[1] ^= 0x40;
        engine.RequestFlush(kChangeButtons);
        Settle();
        const std::vector<ReceivedFrame> frames = mouse.Frames();
        return frames.empty() ? 0 : frames.back().productId;
    }

    static std::vector<uint8_t> Announcement(uint8_t byte1, uint8_t polling, uint8_t level) {
        std::vector<uint8_t> report(kFrameLength, 0);
        report[0] = kReportAnnouncement;
        report[1] = byte1;
        report[kAnnouncementPolling] = polling;
        report[kAnnouncementLevel] = level;
        return report;
    }

    TestUiQueue ui;
    DeviceDiscovery discovery;
};

class NoDeviceTest : public DiscoveryTest {
protected:
    NoDeviceTest() : DiscoveryTest(Products(false, false)) {}
};

TEST_F(NoDeviceTest, ScanEndsWithNoHandleAndNoPollTimer) {
    discovery.ScanDevices();
    EXPECT_FALSE(discovery.Connected());
    EXPECT_FALSE(link.wiredHandle.IsOpen());
    EXPECT_FALSE(link.receiverHandle.IsOpen());
    EXPECT_FALSE(scheduler.Running(kTimerPoll));
    scheduler.StartTimer(kTimerDeviceMissing, kDeviceMissingMs);
    scheduler.Advance(kDeviceMissingMs);
    EXPECT_EQ(window.attentionBoxes, (std::vector<std::pair<size_t, size_t>>{{kTextAttentionTitle, kTextNoDevice}}));
    EXPECT_FALSE(scheduler.Running(kTimerDeviceMissing));
}

class ReceiverOnlyTest : public DiscoveryTest {
protected:
    ReceiverOnlyTest() : DiscoveryTest(Products(false, true)) {}
};

TEST_F(ReceiverOnlyTest, FramesSwitchToTheMouseWhenItArrives) {
    discovery.ScanDevices();
    Settle();
    ASSERT_TRUE(link.receiverHandle.IsOpen());
    EXPECT_TRUE(scheduler.Running(kTimerPoll));
    EXPECT_EQ(ProductOfNextFrame(), kProductReceiver);

    mouse.Plug(kProductWired);
    EXPECT_TRUE(link.wiredHandle.IsOpen());
    EXPECT_EQ(ProductOfNextFrame(), kProductWired);
    EXPECT_TRUE(Eventually([&] { return discovery.ListenerRunning(kProductWired) && discovery.ListenerRunning(kProductReceiver); }));

    // A second arrival while both are present does not scan.
    Settle();
    mouse.Plug(kProductReceiver);
    EXPECT_FALSE(scheduler.Running(kTimerFlush));
}

TEST_F(ReceiverOnlyTest, DeviceMissingNoticeWhenTheMouseBehindTheReceiverIsOffline) {
    discovery.ScanDevices();
    link.mouseOnline = false;
    scheduler.StartTimer(kTimerDeviceMissing, kDeviceMissingMs);
    scheduler.Advance(kDeviceMissingMs);
    EXPECT_EQ(window.attentionBoxes, (std::vector<std::pair<size_t, size_t>>{{kTextAttentionTitle, kTextMouseOffline}}));
}

TEST_F(DiscoveryTest, ArrivalQueriesTheStatusOnceAndUnplugOfTheLastDeviceQuits) {
    link.windowActive = false;
    mouse.Unplug(kProductWired);  // nothing was present: no scan
    EXPECT_FALSE(scheduler.Running(kTimerFlush));
    mouse.Plug(kProductWired);
    EXPECT_TRUE(discovery.Connected());
    EXPECT_FALSE(discovery.firstReadPending);
    EXPECT_TRUE(link.windowActive) << "the status answer showed the window";
    EXPECT_EQ(window.shown, 1);
    EXPECT_EQ(engine.pollCounter, kPollCounterAfterScan);

    mouse.Plug(kProductReceiver);
    mouse.Unplug(kProductWired);
    EXPECT_TRUE(discovery.Connected());
    EXPECT_EQ(window.quits, 0);
    EXPECT_TRUE(link.receiverHandle.IsOpen());
    EXPECT_FALSE(link.wiredHandle.IsOpen());

    mouse.Unplug(kProductReceiver);
    EXPECT_FALSE(discovery.Connected());
    EXPECT_TRUE(discovery.firstReadPending);
    EXPECT_FALSE(link.windowActive);
    EXPECT_EQ(window.hidden, 1);
    EXPECT_EQ(window.quits, 1);
}

TEST_F(DiscoveryTest, ReenumeratedPathCountsOnlyAfterTheOldOneIsForgotten) {
    discovery.ScanDevices();
    ASSERT_TRUE(discovery.Present(kProductWired));
    // The system numbers the mouse anew without the program seeing it go.
    mouse.SetHotplugListener(nullptr);
    mouse.Unplug(kProductWired);
    mouse.Plug(kProductWired, true);

    discovery.ScanDevices();
    EXPECT_FALSE(discovery.Present(kProductWired));
    EXPECT_FALSE(link.wiredHandle.IsOpen());
    discovery.ScanDevices();
    EXPECT_TRUE(discovery.Present(kProductWired));
    EXPECT_TRUE(link.wiredHandle.IsOpen());
    EXPECT_EQ(ProductOfNextFrame(), kProductWired);
}

TEST_F(DiscoveryTest, AnnouncementsChangeTheProfileAndSendNothingBack) {
    discovery.ScanDevices();
    Settle();
    ASSERT_TRUE(Eventually([&] { return discovery.ListenerRunning(kProductWired); }));
    struct Case {
        const char* behaviour;
        uint8_t byte1, polling, level;
        uint8_t expectedIndex;
        const char16_t* expectedName;
        uint8_t expectedPosition;
    };
    const Case cases[] = {
        {"500 Hz at the third level", kAnnouncementDpiPolling, 2, 3, 2, u"500HZ", 2},
        {"an unknown interval is 1000 Hz", kAnnouncementDpiPolling, 0, 1, 3, u"1000HZ", 0},
        {"125 Hz", kAnnouncementDpiPolling, 8, 4, 0, u"125HZ", 3},
    };
    int displays = 0;
    for (const Case& c : cases) {
        mouse.ClearFrames();
        mouse.PushInputReport(kProductWired, Announcement(c.byte1, c.polling, c.level));
        ASSERT_EQ(ui.RunWhenPosted(1), 1) << c.behaviour;
        EXPECT_EQ(Current().PollingRateValue, (std::array<uint8_t, 3>{c.expectedIndex, 0, 0})) << c.behaviour;
        EXPECT_EQ(Current().PollingRateName, c.expectedName) << c.behaviour;
        EXPECT_EQ(Current().CurrentDPILevelValue, c.expectedPosition) << c.behaviour;
        EXPECT_EQ(window.levelPosition, c.expectedPosition) << c.behaviour;
        EXPECT_EQ(window.dpiDisplays, ++displays) << c.behaviour;
        EXPECT_TRUE(engine.savePending) << c.behaviour;
        EXPECT_TRUE(scheduler.Running(kTimerDelayedSave)) << c.behaviour;
        engine.RequestFlush(kChangeAll);
        Settle();
        EXPECT_TRUE(mouse.Frames().empty()) << c.behaviour;
    }
    // Another byte 1 is no announcement.
    mouse.PushInputReport(kProductWired, Announcement(0x07, 2, 1));
    EXPECT_EQ(ui.RunWhenPosted(1, std::chrono::milliseconds(300)), 0);
}

TEST_F(DiscoveryTest, TheMousesOwnButtonsReachTheProfile) {
    discovery.ScanDevices();
    ASSERT_TRUE(Eventually([&] { return discovery.ListenerRunning(kProductWired); }));
    // Six levels enabled, the second current: the button moves on and wraps.
    const uint8_t expected[] = {2, 3, 4, 5, 0, 1};
    for (uint8_t position : expected) {
        mouse.PressDpiButton();
        ASSERT_EQ(ui.RunWhenPosted(1), 1);
        EXPECT_EQ(Current().CurrentDPILevelValue, position);
    }
    const char16_t* rates[] = {u"1000HZ", u"125HZ", u"250HZ", u"500HZ"};
    for (const char16_t* rate : rates) {
        mouse.PressPollingButton();
        ASSERT_EQ(ui.RunWhenPosted(1), 1);
        EXPECT_EQ(Current().PollingRateName, rate);
    }
}

class TwoProductsTest : public DiscoveryTest {
protected:
    TwoProductsTest() : DiscoveryTest(Products(true, true)) {}
};

TEST_F(TwoProductsTest, EachListenerAnnouncesAndReplugRestartsOne) {
    discovery.ScanDevices();
    ASSERT_TRUE(Eventually([&] {
        return discovery.ListenerRunning(kProductWired) && discovery.ListenerRunning(kProductReceiver);
    }));
    for (uint16_t product : {kProductWired, kProductReceiver}) {
        Current().CurrentDPILevelValue = 0;
        mouse.PushInputReport(product, Announcement(kAnnouncementDpiPolling, 1, 5));
        ASSERT_EQ(ui.RunWhenPosted(1), 1);
        EXPECT_EQ(Current().CurrentDPILevelValue, 4);
    }

    // The receiver's listener ends with its device; the poll tick's watchdog finds it
    // present again and starts it anew.
    mouse.SetHotplugListener(nullptr);
    mouse.Unplug(kProductReceiver);
    ASSERT_TRUE(Eventually([&] { return !discovery.ListenerRunning(kProductReceiver); }));
    mouse.Plug(kProductReceiver);
    engine.pollCounter = kPollEvery;
    scheduler.StartTimer(kTimerPoll, kPollTickMs);
    scheduler.Advance(kPollTickMs);
    EXPECT_TRUE(Eventually([&] { return discovery.ListenerRunning(kProductReceiver); }));
}

TEST_F(DiscoveryTest, PollTickQueriesEvery21SecondsAndTwoSecondsAfterARescan) {
    discovery.ScanDevices();
    Settle();
    auto statusTimes = [&] {
        std::vector<uint32_t> times;
        for (const ReceivedFrame& frame : mouse.Frames()) {
            if (frame.bytes[kFrameCommand] == kCommandStatus) times.push_back(frame.timeMs);
        }
        return times;
    };
    // A flush that shows the progress dialog resets the counter.
    Current().keys[1].code = {0x10, 0x08, 0};
    engine.RequestFlush(kChangeButtons);
    Settle();
    ASSERT_EQ(window.progress, 1);
    mouse.ClearFrames();
    const uint32_t flushed = scheduler.now;
    scheduler.Advance(44000);
    const std::vector<uint32_t> afterFlush = statusTimes();
    ASSERT_EQ(afterFlush.size(), 2u);
    // The tick that finds the counter at 20 comes 21 ticks after the reset.
    EXPECT_NEAR(static_cast<double>(afterFlush[0] - flushed), 21000.0, 1000.0);
    EXPECT_NEAR(static_cast<double>(afterFlush[1] - afterFlush[0]), 21000.0, 100.0);

    mouse.ClearFrames();
    const uint32_t arrived = scheduler.now;
    mouse.Plug(kProductReceiver);
    scheduler.Advance(2500);
    const std::vector<uint32_t> afterArrival = statusTimes();
    ASSERT_FALSE(afterArrival.empty());
    EXPECT_LE(afterArrival[0] - arrived, 2000u);
}

TEST_F(DiscoveryTest, BatteryDisplayAnimatesWhileChargingAndShowsNoMoreThanFull) {
    discovery.ScanDevices();
    link.batteryLevel = 60;
    link.chargeState = kChargeCharging;
    scheduler.Advance(5 * kPollTickMs);
    using Battery = testing_support::RecordingWindow::Battery;
    const std::vector<Battery> charging = {{60, 1, 25}, {60, 1, 50}, {60, 1, 75}, {60, 1, 100}, {60, 1, 25}};
    EXPECT_EQ(window.batteries, charging);

    window.batteries.clear();
    link.batteryLevel = 150;
    link.chargeState = kChargeNone;
    scheduler.Advance(kPollTickMs);
    ASSERT_EQ(window.batteries.size(), 1u);
    EXPECT_EQ(window.batteries[0].level, 0);
}

}  // namespace
}  // namespace ostrel
