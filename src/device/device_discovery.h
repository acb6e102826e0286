#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/device_listener.h"
#include "device/hid_transport.h"

namespace ostrel {

class ConfigStore;
class DeviceLink;
class LinkWindow;
class Scheduler;
class SyncEngine;
class UiQueue;

inline constexpr int kMaxMemberIndex = 149;  // the scan examines member indexes 0 to 149
inline constexpr uint16_t kInterfaceReportLength = 33;
inline constexpr int kPollCounterAfterScan = 19;
inline constexpr size_t kTextAttentionTitle = 150;
inline constexpr size_t kTextNoDevice = 155;
inline constexpr size_t kTextMouseOffline = 156;

// Finds the mouse and its receiver among the HID interfaces, keeps one feature handle per
// product in the device link, runs a listener per product, reacts to arrival and removal, and
// serves the poll timer (110) and the device-missing timer (80). UI thread only, except what
// the listeners share with it, which they guard themselves.
class DeviceDiscovery {
public:
    DeviceDiscovery(HidTransport& transport, DeviceLink& link, SyncEngine& engine,
                    ConfigStore& config, Scheduler& scheduler, LinkWindow& window, UiQueue& ui);
    ~DeviceDiscovery();

    // Start-up: no handles, no listeners, the first status query pending.
    void ResetForNotifications();
    void ScanDevices();
    void OnDeviceArrival();
    void OnDeviceRemoval();
    // Timers 80 and 110; returns whether `id` was one of them.
    bool OnTimer(int id);
    // An announcement of the mouse's own DPI or polling change, on the UI thread.
    void ApplyAnnouncement(uint8_t position, uint8_t pollingCode);
    // Ends the listeners (shutdown).
    void StopListeners();

    bool Connected() const { return m_connected; }
    bool Present(uint16_t productId) const;
    bool ListenerRunning(uint16_t productId) const;
    bool firstReadPending = true;
    uint8_t batteryAnimationStep = 0;

private:
    struct Product {
        uint16_t productId;
        std::string featurePath;
        int featureMemberIndex = -1;
        bool present = false;
        std::unique_ptr<DeviceListener> listener;
    };

    void ProbeInterface(const std::vector<HidInterfaceInfo>& interfaces, int memberIndex);
    void ConnectProduct(Product& product, HidHandle& handle);
    Product* Find(uint16_t productId);
    const Product* Find(uint16_t productId) const;
    HidHandle& HandleOf(const Product& product);
    void PollTick();
    void DeviceMissingNotice();

    HidTransport& m_transport;
    DeviceLink& m_link;
    SyncEngine& m_engine;
    ConfigStore& m_config;
    Scheduler& m_scheduler;
    LinkWindow& m_window;
    std::array<Product, 2> m_products;
    bool m_connected = false;
};

}  // namespace ostrel
