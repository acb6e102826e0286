#include "macro/macro_record.h"

#include <algorithm>

#include "assign/key_tables.h"
#include "base/number_text.h"

namespace ostrel {
namespace {

constexpr size_t kCompositeActions = 3;
constexpr size_t kCompositeEvents = 2;

bool HasRoomForComposite(const MacroRecord& macro) {
    return UsedActions(macro) + kCompositeActions <= kMaxMacroActions &&
           macro.eventCount + kCompositeEvents <= kMaxMacroEvents;
}

// Press, hold delay, release of `code` at `index`; the caller has checked the room.
void InsertPressAndRelease(MacroRecord& macro, size_t index, uint8_t code) {
    index = std::min(index, UsedActions(macro));
    InsertAction(macro, index, MakeKeyAction(code, false));
    InsertAction(macro, index + 1, MakeDelayAction(kClickHoldMs));
    InsertAction(macro, index + 2, MakeKeyAction(code, true));
}

bool IsPlaceholderAt(const MacroRecord& macro, size_t index) {
    if (index + 2 >= UsedActions(macro)) return false;
    const MacroAction& press = macro.actions[index];
    const MacroAction& release = macro.actions[index + 2];
    return !IsDelayAction(press) && !IsReleaseAction(press) &&
           IsDelayAction(macro.actions[index + 1]) && !IsDelayAction(release) &&
           IsReleaseAction(release) && press[0] == release[0];
}

std::u16string Counted(std::u16string_view words, int value) {
    return std::u16string(words) + u" " + FormatDecimal(value);
}

}  // namespace

MacroAction MakeDelayAction(uint32_t ms) {
    ms = std::min(ms, kMaxDelayMs);
    return {kDelayActionType, static_cast<uint8_t>(ms >> 16), static_cast<uint8_t>(ms >> 8),
            static_cast<uint8_t>(ms)};
}

uint32_t DelayOf(const MacroAction& action) {
    return (uint32_t(action[1]) << 16) | (uint32_t(action[2]) << 8) | action[3];
}

MacroAction MakeKeyAction(uint8_t code, bool release) {
    return {code, release ? kReleaseFlag : uint8_t(0), 0, 0};
}

size_t UsedActions(const MacroRecord& macro) {
    return std::min<size_t>(macro.actionCount, kMaxMacroActions);
}

bool InsertAction(MacroRecord& macro, size_t index, const MacroAction& action) {
    const size_t count = UsedActions(macro);
    if (count >= kMaxMacroActions) return false;
    if (index > count) {
        macro.actions[count] = action;
    } else {
        std::copy_backward(macro.actions.begin() + index, macro.actions.end() - 1,
                           macro.actions.end());
        macro.actions[index] = action;
    }
    macro.actionCount = static_cast<uint32_t>(count + 1);
    return true;
}

bool ReplaceAction(MacroRecord& macro, size_t index, const MacroAction& action) {
    if (index >= kMaxMacroActions) return false;
    macro.actions[index] = action;
    return true;
}

bool RemoveAction(MacroRecord& macro, size_t index) {
    const size_t count = UsedActions(macro);
    if (index >= count) return false;
    std::copy(macro.actions.begin() + index + 1, macro.actions.end(),
              macro.actions.begin() + index);
    macro.actions.back() = MacroAction{};
    macro.actionCount = static_cast<uint32_t>(count - 1);
    return true;
}

void CopyMacro(MacroRecord& target, const MacroRecord& source) {
    if (&target == &source) return;
    target.name = source.name;
    target.identifier = source.identifier;
    target.loopMode = source.loopMode;
    target.loopCount = source.loopCount;
    target.eventCount = source.eventCount;
    target.actionCount = 0;
    // Appending past the count, so the target's unused slots are not shifted.
    const size_t count = UsedActions(source);
    for (size_t i = 0; i < count; ++i) InsertAction(target, kMaxMacroActions, source.actions[i]);
}

bool InsertClick(MacroRecord& macro, size_t index, uint8_t buttonCode) {
    if (buttonCode < kFirstEventCode || !HasRoomForComposite(macro)) return false;
    InsertPressAndRelease(macro, index, buttonCode);
    macro.eventCount += kCompositeEvents;
    return true;
}

bool InsertKeyPlaceholder(MacroRecord& macro, size_t index) {
    if (!HasRoomForComposite(macro)) return false;
    InsertPressAndRelease(macro, index, kNewKeyCode);
    return true;
}

bool ConfirmKeyInsertion(MacroRecord& macro, size_t index, uint8_t keyCode) {
    if (keyCode < kFirstEventCode || !IsPlaceholderAt(macro, index)) return false;
    if (macro.eventCount + kCompositeEvents > kMaxMacroEvents) return false;
    macro.actions[index][0] = keyCode;
    macro.actions[index + 2][0] = keyCode;
    macro.eventCount += kCompositeEvents;
    return true;
}

bool CancelKeyInsertion(MacroRecord& macro, size_t index) {
    if (!IsPlaceholderAt(macro, index)) return false;
    for (size_t i = 0; i < kCompositeActions; ++i) RemoveAction(macro, index);
    return true;
}

bool InsertDelay(MacroRecord& macro, size_t index) {
    return InsertAction(macro, std::min(index, UsedActions(macro)), MakeDelayAction(kNewDelayMs));
}

ActionText DescribeAction(const MacroAction& action) {
    if (IsDelayAction(action)) return {FormatUnsigned(DelayOf(action)) + u"ms", ActionMark::None};
    // Movements carry a signed distance in byte 3: negative is left, up and wheel up.
    const int distance = static_cast<int8_t>(action[3]);
    const int amount = distance < 0 ? -distance : distance;
    switch (action[0]) {
        case kVkMouseMoveX:
            return {Counted(distance < 0 ? u"Move Left" : u"Move Right", amount), ActionMark::None};
        case kVkMouseMoveY:
            return {Counted(distance < 0 ? u"Move Up" : u"Move Down", amount), ActionMark::None};
        case kVkMouseWheel:
            return {Counted(distance < 0 ? u"Wheel Up" : u"Wheel Down", amount), ActionMark::None};
        default:
            return {std::u16string(KeyName(action[0])),
                    IsReleaseAction(action) ? ActionMark::Release : ActionMark::Press};
    }
}

}  // namespace ostrel
