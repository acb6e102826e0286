#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "device/dpi_step_table.h"
#include "device/profile_record.h"

namespace ostrel {

// The device image: every kind of setting has a working and a shadow block of 1024 bytes; the
// shadow holds what the mouse is taken to hold.
inline constexpr size_t kBlockSize = 1024;
using ReportBlock = std::array<uint8_t, kBlockSize>;

inline constexpr size_t kBlockStaging = 0;  // frames, the button working block, macro staging
inline constexpr size_t kBlockButtonShadow = 1;
inline constexpr size_t kBlockLighting = 2;
inline constexpr size_t kBlockDpiLevels = 4;
inline constexpr size_t kBlockDpiColors = 6;
inline constexpr size_t kBlockPollingRate = 8;
inline constexpr size_t kBlockLiftOff = 10;
inline constexpr size_t kBlockDebounce = 12;
inline constexpr size_t kBlockPower = 14;
inline constexpr size_t kBlockMotionWakeup = 16;
inline constexpr size_t kBlockMacroBase = 18;  // + device macro slot 1-7
inline constexpr size_t kMacroSlotCount = 7;
inline constexpr size_t kBlockCount = kBlockMacroBase + kMacroSlotCount + 1;

// The shadow of a working block is the next block.
constexpr size_t ShadowOf(size_t workingBlock) { return workingBlock + 1; }

// Frame layout: 33 bytes, report id 0x0C, one command per frame.
inline constexpr size_t kFrameLength = 33;
inline constexpr uint8_t kReportId = 0x0C;
inline constexpr size_t kFrameCommand = 2;
inline constexpr size_t kFrameSequence = 4;
inline constexpr size_t kFramePacket = 5;
inline constexpr size_t kFrameLengthField = 6;
inline constexpr size_t kFramePayload = 7;
inline constexpr size_t kMaxPayload = kFrameLength - kFramePayload;

inline constexpr uint8_t kCommandButton = 0x04;
inline constexpr uint8_t kCommandDpiLevels = 0x05;
inline constexpr uint8_t kCommandDpiColors = 0x06;
inline constexpr uint8_t kCommandPollingRate = 0x07;
inline constexpr uint8_t kCommandLighting = 0x08;
inline constexpr uint8_t kCommandLiftOff = 0x09;
inline constexpr uint8_t kCommandDebounce = 0x0A;
inline constexpr uint8_t kCommandPower = 0x0B;
inline constexpr uint8_t kCommandMotionWakeup = 0x0C;
inline constexpr uint8_t kCommandMacro = 0x0E;
inline constexpr uint8_t kCommandFactoryReset = 0x0F;
inline constexpr uint8_t kCommandStatus = 0x20;

// Input report of the mouse: 05 06 announces a change of DPI level or polling rate made with
// the mouse's own buttons; byte 3 is the polling interval, byte 4 the 1-based level position.
inline constexpr uint8_t kReportAnnouncement = 0x05;
inline constexpr uint8_t kAnnouncementDpiPolling = 0x06;
inline constexpr size_t kAnnouncementPolling = 3;
inline constexpr size_t kAnnouncementLevel = 4;

inline constexpr size_t kDpiLevelsLength = 18;
inline constexpr size_t kDpiColorsLength = 24;
inline constexpr size_t kLightingPayload = 24;  // block bytes 1-24 after the length byte
inline constexpr size_t kSentDpiLevels = 6;
inline constexpr size_t kMacroChunk = 25;       // event bytes per macro packet
inline constexpr size_t kMacroCompared = 512;   // staged macro bytes compared with the shadow
inline constexpr size_t kMacroHeader = 4;       // 0x09, 0x90, slot, event count
inline constexpr size_t kButtonBytesFirst = 2;  // seven codes in bytes 2-22
inline constexpr size_t kButtonBytesEnd = kButtonBytesFirst + 3 * kButtonCount;

// The button a device index carries: the mouse numbers buttons 3 and 4 the other way round.
constexpr size_t ButtonOfDeviceIndex(size_t deviceIndex) {
    return deviceIndex == 3 ? 4 : deviceIndex == 4 ? 3 : deviceIndex;
}

// Builders of the working blocks from a profile. Each writes only the bytes its block carries;
// the caller prepares the rest (cleared or filled) as the protocol requires.
void BuildButtonBlock(const ProfileRecord& record, ReportBlock& block);
// Returns the payload length L (byte 0). An effect outside 0-9 gives an all-zero block (L = 0):
// such an effect never indexes the per-effect fields.
uint8_t BuildLightingBlock(const ProfileRecord& record, ReportBlock& block);
void BuildDpiLevelsBlock(const ProfileRecord& record, const DpiStepTable& steps, ReportBlock& block);
void BuildDpiColorsBlock(const ProfileRecord& record, ReportBlock& block);
void BuildPollingRateBlock(const ProfileRecord& record, ReportBlock& block);
void BuildLiftOffBlock(const ProfileRecord& record, ReportBlock& block);
void BuildDebounceBlock(const ProfileRecord& record, ReportBlock& block);
void BuildPowerBlock(const ProfileRecord& record, ReportBlock& block);
void BuildMotionWakeupBlock(const ProfileRecord& record, ReportBlock& block);

// Stages a macro for device slot `slot`: header, event count and events, the rest of the block
// cleared. At most kMaxMacroEvents events are staged and counted, so the upload stays within the
// compared bytes whatever the record holds. Returns the number of event bytes to upload.
size_t StageMacro(const MacroRecord& macro, uint8_t slot, ReportBlock& block);

// Report interval in ms of a polling-rate index.
uint8_t PollingIntervalOf(uint8_t pollingRateIndex);

}  // namespace ostrel
