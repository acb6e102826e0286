#pragma once

#include <cstdint>

#include "ui/geometry.h"
#include "ui/host_types.h"

namespace ostrel::platform {

// Decides whether a left press completes a double click: the second press on the same window
// within the interval and near the first. A press that completes one starts no new pair, so a
// third quick press is a plain press again.
class DoubleClickDetector {
public:
    DoubleClickDetector(unsigned intervalMs, int distance)
        : m_intervalMs(intervalMs), m_distance(distance) {}

    // `screen` in screen coordinates, `timeMs` from the event.
    bool IsDoubleClick(ui::WindowHandle window, ui::Point screen, std::uint64_t timeMs);
    void Reset() { m_hasFirst = false; }

private:
    unsigned m_intervalMs;
    int m_distance;
    bool m_hasFirst = false;
    ui::WindowHandle m_window = ui::kNoWindow;
    ui::Point m_point;
    std::uint64_t m_timeMs = 0;
};

}  // namespace ostrel::platform
