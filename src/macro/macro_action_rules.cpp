#include "macro/macro_action_rules.h"

#include <algorithm>

#include "assign/key_tables.h"
#include "base/number_text.h"

namespace ostrel {
namespace {

constexpr char16_t kBackspace = u'\b';
constexpr char16_t kEnter = u'\r';
constexpr char16_t kEscape = u'\x1B';
constexpr uint8_t kMinLoopCount = 1;
constexpr uint8_t kMaxLoopCount = 255;

InsertOutcome Refused(uint16_t messageText) { return {false, messageText, {}, {}, false}; }

}  // namespace

size_t InsertionPoint(const MacroRecord& macro, std::optional<size_t> selectedAction) {
    const size_t count = UsedActions(macro);
    return selectedAction && *selectedAction < count ? *selectedAction + 1 : count;
}

InsertOutcome InsertClickRule(MacroRecord* current, std::optional<size_t> selectedAction,
                              uint8_t buttonCode) {
    if (current == nullptr) return Refused(kTextSelectMacroBeforeInsert);
    const size_t at = InsertionPoint(*current, selectedAction);
    if (!InsertClick(*current, at, buttonCode)) return Refused(kTextInsertFull);
    return {true, kTextNone, std::nullopt, at + 2, false};
}

InsertOutcome InsertKeyRule(MacroRecord* current, std::optional<size_t> selectedAction) {
    if (current == nullptr) return Refused(kTextSelectMacroBeforeInsert);
    const size_t at = InsertionPoint(*current, selectedAction);
    if (!InsertKeyPlaceholder(*current, at)) return Refused(kTextInsertFull);
    return {true, kTextNone, at, at + 2, true};
}

InsertOutcome InsertDelayRule(MacroRecord* current, std::optional<size_t> selectedAction) {
    if (current == nullptr) return Refused(kTextSelectMacroBeforeInsert);
    const size_t at = InsertionPoint(*current, selectedAction);
    if (at > 0 && IsDelayAction(current->actions[at - 1])) {
        return {true, kTextNone, at - 1, at - 1, false};
    }
    // A full list has no room for the delay; editing some other action instead would be wrong.
    if (!InsertDelay(*current, at)) return Refused(kTextInsertFull);
    return {true, kTextNone, at, at, true};
}

ActionEditor EditorFor(const MacroAction& action) {
    if (IsDelayAction(action)) return ActionEditor::Delay;
    if (action[0] >= kVkMouseLeft && action[0] <= kVkMouseWheel) return ActionEditor::None;
    return ActionEditor::Key;
}

ActionDeletion DeleteActionRule(MacroRecord& macro, size_t index) {
    if (index >= UsedActions(macro)) return {};
    const bool wasEvent = !IsDelayAction(macro.actions[index]);
    RemoveAction(macro, index);
    // A count read from a file may already be short; it must not wrap round.
    if (wasEvent && macro.eventCount > 0) --macro.eventCount;
    const size_t count = UsedActions(macro);
    if (count == 0) return {true, std::nullopt};
    return {true, std::min(index, count - 1)};
}

bool SetLoopMode(MacroRecord& macro, uint8_t mode) {
    if (mode != kLoopUntilReleased && mode != kLoopUntilPressedAgain && mode != kLoopCount) {
        return false;
    }
    macro.loopMode = mode;
    return true;
}

bool LoopCountFieldShown(const MacroRecord& macro) { return macro.loopMode == kLoopCount; }

std::u16string LoopCountFieldText(const MacroRecord& macro) {
    return FormatUnsigned(macro.loopCount);
}

FieldKey LoopCountFieldKey(char16_t key) {
    if ((key >= u'0' && key <= u'9') || key == kBackspace) return FieldKey::Accept;
    if (key == kEnter || key == u'\n' || key == kEscape) return FieldKey::Swallow;
    return FieldKey::Refuse;
}

LoopCountChange ApplyLoopCountText(MacroRecord& macro, std::u16string_view text) {
    const int32_t number = ParseDecimal(text);
    LoopCountChange change;
    if (number > kMaxLoopCount) {
        change.value = kMaxLoopCount;
    } else if (number < kMinLoopCount) {
        change.value = kMinLoopCount;
    } else {
        change.value = static_cast<uint8_t>(number);
    }
    if (change.value != number) change.replacementText = FormatUnsigned(change.value);
    macro.loopCount = change.value;
    return change;
}

}  // namespace ostrel
