#include "profile/config_store.h"

#include <algorithm>

#include "base/number_text.h"
#include "base/utf.h"
#include "device/profile_defaults.h"
#include "profile/profile_file.h"
#include "profile/text_file.h"

namespace ostrel {
namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kSectionHeader = u"[Setting]";

size_t Index(AppSetting setting) { return static_cast<size_t>(setting); }

AppSetting Offset(AppSetting first, size_t n) {
    return static_cast<AppSetting>(Index(first) + n);
}

}  // namespace

ConfigStore::ConfigStore(fs::path dataFolder, const LanguageTable& language)
    : m_dataFolder(std::move(dataFolder)), m_language(language) {}

fs::path ConfigStore::ConfigFilePath() const {
    return m_dataFolder / kConfigFolderName / kConfigFileName;
}

bool ConfigStore::ReadSettingsFile() {
    auto lines = ReadTextFile(ConfigFilePath());
    if (!lines) return false;
    auto entries = ParseSettingsFile(*lines);
    if (!entries) return false;
    // Entries that a short file lacks take their defaults: left empty they would be written back
    // as lines that the next start refuses, which would reset every profile.
    AppSettingsTable read = DefaultAppSettings(m_dataFolder);
    std::copy(entries->begin(), entries->end(), read.begin());
    appSettings = std::move(read);
    return true;
}

void ConfigStore::LoadSettingsFile() {
    if (!ReadSettingsFile()) {
        // The copy is best effort: when it fails, so does the write over the original.
        (void)KeepCopyBeside(ConfigFilePath(), kBadCopySuffix);
        appSettings = DefaultAppSettings(m_dataFolder);
        SaveSettingsFile();
        sensorId = SettingHex16(AppSetting::Sensor);
        for (size_t slot = 0; slot < kProfileCount; ++slot) ResetAndWriteProfile(slot);
    }
    // The sensor is known before the profiles load, so a profile reset while loading gets the
    // DPI defaults of this sensor.
    sensorId = SettingHex16(AppSetting::Sensor);
    for (size_t slot = 0; slot < kProfileCount; ++slot) LoadProfileFile(slot, ProfileSlotPath(slot));
    SensorCheck();
}

bool ConfigStore::SaveSettingsFile() {
    std::vector<std::u16string> lines;
    lines.emplace_back(kSectionHeader);
    for (const SettingEntry& entry : appSettings) lines.push_back(entry.key + u"=" + entry.value);
    std::error_code error;
    fs::create_directories(ConfigFilePath().parent_path(), error);
    return WriteTextFile(ConfigFilePath(), lines).ok();
}

void ConfigStore::SaveCurrentProfileSetting() {
    SetCurrentProfile(currentProfileIndex);
    SaveSettingsFile();
}

bool ConfigStore::SaveProfileFile(size_t index, const fs::path& path) {
    if (index >= kProfileCount) return false;
    std::error_code error;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
    return WriteTextFile(path, FormatProfileFile(profiles[index])).ok();
}

bool ConfigStore::LoadProfileFile(size_t index, const fs::path& path) {
    if (index >= kProfileCount) return false;
    if (auto lines = ReadTextFile(path)) {
        if (auto parsed = ParseProfileFile(*lines)) {
            profiles[index] = std::move(*parsed);
            return true;
        }
    }
    ResetAndWriteProfile(index);
    return false;
}

void ConfigStore::SaveAllProfiles() {
    for (size_t slot = 0; slot < kProfileCount; ++slot) SaveProfileFile(slot, ProfileSlotPath(slot));
}

void ConfigStore::ResetAndWriteProfile(size_t slot) {
    ResetProfileToDefaults(slot);
    const fs::path path = ProfileSlotPath(slot);
    // Best effort, as for the configuration file.
    (void)KeepCopyBeside(path, kBadCopySuffix);
    SaveProfileFile(slot, path);
}

