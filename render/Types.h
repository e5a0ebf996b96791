#pragma once
// Geometry types shared by every layer, and the colour value. Portable: no platform headers.

#include <cstdint>

#include "base/Color.h"

namespace lw {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(TPoint, TPoint) = default;
};

// Right and bottom are exclusive.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect RectOfSize(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

constexpr TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top, a.Right < b.Right ? a.Right : b.Right,
            a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    if (r.IsEmpty()) return {};
    return r;
}

}  // namespace lw
