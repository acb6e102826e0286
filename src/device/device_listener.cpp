#include "device/device_listener.h"

#include <vector>

#include "device/report_blocks.h"
#include "device/ui_queue.h"

namespace ostrel {

DeviceListener::DeviceListener(HidTransport& transport, uint16_t productId, UiQueue& ui,
                               AnnouncementHandler onAnnouncement)
    : m_transport(transport), m_productId(productId), m_ui(ui), m_onAnnouncement(std::move(onAnnouncement)) {}

DeviceListener::~DeviceListener() { Stop(); }

void DeviceListener::Start() {
    {
        std::lock_guard lock(m_mutex);
        if (m_running || m_inputPath.empty()) return;
        m_running = true;
    }
    // A reader that has ended may still be leaving its thread.
    if (m_thread.joinable()) m_thread.join();
    m_stop = false;
    m_thread = std::thread([this] { ThreadProc(); });
}

bool DeviceListener::Running() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

void DeviceListener::RecordInputPath(int memberIndex, const std::string& path) {
    std::lock_guard lock(m_mutex);
    if (!m_inputPath.empty()) return;
    m_inputPath = path;
    m_inputMemberIndex = memberIndex;
}

std::string DeviceListener::InputPath() const {
    std::lock_guard lock(m_mutex);
    return m_inputPath;
}

int DeviceListener::InputMemberIndex() const {
    std::lock_guard lock(m_mutex);
    return m_inputMemberIndex;
}

void DeviceListener::Stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
}

void DeviceListener::ThreadProc() {
    const std::string path = InputPath();
    // The listener has a handle of its own, which no other thread closes.
    const HidHandle handle = m_transport.Open(path);
    if (handle.IsOpen()) {
        std::vector<uint8_t> report(kFrameLength, 0xFF);
        report[0] = kReportAnnouncement;
        while (!m_stop) {
            const int length = m_transport.Read(handle, report, kReadTimeoutMs);
            if (length < 0) break;
            if (length <= static_cast<int>(kAnnouncementLevel)) continue;
            if (report[0] != kReportAnnouncement || report[1] != kAnnouncementDpiPolling) continue;
            const auto position = static_cast<uint8_t>(report[kAnnouncementLevel] - 1);
            const uint8_t pollingCode = report[kAnnouncementPolling];
            m_ui.Post([handler = m_onAnnouncement, position, pollingCode] { handler(position, pollingCode); });
        }
        m_transport.Close(handle);
    }
    std::lock_guard lock(m_mutex);
    m_running = false;
    m_inputPath.clear();
}

}  // namespace ostrel
