// Language and selection files are untrusted: entry numbers of any size never index outside the
// table, and the selection code is read from any lines.
#include <cstddef>
#include <cstdint>

#include "profile/language.h"
#include "profile/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto lines = ostrel::DecodeTextFile({reinterpret_cast<const char*>(data), size});
    ostrel::LanguageTable table;
    ostrel::ApplyLanguageLines(lines, 1.5, table);
    (void)ostrel::LanguageCodeFromLines(lines);  // only its safety is under test here
    return 0;
}
