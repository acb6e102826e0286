#include "device/virtual_mouse_script.h"

#include <algorithm>
#include <sstream>

#include "device/virtual_mouse.h"

namespace ostrel {
namespace {

struct KindName {
    const char* name;
    MouseScriptEvent::Kind kind;
    uint32_t maximum;  // of the value; 0: the event takes none
};

constexpr KindName kKinds[] = {
    {"dpi-button", MouseScriptEvent::Kind::DpiButton, 0},
    {"polling-button", MouseScriptEvent::Kind::PollingButton, 0},
    {"unplug", MouseScriptEvent::Kind::Unplug, 0},
    {"plug", MouseScriptEvent::Kind::Plug, 0},
    {"online", MouseScriptEvent::Kind::Online, 1},
    {"battery", MouseScriptEvent::Kind::Battery, 255},
    {"charge", MouseScriptEvent::Kind::Charge, 2},
};

// A whole decimal number with nothing around it.
bool ParseNumber(const std::string& text, uint32_t maximum, uint32_t& value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const unsigned long number = std::stoul(text);
    if (number > maximum) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

}  // namespace

Result<std::vector<MouseScriptEvent>> ParseMouseScript(const std::string& text) {
    using Events = Result<std::vector<MouseScriptEvent>>;
    std::vector<MouseScriptEvent> events;
    std::istringstream lines(text);
    std::string line;
    for (size_t number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::vector<std::string> parts;
        for (std::string word; words >> word;) parts.push_back(word);
        if (parts.empty() || parts[0][0] == '#') continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        MouseScriptEvent event;
        if (!ParseNumber(parts[0], UINT32_MAX / 2, event.atMs)) {
            return Events::Failure(where + "the time in milliseconds is missing");
        }
        if (parts.size() < 2) return Events::Failure(where + "the event is missing");
        const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                       [&](const KindName& k) { return parts[1] == k.name; });
        if (kind == std::end(kKinds)) return Events::Failure(where + "unknown event \"" + parts[1] + "\"");
        event.kind = kind->kind;
        const size_t expected = kind->maximum == 0 ? 2 : 3;
        if (parts.size() != expected ||
            (expected == 3 && !ParseNumber(parts[2], kind->maximum, event.value))) {
            return Events::Failure(where + "\"" + parts[1] + "\" takes " +
                                   (expected == 2 ? std::string("no value")
                                                  : "a value from 0 to " + std::to_string(kind->maximum)));
        }
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const MouseScriptEvent& a, const MouseScriptEvent& b) { return a.atMs < b.atMs; });
    return events;
}

void PlayMouseScriptEvent(VirtualMouse& mouse, const MouseScriptEvent& event,
                          const std::vector<uint16_t>& products) {
    using Kind = MouseScriptEvent::Kind;
    switch (event.kind) {
        case Kind::DpiButton:
            mouse.PressDpiButton();
            break;
        case Kind::PollingButton:
            mouse.PressPollingButton();
            break;
        case Kind::Unplug:
            for (uint16_t product : products) mouse.Unplug(product);
            break;
        case Kind::Plug:
            for (uint16_t product : products) mouse.Plug(product);
            break;
        case Kind::Online:
            mouse.SetMouseAwake(event.value != 0);
            break;
        case Kind::Battery:
            mouse.SetBattery(static_cast<uint8_t>(event.value), mouse.ChargeState());
            break;
        case Kind::Charge:
            mouse.SetBattery(mouse.BatteryLevel(), static_cast<uint8_t>(event.value));
            break;
    }
}

}  // namespace ostrel
