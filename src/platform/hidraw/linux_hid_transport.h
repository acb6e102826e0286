#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/result.h"
#include "device/hid_transport.h"
#include "platform/hidraw/hidraw_nodes.h"

namespace ostrel::hidraw {

// The HID interfaces of a Linux system: hidraw nodes found with libudev, each top-level
// collection of a node listed as an interface of its own with the lengths Windows would show,
// and I/O through hidapi's hidraw backend.
//
// Thread-safe: the UI thread enumerates and sends feature reports while listener threads open,
// read and close their own handles. Every handle has its own state: a read waits in short slices
// and returns -1 within one slice after another thread closes its handle, which is released when
// the last call using it returns.
class LinuxHidTransport : public HidTransport {
public:
    LinuxHidTransport();
    // Closes the handles still open; no call may be running.
    ~LinuxHidTransport() override;
    LinuxHidTransport(const LinuxHidTransport&) = delete;
    LinuxHidTransport& operator=(const LinuxHidTransport&) = delete;

    std::vector<HidInterfaceInfo> Enumerate() override;
    HidHandle Open(const std::string& path) override;
    bool SetFeature(HidHandle handle, std::span<const uint8_t> report) override;
    bool GetFeature(HidHandle handle, std::span<uint8_t> report) override;
    int Read(HidHandle handle, std::span<uint8_t> report, int timeoutMs) override;
    void Close(HidHandle handle) override;

    // The interfaces with their collection's usage and what kept a node's lengths unknown; fails
    // only when the system's device list cannot be read at all.
    Result<std::vector<HidrawInterface>> EnumerateInterfaces();
    // Open with the reason of a failure ("/dev/hidraw3: Permission denied").
    Result<HidHandle> OpenWithReason(const std::string& path);
    // The reason of the last failure of any call, with the device node; empty while none failed.
    std::string LastError() const;

    // The longest a read waits before it looks whether its handle was closed.
    static constexpr int kReadSliceMs = 50;

private:
    struct Device;

    std::shared_ptr<Device> Find(HidHandle handle);
    void Fail(const std::string& reason);

    mutable std::mutex m_mutex;
    std::map<int32_t, std::shared_ptr<Device>> m_devices;
    int32_t m_nextHandle = 1;
    std::string m_lastError;
};

}  // namespace ostrel::hidraw
