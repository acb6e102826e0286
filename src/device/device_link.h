#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "device/hid_transport.h"
#include "device/report_blocks.h"
#include "device/status_answer.h"
#include "macro/macro_library.h"

namespace ostrel {

class ConfigStore;
class LinkWindow;
class Scheduler;
struct LanguageTable;

inline constexpr uint32_t kFramePauseMs = 60;
inline constexpr uint32_t kStatusAnswerWaitMs = 10;
inline constexpr uint8_t kStartSequenceNumber = 1;
inline constexpr uint8_t kStartBatteryLevel = 10;
inline constexpr size_t kTextButtonUnassigned = 34;

// The device side of the main window: the device image of report blocks, the sequence number,
// the two feature handles and the state that the status answers keep. It builds every feature
// report from the current profile, sends only what differs from the shadows, and applies the
// status answers. UI thread only; every operation returns after its frames and pauses.
class DeviceLink {
public:
    DeviceLink(HidTransport& transport, Scheduler& scheduler, ConfigStore& config,
               MacroLibrary& library, const LanguageTable& language, LinkWindow& window);

    void SendButtonAssignments();
    void SendDeviceSettings();
    void SendPowerSettings();
    void SendMotionWakeup();
    void AssignMacroSlots();
    void SendMacros(bool transmit);
    void SeedShadows();
    void QueryStatus();
    // Applies a status answer; an answer of another length, for another command or without the
    // model tag's effects is ignored as the protocol says.
    void ApplyStatusAnswer(std::span<const uint8_t> answer);
    void SendFactoryReset();

    // The handle every frame goes to: the wired one when open, else the receiver's.
    HidHandle PreferredHandle() const;
    bool AnyHandleOpen() const { return PreferredHandle().IsOpen(); }

    const ReportBlock& Block(size_t index) const { return m_blocks[index]; }

    HidHandle wiredHandle;
    HidHandle receiverHandle;
    uint8_t sequenceNumber = kStartSequenceNumber;
    bool sent = false;  // a frame of the current flush was handed to the system
    uint8_t batteryLevel = kStartBatteryLevel;
    uint8_t chargeState = 0;
    bool mouseOnline = false;
    bool windowActive = false;
    bool shownByDevice = false;
    uint8_t lastSensorCode = 0;
    // Set when the macro manager opens: the next slot assignment refreshes the buttons' copies.
    bool macroManagerOpened = false;

private:
    // Assembles a frame in the staging block and sends it to the preferred handle; the pause
    // follows unless `pause` is false. Returns whether the system took it.
    bool SendFrame(uint8_t command, uint8_t packetField, uint8_t length,
                   std::span<const uint8_t> payload, bool pause = true);
    // Copies the first `count` bytes of the working block into its shadow; returns whether they
    // differed and keeps the old shadow bytes in `previous` for a failed send to put back.
    bool SyncShadow(size_t workingBlock, size_t count, std::vector<uint8_t>& previous);
    void RestoreShadow(size_t workingBlock, const std::vector<uint8_t>& previous);
    void FillButtonStaging();
    ProfileRecord& Current();

    HidTransport& m_transport;
    Scheduler& m_scheduler;
    ConfigStore& m_config;
    MacroLibrary& m_library;
    const LanguageTable& m_language;
    LinkWindow& m_window;
    std::array<ReportBlock, kBlockCount> m_blocks{};
    std::vector<std::pair<MacroLocation, uint8_t>> m_macroSlots;  // library place -> device slot
};

}  // namespace ostrel
