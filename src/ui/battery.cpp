#include "ui/battery.h"

#include <algorithm>

#include "ui/skin_painter.h"
#include "ui/toolkit_globals.h"

namespace ostrel::ui {

namespace {
constexpr int kFullPercent = 100;
}  // namespace

CBattery::CBattery(WindowHandle parent, int left, int top, int right, int bottom, int visible,
                   int shown)
    : CControlBase(parent, kIdBattery, left, top, right, bottom, {}, visible, shown, 1, 1) {}

bool CBattery::LoadFullImage(const std::filesystem::path& file) {
    return m_full.LoadFile(file);
}

bool CBattery::LoadEmptyImage(const std::filesystem::path& file) {
    return m_empty.LoadFile(file);
}

bool CBattery::LoadChargeFillImage(const std::filesystem::path& file) {
    return m_chargeFill.LoadFile(file);
}

bool CBattery::LoadChargingImage(const std::filesystem::path& file) {
    return m_charging.LoadFile(file);
}

void CBattery::SetMode(int mode) {
    m_mode = mode;
    InvalidateSelf();
}

void CBattery::SetLevel(int percent) {
    m_level = static_cast<std::uint8_t>(std::clamp(percent, 0, kFullPercent));
    InvalidateSelf();
}

void CBattery::SetChargeLevel(int percent) {
    m_chargeLevel = std::clamp(percent, 0, kFullPercent);
    InvalidateSelf();
}

Rect CBattery::FillRect(int percent) const {
    const Rect bounds = GetBounds();
    const double scale = UiScale();
    const int kept = std::clamp(percent, 0, kFullPercent);
    const int height = std::max(1, kept * kFillHeight / kFullPercent);
    const int bottom = bounds.top + static_cast<int>((kFillTop + kFillHeight) * scale);
    int top = bounds.top + static_cast<int>((kFillTop + kFillHeight - height) * scale);
    // Scaled pictures move in whole design pixels; an odd distance starts one pixel higher.
    if (scale > 1 && (bottom - top) % 2 == 1) {
        --top;
    }
    return {bounds.left, top, bounds.right, bottom};
}

void CBattery::Draw(SkinPainter& painter, Rect /*clip*/) {
    const Rect bounds = GetBounds();
    switch (m_mode) {
        case kDischarging: {
            painter.DrawImage(m_empty, bounds);
            const ClipScope fill(painter, FillRect(m_level));
            painter.DrawImage(m_full, bounds);
            break;
        }
        case kCharging: {
            {
                const ClipScope fill(painter, FillRect(m_chargeLevel));
                painter.DrawImage(m_chargeFill, bounds);
            }
            painter.DrawImage(m_charging, bounds);
            break;
        }
        case kCharged:
            painter.DrawImage(m_full, bounds);
            painter.DrawImage(m_charging, bounds);
            break;
        default:
            break;
    }
}

void CBattery::ReleaseImages() {
    m_full.Release();
    m_empty.Release();
    m_chargeFill.Release();
    m_charging.Release();
}

}  // namespace ostrel::ui
