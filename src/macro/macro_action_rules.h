#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "macro/macro_record.h"
#include "macro/macro_texts.h"

namespace ostrel {

// The macro manager's rules for the current macro's action list and loop settings. A null
// `current` means no macro is selected.

// Where the insert list inserts: after the selected action, at the end without a selection.
size_t InsertionPoint(const MacroRecord& macro, std::optional<size_t> selectedAction);

struct InsertOutcome {
    bool done = false;
    uint16_t messageText = kTextNone;    // kTextSelectMacroBeforeInsert or kTextInsertFull
    std::optional<size_t> actionToEdit;  // the action the editor opens on (key or delay)
    std::optional<size_t> selectAction;  // the action to select afterwards
    bool insertedForEditor = false;      // the edited action is new: Cancel takes it out again
};

// Left, right or middle click (kVkMouseLeft, kVkMouseRight, kVkMouseMiddle): selects the release.
InsertOutcome InsertClickRule(MacroRecord* current, std::optional<size_t> selectedAction,
                              uint8_t buttonCode);
// A key placeholder for the key editor; finish with ConfirmKeyInsertion or CancelKeyInsertion.
InsertOutcome InsertKeyRule(MacroRecord* current, std::optional<size_t> selectedAction);
// A delay: the delay just before the insertion point is edited instead of adding a second one;
// otherwise a new delay is inserted for the editor (remove it on Cancel when insertedForEditor).
InsertOutcome InsertDelayRule(MacroRecord* current, std::optional<size_t> selectedAction);

// Which editor the edit button opens on an action: none for mouse buttons and movements.
enum class ActionEditor { None, Delay, Key };
ActionEditor EditorFor(const MacroAction& action);

// Deletes action `index` and keeps the event count: one less when it was no delay. Returns the
// action selected afterwards: the same index, or the new last action when the last was removed,
// and none for an empty list or a refused removal.
struct ActionDeletion {
    bool removed = false;
    std::optional<size_t> selection;
};
ActionDeletion DeleteActionRule(MacroRecord& macro, size_t index);

// Loop settings. The radio buttons store mode 1, 4 or 2; the count field is shown for mode 2.
bool SetLoopMode(MacroRecord& macro, uint8_t mode);
bool LoopCountFieldShown(const MacroRecord& macro);
std::u16string LoopCountFieldText(const MacroRecord& macro);

// The count field takes digits and backspace; Enter and Escape are swallowed; anything else is
// refused with kTextDigitsOnly.
enum class FieldKey { Accept, Swallow, Refuse };
FieldKey LoopCountFieldKey(char16_t key);

// A change of the field's text: the value stored (1 to 255) and, when the text had to be
// corrected, the text to put in the field with the caret at its end.
struct LoopCountChange {
    uint8_t value = 1;
    std::optional<std::u16string> replacementText;
};
LoopCountChange ApplyLoopCountText(MacroRecord& macro, std::u16string_view text);

}  // namespace ostrel
