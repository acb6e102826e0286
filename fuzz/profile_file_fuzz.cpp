// Profile files from disk or import are untrusted: parsing never crashes, and whatever parses
// writes back to lines that parse to the same record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "profile/profile_file.h"
#include "profile/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto lines = ostrel::DecodeTextFile({reinterpret_cast<const char*>(data), size});
    auto parsed = ostrel::ParseProfileFile(lines);
    if (!parsed) return 0;
    auto again = ostrel::ParseProfileFile(ostrel::FormatProfileFile(*parsed));
    if (!again || !(*again == *parsed)) __builtin_trap();
    return 0;
}
