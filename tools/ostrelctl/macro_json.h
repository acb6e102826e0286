#pragma once

#include <string>
#include <utility>
#include <vector>

#include "macro/macro_library_file.h"

namespace ostrelctl {

// One item as a macro file lists it: its location as written and what was read for it.
using MacroFileItem = std::pair<ostrel::MacroLocation, ostrel::MacroItem>;

// The JSON object of `ostrelctl macro dump`: "MacroKeyIndex" (the next identifier), "location"
// (the third line), "complete" and "items" in file order. A macro item carries its file fields
// under their keys and "events", its event form for the mouse as upper-case hex.
std::string MacroFileToJson(const ostrel::MacroFileHeader& header,
                            const std::vector<MacroFileItem>& items);

}  // namespace ostrelctl
