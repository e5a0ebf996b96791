#pragma once
// Byte-level pixel access shared by the painters. Pixels are stored B, G, R (, A); colour values
// hold red in the low byte, so every read and write swaps the order here and nowhere else.

#include <cstdint>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

inline TColor ReadRgb(const std::uint8_t* p) { return TColor(p[2]) | (TColor(p[1]) << 8) | (TColor(p[0]) << 16); }

inline void WriteRgb(std::uint8_t* p, TColor c) {
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
}

// The whole 32-bit pixel as 0xAABBGGRR: alpha on top of the colour value.
inline std::uint32_t ReadArgbWord(const std::uint8_t* p) { return ReadRgb(p) | (std::uint32_t(p[3]) << 24); }

inline void WriteArgbWord(std::uint8_t* p, std::uint32_t w) {
    WriteRgb(p, w & 0xFFFFFFu);
    p[3] = static_cast<std::uint8_t>(w >> 24);
}

inline bool Is24(const Bitmap& b) { return !b.Empty() && b.Format() == PixelFormat::pf24bit; }
inline bool Is32(const Bitmap& b) { return !b.Empty() && b.Format() == PixelFormat::pf32bit; }

inline std::uint8_t ClampByte(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Round to nearest, ties to even, for values well inside +-2^51 (every channel formula here).
// Adding and removing 1.5 * 2^52 leaves the FPU's default rounding to do the work, which the
// compiler can vectorise, unlike a library call. Strict IEEE semantics (no fast-math) keep
// the pair from being folded away.
inline double RoundEven(double v) {
    constexpr double magic = 6755399441055744.0;
    return (v + magic) - magic;
}

inline std::uint8_t RoundByte(double v) {
    const double r = RoundEven(v);
    return static_cast<std::uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

// Moves srcRect and the destination point together so that both stay inside their bitmaps.
// Returns false when nothing is left to copy.
inline bool ClipCopy(const TRect& srcBounds, const TRect& dstBounds, TRect& src, TPoint& dst) {
    const int dx = dst.X - src.Left;
    const int dy = dst.Y - src.Top;
    TRect s = Intersect(src, srcBounds);
    if (s.IsEmpty()) return false;
    TRect d = Intersect({s.Left + dx, s.Top + dy, s.Right + dx, s.Bottom + dy}, dstBounds);
    if (d.IsEmpty()) return false;
    src = {d.Left - dx, d.Top - dy, d.Right - dx, d.Bottom - dy};
    dst = {d.Left, d.Top};
    return true;
}

}  // namespace lw::render