void ConfigStore::ResetProfileToDefaults(size_t slot) {
    if (slot >= kProfileCount) return;
    ostrel::ResetProfileToDefaults(profiles[slot], slot, sensorId, m_language);
}

void ConfigStore::ApplySensorDpiDefaults(ProfileRecord& record) const {
    ostrel::ApplySensorDpiDefaults(record, sensorId);
}

void ConfigStore::BuildDpiStepTable() {
    if (!ostrel::BuildDpiStepTable(sensorId, stepTable) && stepTable.count == 0) {
        ostrel::BuildDpiStepTable(kDefaultSensorId, stepTable);
    }
}

void ConfigStore::SensorCheck() {
    sensorId = SettingHex16(AppSetting::Sensor);
    const uint16_t prepared = static_cast<uint16_t>(~SettingHex16(AppSetting::PreST));
    if (prepared == sensorId) return;
    SetPreST(static_cast<uint16_t>(~sensorId));
    SaveCurrentProfileSetting();
    for (ProfileRecord& record : profiles) ApplySensorDpiDefaults(record);
    SaveAllProfiles();
}

bool ConfigStore::ChangeSensor(uint16_t newSensorId) {
    if (newSensorId == sensorId) return false;
    sensorId = newSensorId;
    At(appSettings, AppSetting::Sensor).value = FormatSensorHex(newSensorId);
    SetPreST(static_cast<uint16_t>(~newSensorId));
    SaveCurrentProfileSetting();
    for (ProfileRecord& record : profiles) ApplySensorDpiDefaults(record);
    SaveAllProfiles();
    BuildDpiStepTable();
    return true;
}

uint16_t ConfigStore::SettingHex16(AppSetting setting) const {
    return static_cast<uint16_t>(ParseHex(At(appSettings, setting).value));
}

size_t ConfigStore::CurrentProfile() const {
    const int32_t slot = ParseDecimal(At(appSettings, AppSetting::CurrentProfile).value);
    return slot >= 0 && static_cast<size_t>(slot) < kProfileCount ? static_cast<size_t>(slot) : 0;
}

void ConfigStore::SetCurrentProfile(size_t slot) {
    At(appSettings, AppSetting::CurrentProfile).value = FormatDecimal(static_cast<int64_t>(slot));
}

size_t ConfigStore::ProfileShowCount() const {
    const int32_t count = ParseDecimal(At(appSettings, AppSetting::ProfileShowCount).value);
    return static_cast<size_t>(std::clamp<int32_t>(count, 1, kProfileCount));
}

void ConfigStore::SetProfileShowCount(size_t count) {
    At(appSettings, AppSetting::ProfileShowCount).value = FormatDecimal(static_cast<int64_t>(count));
}

size_t ConfigStore::ProfileShowList(size_t n) const {
    if (n >= kProfileCount) return 0;
    const int32_t slot = ParseDecimal(At(appSettings, Offset(AppSetting::ProfileShowList0, n)).value);
    return slot >= 0 && static_cast<size_t>(slot) < kProfileCount ? static_cast<size_t>(slot) : n;
}

void ConfigStore::SetPreST(uint16_t value) {
    At(appSettings, AppSetting::PreST).value = FormatSensorHex(value);
}

std::u16string ConfigStore::AppKey(size_t n) const {
    return n < kAppSettingCount ? appSettings[n].key : std::u16string();
}

std::u16string ConfigStore::AppValue(size_t n) const {
    return n < kAppSettingCount ? appSettings[n].value : std::u16string();
}

fs::path ConfigStore::ProfileSlotPath(size_t slot) const {
    if (slot >= kProfileCount) return {};
    const fs::path stored = PathFromText(At(appSettings, Offset(AppSetting::ProfileSlot0URL, slot)).value);
    if (stored.empty() || !stored.is_absolute()) return DefaultProfilePath(m_dataFolder, slot);
    return stored;
}

}  // namespace ostrel
