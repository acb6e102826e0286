// ostrelctl: inspect the program's files and produce default profiles from scripts.
#include <cctype>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "base/utf.h"
#include "device/dpi_step_table.h"
#include "device/profile_defaults.h"
#include "macro/macro_library_file.h"
#include "ostrelctl/cli.h"
#include "ostrelctl/device_commands.h"
#include "ostrelctl/hid_commands.h"
#include "ostrelctl/macro_json.h"
#include "ostrelctl/profile_json.h"
#include "profile/language.h"
#include "profile/profile_file.h"
#include "profile/settings_table.h"
#include "profile/text_file.h"

namespace {

using ostrelctl::Fail;
using ostrelctl::ReadLines;
using ostrelctl::StrictNumber;
using ostrelctl::Usage;

int ProfileDump(const std::string& file) {
    std::string reason;
    auto lines = ReadLines(file, reason);
    if (!lines) return Fail(reason);
    auto record = ostrel::ParseProfileFile(*lines);
    if (!record) return Fail(file + ": " + record.reason());
    std::cout << ostrelctl::ProfileToJson(*record);
    return 0;
}

int SettingsDump(const std::string& file) {
    std::string reason;
    auto lines = ReadLines(file, reason);
    if (!lines) return Fail(reason);
    auto entries = ostrel::ParseSettingsFile(*lines);
    if (!entries) return Fail(file + ": " + entries.reason());
    std::cout << ostrelctl::SettingsToJson(*entries);
    return 0;
}

// A library file or an export (".mlf", ".mkf", ".mbf"): whatever loads is shown, and "complete"
// says whether that was the whole file.
int MacroDump(const std::string& file) {
    std::string reason;
    auto lines = ReadLines(file, reason);
    if (!lines) return Fail(reason);
    std::vector<ostrelctl::MacroFileItem> items;
    auto header = ostrel::ParseMacroLibraryFile(
        *lines, [&items](const ostrel::MacroLocation& at, ostrel::MacroItem&& item) {
            items.emplace_back(at, std::move(item));
        });
    if (!header) return Fail(file + ": " + header.reason());
    std::cout << ostrelctl::MacroFileToJson(*header, items);
    return 0;
}

int ProfileDefaults(const std::vector<std::string>& args) {
    size_t slot = 0;
    uint16_t sensor = ostrel::kDefaultSensorId;
    ostrel::LanguageTable language;
    for (size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return Usage();
        const std::string& option = args[i];
        const std::string& value = args[i + 1];
        if (option == "--slot") {
            auto number = StrictNumber(value, 10, ostrel::kProfileCount - 1);
            if (!number) return Usage();
            slot = *number;
        } else if (option == "--sensor") {
            auto number = StrictNumber(value, 16, 0xFFFF);
            if (!number) return Usage();
            sensor = static_cast<uint16_t>(*number);
        } else if (option == "--lang") {
            std::string reason;
            auto lines = ReadLines(value, reason);
            if (!lines) return Fail(reason);
            if (!ostrel::ApplyLanguageLines(*lines, 1.0, language)) {
                return Fail(value + ": not a usable language file");
            }
        } else {
            return Usage();
        }
    }
    ostrel::ProfileRecord record;
    ostrel::ResetProfileToDefaults(record, slot, sensor, language);
    const std::string bytes = ostrel::EncodeTextFile(ostrel::FormatProfileFile(record));
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
        return Fail("cannot write to standard output");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "profile" && args[1] == "dump") return ProfileDump(args[2]);
    if (args.size() == 3 && args[0] == "settings" && args[1] == "dump") return SettingsDump(args[2]);
    if (args.size() == 3 && args[0] == "macro" && args[1] == "dump") return MacroDump(args[2]);
    if (args.size() >= 2 && args[0] == "profile" && args[1] == "defaults") {
        return ProfileDefaults({args.begin() + 2, args.end()});
    }
    if (args.size() >= 1 && args[0] == "frames") return ostrelctl::Frames({args.begin() + 1, args.end()});
    if (args.size() == 3 && args[0] == "status" && args[1] == "decode") {
        return ostrelctl::StatusDecode(args[2]);
    }
    if (args.size() == 1 && args[0] == "devices") return ostrelctl::Devices();
    if (args.size() == 1 && args[0] == "status") return ostrelctl::Status();
    return Usage();
}
