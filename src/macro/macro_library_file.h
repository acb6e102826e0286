#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "macro/macro_library.h"

namespace ostrel {

// The library file ("config/MacroLibraryFile.mlf") and the exports (".mkf" one macro, ".mbf"
// several) share one format: a header, the next identifier, a location, then every item grouped
// by stage.
inline constexpr std::u16string_view kMacroLibrarySection = u"[MacroLibrary]";
inline constexpr const char* kMacroLibraryFileName = "MacroLibraryFile.mlf";

// The file dialogs of the exports and imports.
inline constexpr std::u16string_view kMacroFileFilter = u"mkf file(*.mkf)|*.mkf||";
inline constexpr std::u16string_view kMacroFileExtension = u"mkf";
inline constexpr std::u16string_view kMacroBundleFilter = u"mbf file(*.mbf)|*.mbf||";
inline constexpr std::u16string_view kMacroBundleExtension = u"mbf";
inline constexpr std::u16string_view kWholeLibraryExportName = u"AllMacroKey.mbf";

// "<data folder>/config/MacroLibraryFile.mlf".
std::filesystem::path MacroLibraryPath(const std::filesystem::path& dataFolder);

// The AllAction value: all kMaxMacroActions slots as 8 upper-case hex digits each, byte 0 first.
std::u16string FormatAllAction(const MacroRecord& macro);

// The lines of a file holding `library` with `location` in its third line: the library file
// carries MacroLocation::Nothing(), an export the manager's selection.
std::vector<std::u16string> FormatMacroLibraryFile(const MacroLibrary& library,
                                                   const MacroLocation& location);

// What a read of a file's lines found besides its items.
struct MacroFileHeader {
    uint32_t nextIdentifier = 0;
    MacroLocation location;  // the third line as written, not range-checked
    bool complete = false;   // every line was read
    std::string problem;     // why the read stopped early: "line N: ..."
};

// Reads the lines of a file and hands every item to `place` in file order, with its location
// (always a place in range) as written. Reading is positional: only the first line is compared
// with a text, the order of the lines alone gives them their meaning. A malformed item ends the
// read; the items before it have been handed over. Fails, handing over nothing, only when the
// first line is not kMacroLibrarySection.
using MacroItemSink = std::function<void(const MacroLocation&, MacroItem&&)>;
Result<MacroFileHeader> ParseMacroLibraryFile(const std::vector<std::u16string>& lines,
                                              const MacroItemSink& place);

enum class MacroLoad {
    NotOpened,    // the file could not be read; the target is unchanged
    WrongHeader,  // the first line is wrong; the target is empty
    Partial,      // a malformed line ended the load; the items before it are in the target
    Complete,
};

struct MacroLoadResult {
    MacroLoad outcome = MacroLoad::NotOpened;
    MacroLocation location;  // the file's third line, for the imports
    std::string problem;     // the file or line and what is wrong, unless Complete
};

// Empties `target` and reads the file into it, unless the file cannot be read at all.
MacroLoadResult LoadMacroLibrary(const std::filesystem::path& path, MacroLibrary& target);

// Writes the whole library atomically with `location` in the third line.
Status SaveMacroLibrary(const std::filesystem::path& path, const MacroLibrary& library,
                        const MacroLocation& location);

// Start-up (and after the manager closes): loads the data folder's library file. A file that
// exists but does not load whole is kept beside itself as "MacroLibraryFile.mlf.bad" first, so
// the next save, which writes only what loaded, cannot lose the rest.
MacroLoadResult LoadDataFolderMacroLibrary(const std::filesystem::path& dataFolder,
                                           MacroLibrary& library);

// Saves the library into the data folder's file (no location), creating the config folder.
Status SaveDataFolderMacroLibrary(const std::filesystem::path& dataFolder,
                                  const MacroLibrary& library);

}  // namespace ostrel
