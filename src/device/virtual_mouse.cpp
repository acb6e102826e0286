#include "device/virtual_mouse.h"

#include <algorithm>
#include <chrono>

#include "device/dpi_step_table.h"
#include "device/profile_defaults.h"
#include "device/status_answer.h"
#include "macro/macro_events.h"
#include "profile/language.h"

namespace ostrel {
namespace {

constexpr const char* kFeatureKind = "feature";
constexpr const char* kInputKind = "input";
constexpr size_t kFullMacroPacket = kMacroChunk + 1;

std::string Hex4(uint16_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return text;
}


// The payload length a lighting frame must carry for its payload.
std::optional<size_t> LightingLength(const uint8_t* payload) {
    switch (payload[0]) {
        case 0: case 4: case 5: case 8: case 9: return 2;
        case 1: return 3;
        case 2: return payload[2] <= 7 ? std::optional<size_t>(3 * payload[2] + 3) : std::nullopt;
        case 3: return 5;
        case 6: return 23;
        case 7: return 8;
        default: return std::nullopt;
    }
}

}  // namespace

VirtualMouse::VirtualMouse(std::function<uint32_t()> clock, Options options)
    : m_clock(std::move(clock)), m_options(options), m_config(FactoryConfig(options.sensorId)) {}

VirtualMouseConfig VirtualMouse::FactoryConfig(uint16_t sensorId) {
    const LanguageTable noTexts;
    ProfileRecord record;
    ResetProfileToDefaults(record, 0, sensorId, noTexts);
    DpiStepTable steps;
    if (!BuildDpiStepTable(sensorId, steps)) BuildDpiStepTable(kDefaultSensorId, steps);

    VirtualMouseConfig config;
    ReportBlock block{};
    BuildButtonBlock(record, block);
    for (size_t d = 0; d < kButtonCount; ++d) {
        std::copy_n(block.begin() + kButtonBytesFirst + 3 * d, 3, config.buttons[d].begin());
    }
    block.fill(0);
    BuildDpiLevelsBlock(record, steps, block);
    std::copy_n(block.begin(), kDpiLevelsLength, config.dpiLevels.begin());
    BuildDpiColorsBlock(record, block);
    std::copy_n(block.begin(), kDpiColorsLength, config.dpiColors.begin());
    BuildPollingRateBlock(record, block);
    config.pollingInterval = block[0];
    BuildLiftOffBlock(record, block);
    config.liftOff = block[0];
    BuildDebounceBlock(record, block);
    config.debounce = block[0];
    BuildPowerBlock(record, block);
    config.powerDownTime = block[0];
    config.moveLighting = block[1];
    BuildMotionWakeupBlock(record, block);
    config.motionWakeup = block[0];
    block.fill(0);
    BuildLightingBlock(record, block);
    std::copy_n(block.begin(), config.lighting.size(), config.lighting.begin());
    return config;
}

std::string VirtualMouse::InterfacePath(uint16_t productId, const char* kind) const {
    auto generation = m_pathGeneration.find(productId);
    const unsigned number = generation == m_pathGeneration.end() ? 0 : generation->second;
    return "virtual:" + Hex4(productId) + ":" + std::to_string(number) + ":" + kind;
}

bool VirtualMouse::Alive(const OpenInterface& open) const {
    auto plugs = m_plugCount.find(open.productId);
    const unsigned current = plugs == m_plugCount.end() ? 0 : plugs->second;
    return Present(open.productId) && open.generation == current;
}

bool VirtualMouse::Present(uint16_t productId) const {
    return productId == kProductWired ? m_options.wired : productId == kProductReceiver && m_options.receiver;
}

std::vector<HidInterfaceInfo> VirtualMouse::Enumerate() {
    std::lock_guard lock(m_mutex);
    std::vector<HidInterfaceInfo> interfaces;
    for (size_t i = 0; i < m_options.unrelatedInterfaces; ++i) {
        interfaces.push_back({"virtual:other:" + std::to_string(i), 0x1A2B,
                              static_cast<uint16_t>(0x0100 + i), 9, 0});
    }
    for (uint16_t product : {kProductWired, kProductReceiver}) {
        if (!Present(product)) continue;
        interfaces.push_back({InterfacePath(product, kInputKind), kMouseVendorId, product,
                              kFrameLength, 0});
        interfaces.push_back({InterfacePath(product, kFeatureKind), kMouseVendorId, product, 0,
                              kFrameLength});
    }
    for (size_t i = 0; i < m_options.unrelatedAfter; ++i) {
        interfaces.push_back({"virtual:other:after" + std::to_string(i), 0x1A2B,
                              static_cast<uint16_t>(0x0200 + i), 0, 65});
    }
    return interfaces;
}

HidHandle VirtualMouse::Open(const std::string& path) {
    std::lock_guard lock(m_mutex);
    for (uint16_t product : {kProductWired, kProductReceiver}) {
        if (!Present(product)) continue;
        for (const char* kind : {kInputKind, kFeatureKind}) {
            if (path != InterfacePath(product, kind)) continue;
            const int32_t id = m_nextHandle++;
            m_open[id] = {product, kind == kFeatureKind, m_plugCount[product]};
            return {id};
        }
    }
    return {};
}

void VirtualMouse::Close(HidHandle handle) {
    {
        std::lock_guard lock(m_mutex);
        m_open.erase(handle.id);
    }
    m_inputArrived.notify_all();
}

void VirtualMouse::Violation(size_t frame, std::string what) {
    m_violations.push_back({frame, std::move(what)});
}

bool VirtualMouse::SetFeature(HidHandle handle, std::span<const uint8_t> report) {
    ReceivedFrame frame;
    std::vector<FrameViolation> caused;
    FrameObserver observer;
    {
        std::lock_guard lock(m_mutex);
        auto target = m_open.find(handle.id);
        if (target == m_open.end() || !target->second.feature || !Alive(target->second)) return false;
        frame.timeMs = m_clock();
        frame.productId = target->second.productId;
        std::copy_n(report.begin(), std::min(report.size(), kFrameLength), frame.bytes.begin());
        if (m_failSends) {
            // The frame never arrives; its sequence number is used up all the same.
            m_lastSequence = frame.bytes[kFrameSequence];
            return false;
        }
        m_frames.push_back(frame);
        const size_t index = m_frames.size() - 1;
        const size_t violationsBefore = m_violations.size();
        if (report.size() != kFrameLength) {
            Violation(index, "frame of " + std::to_string(report.size()) + " bytes instead of 33");
        }
        // Behind the receiver a sleeping mouse never sees the frame.
        const bool reachesMouse = frame.productId == kProductWired || m_options.mouseAwake;
        Decode(index, frame.bytes, reachesMouse, target->second);
        caused.assign(m_violations.begin() + static_cast<std::ptrdiff_t>(violationsBefore), m_violations.end());
        observer = m_frameObserver;
    }
    if (observer) observer(frame, caused);
    return true;
}

void VirtualMouse::Decode(size_t index, const std::array<uint8_t, kFrameLength>& frame, bool apply,
                          OpenInterface& target) {
    if (frame[0] != kReportId) Violation(index, "report id is not 0x0C");
    if (frame[1] != 0x01) Violation(index, "byte 1 is not 0x01");
    if (frame[3] != 0x00) Violation(index, "byte 3 is not 0");
    if (m_lastSequence) {
        const auto expected = static_cast<uint8_t>(*m_lastSequence + 1);
        if (frame[kFrameSequence] != expected) {
            Violation(index, "sequence number " + std::to_string(frame[kFrameSequence]) +
                                 " after " + std::to_string(*m_lastSequence));
        }
    }
    m_lastSequence = frame[kFrameSequence];
    const uint8_t command = frame[kFrameCommand];
    if (command != kCommandMacro) FinishUpload();
    const size_t length = frame[kFrameLengthField];
    const uint8_t* payload = frame.data() + kFramePayload;
    if (length > kMaxPayload) {
        Violation(index, "length field " + std::to_string(length) + " beyond the frame");
        return;
    }
    for (size_t i = kFramePayload + length; i < kFrameLength; ++i) {
        if (frame[i] != 0) {
            Violation(index, "byte " + std::to_string(i) + " beyond the length is not 0");
            break;
        }
    }
    const uint8_t expectedPacket = command == kCommandStatus ? 0x00 : 0x01;
    if (command != kCommandMacro && frame[kFramePacket] != expectedPacket) {
        Violation(index, "packet field of a single frame is not " + std::to_string(expectedPacket));
    }
    auto expectLength = [&](size_t expected) {
        if (length == expected) return true;
        Violation(index, "command " + std::to_string(command) + " with length " +
                             std::to_string(length) + " instead of " + std::to_string(expected));
        return false;
    };
    switch (command) {
        case kCommandButton:
            if (!expectLength(4)) return;
            if (payload[0] >= kButtonCount) return Violation(index, "button index beyond 6");
            if (apply) std::copy_n(payload + 1, 3, m_config.buttons[payload[0]].begin());
            return;
        case kCommandDpiLevels:
            if (expectLength(kDpiLevelsLength) && apply) {
                std::copy_n(payload, kDpiLevelsLength, m_config.dpiLevels.begin());
            }
            return;
        case kCommandDpiColors:
            if (expectLength(kDpiColorsLength) && apply) {
                std::copy_n(payload, kDpiColorsLength, m_config.dpiColors.begin());
            }
            return;
        case kCommandPollingRate:
            if (!expectLength(1)) return;
            if (payload[0] != 1 && payload[0] != 2 && payload[0] != 4 && payload[0] != 8) {
                return Violation(index, "polling interval " + std::to_string(payload[0]));
            }
            if (apply) m_config.pollingInterval = payload[0];
            return;
        case kCommandLighting: {
            // Length 0 is the effect the mouse does not know; its payload is all zero.
            if (length != 0) {
                const std::optional<size_t> expected = LightingLength(payload);
                if (!expected) return Violation(index, "lighting effect " + std::to_string(payload[0]));
                if (!expectLength(*expected)) return;
            }
            if (apply) {
                m_config.lighting[0] = static_cast<uint8_t>(length);
                std::copy_n(payload, kLightingPayload, m_config.lighting.begin() + 1);
            }
            return;
        }
        case kCommandLiftOff:
            if (!expectLength(2)) return;
            if ((payload[0] != 1 && payload[0] != 2) || payload[1] != 0) {
                return Violation(index, "lift-off payload is not 1 or 2 followed by 0");
            }
            if (apply) m_config.liftOff = payload[0];
            return;
        case kCommandDebounce:
            if (expectLength(1) && apply) m_config.debounce = payload[0];
            return;
        case kCommandPower:
            if (expectLength(2) && apply) {
                m_config.powerDownTime = payload[0];
                m_config.moveLighting = payload[1];
            }
            return;
        case kCommandMotionWakeup:
            if (expectLength(1) && apply) m_config.motionWakeup = payload[0];
            return;
        case kCommandMacro:
            return DecodeMacroPacket(index, frame, apply);
        case kCommandFactoryReset:
            if (!expectLength(1)) return;
            if (payload[0] != 0xFF) return Violation(index, "factory reset payload is not 0xFF");
            if (apply) {
                m_config = FactoryConfig(m_options.sensorId);
                ++m_factoryResets;
            }
            return;
        case kCommandStatus:
            if (expectLength(0)) target.statusPending = true;
            return;
        default:
            Violation(index, "unknown command " + std::to_string(command));
    }
}

void VirtualMouse::DecodeMacroPacket(size_t index, const std::array<uint8_t, kFrameLength>& frame,
                                     bool apply) {
    const size_t length = frame[kFrameLengthField];
    const uint8_t slot = frame[kFramePayload];
    const uint8_t packetIndex = frame[kFramePacket] >> 4;
    const uint8_t countField = frame[kFramePacket] & 0x0F;
    if (length < 1 || length > kFullMacroPacket) {
        return Violation(index, "macro packet length " + std::to_string(length));
    }
    if (slot < 1 || slot > kMacroSlotCount) {
        return Violation(index, "macro slot " + std::to_string(slot));
    }
    const bool continues = m_upload && m_upload->slot == slot && m_upload->countField == countField &&
                           packetIndex == (m_upload->packets & 0x0F);
    if (!continues) {
        FinishUpload();
        if (packetIndex != 0) Violation(index, "macro upload starts with packet " + std::to_string(packetIndex));
        m_upload = MacroUpload{slot, countField, 0, 0, {}, index, apply};
    }
    MacroUpload& upload = *m_upload;
    upload.events.insert(upload.events.end(), frame.begin() + kFramePayload + 1,
                         frame.begin() + kFramePayload + length);
    ++upload.packets;
    upload.lastLength = length;
    if (length < kFullMacroPacket) FinishUpload();
}

void VirtualMouse::FinishUpload() {
    if (!m_upload) return;
    const MacroUpload upload = *m_upload;
    m_upload.reset();
    const size_t total = upload.events.size();
    const size_t expectedPackets = std::max<size_t>(1, (total + kMacroChunk - 1) / kMacroChunk);
    if (upload.packets != expectedPackets || (upload.packets & 0x0F) != upload.countField) {
        Violation(upload.firstFrame, "macro upload of " + std::to_string(upload.packets) +
                                         " packets with count field " +
                                         std::to_string(upload.countField) + " for " +
                                         std::to_string(total) + " bytes");
    }
    if (total % kMacroEventBytes != 0) {
        Violation(upload.firstFrame, "macro upload of " + std::to_string(total) + " bytes is not whole events");
    }
    if (total > kMaxMacroEvents * kMacroEventBytes) {
        Violation(upload.firstFrame, "macro upload of more than 168 events");
    }
    if (upload.applies) m_config.macros[upload.slot] = upload.events;
}

std::array<uint8_t, kFrameLength> VirtualMouse::StatusAnswer(uint16_t productId) const {
    std::array<uint8_t, kFrameLength> answer{};
    answer[0] = kReportId;
    answer[kFrameCommand] = kCommandStatus;
    std::copy(kModelTag.begin(), kModelTag.end(), answer.begin() + kStatusTag);
    const bool online = productId == kProductWired || m_options.mouseAwake;
    // The status codes of the known sensors are the low byte of their number.
    answer[kStatusSensor] = static_cast<uint8_t>(m_options.sensorId & 0xFF);
    answer[kStatusBattery] = m_options.battery;
    answer[kStatusCharge] = m_options.chargeState;
    answer[kStatusOnline] = online ? 1 : 0;
    return answer;
}

bool VirtualMouse::GetFeature(HidHandle handle, std::span<uint8_t> report) {
    std::lock_guard lock(m_mutex);
    auto target = m_open.find(handle.id);
    if (target == m_open.end() || !target->second.feature || !Alive(target->second)) return false;
    if (report.size() < kFrameLength || report[0] != kReportId) return false;
    std::array<uint8_t, kFrameLength> answer{};
    answer[0] = kReportId;
    // Only a status query has an answer; otherwise the command byte stays 0.
    if (target->second.statusPending) answer = StatusAnswer(target->second.productId);
    target->second.statusPending = false;
    std::copy(answer.begin(), answer.end(), report.begin());
    return true;
}

int VirtualMouse::Read(HidHandle handle, std::span<uint8_t> report, int timeoutMs) {
    std::unique_lock lock(m_mutex);
    auto ready = [&] {
        auto open = m_open.find(handle.id);
        return open == m_open.end() || !Alive(open->second) || !m_input[open->second.productId].empty();
    };
    if (timeoutMs < 0) {
        m_inputArrived.wait(lock, ready);
    } else if (!m_inputArrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return 0;
    }
    auto open = m_open.find(handle.id);
    if (open == m_open.end() || open->second.feature || !Alive(open->second)) return -1;
    auto& queue = m_input[open->second.productId];
    const std::vector<uint8_t> next = std::move(queue.front());
    queue.pop_front();
    const size_t length = std::min(next.size(), report.size());
    std::copy_n(next.begin(), length, report.begin());
    return static_cast<int>(length);
}

VirtualMouseConfig VirtualMouse::Config() {
    std::lock_guard lock(m_mutex);
    FinishUpload();
    return m_config;
}

std::vector<ReceivedFrame> VirtualMouse::Frames() {
    std::lock_guard lock(m_mutex);
    FinishUpload();
    return m_frames;
}

std::vector<FrameViolation> VirtualMouse::Violations() {
    std::lock_guard lock(m_mutex);
    FinishUpload();
    return m_violations;
}

void VirtualMouse::ClearFrames() {
    std::lock_guard lock(m_mutex);
    FinishUpload();
    m_frames.clear();
    m_violations.clear();
}

int VirtualMouse::FactoryResets() const {
    std::lock_guard lock(m_mutex);
    return m_factoryResets;
}

void VirtualMouse::SetMouseAwake(bool awake) {
    std::lock_guard lock(m_mutex);
    m_options.mouseAwake = awake;
}

void VirtualMouse::SetBattery(uint8_t level, uint8_t chargeState) {
    std::lock_guard lock(m_mutex);
    m_options.battery = level;
    m_options.chargeState = chargeState;
}

uint8_t VirtualMouse::BatteryLevel() const {
    std::lock_guard lock(m_mutex);
    return m_options.battery;
}

uint8_t VirtualMouse::ChargeState() const {
    std::lock_guard lock(m_mutex);
    return m_options.chargeState;
}

void VirtualMouse::SetFrameObserver(FrameObserver observer) {
    std::lock_guard lock(m_mutex);
    m_frameObserver = std::move(observer);
}

void VirtualMouse::SetFailSends(bool fail) {
    std::lock_guard lock(m_mutex);
    m_failSends = fail;
}

void VirtualMouse::PushInputReport(uint16_t productId, std::vector<uint8_t> report) {
    {
        std::lock_guard lock(m_mutex);
        m_input[productId].push_back(std::move(report));
    }
    m_inputArrived.notify_all();
}

void VirtualMouse::Plug(uint16_t productId, bool newPath) {
    std::function<void(Hotplug)> listener;
    {
        std::lock_guard lock(m_mutex);
        if (productId == kProductWired) m_options.wired = true;
        if (productId == kProductReceiver) m_options.receiver = true;
        if (newPath) ++m_pathGeneration[productId];
        listener = m_hotplugListener;
    }
    if (listener) listener(Hotplug::Arrival);
}

void VirtualMouse::Unplug(uint16_t productId) {
    std::function<void(Hotplug)> listener;
    {
        std::lock_guard lock(m_mutex);
        if (productId == kProductWired) m_options.wired = false;
        if (productId == kProductReceiver) m_options.receiver = false;
        // The handles of this plug-in die with it, even if the product comes back at its path.
        ++m_plugCount[productId];
        m_input[productId].clear();
        listener = m_hotplugListener;
    }
    m_inputArrived.notify_all();
    if (listener) listener(Hotplug::Removal);
}

void VirtualMouse::SetHotplugListener(std::function<void(Hotplug)> listener) {
    std::lock_guard lock(m_mutex);
    m_hotplugListener = std::move(listener);
}

void VirtualMouse::PressDpiButton() {
    {
        std::lock_guard lock(m_mutex);
        uint8_t& levels = m_config.dpiLevels[0];
        const uint8_t enabled = std::max<uint8_t>(1, levels & 0x0F);
        const uint8_t position = levels >> 4;
        const uint8_t next = static_cast<uint8_t>(position >= enabled ? 1 : position + 1);
        levels = static_cast<uint8_t>((levels & 0x0F) | (next << 4));
    }
    Announce();
}

void VirtualMouse::PressPollingButton() {
    {
        std::lock_guard lock(m_mutex);
        uint8_t& interval = m_config.pollingInterval;
        // 125, 250, 500, 1000 Hz are intervals of 8, 4, 2 and 1 ms.
        interval = interval == 8 ? 4 : interval == 4 ? 2 : interval == 2 ? 1 : 8;
    }
    Announce();
}

void VirtualMouse::Announce() {
    std::vector<uint8_t> report(kFrameLength, 0);
    uint16_t product = 0;
    {
        std::lock_guard lock(m_mutex);
        report[0] = kReportAnnouncement;
        report[1] = kAnnouncementDpiPolling;
        report[kAnnouncementPolling] = m_config.pollingInterval;
        report[kAnnouncementLevel] = m_config.dpiLevels[0] >> 4;
        // On its cable the mouse speaks through its own product; otherwise through the receiver
        // while it is awake.
        if (m_options.wired) {
            product = kProductWired;
        } else if (m_options.receiver && m_options.mouseAwake) {
            product = kProductReceiver;
        }
    }
    if (product != 0) PushInputReport(product, std::move(report));
}

}  // namespace ostrel
