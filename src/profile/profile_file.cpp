#include "profile/profile_file.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "base/number_text.h"
#include "base/utf.h"

namespace ostrel {
namespace {

constexpr std::u16string_view kSectionHeader = u"[Setting]";

using Problem = std::optional<std::string>;

// One line of the file after the header: how it is written and how its value is read back.
struct LineCodec {
    bool keyRequired = true;  // at least one character must precede the "="
    std::function<std::u16string(const ProfileRecord&)> format;
    std::function<Problem(ProfileRecord&, std::u16string_view key, std::u16string_view value)> parse;
};

// Field accessors are generic lambdas `[](auto& r) -> auto& { return r.Field; }`, so that one
// accessor serves the writer (const) and the reader.
template <class Access>
LineCodec ByteLine(std::u16string prefix, Access access) {
    return {true,
            [=](const ProfileRecord& r) { return prefix + u"=" + FormatHex2(access(r)); },
            [=](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                access(r) = HexByteAt(value, 0);
                return std::nullopt;
            }};
}

template <class Access>
LineCodec Word16Line(std::u16string prefix, Access access) {
    return {true,
            [=](const ProfileRecord& r) { return prefix + u"=" + FormatHex4(access(r)); },
            [=](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                access(r) = static_cast<uint16_t>(HexFieldAt(value, 0, 4));
                return std::nullopt;
            }};
}

std::u16string FormatBytes(const uint8_t* bytes, size_t count) {
    std::u16string text;
    for (size_t i = 0; i < count; ++i) text += FormatHex2(bytes[i]);
    return text;
}

std::u16string FormatColor(ColorValue color) {
    return FormatHex2(RedOf(color)) + FormatHex2(GreenOf(color)) + FormatHex2(BlueOf(color));
}

ColorValue ColorAt(std::u16string_view value, size_t offset) {
    return MakeColor(HexByteAt(value, offset), HexByteAt(value, offset + 2),
                     HexByteAt(value, offset + 4));
}

template <class Access>
LineCodec TripleLine(std::u16string prefix, Access access) {
    return {true,
            [=](const ProfileRecord& r) { return prefix + u"=" + FormatBytes(access(r).data(), 3); },
            [=](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                for (size_t i = 0; i < 3; ++i) access(r)[i] = HexByteAt(value, 2 * i);
                return std::nullopt;
            }};
}

template <class Access>
LineCodec ColorLine(std::u16string prefix, Access access) {
    return {true, [=](const ProfileRecord& r) { return prefix + u"=" + FormatColor(access(r)); },
            [=](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                access(r) = ColorAt(value, 0);
                return std::nullopt;
            }};
}

template <class Access>
LineCodec TextLine(std::u16string prefix, Access access, bool keyRequired = true) {
    return {keyRequired, [=](const ProfileRecord& r) { return prefix + u"=" + access(r); },
            [=](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                access(r) = std::u16string(value);
                return std::nullopt;
            }};
}

// Simple list: entry k is the pair at offset 3k.
template <class Access>
LineCodec ByteListLine(std::u16string prefix, Access access) {
    return {true,
            [=](const ProfileRecord& r) {
                std::vector<std::u16string> entries;
                for (uint8_t byte : access(r)) entries.push_back(FormatHex2(byte));
                return prefix + u"=" + JoinSimpleList(entries);
            },
            [=](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                for (size_t k = 0; k < kEffectCount; ++k) access(r)[k] = HexByteAt(value, 3 * k);
                return std::nullopt;
            }};
}

LineCodec ColorSelectedLine() {
    return {true,
            [](const ProfileRecord& r) {
                std::vector<std::u16string> entries;
                for (const auto& group : r.Lighting1ColorSelected) {
                    for (uint8_t byte : group) entries.push_back(FormatHex2(byte));
                }
                return u"\tLighting1ColorSelected=" + JoinGroupedList(entries, kColorSlotCount);
            },
            [](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                for (size_t n = 0; n < kEffectCount * kColorSlotCount; ++n) {
                    r.Lighting1ColorSelected[n / kColorSlotCount][n % kColorSlotCount] =
                        HexByteAt(value, 3 * n);
                }
                return std::nullopt;
            }};
}

LineCodec FixedColorLine() {
    return {true,
            [](const ProfileRecord& r) {
                std::vector<std::u16string> entries;
                for (const auto& group : r.Lighting1FixedColor) {
                    for (ColorValue color : group) entries.push_back(FormatColor(color));
                }
                return u"\tLighting1FixedColor=" + JoinGroupedList(entries, kColorSlotCount);
            },
            [](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                for (size_t n = 0; n < kEffectCount * kColorSlotCount; ++n) {
                    r.Lighting1FixedColor[n / kColorSlotCount][n % kColorSlotCount] =
                        ColorAt(value, 7 * n);
                }
                return std::nullopt;
            }};
}

LineCodec SettingLine(size_t index) {
    return {true,
            [=](const ProfileRecord& r) {
                return r.settings[index].key + u"=" + r.settings[index].value;
            },
            [=](ProfileRecord& r, std::u16string_view key, std::u16string_view value) -> Problem {
                r.settings[index] = {std::u16string(key), std::u16string(value)};
                return std::nullopt;
            }};
}

// MacroKeyIndex and MacroActionNum: decimal, never empty.
template <class Access>
LineCodec DecimalLine(std::u16string prefix, Access access, uint32_t maximum) {
    return {false, [=](const ProfileRecord& r) { return prefix + u"=" + FormatUnsigned(access(r)); },
            [=](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                if (value.empty()) return "the number after \"=\" is missing";
                const int32_t number = ParseDecimal(value);
                access(r) = std::min<uint32_t>(number < 0 ? 0 : uint32_t(number), maximum);
                return std::nullopt;
            }};
}

LineCodec AllActionLine(size_t button) {
    return {false,
            [=](const ProfileRecord& r) {
                std::u16string line = u"\t\tAllAction=";
                for (const MacroAction& action : r.keys[button].macro.actions) {
                    line += FormatBytes(action.data(), action.size());
                }
                return line;
            },
            [=](ProfileRecord& r, std::u16string_view, std::u16string_view value) -> Problem {
                if (value.size() != kAllActionLength) {
                    return "AllAction holds " + std::to_string(value.size()) +
                           " characters instead of " + std::to_string(kAllActionLength);
                }
                auto& actions = r.keys[button].macro.actions;
                for (size_t j = 0; j < actions.size(); ++j) {
                    for (size_t b = 0; b < 4; ++b) actions[j][b] = HexByteAt(value, 8 * j + 2 * b);
                }
                return std::nullopt;
            }};
}

std::vector<LineCodec> BuildLayout() {
    std::vector<LineCodec> lines;
    for (size_t i = 0; i < kProfileSettingCount; ++i) lines.push_back(SettingLine(i));
    lines.push_back(ByteLine(u"DPIOffOnFlagValue", [](auto& r) -> auto& { return r.DPIOffOnFlagValue; }));
    for (size_t n = 0; n < kDpiLevelCount; ++n) {
        lines.push_back(Word16Line(u"\tXYSetting" + FormatUnsigned(n + 1) + u"Value",
                                   [n](auto& r) -> auto& { return r.XYSetting[n]; }));
    }
    lines.push_back(
        ByteLine(u"\tCurrentDPILevelValue", [](auto& r) -> auto& { return r.CurrentDPILevelValue; }));
    for (size_t n = 0; n < kDpiLevelCount; ++n) {
        lines.push_back(ColorLine(u"\tDPILevelIndication" + FormatUnsigned(n) + u"Valuer",
                                  [n](auto& r) -> auto& { return r.DPILevelIndication[n]; }));
    }
    lines.push_back(ByteLine(u"\tAngleSnapValue", [](auto& r) -> auto& { return r.AngleSnapValue; }));
    lines.push_back(
        ByteLine(u"\tLiftDetectionValue", [](auto& r) -> auto& { return r.LiftDetectionValue; }));
    lines.push_back(TextLine(u"PollingRateName", [](auto& r) -> auto& { return r.PollingRateName; }));
    lines.push_back(
        TripleLine(u"\tPollingRateValue", [](auto& r) -> auto& { return r.PollingRateValue; }));
    lines.push_back(TextLine(u"Lighting1Name", [](auto& r) -> auto& { return r.Lighting1Name; }));
    lines.push_back(
        TripleLine(u"\tLighting1ModeValue", [](auto& r) -> auto& { return r.Lighting1ModeValue; }));
    lines.push_back(ByteLine(u"\tLighting1OffOn", [](auto& r) -> auto& { return r.Lighting1OffOn; }));
    lines.push_back(
        ByteListLine(u"\tLighting1Speed", [](auto& r) -> auto& { return r.Lighting1Speed; }));
    lines.push_back(ByteListLine(u"\tLighting1Brightness",
                                 [](auto& r) -> auto& { return r.Lighting1Brightness; }));
    lines.push_back(ColorSelectedLine());
    lines.push_back(FixedColorLine());
    lines.push_back(
        ByteListLine(u"\tLighting1Direction", [](auto& r) -> auto& { return r.Lighting1Direction; }));
    lines.push_back(TextLine(u"Lighting2Name", [](auto& r) -> auto& { return r.Lighting2Name; }));
    lines.push_back(
        TripleLine(u"\tLighting2ModeValue", [](auto& r) -> auto& { return r.Lighting2ModeValue; }));
    lines.push_back(ByteLine(u"\tLighting2OffOn", [](auto& r) -> auto& { return r.Lighting2OffOn; }));
    lines.push_back(ByteLine(u"\tLighting2Speed", [](auto& r) -> auto& { return r.Lighting2Speed; }));
    lines.push_back(
        ByteLine(u"\tLighting2Brightness", [](auto& r) -> auto& { return r.Lighting2Brightness; }));
    lines.push_back(
        ColorLine(u"\tLighting2FixedColor", [](auto& r) -> auto& { return r.Lighting2FixedColor; }));
    for (size_t k = 0; k < kButtonCount; ++k) {
        const std::u16string number = FormatUnsigned(k);
        lines.push_back(
            TextLine(u"Key" + number + u"Name", [k](auto& r) -> auto& { return r.keys[k].name; }));
        lines.push_back(TripleLine(u"\tKey" + number + u"Value",
                                   [k](auto& r) -> auto& { return r.keys[k].code; }));
        lines.push_back(DecimalLine(u"\tMacroKeyIndex",
                                    [k](auto& r) -> auto& { return r.keys[k].MacroKeyIndex; },
                                    UINT32_MAX));
        lines.push_back(TextLine(u"\tMacroKey" + number + u"Name",
                                 [k](auto& r) -> auto& { return r.keys[k].macro.name; }, false));
        lines.push_back(DecimalLine(u"\t\tMacroActionNum",
                                    [k](auto& r) -> auto& { return r.keys[k].macro.actionCount; },
                                    kMaxMacroActions));
        lines.push_back(AllActionLine(k));
    }
    return lines;
}

const std::vector<LineCodec>& Layout() {
    static const std::vector<LineCodec> layout = BuildLayout();
    return layout;
}

std::string AtLine(size_t lineNumber, const std::string& what) {
    return "line " + std::to_string(lineNumber) + ": " + what;
}

// What the binding of a macro button implies for the fields the file does not carry.
void DeriveMacroFields(KeySlot& slot) {
    MacroRecord& macro = slot.macro;
    size_t events = 0;
    for (size_t j = 0; j < macro.actionCount; ++j) {
        if (!IsDelayAction(macro.actions[j])) ++events;
    }
    macro.eventCount = static_cast<uint8_t>(std::min(events, kMaxMacroEvents));
    const uint8_t mode = slot.code[1] >> 4;
    const bool knownMode = mode == kLoopUntilReleased || mode == kLoopCount ||
                           mode == kLoopUntilPressedAgain;
    macro.loopMode = knownMode ? mode : kLoopCount;
    macro.loopCount = macro.loopMode == kLoopCount && slot.code[2] != 0 ? slot.code[2] : 1;
}

}  // namespace

std::vector<std::u16string> FormatProfileFile(const ProfileRecord& record) {
    std::vector<std::u16string> lines;
    lines.reserve(kProfileFileLineCount);
    lines.emplace_back(kSectionHeader);
    for (const LineCodec& codec : Layout()) lines.push_back(codec.format(record));
    return lines;
}

Result<ProfileRecord> ParseProfileFile(const std::vector<std::u16string>& lines) {
    if (lines.empty() || lines[0] != kSectionHeader) {
        return Result<ProfileRecord>::Failure(AtLine(1, "the first line is not \"[Setting]\""));
    }
    ProfileRecord record;
    const std::vector<LineCodec>& layout = Layout();
    for (size_t i = 0; i < layout.size(); ++i) {
        const size_t lineNumber = i + 2;
        if (lineNumber > lines.size()) {
            return Result<ProfileRecord>::Failure(AtLine(
                lineNumber, "missing: the file ends after line " + std::to_string(lines.size()) +
                                " of " + std::to_string(kProfileFileLineCount)));
        }
        const std::u16string_view line = lines[lineNumber - 1];
        const size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            return Result<ProfileRecord>::Failure(AtLine(lineNumber, "no \"=\" in the line"));
        }
        if (equals == 0 && layout[i].keyRequired) {
            return Result<ProfileRecord>::Failure(AtLine(lineNumber, "no key before \"=\""));
        }
        if (Problem problem = layout[i].parse(record, line.substr(0, equals), line.substr(equals + 1))) {
            return Result<ProfileRecord>::Failure(AtLine(lineNumber, *problem));
        }
    }
    for (KeySlot& slot : record.keys) {
        if (slot.code[0] == kCodeMacro) DeriveMacroFields(slot);
    }
    return record;
}

}  // namespace ostrel
