#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"

namespace ostrel::app {

// The command line of the program.
struct ProgramOptions {
    enum class Devices { Real, VirtualMouse, VirtualReceiver, VirtualBoth };
    Devices devices = Devices::Real;
    std::filesystem::path frameLog;     // the virtual mouse appends every frame it receives
    std::filesystem::path mouseScript;  // timed events on the virtual mouse's side

    bool Virtual() const { return devices != Devices::Real; }
};

// `--virtual-mouse[=mouse|receiver|both] [--frame-log FILE] [--virtual-mouse-script FILE]`; the
// last two only with the first. Anything else fails with the reason.
Result<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& arguments);

const char* ProgramUsage();

}  // namespace ostrel::app
