#include "device/device_discovery.h"

#include "device/device_link.h"
#include "device/link_window.h"
#include "device/scheduler.h"
#include "device/sync_engine.h"
#include "profile/config_store.h"

namespace ostrel {
namespace {

constexpr uint8_t kBatteryAnimationStride = 25;
constexpr uint8_t kFullBattery = 100;

struct PollingRate {
    uint8_t interval;
    uint8_t index;
    const char16_t* name;
};

// What the mouse's polling interval means for the profile; any other interval is 1000 Hz.
constexpr PollingRate kPollingRates[] = {{8, 0, u"125HZ"}, {4, 1, u"250HZ"}, {2, 2, u"500HZ"}};
constexpr PollingRate kFastestPollingRate = {1, 3, u"1000HZ"};

}  // namespace

DeviceDiscovery::DeviceDiscovery(HidTransport& transport, DeviceLink& link, SyncEngine& engine,
                                 ConfigStore& config, Scheduler& scheduler, LinkWindow& window,
                                 UiQueue& ui)
    : m_transport(transport),
      m_link(link),
      m_engine(engine),
      m_config(config),
      m_scheduler(scheduler),
      m_window(window),
      m_products{Product{kProductWired, {}, -1, false, nullptr},
                 Product{kProductReceiver, {}, -1, false, nullptr}} {
    for (Product& product : m_products) {
        product.listener = std::make_unique<DeviceListener>(
            transport, product.productId, ui,
            [this](uint8_t position, uint8_t pollingCode) { ApplyAnnouncement(position, pollingCode); });
    }
}

DeviceDiscovery::~DeviceDiscovery() { StopListeners(); }

void DeviceDiscovery::StopListeners() {
    for (Product& product : m_products) product.listener->Stop();
}

DeviceDiscovery::Product* DeviceDiscovery::Find(uint16_t productId) {
    for (Product& product : m_products) {
        if (product.productId == productId) return &product;
    }
    return nullptr;
}

const DeviceDiscovery::Product* DeviceDiscovery::Find(uint16_t productId) const {
    for (const Product& product : m_products) {
        if (product.productId == productId) return &product;
    }
    return nullptr;
}

HidHandle& DeviceDiscovery::HandleOf(const Product& product) {
    return product.productId == kProductWired ? m_link.wiredHandle : m_link.receiverHandle;
}

bool DeviceDiscovery::Present(uint16_t productId) const {
    const Product* product = Find(productId);
    return product != nullptr && product->present;
}

bool DeviceDiscovery::ListenerRunning(uint16_t productId) const {
    const Product* product = Find(productId);
    return product != nullptr && product->listener->Running();
}

void DeviceDiscovery::ResetForNotifications() {
    for (Product& product : m_products) {
        HidHandle& handle = HandleOf(product);
        if (handle.IsOpen()) m_transport.Close(handle);
        handle = {};
        product.featurePath.clear();
        product.featureMemberIndex = -1;
        product.present = false;
    }
    m_connected = false;
    firstReadPending = true;
}

void DeviceDiscovery::ProbeInterface(const std::vector<HidInterfaceInfo>& interfaces, int memberIndex) {
    if (memberIndex >= static_cast<int>(interfaces.size())) return;
    const HidInterfaceInfo& info = interfaces[static_cast<size_t>(memberIndex)];
    if (info.vendorId != kMouseVendorId) return;
    Product* product = Find(info.productId);
    if (product == nullptr) return;
    // An interface that cannot be opened (held by the system, no permission) is skipped.
    const HidHandle probe = m_transport.Open(info.path);
    if (!probe.IsOpen()) return;
    m_transport.Close(probe);
    if (info.inputReportLength == kInterfaceReportLength) {
        product->listener->RecordInputPath(memberIndex, info.path);
    } else if (info.featureReportLength == kInterfaceReportLength) {
        if (product->featurePath.empty()) {
            product->present = true;
            product->featurePath = info.path;
            product->featureMemberIndex = memberIndex;
        } else if (product->featurePath == info.path) {
            product->present = true;
        }
    }
}

void DeviceDiscovery::ConnectProduct(Product& product, HidHandle& handle) {
    if (!product.present) {
        if (handle.IsOpen()) m_transport.Close(handle);
        handle = {};
        product.featurePath.clear();
        return;
    }
    product.listener->Start();
    if (handle.IsOpen()) return;
    // Reopened by the member index it was seen at; another device there is closed again.
    const std::vector<HidInterfaceInfo> interfaces = m_transport.Enumerate();
    if (product.featureMemberIndex < 0 || product.featureMemberIndex >= static_cast<int>(interfaces.size())) return;
    const HidInterfaceInfo& info = interfaces[static_cast<size_t>(product.featureMemberIndex)];
    const HidHandle opened = m_transport.Open(info.path);
    if (!opened.IsOpen()) return;
    if (info.vendorId == kMouseVendorId && info.productId == product.productId) {
        handle = opened;
    } else {
        m_transport.Close(opened);
    }
}

void DeviceDiscovery::ScanDevices() {
    m_connected = false;
    for (Product& product : m_products) product.present = false;
    // One listing serves the whole scan; the probes examine it by member index.
    const std::vector<HidInterfaceInfo> interfaces = m_transport.Enumerate();
    for (int memberIndex = 0; memberIndex <= kMaxMemberIndex; ++memberIndex) {
        ProbeInterface(interfaces, memberIndex);
    }
    m_connected = m_products[0].present || m_products[1].present;
    for (Product& product : m_products) ConnectProduct(product, HandleOf(product));
    if (m_connected) m_scheduler.StartTimer(kTimerPoll, kPollTickMs);
    m_engine.quiet = true;
    m_engine.RequestFlush(kChangeButtons | kChangeDeviceSettings | kChangePower);
}

void DeviceDiscovery::OnDeviceArrival() {
    if (m_products[0].present && m_products[1].present) return;
    ScanDevices();
    m_engine.pollCounter = kPollCounterAfterScan;
    if (m_connected && firstReadPending) {
        firstReadPending = false;
        m_link.QueryStatus();
        m_window.RefreshView();
    }
    m_window.RefreshView();
}

void DeviceDiscovery::OnDeviceRemoval() {
    if (!m_products[0].present && !m_products[1].present) return;
    ScanDevices();
    m_engine.pollCounter = kPollCounterAfterScan;
    if (m_connected) return;
    firstReadPending = true;
    m_link.windowActive = false;
    m_window.Hide();
    m_window.CloseDialogsAndQuit();
}

bool DeviceDiscovery::OnTimer(int id) {
    if (id == kTimerPoll) {
        PollTick();
        return true;
    }
    if (id == kTimerDeviceMissing) {
        m_scheduler.KillTimer(kTimerDeviceMissing);
        DeviceMissingNotice();
        return true;
    }
    return false;
}

void DeviceDiscovery::PollTick() {
    int& counter = m_engine.pollCounter;
    if (counter < kPollEvery) {
        ++counter;
    } else {
        counter = 0;
        for (Product& product : m_products) {
            if (product.present && !product.listener->Running()) {
                ScanDevices();
                counter = kPollCounterAfterScan;
            }
        }
        if (m_link.windowActive) m_link.QueryStatus();
    }
    if (!m_link.windowActive) return;
    if (m_link.batteryLevel > kFullBattery) m_link.batteryLevel = 0;
    batteryAnimationStep = static_cast<uint8_t>(batteryAnimationStep + kBatteryAnimationStride);
    if (batteryAnimationStep > kFullBattery) batteryAnimationStep = kBatteryAnimationStride;
    m_window.UpdateBattery(m_link.batteryLevel, m_link.chargeState, batteryAnimationStep);
}

void DeviceDiscovery::DeviceMissingNotice() {
    if (m_link.wiredHandle.IsOpen()) return;
    if (m_link.receiverHandle.IsOpen()) {
        if (!m_link.mouseOnline) m_window.ShowAttentionBox(kTextAttentionTitle, kTextMouseOffline);
    } else {
        m_window.ShowAttentionBox(kTextAttentionTitle, kTextNoDevice);
    }
}

void DeviceDiscovery::ApplyAnnouncement(uint8_t position, uint8_t pollingCode) {
    ProfileRecord& record = m_config.CurrentRecord();
    m_window.SetCurrentLevelPosition(position);
    record.CurrentDPILevelValue = position;
    PollingRate rate = kFastestPollingRate;
    for (const PollingRate& known : kPollingRates) {
        if (known.interval == pollingCode) rate = known;
    }
    record.PollingRateValue = {rate.index, 0, 0};
    record.PollingRateName = rate.name;
    m_window.RefreshView();
    // The shadows take the mouse's own change, so the next flush does not send it back.
    m_link.SeedShadows();
    // Saved like an edit, so the change outlives the run.
    m_engine.savePending = true;
    m_scheduler.StartTimer(kTimerDelayedSave, kDelayedSaveMs);
    m_window.ShowDpiDisplay();
}

}  // namespace ostrel
