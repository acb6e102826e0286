#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "device/dpi_step_table.h"
#include "device/profile_record.h"
#include "profile/settings_table.h"

namespace ostrel {

struct LanguageTable;

// Suffix of the copy a file keeps before the program overwrites it with defaults.
inline constexpr const char* kBadCopySuffix = ".bad";

// The program-wide configuration: the application settings table, the five profiles, the sensor
// and its DPI step table, with the files that hold them in the data folder. UI thread only.
class ConfigStore {
public:
    // `dataFolder` is the per-user data folder (its "config" folder holds the files);
    // `language` supplies the default names and must outlive the store.
    ConfigStore(std::filesystem::path dataFolder, const LanguageTable& language);

    // Start-up: loads "config/config.ini" (a missing or bad file is kept beside itself and
    // replaced by defaults, and then every profile is reset and written), sets the sensor from
    // `Sensor`, loads the five profiles and runs the sensor check.
    void LoadSettingsFile();
    bool SaveSettingsFile();
    // Stores the program's current profile index into `CurrentProfile` and saves.
    void SaveCurrentProfileSetting();

    bool SaveProfileFile(size_t index, const std::filesystem::path& path);
    // Loads profile `index` from `path`. On failure the profile is reset, the slot's own file is
    // kept beside itself and rewritten with the defaults, and false is returned.
    bool LoadProfileFile(size_t index, const std::filesystem::path& path);
    void SaveAllProfiles();

    void ResetProfileToDefaults(size_t slot);
    void ApplySensorDpiDefaults(ProfileRecord& record) const;
    // Rebuilds the step table for the sensor. An unknown sensor changes nothing, except that an
    // empty table (start-up) gets the default sensor's steps, so the DPI page always has steps.
    void BuildDpiStepTable();
    // The mouse reports `sensorId`: when it differs, store it, reset every profile's DPI defaults,
    // save everything and rebuild the step table. Returns whether it differed.
    bool ChangeSensor(uint16_t sensorId);

    // Accessors of the settings. Numbers that index something are range-checked here: an
    // out-of-range `CurrentProfile` reads as 0, `ProfileShowCount` is clamped to 1..5 and an
    // out-of-range show-list entry n reads as n.
    size_t CurrentProfile() const;
    void SetCurrentProfile(size_t slot);
    size_t ProfileShowCount() const;
    void SetProfileShowCount(size_t count);
    size_t ProfileShowList(size_t n) const;
    void SetPreST(uint16_t value);
    std::u16string AppKey(size_t n) const;
    std::u16string AppValue(size_t n) const;
    // The file of `slot`: its `ProfileSlotNURL`, or the default path when that is empty or not an
    // absolute path (a setting that would make every save of the slot fail).
    std::filesystem::path ProfileSlotPath(size_t slot) const;

    ProfileRecord& CurrentRecord() { return profiles[CurrentProfile()]; }
    const std::filesystem::path& DataFolder() const { return m_dataFolder; }
    std::filesystem::path ConfigFilePath() const;

    AppSettingsTable appSettings;
    std::array<ProfileRecord, kProfileCount> profiles;
    uint16_t sensorId = kDefaultSensorId;
    DpiStepTable stepTable;
    // The profile the views show; the main window re-reads it from `CurrentProfile` on refresh.
    size_t currentProfileIndex = 0;

private:
    bool ReadSettingsFile();
    void ResetAndWriteProfile(size_t slot);
    void SensorCheck();
    uint16_t SettingHex16(AppSetting setting) const;

    std::filesystem::path m_dataFolder;
    const LanguageTable& m_language;
};

}  // namespace ostrel
