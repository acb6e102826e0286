// The configuration file is untrusted: parsing never crashes and never yields more entries than
// the table holds.
#include <cstddef>
#include <cstdint>

#include "profile/settings_table.h"
#include "profile/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto lines = ostrel::DecodeTextFile({reinterpret_cast<const char*>(data), size});
    auto entries = ostrel::ParseSettingsFile(lines);
    if (entries && entries->size() > ostrel::kAppSettingCount) __builtin_trap();
    return 0;
}
