#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace ostrel {

inline constexpr size_t kMaxDpiSteps = 520;
inline constexpr uint16_t kDefaultSensorId = 0x3325;

// The DPI steps of the current sensor; a level's XYSetting entry indexes them.
struct DpiStepTable {
    uint32_t count = 0;
    std::array<uint32_t, kMaxDpiSteps> value{};  // DPI / 50
    std::array<uint16_t, kMaxDpiSteps> code{};   // what the mouse expects for the step
    uint8_t wideRange = 0;                       // the pages offer the wide DPI range

    // Step index as stored in a profile, clamped to the table: files and old sensors can hold
    // indexes beyond it. Valid only when count > 0.
    uint32_t ClampStep(uint32_t step) const { return step < count ? step : count - 1; }

    bool operator==(const DpiStepTable&) const = default;
};

bool IsKnownSensor(uint16_t sensorId);

// Fills `table` for `sensorId` and returns true; for an unknown sensor leaves it unchanged and
// returns false.
bool BuildDpiStepTable(uint16_t sensorId, DpiStepTable& table);

// The XYSetting defaults of levels 1-8 for a known sensor.
const std::array<uint16_t, 8>* SensorDpiDefaults(uint16_t sensorId);

}  // namespace ostrel
