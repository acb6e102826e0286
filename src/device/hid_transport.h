#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ostrel {

inline constexpr uint16_t kMouseVendorId = 0x248A;
inline constexpr uint16_t kProductWired = 0x5B2E;     // the mouse on its cable
inline constexpr uint16_t kProductReceiver = 0x5B2F;  // the wireless receiver

// One HID interface as the system lists it. Report lengths count the report id byte: the longest
// report of the type plus one, 0 when the interface has none.
struct HidInterfaceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t inputReportLength = 0;
    uint16_t featureReportLength = 0;

    bool operator==(const HidInterfaceInfo&) const = default;
};

// An open interface; the default value is no handle.
struct HidHandle {
    int32_t id = -1;

    bool IsOpen() const { return id >= 0; }
    bool operator==(const HidHandle&) const = default;
};

// Access to HID interfaces. Results are return values, never exceptions. Enumerate, Open,
// SetFeature, GetFeature and Close run on the UI thread; Read runs on a listener thread and
// must return (with -1) when another thread closes its handle.
class HidTransport {
public:
    virtual ~HidTransport() = default;

    // Every HID interface present, in a stable order: the position is the member index.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens an interface by path; a closed handle when that fails.
    virtual HidHandle Open(const std::string& path) = 0;
    // Sends a feature report; report[0] is the report id.
    virtual bool SetFeature(HidHandle handle, std::span<const uint8_t> report) = 0;
    // Reads a feature report into `report`, whose byte 0 holds the report id asked for.
    virtual bool GetFeature(HidHandle handle, std::span<uint8_t> report) = 0;
    // Waits up to `timeoutMs` (negative: without limit) for an input report: its length, 0 on
    // timeout, -1 when the handle failed or was closed.
    virtual int Read(HidHandle handle, std::span<uint8_t> report, int timeoutMs) = 0;
    virtual void Close(HidHandle handle) = 0;
};

}  // namespace ostrel
