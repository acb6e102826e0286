#include "macro/macro_library.h"

#include <utility>

namespace ostrel {
namespace {

constexpr uint32_t kRow = kMacroRowPlaces;
constexpr uint32_t kStage1Span = kRow;               // keys one stage-1 place covers
constexpr uint32_t kStage0Span = kRow * kRow;        // keys one top-level place covers
constexpr uint32_t kStageSpan = kRow * kRow * kRow;  // keys of a whole stage

bool IndexInRange(int32_t index) { return index >= 0 && index < kMacroRowPlaces; }

// A range of keys, both ends included.
struct KeyRange {
    uint32_t first;
    uint32_t last;
};

}  // namespace

bool MacroLocation::InRange() const {
    return stage >= kNoStage && stage < kMacroStageCount && IndexInRange(stage0Index) &&
           IndexInRange(stage1Index) && IndexInRange(stage2Index);
}

bool MacroLocation::IsPlace() const { return InRange() && stage != kNoStage; }

int32_t MacroLocation::Index() const {
    return stage == 0 ? stage0Index : stage == 1 ? stage1Index : stage2Index;
}

MacroLocation MacroLocation::Sibling(int32_t index) const {
    MacroLocation sibling = Normalized();
    (stage == 0 ? sibling.stage0Index : stage == 1 ? sibling.stage1Index : sibling.stage2Index) =
        index;
    return sibling;
}

MacroLocation MacroLocation::Child(int32_t index) const {
    MacroLocation child = Normalized();
    child.stage = stage + 1;
    (stage == 0 ? child.stage1Index : child.stage2Index) = index;
    return child;
}

MacroLocation MacroLocation::Normalized() const {
    return {stage, stage >= 0 ? stage0Index : 0, stage >= 1 ? stage1Index : 0,
            stage >= 2 ? stage2Index : 0};
}

MacroItem MacroItem::Folder(std::u16string name, bool open) {
    MacroItem item;
    item.name = std::move(name);
    item.isFolder = true;
    item.isOpen = open;
    return item;
}

MacroItem MacroItem::Macro(MacroRecord record) {
    MacroItem item;
    item.name = record.name;
    item.macro = std::move(record);
    return item;
}

void MacroLibrary::Clear() {
    m_items.clear();
    nextIdentifier = 0;
    selection = MacroLocation::Nothing();
}

uint32_t MacroLibrary::KeyOf(const MacroLocation& place) {
    const MacroLocation p = place.Normalized();
    return uint32_t(p.stage) * kStageSpan + uint32_t(p.stage0Index) * kStage0Span +
           uint32_t(p.stage1Index) * kStage1Span + uint32_t(p.stage2Index);
}

MacroLocation MacroLibrary::LocationOfKey(uint32_t key) {
    return {int32_t(key / kStageSpan), int32_t(key / kStage0Span % kRow),
            int32_t(key / kStage1Span % kRow), int32_t(key % kRow)};
}

const MacroItem* MacroLibrary::At(const MacroLocation& location) const {
    if (!location.IsPlace()) return nullptr;
    const auto found = m_items.find(KeyOf(location));
    return found == m_items.end() ? nullptr : &found->second;
}

MacroItem* MacroLibrary::At(const MacroLocation& location) {
    return const_cast<MacroItem*>(std::as_const(*this).At(location));
}

bool MacroLibrary::Place(const MacroLocation& location, MacroItem item) {
    if (!location.IsPlace() || item.name.empty()) return false;
    if (!item.isFolder) {
        item.isOpen = false;
        item.macro.name = item.name;
    }
    m_items.insert_or_assign(KeyOf(location), std::move(item));
    return true;
}

bool MacroLibrary::Remove(const MacroLocation& location) {
    if (!location.IsPlace()) return false;
    const MacroLocation place = location.Normalized();
    bool removed = m_items.erase(KeyOf(place)) != 0;
    // A folder's subtree: its rows at the deeper stages are contiguous key ranges.
    std::vector<KeyRange> below;
    const uint32_t top = uint32_t(place.stage0Index) * kStage0Span;
    if (place.stage == 0) {
        below.push_back({kStageSpan + top, kStageSpan + top + kStage0Span - 1});
        below.push_back({2 * kStageSpan + top, 2 * kStageSpan + top + kStage0Span - 1});
    } else if (place.stage == 1) {
        const uint32_t first = 2 * kStageSpan + top + uint32_t(place.stage1Index) * kStage1Span;
        below.push_back({first, first + kStage1Span - 1});
    }
    for (const KeyRange& range : below) {
        const auto begin = m_items.lower_bound(range.first);
        const auto end = m_items.upper_bound(range.last);
        removed = removed || begin != end;
        m_items.erase(begin, end);
    }
    if (removed && At(selection) == nullptr) selection = MacroLocation::Nothing();
    return removed;
}

bool MacroLibrary::Rename(const MacroLocation& location, std::u16string name) {
    MacroItem* item = At(location);
    if (item == nullptr || name.empty()) return false;
    if (!item->isFolder) item->macro.name = name;
    item->name = std::move(name);
    return true;
}

std::vector<MacroLocation> MacroLibrary::RowOf(const MacroLocation& place) const {
    std::vector<MacroLocation> row;
    if (!place.IsPlace()) return row;
    const auto begin = m_items.lower_bound(KeyOf(place.Sibling(0)));
    const auto end = m_items.upper_bound(KeyOf(place.Sibling(kMacroRowPlaces - 1)));
    for (auto it = begin; it != end; ++it) row.push_back(LocationOfKey(it->first));
    return row;
}

std::optional<int32_t> MacroLibrary::FirstFreeIndex(const MacroLocation& place) const {
    int32_t index = 0;
    for (const MacroLocation& used : RowOf(place)) {
        if (used.Index() != index) break;
        ++index;
    }
    if (index >= kMacroRowPlaces || !place.IsPlace()) return std::nullopt;
    return index;
}

bool MacroLibrary::RowHasName(const MacroLocation& place, std::u16string_view name) const {
    for (const MacroLocation& used : RowOf(place)) {
        if (At(used)->name == name) return true;
    }
    return false;
}

std::vector<const MacroItem*> MacroLibrary::MacrosAtOrUnder(const MacroLocation& place) const {
    std::vector<const MacroItem*> macros;
    const MacroItem* item = At(place);
    if (item == nullptr) return macros;
    if (!item->isFolder) macros.push_back(item);
    if (place.stage + 1 >= kMacroStageCount) return macros;
    for (const MacroLocation& child : RowOf(place.Child(0))) {
        for (const MacroItem* macro : MacrosAtOrUnder(child)) macros.push_back(macro);
    }
    return macros;
}

std::optional<MacroLocation> MacroLibrary::FindMacro(uint32_t identifier) const {
    // The key order is stage by stage, which is the order of the slot assignment's search.
    for (const auto& [key, item] : m_items) {
        if (!item.isFolder && item.macro.identifier == identifier) return LocationOfKey(key);
    }
    return std::nullopt;
}

MacroRecord* MacroLibrary::CurrentMacro() {
    MacroItem* item = At(selection);
    return item != nullptr && !item->isFolder ? &item->macro : nullptr;
}

}  // namespace ostrel
