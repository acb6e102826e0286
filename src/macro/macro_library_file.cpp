#include "macro/macro_library_file.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <type_traits>
#include <utility>

#include "base/number_text.h"
#include "profile/config_store.h"
#include "profile/text_file.h"

namespace ostrel {
namespace fs = std::filesystem;

namespace {

using Problem = std::optional<std::string>;

constexpr size_t kAllActionDigits = kMaxMacroActions * 8;
constexpr size_t kLocationNumbers = 4;

std::string AtLine(size_t lineNumber, const std::string& what) {
    return "line " + std::to_string(lineNumber) + ": " + what;
}

// A decimal field of an item: negative reads as 0, anything above `maximum` as `maximum`.
uint32_t DecimalField(std::u16string_view value, uint32_t maximum) {
    const int32_t number = ParseDecimal(value);
    return std::min<uint32_t>(number < 0 ? 0 : uint32_t(number), maximum);
}

// Lines 5 to 10 of a macro item, after the stage's tabs.
struct MacroLineCodec {
    std::u16string_view key;
    std::function<std::u16string(const MacroRecord&)> format;
    std::function<Problem(MacroRecord&, std::u16string_view value)> parse;
};

// Fields of fewer bits than the line can carry are read with their range as the limit.
template <class Access>
MacroLineCodec NumberLine(std::u16string_view key, Access access, uint32_t maximum) {
    return {key, [=](const MacroRecord& r) { return FormatUnsigned(access(r)); },
            [=](MacroRecord& r, std::u16string_view value) -> Problem {
                access(r) = static_cast<std::remove_reference_t<decltype(access(r))>>(
                    DecimalField(value, maximum));
                return std::nullopt;
            }};
}

MacroLineCodec AllActionLine() {
    return {u"AllAction=", [](const MacroRecord& r) { return FormatAllAction(r); },
            [](MacroRecord& r, std::u16string_view value) -> Problem {
                if (value.size() != kAllActionDigits) {
                    return "AllAction holds " + std::to_string(value.size()) +
                           " characters instead of " + std::to_string(kAllActionDigits);
                }
                for (size_t j = 0; j < kMaxMacroActions; ++j) {
                    for (size_t b = 0; b < 4; ++b) {
                        r.actions[j][b] = HexByteAt(value, 8 * j + 2 * b);
                    }
                }
                return std::nullopt;
            }};
}

const std::vector<MacroLineCodec>& MacroLines() {
    // Identifiers are read as the profile file reads a button's MacroKeyIndex, so that a binding
    // and its macro always read back to the same number.
    static const std::vector<MacroLineCodec> lines = {
        NumberLine(u"MacroKeyIndex=", [](auto& r) -> auto& { return r.identifier; },
                   uint32_t(INT32_MAX)),
        NumberLine(u"MacroKeyLoopType=", [](auto& r) -> auto& { return r.loopMode; }, UINT8_MAX),
        NumberLine(u"MacroKeyLoopNum=", [](auto& r) -> auto& { return r.loopCount; }, UINT8_MAX),
        NumberLine(u"MacroActionNum=", [](auto& r) -> auto& { return r.actionCount; },
                   kMaxMacroActions),
        NumberLine(u"MacroCommandActionNum=", [](auto& r) -> auto& { return r.eventCount; },
                   kMaxMacroEvents),
        AllActionLine(),
    };
    return lines;
}

std::u16string FormatLocation(std::u16string_view key, const MacroLocation& l) {
    return std::u16string(key) + u"stage=" + FormatDecimal(l.stage) + u";stage0Index=" +
           FormatDecimal(l.stage0Index) + u";stage1Index=" + FormatDecimal(l.stage1Index) +
           u";stage2Index=" + FormatDecimal(l.stage2Index) + u";";
}

// The four numbers of a location line: the texts between each "=" and the ";" after it.
std::optional<MacroLocation> ParseLocation(std::u16string_view line) {
    int32_t numbers[kLocationNumbers] = {};
    size_t from = 0;
    for (int32_t& number : numbers) {
        const size_t equals = line.find(u'=', from);
        if (equals == std::u16string_view::npos) return std::nullopt;
        const size_t end = line.find(u';', equals + 1);
        if (end == std::u16string_view::npos) return std::nullopt;
        number = ParseDecimal(line.substr(equals + 1, end - equals - 1));
        from = end + 1;
    }
    return MacroLocation{numbers[0], numbers[1], numbers[2], numbers[3]};
}

// A line feed in a name would split its line and end every later load there.
std::u16string NameForFile(std::u16string name) {
    std::replace(name.begin(), name.end(), u'\n', u' ');
    return name;
}

// Hands out the lines of a file in order, with the stop rules of the reader.
class LineCursor {
public:
    explicit LineCursor(const std::vector<std::u16string>& lines, size_t next)
        : m_lines(lines), m_next(next) {}

