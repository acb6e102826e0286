#include "app/program_options.h"

#include <gtest/gtest.h>

namespace ostrel::app {
namespace {

using Devices = ProgramOptions::Devices;

TEST(ProgramOptions, AcceptsTheVirtualMouseAndItsFiles) {
    struct Case {
        std::vector<std::string> arguments;
        Devices devices;
        const char* frameLog;
        const char* script;
    };
    const Case cases[] = {
        {{}, Devices::Real, "", ""},
        {{"--virtual-mouse"}, Devices::VirtualMouse, "", ""},
        {{"--virtual-mouse=receiver"}, Devices::VirtualReceiver, "", ""},
        {{"--virtual-mouse=both", "--frame-log", "f.log", "--virtual-mouse-script", "s.txt"},
         Devices::VirtualBoth, "f.log", "s.txt"},
        {{"--frame-log", "f.log", "--virtual-mouse=mouse"}, Devices::VirtualMouse, "f.log", ""},
    };
    for (const Case& c : cases) {
        auto options = ParseProgramOptions(c.arguments);
        ASSERT_TRUE(options) << options.reason();
        EXPECT_EQ(options->devices, c.devices);
        EXPECT_EQ(options->frameLog, c.frameLog);
        EXPECT_EQ(options->mouseScript, c.script);
    }
}

TEST(ProgramOptions, RefusesAnythingElse) {
    const std::vector<std::vector<std::string>> cases = {
        {"--help"},
        {"--virtual-mouse=keyboard"},
        {"--virtual-mouse", "--virtual-mouse"},
        {"--virtual-mouse", "--frame-log"},
        {"--virtual-mouse", "--frame-log", ""},
        {"--virtual-mouse", "--frame-log", "a", "--frame-log", "b"},
        {"--frame-log", "a"},
        {"--virtual-mouse-script", "s.txt"},
        {"stray"},
    };
    for (const auto& arguments : cases) {
        EXPECT_FALSE(ParseProgramOptions(arguments)) << (arguments.empty() ? "" : arguments[0]);
    }
}

}  // namespace
}  // namespace ostrel::app
