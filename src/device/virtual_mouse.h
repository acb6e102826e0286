#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "device/profile_record.h"
#include "device/report_blocks.h"

namespace ostrel {

// What the mouse holds, as the frames set it: each field is the payload of its command.
struct VirtualMouseConfig {
    std::array<ButtonCode, kButtonCount> buttons{};  // by device index
    std::array<uint8_t, kDpiLevelsLength> dpiLevels{};
    std::array<uint8_t, kDpiColorsLength> dpiColors{};
    uint8_t pollingInterval = 0;
    uint8_t liftOff = 0;
    uint8_t debounce = 0;
    uint8_t powerDownTime = 0;
    uint8_t moveLighting = 0;
    uint8_t motionWakeup = 0;
    std::array<uint8_t, kLightingPayload + 1> lighting{};  // the length, then the payload
    std::array<std::vector<uint8_t>, kMacroSlotCount + 1> macros;  // events of slots 1-7

    bool operator==(const VirtualMouseConfig&) const = default;
};

// A frame the mouse received, with the virtual clock's time and the product it went to.
struct ReceivedFrame {
    uint32_t timeMs = 0;
    uint16_t productId = 0;
    std::array<uint8_t, kFrameLength> bytes{};
};

// A breach of the frame rules, with the index of the frame in Frames().
struct FrameViolation {
    size_t frameIndex = 0;
    std::string what;
};

// The mouse in software, as one more HID transport: the wired product and the receiver (each
// with an input interface and a feature interface of 33-byte reports), unrelated interfaces
// around them, the configuration the frames set, the status answer, and a strict decoder that
// records every frame and every violation of the frame rules. Thread-safe: listener threads
// read input reports while the UI thread sends frames.
class VirtualMouse : public HidTransport {
public:
    struct Options {
        uint16_t sensorId = 0x3325;
        bool wired = true;       // product 0x5B2E plugged in
        bool receiver = false;   // product 0x5B2F plugged in
        bool mouseAwake = true;  // behind the receiver: asleep means offline, frames are lost
        uint8_t battery = 100;
        uint8_t chargeState = 0;
        size_t unrelatedInterfaces = 3;  // other HID interfaces listed before the mouse's
        size_t unrelatedAfter = 1;       // and after them
    };

    enum class Hotplug { Arrival, Removal };

    VirtualMouse(std::function<uint32_t()> clock, Options options);
    VirtualMouse(std::function<uint32_t()> clock) : VirtualMouse(std::move(clock), Options{}) {}

    std::vector<HidInterfaceInfo> Enumerate() override;
    HidHandle Open(const std::string& path) override;
    bool SetFeature(HidHandle handle, std::span<const uint8_t> report) override;
    bool GetFeature(HidHandle handle, std::span<uint8_t> report) override;
    int Read(HidHandle handle, std::span<uint8_t> report, int timeoutMs) override;
    void Close(HidHandle handle) override;

    // The configuration after a factory reset: the default profile of slot 0 for the sensor.
    static VirtualMouseConfig FactoryConfig(uint16_t sensorId);

    // These end a macro upload still open (one whose last packet was full) before they answer.
    VirtualMouseConfig Config();
    std::vector<ReceivedFrame> Frames();
    std::vector<FrameViolation> Violations();
    void ClearFrames();
    int FactoryResets() const;

    void SetMouseAwake(bool awake);
    void SetBattery(uint8_t level, uint8_t chargeState);
    uint8_t BatteryLevel() const;
    uint8_t ChargeState() const;
    // Called for every frame as it arrives, with the violations it caused (a macro upload's may
    // come with the frame after it), on the sender's thread and outside the mouse's lock.
    using FrameObserver = std::function<void(const ReceivedFrame&, const std::vector<FrameViolation>&)>;
    void SetFrameObserver(FrameObserver observer);
    // Makes a send fail, as a device that stops answering does.
    void SetFailSends(bool fail);
    // Queues an input report on a product's input interface.
    void PushInputReport(uint16_t productId, std::vector<uint8_t> report);

    // Plugs a product in; `newPath` makes it enumerate under paths it never had before, as a
    // device that the system numbers anew does. Handles opened before an unplug stay dead.
    void Plug(uint16_t productId, bool newPath = false);
    void Unplug(uint16_t productId);
    // Called on the caller's thread after every plug and unplug, as the hot-plug monitor would.
    void SetHotplugListener(std::function<void(Hotplug)> listener);

    // The mouse's own buttons: the DPI button moves to the next enabled level (wrapping to the
    // first), the polling button to the next rate of 125, 250, 500 and 1000 Hz (wrapping); each
    // announces the change with input report 05 06 on the product the mouse is reached by.
    void PressDpiButton();
    void PressPollingButton();

private:
    struct OpenInterface {
        uint16_t productId;
        bool feature;
        unsigned generation;
        bool statusPending = false;
    };
    struct MacroUpload {
        uint8_t slot = 0;
        uint8_t countField = 0;
        size_t packets = 0;
        size_t lastLength = 0;
        std::vector<uint8_t> events;
        size_t firstFrame = 0;
        bool applies = true;
    };

    bool Present(uint16_t productId) const;
    bool Alive(const OpenInterface& open) const;
    std::string InterfacePath(uint16_t productId, const char* kind) const;
    void Announce();
    void Violation(size_t frame, std::string what);
    void Decode(size_t frameIndex, const std::array<uint8_t, kFrameLength>& frame, bool apply,
                OpenInterface& target);
    void DecodeMacroPacket(size_t frameIndex, const std::array<uint8_t, kFrameLength>& frame,
                           bool apply);
    void FinishUpload();
    std::array<uint8_t, kFrameLength> StatusAnswer(uint16_t productId) const;

    std::function<uint32_t()> m_clock;
    Options m_options;
    mutable std::mutex m_mutex;
    std::condition_variable m_inputArrived;
    VirtualMouseConfig m_config;
    std::vector<ReceivedFrame> m_frames;
    std::vector<FrameViolation> m_violations;
    std::map<int32_t, OpenInterface> m_open;
    std::map<uint16_t, std::deque<std::vector<uint8_t>>> m_input;
    std::optional<MacroUpload> m_upload;
    std::optional<uint8_t> m_lastSequence;
    int32_t m_nextHandle = 1;
    int m_factoryResets = 0;
    bool m_failSends = false;
    std::map<uint16_t, unsigned> m_pathGeneration;  // part of the paths; a new path bumps it
    std::map<uint16_t, unsigned> m_plugCount;       // handles live as long as their plug-in
    std::function<void(Hotplug)> m_hotplugListener;
    FrameObserver m_frameObserver;
};

}  // namespace ostrel
