#include "macro/macro_library_rules.h"

#include <utility>
#include <vector>

#include "macro/macro_library_file.h"

namespace ostrel {
namespace {

// Identifiers stay within what the files read back as written.
constexpr uint32_t kLastIdentifier = INT32_MAX;

EditReport Refused(EditStatus status, uint16_t messageText = kTextNone) {
    return {status, messageText, MacroLocation::Nothing()};
}

// Where the add rule puts an item while `selection` is selected: a place of the destination
// row (the index is free to choose) and the folder that receives the item, if any.
struct Destination {
    MacroLocation row;
    MacroLocation folder;
};

Destination DestinationOf(const MacroLibrary& library, const MacroLocation& selection) {
    const MacroItem* selected = library.At(selection);
    if (selected != nullptr && selected->isFolder && selection.stage + 1 < kMacroStageCount) {
        return {selection.Child(0), selection.Normalized()};
    }
    return {MacroLocation::Top(0), MacroLocation::Nothing()};
}

// The next identifier that no macro has yet; a counter read from a file may lag behind the
// macros, and two macros of one identifier would make a binding ambiguous.
uint32_t TakeIdentifier(MacroLibrary& library) {
    for (;;) {
        const uint32_t identifier =
            library.nextIdentifier > kLastIdentifier ? 0 : library.nextIdentifier;
        library.nextIdentifier = identifier + 1;
        if (!library.IdentifierInUse(identifier)) return identifier;
    }
}

// Steps 1 to 5 of the add rule at `selection`; the caller decides about the new selection.
EditReport AddItemAt(MacroLibrary& library, const MacroLocation& selection,
                     std::u16string_view name, bool isFolder) {
    const Destination destination = DestinationOf(library, selection);
    if (isFolder && destination.row.stage + 1 >= kMacroStageCount) {
        return Refused(EditStatus::NoFolderHere);
    }
    if (name.empty()) return Refused(EditStatus::EmptyName, kTextEmptyName);
    if (library.RowHasName(destination.row, name)) {
        return Refused(EditStatus::DuplicateName, kTextDuplicateName);
    }
    const std::optional<int32_t> index = library.FirstFreeIndex(destination.row);
    if (!index) return Refused(EditStatus::RowFull);

    const MacroLocation place = destination.row.Sibling(*index);
    if (isFolder) {
        library.Place(place, MacroItem::Folder(std::u16string(name)));
    } else {
        MacroRecord record;
        record.name = std::u16string(name);
        record.identifier = TakeIdentifier(library);
        library.Place(place, MacroItem::Macro(std::move(record)));
    }
    if (MacroItem* folder = library.At(destination.folder)) folder->isOpen = true;
    return {EditStatus::Done, kTextNone, place};
}

EditReport AddAndSelect(MacroLibrary& library, std::u16string_view name, bool isFolder) {
    EditReport report = AddItemAt(library, library.selection, name, isFolder);
    if (report.done()) library.selection = report.location;
    return report;
}

// The new macro takes the imported one's contents but keeps its own identifier.
void CopyImportedMacro(MacroRecord& target, const MacroRecord& source) {
    target.loopMode = source.loopMode;
    target.loopCount = source.loopCount;
    target.eventCount = source.eventCount;
    target.name = source.name;
    target.actionCount = source.actionCount;
    target.actions = source.actions;
}

// Adds the macro `source` at `selection`; returns the report of the add.
EditReport ImportMacroAt(MacroLibrary& library, const MacroLocation& selection,
                         const MacroItem& source) {
    EditReport report = AddItemAt(library, selection, source.name, false);
    if (report.done()) CopyImportedMacro(library.At(report.location)->macro, source.macro);
    return report;
}

}  // namespace

MacroRecord* SelectItem(MacroLibrary& library, const MacroLocation& location) {
    library.selection =
        library.At(location) != nullptr ? location.Normalized() : MacroLocation::Nothing();
    return library.CurrentMacro();
}

EditReport AddMacro(MacroLibrary& library, std::u16string_view name) {
    return AddAndSelect(library, name, false);
}

EditReport AddFolder(MacroLibrary& library, std::u16string_view name) {
    return AddAndSelect(library, name, true);
}

EditReport RenameItem(MacroLibrary& library, const MacroLocation& location,
                      std::u16string_view name) {
    if (library.At(location) == nullptr) {
        return Refused(EditStatus::NothingSelected, kTextSelectItemFirst);
    }
    if (name.empty()) return Refused(EditStatus::EmptyName, kTextEmptyName);
    // The item itself is in its row, so its own name counts as taken.
    if (library.RowHasName(location, name)) {
        return Refused(EditStatus::DuplicateName, kTextDuplicateName);
    }
    library.Rename(location, std::u16string(name));
    return {EditStatus::Done, kTextNone, location.Normalized()};
}

EditReport CheckDelete(const MacroLibrary& library) {
    if (library.Selected() == nullptr) {
        return Refused(EditStatus::NothingSelected, kTextSelectItemFirst);
    }
    return {EditStatus::ConfirmDelete, kTextConfirmDelete, library.selection};
}

EditReport DeleteSelected(MacroLibrary& library,
                          const std::array<KeySlot, kButtonCount>& currentKeys) {
    if (library.Selected() == nullptr) {
        return Refused(EditStatus::NothingSelected, kTextSelectItemFirst);
    }
    for (const MacroItem* item : library.MacrosAtOrUnder(library.selection)) {
        for (const KeySlot& key : currentKeys) {
            if (key.code[0] == kCodeMacro && key.MacroKeyIndex == item->macro.identifier) {
                return Refused(EditStatus::BoundToButton, kTextMacroBoundToButton);
            }
        }
    }
    const MacroLocation removed = library.selection;
    library.Remove(removed);
    library.selection = MacroLocation::Nothing();
    return {EditStatus::Done, kTextNone, removed};
}

EditReport ImportMacroFile(MacroLibrary& library, const MacroLibrary& scratch,
                           const MacroLocation& fileLocation) {
    const MacroItem* source = scratch.At(fileLocation);
    if (source == nullptr || source->isFolder) return Refused(EditStatus::NothingToImport);
    EditReport report = ImportMacroAt(library, library.selection, *source);
    if (report.done()) library.selection = report.location;
    return report;
}

EditReport ImportMacroBundle(MacroLibrary& library, const MacroLibrary& scratch,
                             const MacroLocation& fileLocation) {
    if (!fileLocation.InRange()) return Refused(EditStatus::NothingToImport);
    const MacroLocation row = fileLocation.IsNothing() ? MacroLocation::Top(0) : fileLocation;
    const int32_t from = fileLocation.IsNothing() ? 0 : fileLocation.Index();
    std::vector<MacroLocation> sources;
    for (const MacroLocation& place : scratch.RowOf(row)) {
        if (place.Index() >= from) sources.push_back(place);
    }
    if (sources.empty()) return Refused(EditStatus::NothingToImport);

    const MacroLocation selection = library.selection;
    const Destination destination = DestinationOf(library, selection);
    for (const MacroLocation& place : sources) {
        if (library.RowHasName(destination.row, scratch.At(place)->name)) {
            return Refused(EditStatus::DuplicateName, kTextDuplicateName);
        }
    }
    const bool topLevelSelected = library.Selected() != nullptr && selection.stage == 0;
    for (const MacroLocation& place : sources) {
        const MacroItem& source = *scratch.At(place);
        if (!source.isFolder) {
            ImportMacroAt(library, selection, source);
            continue;
        }
        if (!topLevelSelected) continue;
        const EditReport folder = AddItemAt(library, selection, source.name, true);
        if (!folder.done() || place.stage + 1 >= kMacroStageCount) continue;
        // Only the macros directly inside; deeper folders are not carried over.
        for (const MacroLocation& inside : scratch.RowOf(place.Child(0))) {
            const MacroItem& macro = *scratch.At(inside);
            if (!macro.isFolder) ImportMacroAt(library, folder.location, macro);
        }
    }
    library.selection = selection;
    return {EditStatus::Done, kTextNone, selection};
}

EditReport ImportMacroFileFrom(MacroLibrary& library, const std::filesystem::path& path) {
    MacroLibrary scratch;
    const MacroLoadResult loaded = LoadMacroLibrary(path, scratch);
    return ImportMacroFile(library, scratch, loaded.location);
}

EditReport ImportMacroBundleFrom(MacroLibrary& library, const std::filesystem::path& path) {
    MacroLibrary scratch;
    const MacroLoadResult loaded = LoadMacroLibrary(path, scratch);
    if (loaded.outcome == MacroLoad::NotOpened || loaded.outcome == MacroLoad::WrongHeader) {
        return Refused(EditStatus::NothingToImport);
    }
    return ImportMacroBundle(library, scratch, loaded.location);
}

Status ExportMacroLibrary(const std::filesystem::path& path, const MacroLibrary& library) {
    return SaveMacroLibrary(path, library, library.selection);
}

std::optional<std::u16string> SuggestedMacroExportName(const MacroLibrary& library) {
    const MacroItem* selected = library.Selected();
    if (selected == nullptr || selected->isFolder) return std::nullopt;
    return selected->name + u"." + std::u16string(kMacroFileExtension);
}

std::u16string SuggestedBundleExportName(const MacroLibrary& library) {
    const MacroItem* selected = library.Selected();
    if (selected == nullptr) return std::u16string(kWholeLibraryExportName);
    return selected->name + u"." + std::u16string(kMacroBundleExtension);
}

}  // namespace ostrel
