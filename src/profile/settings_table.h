#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "device/profile_record.h"

namespace ostrel {

struct LanguageTable;

inline constexpr size_t kAppSettingCount = 17;

// Positions in the application settings table; the names are the keys written to disk.
enum class AppSetting : size_t {
    NeedPassword,
    Sensor,
    PreST,
    Mac_ID,
    DataChange,
    CurrentProfile,
    ProfileShowCount,
    ProfileShowList0,
    ProfileSlot0URL = ProfileShowList0 + kProfileCount,
};

// Positions in each profile's settings; the names are the keys written to disk.
enum class ProfileSetting : size_t {
    ProfileName,
    GameFile0,
    GameFile1,
    GameFile2,
    DoubleClickSpeed,
    PointerSpeed,
    AccelerationEnable,
    ScrollWheelSpeed,
    ScrollWheelPageEnable,
    TiltSpeed,
    Sensitivity_X,
    Sensitivity_Y,
    XYSynchronous,
    X_DPI,
    Y_DPI,
    MoveLightingOnOffMode,
    PowerDownTime,
    LiftDetectionHeight,
    KeyDebounce,
    MotionWakeup,
};

using AppSettingsTable = std::array<SettingEntry, kAppSettingCount>;
using ProfileSettingsTable = std::array<SettingEntry, kProfileSettingCount>;

inline constexpr const char* kConfigFolderName = "config";
inline constexpr const char* kConfigFileName = "config.ini";

// The file name of a slot inside the config folder: "default0.psf" ... "default4.psf".
std::string DefaultProfileFileName(size_t slot);

// The default of a slot's file: <data folder>/config/defaultN.psf.
std::filesystem::path DefaultProfilePath(const std::filesystem::path& dataFolder, size_t slot);

AppSettingsTable DefaultAppSettings(const std::filesystem::path& dataFolder);

// The per-profile defaults of `slot`; the name is language string 85 + slot for slots 0-4.
ProfileSettingsTable DefaultProfileSettings(size_t slot, const LanguageTable& language);

// The entries of a configuration file's lines, in file order: line 1 must be "[Setting]", every
// further line "key=value" with text on both sides of the first "=", at most 17 of them.
Result<std::vector<SettingEntry>> ParseSettingsFile(const std::vector<std::u16string>& lines);

// Per-profile setters of the performance page: the switches store "1" for a value above 0.
void SetMoveLightingOnOffMode(ProfileSettingsTable& settings, int value);
void SetMotionWakeup(ProfileSettingsTable& settings, int value);
void SetPowerDownTime(ProfileSettingsTable& settings, int value);

inline SettingEntry& At(AppSettingsTable& table, AppSetting setting) {
    return table[static_cast<size_t>(setting)];
}
inline const SettingEntry& At(const AppSettingsTable& table, AppSetting setting) {
    return table[static_cast<size_t>(setting)];
}
inline SettingEntry& At(ProfileSettingsTable& table, ProfileSetting setting) {
    return table[static_cast<size_t>(setting)];
}
inline const SettingEntry& At(const ProfileSettingsTable& table, ProfileSetting setting) {
    return table[static_cast<size_t>(setting)];
}

}  // namespace ostrel
