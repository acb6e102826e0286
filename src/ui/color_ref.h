#pragma once

#include <cstdint>

namespace ostrel::ui {

// A colour as the system stores it everywhere: red in the least significant byte, then green,
// then blue; the top byte is unused.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(int red, int green, int blue) {
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
           (static_cast<ColorRef>(blue & 0xFF) << 16);
}

constexpr int RedOf(ColorRef color) {
    return static_cast<int>(color & 0xFF);
}
constexpr int GreenOf(ColorRef color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef color) {
    return static_cast<int>((color >> 16) & 0xFF);
}

}  // namespace ostrel::ui
