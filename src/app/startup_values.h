#pragma once

#include <filesystem>

namespace ostrel::app {

inline constexpr const char* kDataFolderName = "QuenbyData20231103B";
inline constexpr int kMainDesignWidth = 1127;
inline constexpr int kMainDesignHeight = 740;

// The UI scale for the full-screen work area: 2.0 above 2400 × 1600, 1.5 above 1800 × 1200,
// otherwise 1.0.
double UiScaleForWorkArea(int width, int height);

// Pixels per logical inch divided by 96.
double TextScaleForDpi(int logicalDpi);

// The program's data folder below the per-user data location, with its "config" folder made
// when missing. A folder that cannot be made is not reported: the files then fall back to their
// defaults.
std::filesystem::path PrepareDataFolder(const std::filesystem::path& userDataLocation);

}  // namespace ostrel::app
