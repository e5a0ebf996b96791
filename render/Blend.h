#pragma once
// Rectangle blends: the 8-bit weighted sum, the colour pull of transparency percentages, the
// factor blends of disabled looks and tints, and the per-channel mask formula.

#include <cstdint>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

// ((d - s)*m + s*256) >> 8: mask 0 gives the source, 255 leaves the destination (nearly).
inline std::uint8_t MaskBlend(std::uint8_t s, std::uint8_t m, std::uint8_t d) {
    const int v = ((int(d) - int(s)) * int(m) + int(s) * 256) >> 8;  // never negative, never above 255
    return static_cast<std::uint8_t>(v);
}

// Half-visible glyphs: the mask is lifted by 100 first.
inline std::uint8_t MaskBlendLight(std::uint8_t s, std::uint8_t m, std::uint8_t d) {
    return MaskBlend(s, static_cast<std::uint8_t>(m + 100 > 255 ? 255 : m + 100), d);
}

// Blends src's rectangle into dst at `at`; `alpha` is the destination's weight. Both bitmaps
// must share one format.
void SumBitmapRect(Bitmap& dst, const Bitmap& src, std::uint8_t alpha, TPoint at, TRect srcRect);

// The same over two whole bitmaps of equal size and format.
void SumBitmaps(Bitmap& dst, const Bitmap& src, std::uint8_t alpha);

// The rectangle keeps `percent` of itself and takes the rest from the colour. Alpha untouched.
void BlendColorRect(Bitmap& bmp, const TRect& r, int percent, TColor color);

// Each channel becomes round(s - x*(s - d)): x is the share the destination keeps. The source
// rectangle is inclusive. Source pixels equal to `key` are skipped unless key >= 0xFF000000.
// Pairs: 24 or 32 over a 24-bit source, 24 over a 32-bit source (whose whole word meets the key).
void BlendOverRect(Bitmap& dst, TPoint at, std::uint32_t key, double x, TRect srcRect, const Bitmap& src);

// Every pixel other than `key` becomes round(k + x*(c - k)) per channel.
void TintBitmap(Bitmap& bmp, TColor color, TColor key, double x);

}  // namespace lw::render
