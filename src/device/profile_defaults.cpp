#include "device/profile_defaults.h"

#include "device/dpi_step_table.h"
#include "profile/language.h"
#include "profile/settings_table.h"

namespace ostrel {
namespace {

struct ButtonDefault {
    ButtonCode code;
    size_t nameEntry;
};

const ButtonDefault kButtonDefaults[kButtonCount] = {
    {{0x10, 0x01, 0x00}, 20}, {{0x10, 0x02, 0x00}, 21}, {{0x10, 0x04, 0x00}, 22},
    {{0x10, 0x10, 0x00}, 23}, {{0x10, 0x08, 0x00}, 24}, {{0x40, 0x01, 0x00}, 42},
    {{0x60, 0x04, 0x00}, 33},
};

// Effects whose colour slots have defaults: the effect, and its colours from slot 0 on.
struct EffectColors {
    size_t effect;
    std::array<ColorValue, kColorSlotCount> colors;
    size_t used;
};

const EffectColors kEffectColors[] = {
    {2, {kColorRed, kColorGreen, kColorBlue, kColorCyan, kColorYellow, kColorMagenta, kColorWhite}, 7},
    {3, {kColorMagenta}, 1},
    {6, {kColorRed, kColorGreen, kColorBlue, kColorYellow, kColorCyan, 0xFA00FA, kColorWhite, 0xFF46FA}, 8},
    {7, {kColorGreen, 0x6A00FA}, 2},
};

}  // namespace

void ResetProfileToDefaults(ProfileRecord& record, size_t slot, uint16_t sensorId,
                            const LanguageTable& language) {
    ProfileRecord fresh;
    fresh.settings = DefaultProfileSettings(slot, language);
    for (size_t button = 0; button < kButtonCount; ++button) {
        fresh.keys[button].code = kButtonDefaults[button].code;
        fresh.keys[button].name = language.Text(kButtonDefaults[button].nameEntry);
    }
    fresh.PollingRateName = u"500HZ";
    fresh.PollingRateValue = {2, 0, 0};
    fresh.Lighting1OffOn = 1;
    fresh.Lighting1Name = language.Text(kTextDefaultLightingEffect);
    fresh.Lighting1ModeValue = {1, 0, 0};
    fresh.Lighting1Speed.fill(1);
    fresh.Lighting1Brightness = {1, 1, 1, 3, 1, 1, 1, 1, 1, 1};
    for (const EffectColors& effect : kEffectColors) {
        for (size_t i = 0; i < effect.used; ++i) {
            fresh.Lighting1ColorSelected[effect.effect][i] = 1;
            fresh.Lighting1FixedColor[effect.effect][i] = effect.colors[i];
        }
    }
    fresh.Lighting1Direction[1] = 1;
    fresh.Lighting2OffOn = 0;
    fresh.Lighting2Name = language.Text(kTextDefaultLightingEffect);
    fresh.Lighting2ModeValue = {1, 0, 0};
    // The record starts from the previous one's step indexes, which an unknown sensor keeps.
    fresh.XYSetting = record.XYSetting;
    ApplySensorDpiDefaults(fresh, sensorId);
    record = std::move(fresh);
}

void ApplySensorDpiDefaults(ProfileRecord& record, uint16_t sensorId) {
    record.DPIOffOnFlagValue = 0x3F;
    if (const auto* levels = SensorDpiDefaults(sensorId)) record.XYSetting = *levels;
    record.CurrentDPILevelValue = 1;
    record.DPILevelIndication = {kColorRed,  kColorBlue,    kColorGreen, kColorYellow,
                                 kColorCyan, kColorMagenta, kColorWhite, kColorWhite};
    record.AngleSnapValue = 0;
    record.LiftDetectionValue = 2;
}

}  // namespace ostrel
