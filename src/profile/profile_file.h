#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/result.h"
#include "device/profile_record.h"

namespace ostrel {

inline constexpr size_t kProfileFileLineCount = 99;
inline constexpr size_t kAllActionLength = kMaxMacroActions * 8;

// The 99 lines of a profile file for `record`, without line feeds.
std::vector<std::u16string> FormatProfileFile(const ProfileRecord& record);

// Parses the lines of a profile file into a new record, touching nothing else, so that a caller
// can refuse a bad file. The reader is positional: key texts are not compared. On failure the
// reason names the 1-based line number and what is wrong.
//
// Fields the file does not carry are derived for buttons bound to a macro (code byte 0 = 0x90),
// so that the copy uploads what the binding says: the event count from the actions, the loop
// mode from the high four bits of code byte 1 (1, 2 or 4, else 2) and the loop count from code
// byte 2 (when the mode counts and byte 2 is not 0, else 1). An action count above the macro
// capacity is capped at it.
Result<ProfileRecord> ParseProfileFile(const std::vector<std::u16string>& lines);

}  // namespace ostrel
