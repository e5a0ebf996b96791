#pragma once
// Direct row accessors over 24- and 32-bit bitmaps, and the two-bitmap sum blend that
// transparency percentages and fades rest on. Accessors do no per-pixel bounds checks:
// callers clip first. Attaching fails for a missing bitmap, the wrong format, or one with
// fewer than 2 columns or rows; the operation that wanted the accessor then does nothing.

#include <cstddef>
#include <cstdint>

#include "render/Bitmap.h"

namespace lw::render {

// The row addressing both single-bitmap accessors share.
class TgwFastRows {
public:
    Bitmap* Bmp = nullptr;
    int Width = 0;
    int Height = 0;
    std::uint8_t* Start = nullptr;
    std::ptrdiff_t Delta = 0;

protected:
    bool AttachAs(Bitmap& bmp, PixelFormat format);
};

class TgwFast24 : public TgwFastRows {
public:
    bool Attach(Bitmap& bmp) { return AttachAs(bmp, PixelFormat::pf24bit); }
    TColor Pixel(int x, int y) const;
};

class TgwFast32 : public TgwFastRows {
public:
    bool Attach(Bitmap& bmp) { return AttachAs(bmp, PixelFormat::pf32bit); }
    // 0xAABBGGRR: alpha above the colour value.
    std::uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t argb);
    // Writes one stored 32-bit word (as ColorToArgb gives it) over the rectangle, clipped.
    void FillRect(const TRect& r, std::uint32_t word);
};

// d' = (d*Alpha + s*(255 - Alpha) + 127) >> 8 for every byte of the destination rectangle,
// with s from the source rectangle at the same relative position. Alpha is the weight of the
// destination. The 32-bit variant blends the alpha byte like a colour.
template <int Bpp>
class TgwFastSum {
public:
    bool Attach(const Bitmap& src, Bitmap& dst);
    void Blend();

    const Bitmap* SrcBitmap = nullptr;
    Bitmap* DstBitmap = nullptr;
    int Width = 0;
    int Height = 0;
    const std::uint8_t* SrcStart = nullptr;
    std::uint8_t* DstStart = nullptr;
    std::ptrdiff_t SrcDelta = 0;
    std::ptrdiff_t DstDelta = 0;
    std::uint8_t Alpha = 0;
    int DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
    int SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;
};

using TgwFastSum24 = TgwFastSum<3>;
using TgwFastSum32 = TgwFastSum<4>;

extern template class TgwFastSum<3>;
extern template class TgwFastSum<4>;

// Every pixel of the rectangle (clipped to the bitmap) becomes the colour with alpha 255.
void FillRect32(Bitmap& bmp, const TRect& r, TColor color);

}  // namespace lw::render
