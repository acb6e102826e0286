#include "ostrelctl/cli.h"

#include <cctype>
#include <iostream>

#include "profile/text_file.h"

namespace ostrelctl {

int Usage() {
    std::cerr << "usage: ostrelctl profile dump FILE | settings dump FILE | macro dump FILE | "
                 "profile defaults [--slot N] [--sensor 0xNNNN] [--lang FILE] | "
                 "frames [--sensor 0xNNNN] [--library FILE.mlf] HELD.psf PROFILE.psf | "
                 "status decode HEXBYTES | devices | status\n";
    return kExitUsage;
}

int Fail(const std::string& reason) {
    std::cerr << "ostrelctl: " << reason << "\n";
    return kExitFailure;
}

std::optional<std::vector<std::u16string>> ReadLines(const std::string& file, std::string& reason) {
    auto lines = ostrel::ReadTextFile(file, ostrel::FileAccess::ReadOnly);
    if (!lines) {
        reason = lines.reason();
        return std::nullopt;
    }
    return std::move(*lines);
}

std::optional<uint32_t> StrictNumber(const std::string& text, int base, uint32_t maximum) {
    std::string digits = text;
    if (base == 16 && (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0)) {
        digits = digits.substr(2);
    }
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    for (char c : digits) {
        const bool valid = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                                      : std::isdigit(static_cast<unsigned char>(c)) != 0;
        if (!valid) return std::nullopt;
    }
    const unsigned long value = std::stoul(digits, nullptr, base);
    if (value > maximum) return std::nullopt;
    return static_cast<uint32_t>(value);
}

}  // namespace ostrelctl
