#include "device/report_blocks.h"

#include <algorithm>
#include <bit>

#include "base/number_text.h"
#include "macro/macro_events.h"
#include "profile/settings_table.h"

namespace ostrel {
namespace {

uint8_t SettingByte(const ProfileRecord& record, ProfileSetting setting) {
    return static_cast<uint8_t>(ParseDecimal(At(record.settings, setting).value));
}

void PutColor(ReportBlock& block, size_t offset, ColorValue color) {
    block[offset] = RedOf(color);
    block[offset + 1] = GreenOf(color);
    block[offset + 2] = BlueOf(color);
}

constexpr uint8_t kEffectDirection = 1;
constexpr uint8_t kEffectColorList = 2;
constexpr uint8_t kEffectSingleColor = 3;
constexpr uint8_t kEffectColorPositions = 6;
constexpr uint8_t kEffectTwoColors = 7;
constexpr size_t kListedColorSlots = 7;

}  // namespace

void BuildButtonBlock(const ProfileRecord& record, ReportBlock& block) {
    for (size_t d = 0; d < kButtonCount; ++d) {
        const ButtonCode& code = record.keys[ButtonOfDeviceIndex(d)].code;
        std::copy(code.begin(), code.end(), block.begin() + kButtonBytesFirst + 3 * d);
    }
}

uint8_t BuildLightingBlock(const ProfileRecord& record, ReportBlock& block) {
    const uint8_t effect = record.Lighting1ModeValue[0];
    if (effect >= kEffectCount) return block[0] = 0;
    block[1] = effect;
    block[2] = static_cast<uint8_t>(((record.Lighting1Brightness[effect] + 1) << 4) |
                                    ((record.Lighting1Speed[effect] + 1) & 0x0F));
    const auto& selected = record.Lighting1ColorSelected[effect];
    const auto& colors = record.Lighting1FixedColor[effect];
    uint8_t length = 2;
    switch (effect) {
        case kEffectDirection:
            block[3] = record.Lighting1Direction[effect];
            length = 3;
            break;
        case kEffectColorList: {
            uint8_t taken = 0;
            for (size_t i = 0; i < kListedColorSlots; ++i) {
                // Black is left out even when selected.
                if (selected[i] != 1 || colors[i] == 0) continue;
                PutColor(block, 4 + 3 * taken, colors[i]);
                ++taken;
            }
            block[3] = taken;
            length = static_cast<uint8_t>(3 * taken + 3);
            break;
        }
        case kEffectSingleColor:
            PutColor(block, 3, colors[0]);
            length = 5;
            break;
        case kEffectColorPositions:
            for (size_t i = 0; i < kListedColorSlots; ++i) {
                if (selected[i] == 1) PutColor(block, 3 + 3 * i, colors[i]);
            }
            length = 23;
            break;
        case kEffectTwoColors:
            if (selected[0] == 1) PutColor(block, 3, colors[0]);
            if (selected[1] == 1) PutColor(block, 6, colors[1]);
            length = 8;
            break;
        default:
            break;
    }
    return block[0] = length;
}

void BuildDpiLevelsBlock(const ProfileRecord& record, const DpiStepTable& steps, ReportBlock& block) {
    const auto enabled = static_cast<uint8_t>(std::popcount(record.DPIOffOnFlagValue));
    block[0] = static_cast<uint8_t>((enabled & 0x0F) | ((record.CurrentDPILevelValue + 1) << 4));
    block[1] = record.DPIOffOnFlagValue;
    for (size_t n = 0; n < kSentDpiLevels; ++n) {
        // A file can hold a step beyond the table; it is sent as the last step.
        const uint16_t code = steps.count == 0 ? 0 : steps.code[steps.ClampStep(record.XYSetting[n])];
        block[2 + 2 * n] = static_cast<uint8_t>(code & 0xFF);
        block[3 + 2 * n] = static_cast<uint8_t>(code >> 8);
    }
    std::fill(block.begin() + 14, block.begin() + 18, 0);
}

void BuildDpiColorsBlock(const ProfileRecord& record, ReportBlock& block) {
    for (size_t n = 0; n < kDpiLevelCount; ++n) PutColor(block, 3 * n, record.DPILevelIndication[n]);
}

uint8_t PollingIntervalOf(uint8_t pollingRateIndex) {
    switch (pollingRateIndex) {
        case 0: return 8;
        case 1: return 4;
        case 2: return 2;
        default: return 1;
    }
}

void BuildPollingRateBlock(const ProfileRecord& record, ReportBlock& block) {
    block[0] = PollingIntervalOf(record.PollingRateValue[0]);
}

void BuildLiftOffBlock(const ProfileRecord& record, ReportBlock& block) {
    block[0] = ParseDecimal(At(record.settings, ProfileSetting::LiftDetectionHeight).value) == 1 ? 1 : 2;
}

void BuildDebounceBlock(const ProfileRecord& record, ReportBlock& block) {
    block[0] = SettingByte(record, ProfileSetting::KeyDebounce);
}

void BuildPowerBlock(const ProfileRecord& record, ReportBlock& block) {
    block[0] = SettingByte(record, ProfileSetting::PowerDownTime);
    block[1] = SettingByte(record, ProfileSetting::MoveLightingOnOffMode);
}

void BuildMotionWakeupBlock(const ProfileRecord& record, ReportBlock& block) {
    block[0] = SettingByte(record, ProfileSetting::MotionWakeup);
}

size_t StageMacro(const MacroRecord& macro, uint8_t slot, ReportBlock& block) {
    std::fill(block.begin() + 2, block.end(), 0);
    block[0] = 0x09;
    block[1] = kCodeMacro;
    block[2] = slot;
    const uint8_t eventCount = std::min<uint8_t>(macro.eventCount, kMaxMacroEvents);
    block[3] = eventCount;
    const std::vector<uint8_t> events = EncodeMacroEvents(macro);
    const size_t staged = std::min(events.size(), kMaxMacroEvents * kMacroEventBytes);
    std::copy_n(events.begin(), staged, block.begin() + kMacroHeader);
    return kMacroEventBytes * eventCount;
}

}  // namespace ostrel
