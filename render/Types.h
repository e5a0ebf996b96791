#pragma once
// Geometry and colour types shared by every layer. Portable: no platform headers.

#include <cstdint>

namespace lw {

// 0x00BBGGRR: red in the lowest byte. A top byte of 0xFF names a system colour,
// which must be resolved to RGB before any arithmetic.
using TColor = std::uint32_t;

// Magenta: a skin pixel of exactly this colour is not painted; as a colour field it means "none".
constexpr TColor TransparentKey = 0xFF00FF;

constexpr std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr TColor MakeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr bool IsSystemColor(TColor c) { return (c >> 24) == 0xFF; }

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

constexpr TRect RectOfSize(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

constexpr TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
            a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    if (r.IsEmpty()) return {};
    return r;
}

}  // namespace lw
