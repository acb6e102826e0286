#pragma once

#include <string>
#include <vector>

#include "device/profile_record.h"

namespace ostrelctl {

// The JSON object of `ostrelctl profile dump`: "settings", then every field of the record under
// the key the profile file gives it, then "keys". Bytes are numbers, colours "RRGGBB".
std::string ProfileToJson(const ostrel::ProfileRecord& record);

// The JSON object of `ostrelctl settings dump`: {"entries": [[key, value], ...]}.
std::string SettingsToJson(const std::vector<ostrel::SettingEntry>& entries);

}  // namespace ostrelctl
