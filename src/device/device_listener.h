#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "device/hid_transport.h"

namespace ostrel {

class UiQueue;

// The listener of one product: a thread that reads the product's input interface and hands every
// DPI and polling announcement (report 05 06) to the UI thread. A read that fails (the product
// went away) ends it; the next scan or poll tick starts it again.
class DeviceListener {
public:
    // Runs on the UI thread with the 0-based level position (byte 4 - 1) and the polling code.
    using AnnouncementHandler = std::function<void(uint8_t position, uint8_t pollingCode)>;

    DeviceListener(HidTransport& transport, uint16_t productId, UiQueue& ui,
                   AnnouncementHandler onAnnouncement);
    // Stops the reader and waits for it.
    ~DeviceListener();
    DeviceListener(const DeviceListener&) = delete;
    DeviceListener& operator=(const DeviceListener&) = delete;

    // UI thread: starts the reader unless one is running already.
    void Start();
    // Whether the reader is running (any thread).
    bool Running() const;
    // The scan records the input interface only while no path is recorded: the listener forgets
    // its path when it ends, so the next scan records the interface again.
    void RecordInputPath(int memberIndex, const std::string& path);
    std::string InputPath() const;
    int InputMemberIndex() const;
    // Ends the reader within one read timeout and waits for it (shutdown).
    void Stop();

    // How long a read waits before the reader looks at its stop flag again.
    static constexpr int kReadTimeoutMs = 200;

private:
    void ThreadProc();

    HidTransport& m_transport;
    const uint16_t m_productId;
    UiQueue& m_ui;
    AnnouncementHandler m_onAnnouncement;
    mutable std::mutex m_mutex;
    bool m_running = false;
    std::string m_inputPath;
    int m_inputMemberIndex = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace ostrel
