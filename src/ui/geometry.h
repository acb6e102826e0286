#pragma once

#include <algorithm>

namespace ostrel::ui {

// Pixel coordinates of the toolkit: client coordinates of a window unless a name says screen.
struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;

    bool operator==(const Size&) const = default;
};

// A rectangle as the controls store it: left and top inside, right and bottom outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }

    // Left and top inclusive, right and bottom exclusive, so adjacent rectangles never both
    // contain a point on their shared edge.
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    // The common part; an empty rectangle when the two do not meet.
    Rect Intersected(const Rect& other) const {
        const Rect r{std::max(left, other.left), std::max(top, other.top),
                     std::min(right, other.right), std::min(bottom, other.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }

    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }

    bool operator==(const Rect&) const = default;
};

// The rectangle a dialog stores when no control holds the press.
inline constexpr Rect kNoRect{-1, -1, -1, -1};

}  // namespace ostrel::ui
