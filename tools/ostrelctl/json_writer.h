#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ostrelctl {

// A JSON string literal of a UTF-16 text, as UTF-8 with the required escapes.
std::string JsonString(std::u16string_view text);

// "[a, b, c]" of already formatted JSON values.
std::string JsonArray(const std::vector<std::string>& values);

template <class Numbers>
std::string JsonNumbers(const Numbers& numbers) {
    std::vector<std::string> values;
    for (auto number : numbers) values.push_back(std::to_string(static_cast<uint64_t>(number)));
    return JsonArray(values);
}

}  // namespace ostrelctl
