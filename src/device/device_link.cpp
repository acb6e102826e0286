#include "device/device_link.h"

#include <algorithm>

#include "device/link_window.h"
#include "device/scheduler.h"
#include "profile/config_store.h"
#include "profile/language.h"

namespace ostrel {
namespace {

constexpr uint8_t kSinglePacket = 0x01;
constexpr uint8_t kStatusPacket = 0x00;
constexpr uint8_t kFactoryResetPayload = 0xFF;

}  // namespace

DeviceLink::DeviceLink(HidTransport& transport, Scheduler& scheduler, ConfigStore& config,
                       MacroLibrary& library, const LanguageTable& language, LinkWindow& window)
    : m_transport(transport),
      m_scheduler(scheduler),
      m_config(config),
      m_library(library),
      m_language(language),
      m_window(window) {}

HidHandle DeviceLink::PreferredHandle() const {
    return wiredHandle.IsOpen() ? wiredHandle : receiverHandle;
}

ProfileRecord& DeviceLink::Current() { return m_config.CurrentRecord(); }

bool DeviceLink::SendFrame(uint8_t command, uint8_t packetField, uint8_t length,
                           std::span<const uint8_t> payload, bool pause) {
    ReportBlock& frame = m_blocks[kBlockStaging];
    std::fill(frame.begin(), frame.end(), 0);
    frame[0] = kReportId;
    frame[1] = 0x01;
    frame[kFrameCommand] = command;
    frame[kFrameSequence] = sequenceNumber++;
    frame[kFramePacket] = packetField;
    frame[kFrameLengthField] = length;
    std::copy_n(payload.begin(), std::min(payload.size(), kMaxPayload), frame.begin() + kFramePayload);
    sent = true;
    const bool taken = m_transport.SetFeature(PreferredHandle(), {frame.data(), kFrameLength});
    if (pause) m_scheduler.Sleep(kFramePauseMs);
    return taken;
}

bool DeviceLink::SyncShadow(size_t workingBlock, size_t count, std::vector<uint8_t>& previous) {
    const ReportBlock& working = m_blocks[workingBlock];
    ReportBlock& shadow = m_blocks[ShadowOf(workingBlock)];
    previous.assign(shadow.begin(), shadow.begin() + count);
    const bool changed = !std::equal(working.begin(), working.begin() + count, shadow.begin());
    std::copy_n(working.begin(), count, shadow.begin());
    return changed;
}

void DeviceLink::RestoreShadow(size_t workingBlock, const std::vector<uint8_t>& previous) {
    std::copy(previous.begin(), previous.end(), m_blocks[ShadowOf(workingBlock)].begin());
}

void DeviceLink::FillButtonStaging() {
    ReportBlock& staging = m_blocks[kBlockStaging];
    std::fill(staging.begin() + kButtonBytesFirst, staging.end(), 0xFF);
    BuildButtonBlock(Current(), staging);
}

void DeviceLink::SendButtonAssignments() {
    if (!AnyHandleOpen()) return;
    FillButtonStaging();
    const ReportBlock& staging = m_blocks[kBlockStaging];
    ReportBlock& shadow = m_blocks[kBlockButtonShadow];
    std::array<bool, kButtonCount> changed{};
    for (size_t i = kButtonBytesFirst; i < kButtonBytesEnd; ++i) {
        if (staging[i] != shadow[i]) changed[(i - kButtonBytesFirst) / 3] = true;
    }
    const ReportBlock previous = shadow;
    std::copy_n(staging.begin(), kButtonBytesEnd, shadow.begin());
    for (size_t d = 0; d < kButtonCount; ++d) {
        if (changed[d]) {
            const size_t first = kButtonBytesFirst + 3 * d;
            const uint8_t payload[] = {static_cast<uint8_t>(d), shadow[first], shadow[first + 1],
                                       shadow[first + 2]};
            if (!SendFrame(kCommandButton, kSinglePacket, sizeof payload, payload)) {
                // The mouse did not get this button: the next flush must send it again.
                std::copy_n(previous.begin() + first, 3, shadow.begin() + first);
            }
        }
        m_scheduler.Sleep(kFramePauseMs);
    }
}

void DeviceLink::SendDeviceSettings() {
    if (!AnyHandleOpen()) return;
    const ProfileRecord& record = Current();
    std::vector<uint8_t> previousPolling, previousLiftOff, previousDebounce, previousLevels,
        previousColors, previousLighting;

    BuildPollingRateBlock(record, m_blocks[kBlockPollingRate]);
    const bool polling = SyncShadow(kBlockPollingRate, 1, previousPolling);
    BuildLiftOffBlock(record, m_blocks[kBlockLiftOff]);
    const bool liftOff = SyncShadow(kBlockLiftOff, 1, previousLiftOff);
    BuildDebounceBlock(record, m_blocks[kBlockDebounce]);
    const bool debounce = SyncShadow(kBlockDebounce, 1, previousDebounce);

    m_blocks[kBlockDpiLevels].fill(0);
    BuildDpiLevelsBlock(record, m_config.stepTable, m_blocks[kBlockDpiLevels]);
    const bool levels = SyncShadow(kBlockDpiLevels, kDpiLevelsLength - 1, previousLevels);
    BuildDpiColorsBlock(record, m_blocks[kBlockDpiColors]);
    const bool colors = SyncShadow(kBlockDpiColors, kDpiColorsLength, previousColors);

    m_blocks[kBlockLighting].fill(0);
    const uint8_t lightingLength = BuildLightingBlock(record, m_blocks[kBlockLighting]);
    const bool lighting = SyncShadow(kBlockLighting, lightingLength + 1u, previousLighting);

    auto send = [this](bool noted, size_t block, uint8_t command, uint8_t length,
                       std::span<const uint8_t> payload, const std::vector<uint8_t>& previous) {
        if (noted && !SendFrame(command, kSinglePacket, length, payload)) RestoreShadow(block, previous);
    };
    send(levels, kBlockDpiLevels, kCommandDpiLevels, kDpiLevelsLength,
         {m_blocks[ShadowOf(kBlockDpiLevels)].data(), kDpiLevelsLength}, previousLevels);
    send(colors, kBlockDpiColors, kCommandDpiColors, kDpiColorsLength,
         {m_blocks[ShadowOf(kBlockDpiColors)].data(), kDpiColorsLength}, previousColors);
    send(polling, kBlockPollingRate, kCommandPollingRate, 1,
         {m_blocks[ShadowOf(kBlockPollingRate)].data(), 1}, previousPolling);
    const uint8_t liftOffPayload[] = {m_blocks[ShadowOf(kBlockLiftOff)][0], 0};
    send(liftOff, kBlockLiftOff, kCommandLiftOff, 2, liftOffPayload, previousLiftOff);
    send(debounce, kBlockDebounce, kCommandDebounce, 1,
         {m_blocks[ShadowOf(kBlockDebounce)].data(), 1}, previousDebounce);
    // Offsets 6 to 30 of the frame are bytes 0-24 of the block, so offset 6 carries L.
    send(lighting, kBlockLighting, kCommandLighting, lightingLength,
         {m_blocks[kBlockLighting].data() + 1, kLightingPayload}, previousLighting);
}

void DeviceLink::SendPowerSettings() {
    if (!AnyHandleOpen()) return;
    std::vector<uint8_t> previous;
    BuildPowerBlock(Current(), m_blocks[kBlockPower]);
    if (SyncShadow(kBlockPower, 2, previous) &&
        !SendFrame(kCommandPower, kSinglePacket, 2, {m_blocks[kBlockPower].data(), 2})) {
        RestoreShadow(kBlockPower, previous);
    }
}

void DeviceLink::SendMotionWakeup() {
    if (!AnyHandleOpen()) return;
    std::vector<uint8_t> previous;
    BuildMotionWakeupBlock(Current(), m_blocks[kBlockMotionWakeup]);
    if (SyncShadow(kBlockMotionWakeup, 1, previous) &&
        !SendFrame(kCommandMotionWakeup, kSinglePacket, 1, {m_blocks[kBlockMotionWakeup].data(), 1})) {
        RestoreShadow(kBlockMotionWakeup, previous);
    }
}

void DeviceLink::AssignMacroSlots() {
    uint8_t nextSlot = 1;
    m_macroSlots.clear();
    for (KeySlot& button : Current().keys) {
        if (button.code[0] != kCodeMacro) continue;
        const std::optional<MacroLocation> place = m_library.FindMacro(button.MacroKeyIndex);
        if (!place) {
            button.name = m_language.Text(kTextButtonUnassigned);
            button.code = {0, 0, 0};
            continue;
        }
        auto assigned = std::find_if(m_macroSlots.begin(), m_macroSlots.end(),
                                     [&](const auto& entry) { return entry.first == *place; });
        if (assigned == m_macroSlots.end()) {
            m_macroSlots.emplace_back(*place, nextSlot++);
            assigned = m_macroSlots.end() - 1;
        }
        if (macroManagerOpened) CopyMacro(button.macro, m_library.At(*place)->macro);
        const MacroRecord& macro = button.macro;
        button.code[1] = static_cast<uint8_t>((macro.loopMode << 4) | (assigned->second & 0x0F));
        button.code[2] = macro.loopMode == kLoopCount ? macro.loopCount : 0;
    }
    macroManagerOpened = false;
}

void DeviceLink::SendMacros(bool transmit) {
    ReportBlock& staging = m_blocks[kBlockStaging];
    for (const KeySlot& button : Current().keys) {
        if (button.code[0] != kCodeMacro) continue;
        const uint8_t slot = button.code[1] & 0x0F;
        // Only the slot assignment writes these bits; a slot outside 1-7 has no shadow block.
        if (slot < 1 || slot > kMacroSlotCount) continue;
        const size_t total = StageMacro(button.macro, slot, staging);
        ReportBlock& shadow = m_blocks[kBlockMacroBase + slot];
        const std::vector<uint8_t> previous(shadow.begin(), shadow.begin() + kMacroCompared);
        const bool changed = !std::equal(staging.begin(), staging.begin() + kMacroCompared, shadow.begin());
        std::copy_n(staging.begin(), kMacroCompared, shadow.begin());

        if (transmit && changed && AnyHandleOpen()) {
            const size_t packets = std::max<size_t>(1, (total + kMacroChunk - 1) / kMacroChunk);
            for (size_t p = 0; p < packets; ++p) {
                const size_t remaining = total - kMacroChunk * p;
                const size_t chunk = std::min(remaining, kMacroChunk);
                const auto length = static_cast<uint8_t>(remaining <= kMacroChunk ? remaining + 1 : kMacroChunk + 1);
                uint8_t payload[kMacroChunk + 1] = {slot};
                std::copy_n(shadow.begin() + kMacroHeader + kMacroChunk * p, chunk, payload + 1);
                const auto field = static_cast<uint8_t>(((p & 0x0F) << 4) | (packets & 0x0F));
                if (!SendFrame(kCommandMacro, field, length, {payload, chunk + 1})) {
                    // A partial upload is no upload: the next flush sends the whole macro again.
                    std::copy(previous.begin(), previous.end(), shadow.begin());
                    break;
                }
            }
        }
        m_scheduler.Sleep(kFramePauseMs);
    }
}

void DeviceLink::SeedShadows() {
    const ProfileRecord& record = Current();
    ReportBlock& buttons = m_blocks[kBlockButtonShadow];
    std::fill(buttons.begin() + kButtonBytesFirst, buttons.end(), 0xFF);
    BuildButtonBlock(record, buttons);
    m_blocks[ShadowOf(kBlockLighting)].fill(0);
    BuildLightingBlock(record, m_blocks[ShadowOf(kBlockLighting)]);
    m_blocks[ShadowOf(kBlockDpiLevels)].fill(0);
    BuildDpiLevelsBlock(record, m_config.stepTable, m_blocks[ShadowOf(kBlockDpiLevels)]);
    BuildDpiColorsBlock(record, m_blocks[ShadowOf(kBlockDpiColors)]);
    BuildPollingRateBlock(record, m_blocks[ShadowOf(kBlockPollingRate)]);
    BuildLiftOffBlock(record, m_blocks[ShadowOf(kBlockLiftOff)]);
    BuildDebounceBlock(record, m_blocks[ShadowOf(kBlockDebounce)]);
    BuildPowerBlock(record, m_blocks[ShadowOf(kBlockPower)]);
    BuildMotionWakeupBlock(record, m_blocks[ShadowOf(kBlockMotionWakeup)]);
    AssignMacroSlots();
    SendMacros(false);
}

void DeviceLink::QueryStatus() {
    const HidHandle handle = PreferredHandle();
    if (!handle.IsOpen()) return;
    ReportBlock& staging = m_blocks[kBlockStaging];
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!SendFrame(kCommandStatus, kStatusPacket, 0, {}, false)) return;
        m_scheduler.Sleep(kStatusAnswerWaitMs);
        std::fill(staging.begin() + 1, staging.end(), 0xFF);
        staging[0] = kReportId;
        if (!m_transport.GetFeature(handle, {staging.data(), kFrameLength})) return;
        if (staging[kFrameCommand] != 0) {
            std::array<uint8_t, kFrameLength> answer{};
            std::copy_n(staging.begin(), kFrameLength, answer.begin());
            ApplyStatusAnswer(answer);
            return;
        }
    }
}

void DeviceLink::ApplyStatusAnswer(std::span<const uint8_t> bytes) {
    const StatusAnswer answer = DecodeStatusAnswer(bytes);
    if (!answer.answersQuery) return;
    if (answer.hasModelTag) {
        mouseOnline = answer.online;
        if (!windowActive && mouseOnline) {
            windowActive = true;
            shownByDevice = true;
            m_window.ShowFromDevice();
        } else if (windowActive && !mouseOnline && shownByDevice) {
            shownByDevice = false;
            m_window.Minimise();
        }
    }
    lastSensorCode = answer.sensorCode;
    if (answer.sensorId != 0 && m_config.ChangeSensor(answer.sensorId)) {
        m_window.SetDpiStepRange(m_config.stepTable.count);
        m_window.Redraw();
    }
    batteryLevel = answer.battery;
    chargeState = answer.chargeState;
}

void DeviceLink::SendFactoryReset() {
    if (!AnyHandleOpen()) return;
    const uint8_t payload[] = {kFactoryResetPayload};
    SendFrame(kCommandFactoryReset, kSinglePacket, 1, payload, false);
}

}  // namespace ostrel
