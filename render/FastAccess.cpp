#include "render/FastAccess.h"

#include <algorithm>

#include "render/Color.h"
#include "render/Pixel.h"

namespace lw::render {
namespace {

bool Attachable(const Bitmap& b, PixelFormat f) {
    return !b.Empty() && b.Format() == f && b.Width() >= 2 && b.Height() >= 2;
}

// The sum blend of one row of bytes. The weights add up to 255 and the whole sum fits in
// 16 bits, which lets the compiler process many bytes per instruction.
void SumRow(std::uint8_t* d, const std::uint8_t* s, int n, unsigned a) {
    const unsigned b = 255 - a;
    for (int i = 0; i < n; ++i)
        d[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(d[i] * a + s[i] * b + 127) >> 8);
}

}  // namespace

bool TgwFastRows::AttachAs(Bitmap& bmp, PixelFormat format) {
    if (!Attachable(bmp, format)) return false;
    Bmp = &bmp;
    Width = bmp.Width();
    Height = bmp.Height();
    Start = bmp.Row(0);
    Delta = bmp.Stride();
    return true;
}

TColor TgwFast24::Pixel(int x, int y) const { return ReadRgb(Start + Delta * y + x * 3); }

std::uint32_t TgwFast32::Pixel(int x, int y) const { return ReadArgbWord(Start + Delta * y + x * 4); }

void TgwFast32::SetPixel(int x, int y, std::uint32_t argb) { WriteArgbWord(Start + Delta * y + x * 4, argb); }

void TgwFast32::FillRect(const TRect& r, std::uint32_t word) {
    const TRect c = Intersect(r, {0, 0, Width, Height});
    if (c.IsEmpty()) return;
    for (int y = c.Top; y < c.Bottom; ++y) {
        auto* p = reinterpret_cast<std::uint8_t*>(Start + Delta * y) + c.Left * 4;
        for (int x = c.Left; x < c.Right; ++x, p += 4) {
            p[0] = static_cast<std::uint8_t>(word);
            p[1] = static_cast<std::uint8_t>(word >> 8);
            p[2] = static_cast<std::uint8_t>(word >> 16);
            p[3] = static_cast<std::uint8_t>(word >> 24);
        }
    }
}

template <int Bpp>
bool TgwFastSum<Bpp>::Attach(const Bitmap& src, Bitmap& dst) {
    constexpr PixelFormat f = Bpp == 3 ? PixelFormat::pf24bit : PixelFormat::pf32bit;
    if (!Attachable(src, f) || !Attachable(dst, f)) return false;
    SrcBitmap = &src;
    DstBitmap = &dst;
    Width = std::min(src.Width(), dst.Width());
    Height = std::min(src.Height(), dst.Height());
    SrcStart = src.Row(0);
    DstStart = dst.Row(0);
    SrcDelta = src.Stride();
    DstDelta = dst.Stride();
    return true;
}

template <int Bpp>
void TgwFastSum<Bpp>::Blend() {
    const int n = (DstX2 - DstX1) * Bpp;
    if (n <= 0) return;
    const int rowShift = SrcY2 - DstY2;
    // Bottom row first: when source and destination are one bitmap this order decides which
    // bytes are read before they are overwritten.
    for (int y = DstY2 - 1; y >= DstY1; --y) {
        std::uint8_t* d = DstStart + DstDelta * y + DstX1 * Bpp;
        const std::uint8_t* s = SrcStart + SrcDelta * (y + rowShift) + SrcX1 * Bpp;
        if (SrcBitmap == DstBitmap) {
            for (int i = n - 1; i >= 0; --i)
                d[i] = static_cast<std::uint8_t>((d[i] * Alpha + s[i] * (255u - Alpha) + 127) >> 8);
        } else {
            SumRow(d, s, n, Alpha);
        }
    }
}

template class TgwFastSum<3>;
template class TgwFastSum<4>;

void FillRect32(Bitmap& bmp, const TRect& r, TColor color) {
    TgwFast32 fast;
    if (!fast.Attach(bmp)) return;
    const std::uint32_t argb = ColorToArgb(color);
    // Stored byte order B, G, R, A is the little-endian word 0xAARRGGBB, which ColorToArgb gives.
    fast.FillRect(r, argb);
}

}  // namespace lw::render
