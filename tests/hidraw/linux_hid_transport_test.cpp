#include "platform/hidraw/linux_hid_transport.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/hidraw/hotplug_monitor.h"

namespace ostrel::hidraw {
namespace {

// Devices that cannot be opened: the reason names the node and the system's own words. Real
// nodes, reads and hot-plug are exercised on a kernel by the vm test.
TEST(LinuxHidTransportTest, OpenFailuresCarryTheNodeAndTheReason) {
    const std::filesystem::path notHidraw = std::filesystem::temp_directory_path() /
                                            ("ostrel-not-hidraw-" + std::to_string(::getpid()));
    std::ofstream(notHidraw) << "plain file";
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case cases[] = {
        {"/dev/ostrel-missing-hidraw", "/dev/ostrel-missing-hidraw: No such file or directory"},
        {notHidraw.string(),
         notHidraw.string() + ": not a hidraw node (Inappropriate ioctl for device)"},
    };
    LinuxHidTransport transport;
    for (const Case& c : cases) {
        const auto opened = transport.OpenWithReason(c.path);
        ASSERT_FALSE(opened) << c.path;
        EXPECT_EQ(opened.reason(), c.reason);
        EXPECT_EQ(transport.LastError(), c.reason);
        EXPECT_FALSE(transport.Open(c.path).IsOpen());
    }
    std::filesystem::remove(notHidraw);
}

TEST(LinuxHidTransportTest, CallsOnAHandleNeverOpenedFail) {
    LinuxHidTransport transport;
    std::array<uint8_t, 33> report{0x0C};
    for (const HidHandle handle : {HidHandle{}, HidHandle{7}}) {
        EXPECT_FALSE(transport.SetFeature(handle, report));
        EXPECT_FALSE(transport.GetFeature(handle, report));
        EXPECT_EQ(transport.Read(handle, report, 0), -1);
        transport.Close(handle);  // closing what is not open does nothing
    }
}

TEST(LinuxHidTransportTest, EnumerationListsHidrawNodesOnly) {
    LinuxHidTransport transport;
    auto interfaces = transport.EnumerateInterfaces();
    ASSERT_TRUE(interfaces) << interfaces.reason();
    for (const HidrawInterface& listed : *interfaces) {
        EXPECT_EQ(listed.info.path.rfind("/dev/hidraw", 0), 0u) << listed.info.path;
    }
    EXPECT_EQ(transport.Enumerate().size(), interfaces->size());
}

TEST(HotplugMonitorTest, KernelEventsWithoutBlocking) {
    auto monitor = HotplugMonitor::Start(HotplugMonitor::Source::Kernel);
    ASSERT_TRUE(monitor) << monitor.reason();
    EXPECT_EQ((*monitor)->ListensTo(), HotplugMonitor::Source::Kernel);
    pollfd watched{(*monitor)->Fd(), POLLIN, 0};
    ASSERT_GE(poll(&watched, 1, 0), 0);
    // Nothing is plugged in here: draining returns at once instead of waiting for an event.
    const auto start = std::chrono::steady_clock::now();
    for (const HotplugEvent& event : (*monitor)->Drain()) {
        EXPECT_EQ(event.devnode.rfind("/dev/hidraw", 0), 0u);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(HotplugMonitorTest, AutomaticFollowsTheUdevDaemon) {
    auto monitor = HotplugMonitor::Start();
    ASSERT_TRUE(monitor) << monitor.reason();
    const bool daemon = std::filesystem::exists("/run/udev/control");
    EXPECT_EQ((*monitor)->ListensTo(),
              daemon ? HotplugMonitor::Source::Udev : HotplugMonitor::Source::Kernel);
}

}  // namespace
}  // namespace ostrel::hidraw