    bool AtEnd() const { return m_next >= m_lines.size(); }
    size_t LineNumber() const { return m_next + 1; }  // of the next line

    // The next line, or the problem that stops the read when there is none.
    std::optional<std::u16string_view> Line(std::string& problem) {
        if (AtEnd()) {
            problem = AtLine(LineNumber(), "missing: the file ends after line " +
                                               std::to_string(m_lines.size()));
            return std::nullopt;
        }
        return std::u16string_view(m_lines[m_next++]);
    }

    // The text after the first "=" of the next line; a line without "=" or with nothing after
    // it stops the read.
    std::optional<std::u16string_view> Value(std::string& problem) {
        const size_t lineNumber = LineNumber();
        auto line = Line(problem);
        if (!line) return std::nullopt;
        const size_t equals = line->find(u'=');
        if (equals == std::u16string_view::npos) {
            problem = AtLine(lineNumber, "no \"=\" in the line");
            return std::nullopt;
        }
        if (equals + 1 == line->size()) {
            problem = AtLine(lineNumber, "nothing after \"=\"");
            return std::nullopt;
        }
        return line->substr(equals + 1);
    }

private:
    const std::vector<std::u16string>& m_lines;
    size_t m_next;
};

// Reads one item; on success hands it to `place`.
Problem ParseItem(LineCursor& cursor, const MacroItemSink& place) {
    std::string problem;
    const auto name = cursor.Value(problem);
    if (!name) return problem;

    const size_t locationLine = cursor.LineNumber();
    const auto line = cursor.Line(problem);
    if (!line) return problem;
    const std::optional<MacroLocation> location = ParseLocation(*line);
    if (!location) return AtLine(locationLine, "not a location");
    if (!location->IsPlace()) return AtLine(locationLine, "the location is outside the tree");

    const auto folderFlag = cursor.Value(problem);
    if (!folderFlag) return problem;
    const auto openFlag = cursor.Value(problem);
    if (!openFlag) return problem;
    if (ParseDecimal(*folderFlag) != 0) {
        place(*location, MacroItem::Folder(std::u16string(*name), ParseDecimal(*openFlag) != 0));
        return std::nullopt;
    }

    MacroRecord record;
    record.name = std::u16string(*name);
    for (const MacroLineCodec& codec : MacroLines()) {
        const size_t lineNumber = cursor.LineNumber();
        const auto value = cursor.Value(problem);
        if (!value) return problem;
        if (Problem bad = codec.parse(record, *value)) return AtLine(lineNumber, *bad);
    }
    place(*location, MacroItem::Macro(std::move(record)));
    return std::nullopt;
}

}  // namespace

fs::path MacroLibraryPath(const fs::path& dataFolder) {
    return dataFolder / "config" / kMacroLibraryFileName;
}

std::u16string FormatAllAction(const MacroRecord& macro) {
    std::u16string text;
    text.reserve(kAllActionDigits);
    for (const MacroAction& action : macro.actions) {
        for (uint8_t byte : action) text += FormatHex2(byte);
    }
    return text;
}

std::vector<std::u16string> FormatMacroLibraryFile(const MacroLibrary& library,
                                                   const MacroLocation& location) {
    std::vector<std::u16string> lines;
    lines.emplace_back(kMacroLibrarySection);
    // Written with "%d" though the counter is unsigned; the reader takes it back the same way.
    lines.push_back(u"MacroKeyIndex=" +
                    FormatDecimal(static_cast<int32_t>(library.nextIdentifier)));
    lines.push_back(FormatLocation(u"Select Locaton:", location));  // spelled so in every file
    library.ForEach([&lines](const MacroLocation& at, const MacroItem& item) {
        const std::u16string tabs(size_t(at.stage), u'\t');
        lines.push_back(tabs + u"++++++++MacroItemName=" + NameForFile(item.name));
        lines.push_back(tabs + FormatLocation(u"MacroItemLocation:", at));
        lines.push_back(tabs + u"MacroItemIsFolder=" + (item.isFolder ? u"1" : u"0"));
        lines.push_back(tabs + u"MacroItemFolderIsOpen=" + (item.isOpen ? u"1" : u"0"));
        if (item.isFolder) return;
        for (const MacroLineCodec& codec : MacroLines()) {
            lines.push_back(tabs + std::u16string(codec.key) + codec.format(item.macro));
        }
    });
    return lines;
}

Result<MacroFileHeader> ParseMacroLibraryFile(const std::vector<std::u16string>& lines,
                                              const MacroItemSink& place) {
    if (lines.empty() || lines[0] != kMacroLibrarySection) {
        return Result<MacroFileHeader>::Failure(
            AtLine(1, "the first line is not \"[MacroLibrary]\""));
    }
    MacroFileHeader header;
    LineCursor cursor(lines, 1);
    const auto next = cursor.Value(header.problem);
    if (!next) return header;
    // Negative values cannot come from the counter; they read as 0 like every other number here.
    header.nextIdentifier = DecimalField(*next, uint32_t(INT32_MAX));

    const auto line = cursor.Line(header.problem);
    if (!line) return header;
    const std::optional<MacroLocation> location = ParseLocation(*line);
    if (!location) {
        header.problem = AtLine(3, "not a location");
        return header;
    }
    header.location = *location;

    while (!cursor.AtEnd()) {
        if (Problem problem = ParseItem(cursor, place)) {
            header.problem = std::move(*problem);
            return header;
        }
    }
    header.complete = true;
    return header;
}

MacroLoadResult LoadMacroLibrary(const fs::path& path, MacroLibrary& target) {
    MacroLoadResult result;
    auto lines = ReadTextFile(path, FileAccess::ReadOnly);
    if (!lines) {
        result.problem = lines.reason();
        return result;
    }
    target.Clear();
    auto header =
        ParseMacroLibraryFile(*lines, [&target](const MacroLocation& at, MacroItem&& item) {
            target.Place(at, std::move(item));
        });
    if (!header) {
        result.outcome = MacroLoad::WrongHeader;
        result.problem = path.string() + ": " + header.reason();
        return result;
    }
    target.nextIdentifier = header->nextIdentifier;
    result.location = header->location;
    result.outcome = header->complete ? MacroLoad::Complete : MacroLoad::Partial;
    if (!header->complete) result.problem = path.string() + ": " + header->problem;
    return result;
}

Status SaveMacroLibrary(const fs::path& path, const MacroLibrary& library,
                        const MacroLocation& location) {
    return WriteTextFile(path, FormatMacroLibraryFile(library, location));
}

MacroLoadResult LoadDataFolderMacroLibrary(const fs::path& dataFolder, MacroLibrary& library) {
    const fs::path path = MacroLibraryPath(dataFolder);
    MacroLoadResult result = LoadMacroLibrary(path, library);
    if (result.outcome != MacroLoad::Complete) {
        // Best effort: a missing file needs no copy, and a failed copy must not stop the start.
        (void)KeepCopyBeside(path, kBadCopySuffix);
    }
    return result;
}

Status SaveDataFolderMacroLibrary(const fs::path& dataFolder, const MacroLibrary& library) {
    const fs::path path = MacroLibraryPath(dataFolder);
    std::error_code error;
    fs::create_directories(path.parent_path(), error);  // a failure shows in the write below
    return SaveMacroLibrary(path, library, MacroLocation::Nothing());
}

}  // namespace ostrel
