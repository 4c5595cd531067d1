// Integer geometry shared by painting, regions and windows. A Rect is half-open: it
// covers left <= x < right and top <= y < bottom, so a rectangle (0, 0, 10, 5) is ten
// pixels wide and five high, the way window rectangles are written everywhere.
#pragma once

#include <algorithm>

namespace plat {

struct Point {
    int x{0};
    int y{0};
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx{0};
    int cy{0};
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left{0};
    int top{0};
    int right{0};
    int bottom{0};

    static constexpr Rect FromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect Inflate(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }

    // An empty result is normalised to all zeros, so empty rectangles compare equal.
    constexpr Rect Intersect(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    constexpr Rect Union(const Rect& o) const {
        if (IsEmpty())
            return o;
        if (o.IsEmpty())
            return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace plat
