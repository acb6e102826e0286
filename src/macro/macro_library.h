#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "macro/macro_record.h"

namespace ostrel {

// The library is a tree of three stages. Each stage is made of rows of 60 places: the top row
// (stage 0), one row under each top-level place (stage 1) and one under each of those (stage 2).
inline constexpr int32_t kMacroStageCount = 3;
inline constexpr int32_t kMacroRowPlaces = 60;
inline constexpr int32_t kNoStage = -1;  // a location that names nothing (no selection)

// A place in the tree: its stage and the index at each stage; indices below the stage are 0.
struct MacroLocation {
    int32_t stage = kNoStage;
    int32_t stage0Index = 0;
    int32_t stage1Index = 0;
    int32_t stage2Index = 0;

    bool operator==(const MacroLocation&) const = default;

    static constexpr MacroLocation Nothing() { return {}; }
    static constexpr MacroLocation Top(int32_t index) { return {0, index, 0, 0}; }

    bool IsNothing() const { return stage == kNoStage; }
    // Stage -1 to 2 and every index 0 to 59: what a file may carry in its third line.
    bool InRange() const;
    // In range and naming a place (stage 0 to 2): what a file may carry for an item.
    bool IsPlace() const;
    // The place's index within its row. Only for places.
    int32_t Index() const;
    // The place `index` of the same row. Only for places.
    MacroLocation Sibling(int32_t index) const;
    // The place `index` of the row under this place. Only for places of stage 0 and 1.
    MacroLocation Child(int32_t index) const;
    // The same place with the indices beyond its stage set to 0, as the tree keeps it.
    MacroLocation Normalized() const;
};

// An occupied place: a folder or a macro. A macro's record carries the item's name.
struct MacroItem {
    std::u16string name;
    bool isFolder = false;
    bool isOpen = false;  // folders only
    MacroRecord macro;    // macros only

    bool operator==(const MacroItem&) const = default;

    static MacroItem Folder(std::u16string name, bool open = false);
    static MacroItem Macro(MacroRecord record);  // named by the record
};

// The macro library: the occupied places of the tree, the next macro identifier and the
// selection that the manager, the imports and the exports share. Only occupied places take
// memory. UI thread only.
class MacroLibrary {
public:
    uint32_t nextIdentifier = 0;
    MacroLocation selection;  // stage -1: nothing selected

    bool operator==(const MacroLibrary&) const = default;

    bool Empty() const { return m_items.empty(); }
    size_t Size() const { return m_items.size(); }
    // Removes every item and resets the next identifier and the selection.
    void Clear();

    // The item at a place; null for a free place or a location that is no place.
    const MacroItem* At(const MacroLocation& location) const;
    MacroItem* At(const MacroLocation& location);
    // Puts `item` at a place, replacing what was there; a macro's record takes the item's name.
    // Returns false, changing nothing, for a location that is no place or an item without name.
    bool Place(const MacroLocation& location, MacroItem item);
    // Frees a place and every place under it. Returns whether anything was removed.
    bool Remove(const MacroLocation& location);
    // Renames an item (and a macro's record with it).
    bool Rename(const MacroLocation& location, std::u16string name);

    // The occupied places of the row that `place` belongs to, by index.
    std::vector<MacroLocation> RowOf(const MacroLocation& place) const;
    // The lowest free index of that row, none when all 60 places are taken.
    std::optional<int32_t> FirstFreeIndex(const MacroLocation& place) const;
    // Whether an item of the row carries `name`.
    bool RowHasName(const MacroLocation& place, std::u16string_view name) const;
    // The macros at and under a place (a macro itself, or every macro in a folder's subtree).
    std::vector<const MacroItem*> MacrosAtOrUnder(const MacroLocation& place) const;

    // The first macro (never a folder) with `identifier`, searched as the macro slot assignment
    // searches: the top level first, then every second-level row, then every third-level row.
    std::optional<MacroLocation> FindMacro(uint32_t identifier) const;
    // Whether any macro carries `identifier`.
    bool IdentifierInUse(uint32_t identifier) const { return FindMacro(identifier).has_value(); }

    // The selected item, and the current macro (the selected item when it is a macro).
    const MacroItem* Selected() const { return At(selection); }
    MacroRecord* CurrentMacro();

    // Every item in file order: stage by stage, each by its indices.
    template <class Visit>
    void ForEach(Visit visit) const {
        for (const auto& [key, item] : m_items) visit(LocationOfKey(key), item);
    }

private:
    // Keys order places as the file groups them: by stage, then by the indices.
    static uint32_t KeyOf(const MacroLocation& place);
    static MacroLocation LocationOfKey(uint32_t key);

    std::map<uint32_t, MacroItem> m_items;
};

}  // namespace ostrel
