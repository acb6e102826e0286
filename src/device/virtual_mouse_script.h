#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/result.h"

namespace ostrel {

class VirtualMouse;

// One timed event of a script played on the virtual mouse's side.
struct MouseScriptEvent {
    enum class Kind { DpiButton, PollingButton, Unplug, Plug, Online, Battery, Charge };
    uint32_t atMs = 0;  // after the program's start
    Kind kind = Kind::DpiButton;
    uint32_t value = 0;  // online 0|1, battery 0-255, charge 0|1|2

    bool operator==(const MouseScriptEvent&) const = default;
};

// Parses a script, one event per line: "MS dpi-button", "MS polling-button", "MS unplug",
// "MS plug", "MS online 0|1", "MS battery N", "MS charge 0|1|2". Blank lines and lines starting
// with "#" are skipped. A bad line fails the whole script with "line N: ..."; the events come
// back in time order (stable for equal times).
Result<std::vector<MouseScriptEvent>> ParseMouseScript(const std::string& text);

// Plays one event on the mouse. Plug and unplug act on the products the mouse started with.
void PlayMouseScriptEvent(VirtualMouse& mouse, const MouseScriptEvent& event,
                          const std::vector<uint16_t>& products);

}  // namespace ostrel
