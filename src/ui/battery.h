#pragma once

#include <cstdint>
#include <filesystem>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::ui {

// The battery gauge of the main window; every one carries this id.
inline constexpr int kIdBattery = 3406;

// The battery gauge: discharging (the full picture over the empty one up to the level), charging
// (the charge picture up to the animation level under the charging mark) or charged (the full
// picture under the charging mark). It never takes mouse actions.
class CBattery : public CControlBase {
public:
    enum Mode { kDischarging = 0, kCharging = 1, kCharged = 2 };

    // The fill runs over 50 design pixels from design y 7 down to 57.
    static constexpr int kFillTop = 7;
    static constexpr int kFillHeight = 50;
    static constexpr int kInitialChargeLevel = 25;

    CBattery(WindowHandle parent, int left, int top, int right, int bottom, int visible = 1,
             int shown = 1);

    bool LoadFullImage(const std::filesystem::path& file);
    bool LoadEmptyImage(const std::filesystem::path& file);
    bool LoadChargeFillImage(const std::filesystem::path& file);
    bool LoadChargingImage(const std::filesystem::path& file);

    int Mode() const { return m_mode; }
    int Level() const { return m_level; }
    int ChargeLevel() const { return m_chargeLevel; }
    // Each setter repaints the gauge; levels are percents, kept within 0 to 100.
    void SetMode(int mode);
    void SetLevel(int percent);
    void SetChargeLevel(int percent);

    // The filled part of the gauge for a percentage: at least one design pixel high.
    Rect FillRect(int percent) const;

    void Draw(SkinPainter& painter, Rect clip) override;
    void ReleaseImages() override;

private:
    SkinImage m_full;
    SkinImage m_empty;
    SkinImage m_chargeFill;
    SkinImage m_charging;
    int m_mode = kDischarging;
    std::uint8_t m_level = 100;
    int m_chargeLevel = kInitialChargeLevel;
};

}  // namespace ostrel::ui
