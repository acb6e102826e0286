#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "device/link_window.h"
#include "device/sync_engine.h"
#include "device/virtual_mouse.h"
#include "macro/macro_library.h"
#include "profile/config_store.h"
#include "profile/language.h"
#include "virtual_scheduler.h"

namespace ostrel::testing_support {

// Records what the device link asked of the main window.
class RecordingWindow : public LinkWindow {
public:
    int shown = 0, minimised = 0, hidden = 0, redraws = 0, refreshes = 0, progress = 0;
    int dpiDisplays = 0, quits = 0;
    uint32_t stepRange = 0;
    int levelPosition = -1;
    struct Battery {
        uint8_t level, chargeState, animationStep;
        bool operator==(const Battery&) const = default;
    };
    std::vector<Battery> batteries;
    std::vector<std::pair<size_t, size_t>> attentionBoxes;

    void ShowFromDevice() override { ++shown; }
    void Minimise() override { ++minimised; }
    void Hide() override { ++hidden; }
    void SetDpiStepRange(uint32_t stepCount) override { stepRange = stepCount; }
    void Redraw() override { ++redraws; }
    void RefreshView() override { ++refreshes; }
    void ShowProgress(size_t) override { ++progress; }
    void UpdateBattery(uint8_t level, uint8_t charge, uint8_t step) override {
        batteries.push_back({level, charge, step});
    }
    void ShowAttentionBox(size_t title, size_t text) override { attentionBoxes.emplace_back(title, text); }
    void SetCurrentLevelPosition(uint8_t position) override { levelPosition = position; }
    void ShowDpiDisplay() override { ++dpiDisplays; }
    void CloseDialogsAndQuit() override { ++quits; }
};

// The program's device side on virtual time: a data folder with default files, the device
// link, the engine and a virtual mouse whose feature interface is open.
class DeviceFixture : public ::testing::Test {
protected:
    explicit DeviceFixture(VirtualMouse::Options options = {})
        : m_folder(std::filesystem::temp_directory_path() /
                   ("ostrel-device-" + std::to_string(std::random_device{}()))),
          config(m_folder, language),
          mouse([this] { return scheduler.now; }, options),
          link(mouse, scheduler, config, library, language, window),
          engine(link, config, scheduler, window) {
        language.entries[34] = u"Disabled";
        config.LoadSettingsFile();
        config.BuildDpiStepTable();
        scheduler.onTimer = [this](int id) { engine.OnTimer(id); };
        link.windowActive = true;
        link.mouseOnline = true;
        link.SeedShadows();
    }
    ~DeviceFixture() override { std::filesystem::remove_all(m_folder); }

    void OpenProduct(uint16_t product) {
        for (const HidInterfaceInfo& info : mouse.Enumerate()) {
            if (info.productId != product || info.featureReportLength == 0) continue;
            (product == kProductWired ? link.wiredHandle : link.receiverHandle) = mouse.Open(info.path);
        }
    }

    ProfileRecord& Current() { return config.CurrentRecord(); }

    // Frames received since the last call, as byte arrays.
    std::vector<std::array<uint8_t, kFrameLength>> TakeFrames() {
        std::vector<std::array<uint8_t, kFrameLength>> frames;
        for (const ReceivedFrame& frame : mouse.Frames()) frames.push_back(frame.bytes);
        EXPECT_TRUE(mouse.Violations().empty()) << mouse.Violations().front().what;
        mouse.ClearFrames();
        return frames;
    }

    std::filesystem::path m_folder;
    LanguageTable language;
    ConfigStore config;
    MacroLibrary library;
    VirtualScheduler scheduler;
    RecordingWindow window;
    VirtualMouse mouse;
    DeviceLink link;
    SyncEngine engine;
};

// A frame from its header fields and payload, the rest zero.
inline std::array<uint8_t, kFrameLength> Frame(uint8_t command, uint8_t sequence, uint8_t packet,
                                               std::vector<uint8_t> payload, int length = -1) {
    std::array<uint8_t, kFrameLength> frame{};
    frame[0] = kReportId;
    frame[1] = 0x01;
    frame[kFrameCommand] = command;
    frame[kFrameSequence] = sequence;
    frame[kFramePacket] = packet;
    frame[kFrameLengthField] = static_cast<uint8_t>(length < 0 ? payload.size() : size_t(length));
    std::copy(payload.begin(), payload.end(), frame.begin() + kFramePayload);
    return frame;
}

}  // namespace ostrel::testing_support
