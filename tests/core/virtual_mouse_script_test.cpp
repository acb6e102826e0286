#include "device/virtual_mouse_script.h"

#include <gtest/gtest.h>

#include "device/frame_log.h"
#include "device/virtual_mouse.h"

namespace ostrel {
namespace {

using Kind = MouseScriptEvent::Kind;

TEST(MouseScript, ParsesEveryEventInTimeOrder) {
    auto events = ParseMouseScript(
        "# a comment\n"
        "3000 unplug\n"
        "500 dpi-button\r\n"
        "\n"
        "700 polling-button\n"
        "500 online 0\n"
        "4000 plug\n"
        "800 battery 42\n"
        "900 charge 2\n");
    ASSERT_TRUE(events) << events.reason();
    const std::vector<MouseScriptEvent> expected = {
        {500, Kind::DpiButton, 0}, {500, Kind::Online, 0},  {700, Kind::PollingButton, 0},
        {800, Kind::Battery, 42},  {900, Kind::Charge, 2}, {3000, Kind::Unplug, 0},
        {4000, Kind::Plug, 0},
    };
    EXPECT_EQ(*events, expected);
}

TEST(MouseScript, BadLinesFailWithTheirNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"100 dpi-button\nsoon dpi-button\n", "line 2:"},
        {"100\n", "line 1: the event is missing"},
        {"100 jump\n", "line 1: unknown event"},
        {"100 online 2\n", "line 1:"},
        {"100 charge\n", "line 1:"},
        {"100 battery 256\n", "line 1:"},
        {"100 plug now\n", "line 1:"},
        {"-5 plug\n", "line 1:"},
    };
    for (const auto& [script, reason] : cases) {
        auto events = ParseMouseScript(script);
        ASSERT_FALSE(events) << script;
        EXPECT_EQ(events.reason().rfind(reason, 0), 0u) << events.reason();
    }
}

TEST(MouseScript, EventsActOnTheMouse) {
    VirtualMouse mouse([] { return 0u; });
    const std::vector<uint16_t> products = {kProductWired};
    PlayMouseScriptEvent(mouse, {0, Kind::Battery, 33}, products);
    PlayMouseScriptEvent(mouse, {0, Kind::Charge, 1}, products);
    EXPECT_EQ(mouse.BatteryLevel(), 33);
    EXPECT_EQ(mouse.ChargeState(), 1);
    PlayMouseScriptEvent(mouse, {0, Kind::Unplug, 0}, products);
    EXPECT_EQ(mouse.Enumerate().size(), 4u) << "only the unrelated interfaces are left";
    PlayMouseScriptEvent(mouse, {0, Kind::Plug, 0}, products);
    EXPECT_EQ(mouse.Enumerate().size(), 6u);
    const uint8_t before = mouse.Config().dpiLevels[0];
    PlayMouseScriptEvent(mouse, {0, Kind::DpiButton, 0}, products);
    EXPECT_NE(mouse.Config().dpiLevels[0], before);
}

TEST(FrameLog, LinesCarryTheTimeAndTheBytes) {
    ReceivedFrame frame;
    frame.timeMs = 1234;
    frame.bytes[0] = 0x0C;
    frame.bytes[32] = 0xAB;
    EXPECT_EQ(FrameLogLine(frame), "1234 0C" + std::string(62, '0') + "AB");
    EXPECT_EQ(ViolationLogLine({4, "byte 1 is not 0x01"}), "violation frame 5: byte 1 is not 0x01");
}

}  // namespace
}  // namespace ostrel
