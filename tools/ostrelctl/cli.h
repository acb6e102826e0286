#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ostrelctl {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitViolations = 3;

// Prints the usage line on standard error; returns kExitUsage.
int Usage();
// Prints "ostrelctl: reason" on standard error; returns kExitFailure.
int Fail(const std::string& reason);
// The lines of a text file of the program, read without asking for write access.
std::optional<std::vector<std::u16string>> ReadLines(const std::string& file, std::string& reason);
// A whole number in the given base (hex may carry "0x") with nothing else around it, at most
// `maximum`; nothing otherwise.
std::optional<uint32_t> StrictNumber(const std::string& text, int base, uint32_t maximum);

}  // namespace ostrelctl
