#pragma once
// Test bitmaps in every row layout, filled and read as colour values.

#include <cstdint>
#include <memory>
#include <vector>

#include "render/Bitmap.h"

namespace lw::render::testing {

enum class Layout { TopDown, BottomUp, Padded };
inline constexpr Layout AllLayouts[] = {Layout::TopDown, Layout::BottomUp, Layout::Padded};

// A view over its own memory laid out as asked; the padding bytes are canaries.
struct TestBitmap {
    std::vector<std::uint8_t> Memory;
    Bitmap Bmp;
    std::size_t PaddingBytes = 0;
    bool PaddingIntact() const;
};

std::unique_ptr<TestBitmap> MakeBitmap(int w, int h, PixelFormat f, Layout layout, TColor fill = 0);

// Colour value (R in the low byte) of a pixel; Argb gives 0xAABBGGRR of a 32-bit pixel.
TColor Px(const Bitmap& b, int x, int y);
std::uint32_t Argb(const Bitmap& b, int x, int y);
void SetPx(Bitmap& b, int x, int y, TColor c, std::uint8_t alpha = 255);
void Fill(Bitmap& b, TColor c, std::uint8_t alpha = 255);
// Every pixel as its colour value (and alpha in 32-bit bitmaps), row by row.
std::vector<std::uint32_t> Pixels(const Bitmap& b);

}  // namespace lw::render::testing
