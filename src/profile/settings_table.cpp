#include "profile/settings_table.h"

#include "base/number_text.h"
#include "base/utf.h"
#include "profile/language.h"

namespace ostrel {
namespace fs = std::filesystem;

namespace {

constexpr size_t kDefaultProfileNameEntry = 85;

}  // namespace

std::string DefaultProfileFileName(size_t slot) { return "default" + std::to_string(slot) + ".psf"; }

fs::path DefaultProfilePath(const fs::path& dataFolder, size_t slot) {
    return dataFolder / kConfigFolderName / DefaultProfileFileName(slot);
}

AppSettingsTable DefaultAppSettings(const fs::path& dataFolder) {
    AppSettingsTable table = {{
        {u"NeedPassword", u"1"},
        {u"Sensor", u"0x3325"},
        {u"PreST", u"0xCCDA"},
        {u"Mac_ID", u"0xFFFFFFFF"},
        {u"DataChange", u"0x1234"},
        {u"CurrentProfile", u"0"},
        {u"ProfileShowCount", u"3"},
    }};
    for (size_t n = 0; n < kProfileCount; ++n) {
        const std::u16string number = FormatUnsigned(n);
        table[static_cast<size_t>(AppSetting::ProfileShowList0) + n] = {u"ProfileShowList" + number,
                                                                        number};
        table[static_cast<size_t>(AppSetting::ProfileSlot0URL) + n] = {
            u"ProfileSlot" + number + u"URL", TextFromPath(DefaultProfilePath(dataFolder, n))};
    }
    return table;
}

ProfileSettingsTable DefaultProfileSettings(size_t slot, const LanguageTable& language) {
    const std::u16string name = slot < kProfileCount
                                    ? language.Text(kDefaultProfileNameEntry + slot)
                                    : u"Profile" + FormatUnsigned(slot + 1);
    return {{
        {u"ProfileName", name},
        {u"GameFile0", u""},
        {u"GameFile1", u""},
        {u"GameFile2", u""},
        {u"DoubleClickSpeed", u"6"},
        {u"PointerSpeed", u"5"},
        {u"AccelerationEnable", u"1"},
        {u"ScrollWheelSpeed", u"2"},
        {u"ScrollWheelPageEnable", u"0"},
        {u"TiltSpeed", u"2"},
        {u"Sensitivity_X", u"4"},
        {u"Sensitivity_Y", u"4"},
        {u"XYSynchronous", u"1"},
        {u"X_DPI", u"1"},
        {u"Y_DPI", u"1"},
        {u"MoveLightingOnOffMode", u"0"},
        {u"PowerDownTime", u"6"},
        {u"LiftDetectionHeight", u"2"},
        {u"KeyDebounce", u"12"},
        {u"MotionWakeup", u"1"},
    }};
}

Result<std::vector<SettingEntry>> ParseSettingsFile(const std::vector<std::u16string>& lines) {
    using Entries = Result<std::vector<SettingEntry>>;
    if (lines.empty() || lines[0] != u"[Setting]") {
        return Entries::Failure("line 1: the first line is not \"[Setting]\"");
    }
    std::vector<SettingEntry> entries;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        if (entries.size() == kAppSettingCount) {
            return Entries::Failure(where + "more than " + std::to_string(kAppSettingCount) + " entries");
        }
        const std::u16string& line = lines[i];
        const size_t equals = line.find(u'=');
        if (equals == std::u16string::npos) return Entries::Failure(where + "no \"=\" in the line");
        if (equals == 0) return Entries::Failure(where + "no key before \"=\"");
        if (equals + 1 == line.size()) return Entries::Failure(where + "no value after \"=\"");
        entries.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
    return entries;
}

void SetMoveLightingOnOffMode(ProfileSettingsTable& settings, int value) {
    At(settings, ProfileSetting::MoveLightingOnOffMode).value = value > 0 ? u"1" : u"0";
}

void SetMotionWakeup(ProfileSettingsTable& settings, int value) {
    At(settings, ProfileSetting::MotionWakeup).value = value > 0 ? u"1" : u"0";
}

void SetPowerDownTime(ProfileSettingsTable& settings, int value) {
    At(settings, ProfileSetting::PowerDownTime).value = FormatDecimal(value);
}

}  // namespace ostrel
