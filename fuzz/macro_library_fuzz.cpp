// Macro library files and imported ".mkf"/".mbf" files are untrusted: reading never crashes,
// only places inside the tree are handed out, whatever loads writes back to a file that loads
// whole to the same library, and the imports use any third-line location safely.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "macro/macro_events.h"
#include "macro/macro_library_file.h"
#include "macro/macro_library_rules.h"
#include "profile/text_file.h"

namespace {

ostrel::Result<ostrel::MacroFileHeader> Read(const std::vector<std::u16string>& lines,
                                             ostrel::MacroLibrary& library) {
    return ostrel::ParseMacroLibraryFile(
        lines, [&library](const ostrel::MacroLocation& at, ostrel::MacroItem&& item) {
            if (!at.IsPlace() || !library.Place(at, std::move(item))) __builtin_trap();
        });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto lines = ostrel::DecodeTextFile({reinterpret_cast<const char*>(data), size});
    ostrel::MacroLibrary library;
    auto header = Read(lines, library);
    if (!header) {
        if (!library.Empty()) __builtin_trap();
        return 0;
    }
    library.nextIdentifier = header->nextIdentifier;
    library.ForEach([](const ostrel::MacroLocation&, const ostrel::MacroItem& item) {
        if (item.isFolder) return;
        if (ostrel::EncodeMacroEvents(item.macro).size() >
            ostrel::kMaxMacroActions * ostrel::kMacroEventBytes) {
            __builtin_trap();
        }
    });

    const auto written = ostrel::FormatMacroLibraryFile(library, header->location);
    ostrel::MacroLibrary again;
    auto reread = Read(written, again);
    if (!reread || !reread->complete || reread->location != header->location) __builtin_trap();
    again.nextIdentifier = reread->nextIdentifier;
    if (!(again == library)) __builtin_trap();
    if (ostrel::FormatMacroLibraryFile(again, reread->location) != written) __builtin_trap();

    ostrel::MacroLibrary target;
    ostrel::ImportMacroFile(target, library, header->location);
    ostrel::ImportMacroBundle(target, library, header->location);
    target.selection = ostrel::MacroLocation::Top(0);
    ostrel::ImportMacroBundle(target, library, header->location);
    return 0;
}
