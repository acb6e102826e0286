#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "device/profile_record.h"
#include "macro/macro_library.h"
#include "macro/macro_texts.h"

namespace ostrel {

// The editing rules of the macro manager on the library. Each operation changes the library or
// nothing, and reports what the manager shows: a message box text (language string, title
// kTextNotice) or nothing.
enum class EditStatus {
    Done,
    EmptyName,        // kTextEmptyName
    DuplicateName,    // kTextDuplicateName: the destination row has an item of that name
    RowFull,          // silent: no free place in the destination row
    NoFolderHere,     // silent: folders are not made inside a second-level folder
    NothingSelected,  // kTextSelectItemFirst
    ConfirmDelete,    // kTextConfirmDelete: ask, then call DeleteSelected
    BoundToButton,    // kTextMacroBoundToButton
    NothingToImport,  // silent: the file names no item that could be imported
};

struct EditReport {
    EditStatus status = EditStatus::Done;
    uint16_t messageText = kTextNone;  // kTextNone: show nothing
    MacroLocation location;            // the added item, when one was added

    bool done() const { return status == EditStatus::Done; }
};

// Selecting a place of the library list: the selection becomes it, or nothing when the place is
// free. Returns the current macro: the selected item when it is a macro, else null.
MacroRecord* SelectItem(MacroLibrary& library, const MacroLocation& location);

// New macro and new folder, by the add rule: into the row under a selected top-level folder,
// under a selected second-level folder (macros only), otherwise into the top row; at the row's
// first free place. A new macro takes the next identifier (one no macro has yet). The new item
// becomes the selection and a folder that receives it is marked open.
EditReport AddMacro(MacroLibrary& library, std::u16string_view name);
EditReport AddFolder(MacroLibrary& library, std::u16string_view name);

// Renames the item at `location`; the name may not be empty nor used in its row, the item's own
// name included.
EditReport RenameItem(MacroLibrary& library, const MacroLocation& location,
                      std::u16string_view name);

// Delete, in two steps: CheckDelete says whether to ask (ConfirmDelete) or that nothing is
// selected; after the user agreed, DeleteSelected removes the selected item, a folder with all
// under it, and clears the selection, unless a button of the current profile (`currentKeys`) is
// bound to a macro it would remove.
EditReport CheckDelete(const MacroLibrary& library);
EditReport DeleteSelected(MacroLibrary& library,
                          const std::array<KeySlot, kButtonCount>& currentKeys);

// ".mkf" import: the macro at the file's location `fileLocation` of `scratch` (the file read by
// LoadMacroLibrary) is added at the selection by the add rule, with a new identifier, and becomes
// the selection. A location out of range or not holding a macro imports nothing.
EditReport ImportMacroFile(MacroLibrary& library, const MacroLibrary& scratch,
                           const MacroLocation& fileLocation);
// ".mbf" import: the items of the row `fileLocation` points into, from its index on (all of the
// top row for stage -1), each added at the selection as it was before the import, which it
// stays. Any name already at the destination refuses the whole import. A folder is imported, with
// the macros directly inside it, only while a top-level item is selected.
EditReport ImportMacroBundle(MacroLibrary& library, const MacroLibrary& scratch,
                             const MacroLocation& fileLocation);
// The same, reading the file first.
EditReport ImportMacroFileFrom(MacroLibrary& library, const std::filesystem::path& path);
EditReport ImportMacroBundleFrom(MacroLibrary& library, const std::filesystem::path& path);

// The exports write the whole library with the selection in the third line, so that an import
// knows which item or row was meant.
Status ExportMacroLibrary(const std::filesystem::path& path, const MacroLibrary& library);
// "<macro name>.mkf", only while a macro is selected.
std::optional<std::u16string> SuggestedMacroExportName(const MacroLibrary& library);
// "<selected item name>.mbf", or kWholeLibraryExportName with nothing selected.
std::u16string SuggestedBundleExportName(const MacroLibrary& library);

}  // namespace ostrel
