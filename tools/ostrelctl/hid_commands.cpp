#include "ostrelctl/hid_commands.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <thread>

#include "base/utf.h"
#include "device/device_discovery.h"
#include "device/device_link.h"
#include "device/link_window.h"
#include "device/report_blocks.h"
#include "device/scheduler.h"
#include "macro/macro_library.h"
#include "ostrelctl/cli.h"
#include "ostrelctl/device_commands.h"
#include "ostrelctl/json_writer.h"
#include "platform/hidraw/linux_hid_transport.h"
#include "profile/config_store.h"
#include "profile/language.h"

namespace ostrelctl {
namespace {

using namespace ostrel;
using hidraw::HidrawInterface;
using hidraw::LinuxHidTransport;

std::string Hex(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return JsonString(Utf8ToUtf16(text));
}

std::string JsonText(const std::string& utf8) {
    return utf8.empty() ? "null" : JsonString(Utf8ToUtf16(utf8));
}

// The query pauses on the clock, as the program does.
class RealTimeScheduler : public Scheduler {
public:
    void StartTimer(int, uint32_t) override {}
    void KillTimer(int) override {}
    void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    uint32_t TickCount() const override {
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now().time_since_epoch())
                                         .count());
    }
};

// Passes every call to the transport and keeps the last feature report read, which after a
// status query is the mouse's answer.
class AnswerRecorder : public HidTransport {
public:
    explicit AnswerRecorder(HidTransport& transport) : m_transport(transport) {}

    std::vector<HidInterfaceInfo> Enumerate() override { return m_transport.Enumerate(); }
    HidHandle Open(const std::string& path) override { return m_transport.Open(path); }
    bool SetFeature(HidHandle handle, std::span<const uint8_t> report) override {
        return m_transport.SetFeature(handle, report);
    }
    bool GetFeature(HidHandle handle, std::span<uint8_t> report) override {
        const bool read = m_transport.GetFeature(handle, report);
        if (read && report.size() == kFrameLength) {
            answer.emplace();
            std::copy(report.begin(), report.end(), answer->begin());
        }
        return read;
    }
    int Read(HidHandle handle, std::span<uint8_t> report, int timeoutMs) override {
        return m_transport.Read(handle, report, timeoutMs);
    }
    void Close(HidHandle handle) override { m_transport.Close(handle); }

    std::optional<std::array<uint8_t, kFrameLength>> answer;

private:
    HidTransport& m_transport;
};

// A data folder of the tool's own, removed when the query is done: the link saves the profiles
// when the mouse reports another sensor, and a tool must not leave them in the user's folders.
class ScratchFolder {
public:
    ScratchFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("ostrelctl-status-" + std::to_string(std::random_device{}()))) {}
    ~ScratchFolder() {
        std::error_code ignored;  // a temporary folder left behind harms nothing
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// The feature interface of a product as the scan identifies it.
std::optional<std::string> FeaturePath(const std::vector<HidInterfaceInfo>& interfaces,
                                       uint16_t productId) {
    for (const HidInterfaceInfo& info : interfaces) {
        if (info.vendorId == kMouseVendorId && info.productId == productId &&
            info.inputReportLength != kInterfaceReportLength &&
            info.featureReportLength == kInterfaceReportLength) {
            return info.path;
        }
    }
    return std::nullopt;
}

}  // namespace

int Devices() {
    LinuxHidTransport transport;
    auto interfaces = transport.EnumerateInterfaces();
    if (!interfaces)
        return Fail(interfaces.reason());
    // Collections of one node share its path: it is opened once.
    std::map<std::string, std::string> openErrors;
    for (const HidrawInterface& listed : *interfaces) {
        if (openErrors.count(listed.info.path) != 0)
            continue;
        auto handle = transport.OpenWithReason(listed.info.path);
        if (handle)
            transport.Close(*handle);
        openErrors[listed.info.path] = handle ? std::string() : handle.reason();
    }
    std::cout << "{\"interfaces\": [";
    for (size_t i = 0; i < interfaces->size(); ++i) {
        const HidrawInterface& listed = (*interfaces)[i];
        const std::string& openError = openErrors[listed.info.path];
        std::cout << (i == 0 ? "\n" : ",\n") << "  {\"memberIndex\": " << i
                  << ", \"path\": " << JsonText(listed.info.path)
                  << ", \"vendorId\": " << Hex(listed.info.vendorId)
                  << ", \"productId\": " << Hex(listed.info.productId)
                  << ", \"usagePage\": " << Hex(listed.usagePage)
                  << ", \"usage\": " << Hex(listed.usage)
                  << ", \"inputReportLength\": " << listed.info.inputReportLength
                  << ", \"featureReportLength\": " << listed.info.featureReportLength
                  << ", \"opens\": " << (openError.empty() ? "true" : "false")
                  << ", \"openError\": " << JsonText(openError)
                  << ", \"descriptorProblem\": " << JsonText(listed.problem) << "}";
    }
    std::cout << (interfaces->empty() ? "]}\n" : "\n]}\n");
    return 0;
}

int Status() {
    LinuxHidTransport system;
    AnswerRecorder transport(system);
    auto listed = system.EnumerateInterfaces();
    if (!listed)
        return Fail(listed.reason());
    std::vector<HidInterfaceInfo> interfaces;
    for (const HidrawInterface& entry : *listed)
        interfaces.push_back(entry.info);

    ScratchFolder data;
    LanguageTable language;
    ConfigStore config(data.Path(), language);
    config.appSettings = DefaultAppSettings(data.Path());
    config.BuildDpiStepTable();
    MacroLibrary library;
    RealTimeScheduler scheduler;
    NullLinkWindow window;
    DeviceLink link(transport, scheduler, config, library, language, window);

    bool found = false;
    for (const auto& [product, handle] : {std::pair{kProductWired, &link.wiredHandle},
                                          std::pair{kProductReceiver, &link.receiverHandle}}) {
        const auto path = FeaturePath(interfaces, product);
        if (!path)
            continue;
        found = true;
        auto opened = system.OpenWithReason(*path);
        if (opened)
            *handle = *opened;
    }
    if (!found)
        return Fail("no mouse found (no feature interface of 248A:5B2E or 248A:5B2F)");
    if (!link.AnyHandleOpen())
        return Fail(system.LastError());

    link.QueryStatus();
    for (HidHandle handle : {link.wiredHandle, link.receiverHandle}) {
        if (handle.IsOpen())
            transport.Close(handle);
    }
    if (!transport.answer) {
        const std::string reason = system.LastError();
        return Fail(reason.empty() ? "the status query failed" : reason);
    }
    if ((*transport.answer)[kFrameCommand] == 0)
        return Fail("the mouse did not answer the status query");
    std::string hex;
    char pair[3];
    for (uint8_t byte : *transport.answer) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        hex += pair;
    }
    return StatusDecode(hex);
}

}  // namespace ostrelctl
