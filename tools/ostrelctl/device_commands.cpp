#include "ostrelctl/device_commands.h"

#include <cctype>
#include <iostream>

#include "base/number_text.h"
#include "device/device_link.h"
#include "device/frame_log.h"
#include "device/link_window.h"
#include "device/scheduler.h"
#include "device/status_answer.h"
#include "device/sync_engine.h"
#include "device/virtual_mouse.h"
#include "macro/macro_library_file.h"
#include "ostrelctl/cli.h"
#include "ostrelctl/json_writer.h"
#include "profile/config_store.h"
#include "profile/language.h"
#include "profile/profile_file.h"

namespace ostrelctl {
namespace {

using namespace ostrel;

// Pauses pass at once; the clock only counts them, so the mouse sees the real spacing.
class InstantScheduler : public Scheduler {
public:
    void StartTimer(int, uint32_t) override {}
    void KillTimer(int) override {}
    void Sleep(uint32_t ms) override { m_now += ms; }
    uint32_t TickCount() const override { return m_now; }

private:
    uint32_t m_now = 0;
};


std::optional<ProfileRecord> LoadProfile(const std::string& file, std::string& reason) {
    auto lines = ReadLines(file, reason);
    if (!lines) return std::nullopt;
    auto record = ParseProfileFile(*lines);
    if (!record) {
        reason = file + ": " + record.reason();
        return std::nullopt;
    }
    return std::move(*record);
}

}  // namespace

int Frames(const std::vector<std::string>& args) {
    uint16_t sensor = kDefaultSensorId;
    std::string libraryFile;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sensor" || args[i] == "--library") {
            if (i + 1 >= args.size()) return Usage();
            if (args[i] == "--library") {
                libraryFile = args[++i];
                continue;
            }
            auto number = StrictNumber(args[++i], 16, 0xFFFF);
            if (!number) return Usage();
            sensor = static_cast<uint16_t>(*number);
        } else if (args[i].rfind("--", 0) == 0) {
            return Usage();
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return Usage();

    std::string reason;
    auto held = LoadProfile(files[0], reason);
    if (!held) return Fail(reason);
    auto profile = LoadProfile(files[1], reason);
    if (!profile) return Fail(reason);

    LanguageTable language;
    ConfigStore config({}, language);
    config.appSettings = DefaultAppSettings({});
    config.profiles[0] = std::move(*held);
    config.profiles[1] = std::move(*profile);
    config.sensorId = sensor;
    config.BuildDpiStepTable();

    MacroLibrary library;
    if (!libraryFile.empty()) {
        const MacroLoadResult loaded = LoadMacroLibrary(libraryFile, library);
        if (loaded.outcome != MacroLoad::Complete) return Fail(loaded.problem);
    }

    InstantScheduler scheduler;
    NullLinkWindow window;
    VirtualMouse::Options options;
    options.sensorId = sensor;
    VirtualMouse mouse([&scheduler] { return scheduler.TickCount(); }, options);
    DeviceLink link(mouse, scheduler, config, library, language, window);
    SyncEngine engine(link, config, scheduler, window);

    config.SetCurrentProfile(0);
    link.SeedShadows();
    for (const HidInterfaceInfo& info : mouse.Enumerate()) {
        if (info.productId == kProductWired && info.featureReportLength != 0) {
            link.wiredHandle = mouse.Open(info.path);
        }
    }
    config.SetCurrentProfile(1);
    link.windowActive = true;
    engine.changeFlags = kChangeAll;
    engine.FlushChanges();

    for (const ReceivedFrame& frame : mouse.Frames()) std::cout << FrameHex(frame.bytes) << "\n";
    const std::vector<FrameViolation> violations = mouse.Violations();
    for (const FrameViolation& violation : violations) {
        std::cerr << ViolationLogLine(violation) << "\n";
    }
    return violations.empty() ? 0 : kExitViolations;
}

int StatusDecode(const std::string& hex) {
    std::string digits;
    for (char c : hex) {
        if (!std::isspace(static_cast<unsigned char>(c))) digits += c;
    }
    if (digits.size() != 2 * kFrameLength) return Usage();
    std::array<uint8_t, kFrameLength> bytes{};
    for (size_t i = 0; i < kFrameLength; ++i) {
        auto byte = StrictNumber(digits.substr(2 * i, 2), 16, 0xFF);
        if (!byte) return Usage();
        bytes[i] = static_cast<uint8_t>(*byte);
    }
    const StatusAnswer answer = DecodeStatusAnswer(bytes);
    std::u16string tag;
    for (uint8_t byte : answer.tag) tag += static_cast<char16_t>(byte);
    const std::string online = !answer.hasModelTag ? "null" : answer.online ? "true" : "false";
    const std::string sensor =
        answer.sensorId == 0 ? "null" : JsonString(FormatSensorHex(answer.sensorId));
    std::cout << "{\"command\": " << int(answer.command) << ", \"tag\": " << JsonString(tag)
              << ", \"online\": " << online << ", \"sensor\": " << sensor
              << ", \"battery\": " << int(answer.battery) << ", \"charge\": "
              << int(answer.chargeState) << "}\n";
    return 0;
}

}  // namespace ostrelctl
