// Listener threads and the UI thread at once: run under ThreadSanitizer by the test command.
#include <gtest/gtest.h>

#include <thread>

#include "device/device_discovery.h"
#include "device_fixture.h"
#include "test_ui_queue.h"

namespace ostrel {
namespace {

using testing_support::DeviceFixture;
using testing_support::Eventually;
using testing_support::TestUiQueue;

VirtualMouse::Options BothProducts() {
    VirtualMouse::Options options;
    options.wired = true;
    options.receiver = true;
    return options;
}

class DeviceStressTest : public DeviceFixture {
protected:
    DeviceStressTest() : DeviceFixture(BothProducts()), discovery(mouse, link, engine, config, scheduler, window, ui) {
        scheduler.onTimer = [this](int id) { engine.OnTimer(id) || discovery.OnTimer(id); };
        discovery.ResetForNotifications();
    }
    ~DeviceStressTest() override { discovery.StopListeners(); }

    TestUiQueue ui;
    DeviceDiscovery discovery;
};

TEST_F(DeviceStressTest, AnnouncementsArriveWhileTheUiThreadFlushesAndRescans) {
    constexpr int kAnnouncements = 1000;
    discovery.ScanDevices();
    ASSERT_TRUE(Eventually([&] {
        return discovery.ListenerRunning(kProductWired) && discovery.ListenerRunning(kProductReceiver);
    }));

    std::thread mouseSide([&] {
        for (int n = 0; n < kAnnouncements; ++n) {
            std::vector<uint8_t> report(kFrameLength, 0);
            report[0] = kReportAnnouncement;
            report[1] = kAnnouncementDpiPolling;
            report[kAnnouncementPolling] = 2;
            report[kAnnouncementLevel] = static_cast<uint8_t>(1 + n % 6);
            mouse.PushInputReport(kProductWired, std::move(report));
            if (n % 50 == 0) std::this_thread::yield();
        }
    });

    // The UI thread: applies what the listeners post, edits and flushes, rescans, and pulls the
    // receiver out from under its listener's blocking read and puts it back.
    int round = 0;
    constexpr int kReplugRound = 80;
    while ((window.dpiDisplays < kAnnouncements || round <= kReplugRound) && round < 20000) {
        ui.RunWhenPosted(1, std::chrono::milliseconds(1));
        Current().keys[2].code[1] = static_cast<uint8_t>(round & 0x7F);
        engine.RequestFlush(kChangeButtons | kChangeDeviceSettings);
        scheduler.Advance(kFlushDelayMs);
        if (round % 25 == 0) discovery.ScanDevices();
        if (round == 40) mouse.Unplug(kProductReceiver);
        if (round == kReplugRound) {
            mouse.Plug(kProductReceiver);
            discovery.OnDeviceArrival();
        }
        ++round;
    }
    mouseSide.join();
    ui.RunWhenPosted(0, std::chrono::milliseconds(0));

    EXPECT_EQ(window.dpiDisplays, kAnnouncements);
    EXPECT_EQ(Current().CurrentDPILevelValue, (kAnnouncements - 1) % 6);
    EXPECT_TRUE(mouse.Violations().empty());
    // The receiver's old reader may still have been leaving when it came back; the poll tick's
    // watchdog starts the new one then.
    scheduler.StartTimer(kTimerPoll, kPollTickMs);
    EXPECT_TRUE(Eventually([&] {
        engine.pollCounter = kPollEvery;
        scheduler.Advance(kPollTickMs);
        return discovery.ListenerRunning(kProductReceiver);
    }));
}

}  // namespace
}  // namespace ostrel
