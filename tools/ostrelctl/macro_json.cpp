#include "ostrelctl/macro_json.h"

#include "base/number_text.h"
#include "macro/macro_events.h"
#include "ostrelctl/json_writer.h"

namespace ostrelctl {
namespace {

using namespace ostrel;

std::string JsonBool(bool value) { return value ? "true" : "false"; }

// Locations may be negative (stage -1), so they are not written as unsigned numbers.
std::string JsonLocation(const MacroLocation& l) {
    return JsonArray({std::to_string(l.stage), std::to_string(l.stage0Index),
                      std::to_string(l.stage1Index), std::to_string(l.stage2Index)});
}

std::string JsonItem(const MacroLocation& location, const MacroItem& item) {
    std::string out = "{\"name\": " + JsonString(item.name) + ", \"location\": " +
                      JsonLocation(location) + ", \"folder\": " + JsonBool(item.isFolder) +
                      ", \"open\": " + JsonBool(item.isOpen);
    if (!item.isFolder) {
        const MacroRecord& m = item.macro;
        std::u16string events;
        for (uint8_t byte : EncodeMacroEvents(m)) events += FormatHex2(byte);
        out += ", \"MacroKeyIndex\": " + std::to_string(m.identifier) +
               ", \"MacroKeyLoopType\": " + std::to_string(m.loopMode) +
               ", \"MacroKeyLoopNum\": " + std::to_string(m.loopCount) +
               ", \"MacroActionNum\": " + std::to_string(m.actionCount) +
               ", \"MacroCommandActionNum\": " + std::to_string(m.eventCount) +
               ", \"AllAction\": " + JsonString(FormatAllAction(m)) +
               ", \"events\": " + JsonString(events);
    }
    return out + "}";
}

}  // namespace

std::string MacroFileToJson(const MacroFileHeader& header,
                            const std::vector<MacroFileItem>& items) {
    std::string out = "{\n";
    out += "  \"MacroKeyIndex\": " + std::to_string(header.nextIdentifier) + ",\n";
    out += "  \"location\": " + JsonLocation(header.location) + ",\n";
    out += "  \"complete\": " + JsonBool(header.complete) + ",\n";
    out += "  \"items\": [";
    for (size_t i = 0; i < items.size(); ++i) {
        out += (i == 0 ? "\n    " : ",\n    ") + JsonItem(items[i].first, items[i].second);
    }
    out += items.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

}  // namespace ostrelctl
