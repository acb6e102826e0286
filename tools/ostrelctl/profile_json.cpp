#include "ostrelctl/profile_json.h"

#include "base/number_text.h"
#include "ostrelctl/json_writer.h"

namespace ostrelctl {
namespace {

using namespace ostrel;

std::string JsonColor(ColorValue color) {
    return JsonString(FormatHex2(RedOf(color)) + FormatHex2(GreenOf(color)) +
                      FormatHex2(BlueOf(color)));
}

template <class Colors>
std::string JsonColors(const Colors& colors) {
    std::vector<std::string> values;
    for (ColorValue color : colors) values.push_back(JsonColor(color));
    return JsonArray(values);
}

std::string JsonPairs(const std::vector<SettingEntry>& entries) {
    std::vector<std::string> pairs;
    for (const SettingEntry& entry : entries) {
        pairs.push_back(JsonArray({JsonString(entry.key), JsonString(entry.value)}));
    }
    return JsonArray(pairs);
}

std::string JsonKeySlot(const KeySlot& slot) {
    std::u16string actions;
    for (const MacroAction& action : slot.macro.actions) {
        for (uint8_t byte : action) actions += FormatHex2(byte);
    }
    return "{\"name\": " + JsonString(slot.name) + ", \"code\": " + JsonNumbers(slot.code) +
           ", \"MacroKeyIndex\": " + std::to_string(slot.MacroKeyIndex) +
           ", \"MacroKeyName\": " + JsonString(slot.macro.name) +
           ", \"MacroActionNum\": " + std::to_string(slot.macro.actionCount) +
           ", \"AllAction\": " + JsonString(actions) + "}";
}

}  // namespace

std::string ProfileToJson(const ProfileRecord& r) {
    std::vector<std::string> selected;
    std::vector<std::string> fixed;
    for (size_t effect = 0; effect < kEffectCount; ++effect) {
        selected.push_back(JsonNumbers(r.Lighting1ColorSelected[effect]));
        fixed.push_back(JsonColors(r.Lighting1FixedColor[effect]));
    }
    std::vector<std::string> keys;
    for (const KeySlot& slot : r.keys) keys.push_back("    " + JsonKeySlot(slot));

    const std::vector<std::pair<std::string, std::string>> fields = {
        {"settings", JsonPairs({r.settings.begin(), r.settings.end()})},
        {"DPIOffOnFlagValue", std::to_string(r.DPIOffOnFlagValue)},
        {"XYSetting", JsonNumbers(r.XYSetting)},
        {"CurrentDPILevelValue", std::to_string(r.CurrentDPILevelValue)},
        {"DPILevelIndication", JsonColors(r.DPILevelIndication)},
        {"AngleSnapValue", std::to_string(r.AngleSnapValue)},
        {"LiftDetectionValue", std::to_string(r.LiftDetectionValue)},
        {"PollingRateName", JsonString(r.PollingRateName)},
        {"PollingRateValue", JsonNumbers(r.PollingRateValue)},
        {"Lighting1Name", JsonString(r.Lighting1Name)},
        {"Lighting1ModeValue", JsonNumbers(r.Lighting1ModeValue)},
        {"Lighting1OffOn", std::to_string(r.Lighting1OffOn)},
        {"Lighting1Speed", JsonNumbers(r.Lighting1Speed)},
        {"Lighting1Brightness", JsonNumbers(r.Lighting1Brightness)},
        {"Lighting1ColorSelected", JsonArray(selected)},
        {"Lighting1FixedColor", JsonArray(fixed)},
        {"Lighting1Direction", JsonNumbers(r.Lighting1Direction)},
        {"Lighting2Name", JsonString(r.Lighting2Name)},
        {"Lighting2ModeValue", JsonNumbers(r.Lighting2ModeValue)},
        {"Lighting2OffOn", std::to_string(r.Lighting2OffOn)},
        {"Lighting2Speed", std::to_string(r.Lighting2Speed)},
        {"Lighting2Brightness", std::to_string(r.Lighting2Brightness)},
        {"Lighting2FixedColor", JsonColor(r.Lighting2FixedColor)},
    };
    std::string out = "{\n";
    for (const auto& [key, value] : fields) out += "  \"" + key + "\": " + value + ",\n";
    out += "  \"keys\": [\n";
    for (size_t i = 0; i < keys.size(); ++i) out += keys[i] + (i + 1 < keys.size() ? ",\n" : "\n");
    out += "  ]\n}\n";
    return out;
}

std::string SettingsToJson(const std::vector<SettingEntry>& entries) {
    return "{\"entries\": " + JsonPairs(entries) + "}\n";
}

}  // namespace ostrelctl
