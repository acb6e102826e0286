#pragma once

#include <cstddef>
#include <cstdint>

#include "device/profile_record.h"

namespace ostrel {

struct LanguageTable;

// Language entries of the default names.
inline constexpr size_t kTextDefaultLightingEffect = 100;

// Fills every field of `record` with the defaults of `slot`, texts from `language`, then applies
// the DPI defaults of `sensorId`.
void ResetProfileToDefaults(ProfileRecord& record, size_t slot, uint16_t sensorId,
                            const LanguageTable& language);

// Sets the DPI levels, their colours, angle snapping and lift-off value to the defaults of
// `sensorId`; for an unknown sensor the XYSetting entries stay as they are.
void ApplySensorDpiDefaults(ProfileRecord& record, uint16_t sensorId);

}  // namespace ostrel
