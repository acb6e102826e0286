#include "platform/qt/double_click_detector.h"

#include <cstdlib>

namespace ostrel::platform {

bool DoubleClickDetector::IsDoubleClick(ui::WindowHandle window, ui::Point screen,
                                        std::uint64_t timeMs) {
    const bool pairs = m_hasFirst && window == m_window && timeMs >= m_timeMs &&
                       timeMs - m_timeMs <= m_intervalMs &&
                       std::abs(screen.x - m_point.x) <= m_distance &&
                       std::abs(screen.y - m_point.y) <= m_distance;
    if (pairs) {
        m_hasFirst = false;
        return true;
    }
    m_hasFirst = true;
    m_window = window;
    m_point = screen;
    m_timeMs = timeMs;
    return false;
}

}  // namespace ostrel::platform
