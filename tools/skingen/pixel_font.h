#pragma once

#include <array>
#include <string_view>

namespace ostrel::skingen {

// A 5 × 7 pixel font with descenders (cells of 6 × 11), so that numbers and names on the
// pictures stay crisp when the program enlarges them without smoothing. Drawn at whole-number
// sizes only. Characters it does not know are left blank.
struct PixelText {
    int scale = 1;
    // Doubles each stroke one pixel to the right: digits on small badges read better.
    bool bold = false;
};

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6;
inline constexpr int kLineHeight = 11;

inline constexpr int kGlyphRows = 9;  // 7 down to the base line, 2 below it
using GlyphRows = std::array<const char*, kGlyphRows>;

// The rows of a glyph, '#' for a set pixel; null for a character the font does not know.
const GlyphRows* Glyph(char c);

int TextWidth(std::string_view text, PixelText style = {});
int TextHeight(PixelText style = {});

}  // namespace ostrel::skingen
