#include "app/startup_values.h"

#include <system_error>

#include "profile/settings_table.h"

namespace ostrel::app {

double UiScaleForWorkArea(int width, int height) {
    if (width > 2400 && height > 1600) return 2.0;
    if (width > 1800 && height > 1200) return 1.5;
    return 1.0;
}

double TextScaleForDpi(int logicalDpi) { return logicalDpi / 96.0; }

std::filesystem::path PrepareDataFolder(const std::filesystem::path& userDataLocation) {
    const std::filesystem::path folder = userDataLocation / kDataFolderName;
    std::error_code error;
    std::filesystem::create_directories(folder / kConfigFolderName, error);
    return folder;
}

}  // namespace ostrel::app
