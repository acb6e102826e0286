#pragma once

#include <array>

#include "ui/geometry.h"

namespace ostrel::ui {

// The power dial's click triangles in design pixels from the control's top-left corner: the
// centre, the third corner of every triangle, and two corners each for 3 to 10 minutes. The
// control, its pictures and their tests all take them from here.
inline constexpr Point kPowerDialCentre{70, 71};
inline constexpr int kPowerDialFirstMinutes = 3;
inline constexpr std::array<std::array<Point, 2>, 8> kPowerDialCorners = {{
    {{{3, 71}, {7, 51}}},
    {{{7, 51}, {17, 32}}},
    {{{17, 32}, {40, 13}}},
    {{{40, 13}, {70, 5}}},
    {{{70, 5}, {100, 14}}},
    {{{100, 14}, {121, 31}}},
    {{{121, 31}, {131, 51}}},
    {{{131, 51}, {134, 71}}},
}};

}  // namespace ostrel::ui
