#include "app/program_options.h"

namespace ostrel::app {

const char* ProgramUsage() {
    return "usage: ostrel [--virtual-mouse[=mouse|receiver|both]] [--frame-log FILE] "
           "[--virtual-mouse-script FILE]";
}

Result<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& arguments) {
    using Options = Result<ProgramOptions>;
    ProgramOptions options;
    bool virtualGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--virtual-mouse" || argument.rfind("--virtual-mouse=", 0) == 0) {
            if (virtualGiven) return Options::Failure("--virtual-mouse given twice");
            virtualGiven = true;
            const std::string kind = argument.size() > 16 ? argument.substr(16) : "mouse";
            if (kind == "mouse") {
                options.devices = ProgramOptions::Devices::VirtualMouse;
            } else if (kind == "receiver") {
                options.devices = ProgramOptions::Devices::VirtualReceiver;
            } else if (kind == "both") {
                options.devices = ProgramOptions::Devices::VirtualBoth;
            } else {
                return Options::Failure("unknown virtual device \"" + kind + "\"");
            }
        } else if (argument == "--frame-log" || argument == "--virtual-mouse-script") {
            std::filesystem::path& target = argument == "--frame-log" ? options.frameLog : options.mouseScript;
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                return Options::Failure(argument + " needs a file");
            }
            if (!target.empty()) return Options::Failure(argument + " given twice");
            target = arguments[++i];
        } else {
            return Options::Failure("unknown option \"" + argument + "\"");
        }
    }
    if (!options.Virtual() && (!options.frameLog.empty() || !options.mouseScript.empty())) {
        return Options::Failure("--frame-log and --virtual-mouse-script need --virtual-mouse");
    }
    return options;
}

}  // namespace ostrel::app
