#include "BitmapTestUtil.h"

#include "render/Pixel.h"

namespace lw::render::testing {

namespace {
constexpr std::uint8_t Canary = 0xA5;
constexpr int PadBytes = 13;
}  // namespace

bool TestBitmap::PaddingIntact() const {
    if (PaddingBytes == 0) return true;
    const std::size_t row = static_cast<std::size_t>(Bmp.Width()) * Bmp.BytesPerPixel();
    for (int y = 0; y < Bmp.Height(); ++y) {
        const std::uint8_t* p = Bmp.Row(y) + row;
        for (int i = 0; i < PadBytes; ++i)
            if (p[i] != Canary) return false;
    }
    return true;
}

std::unique_ptr<TestBitmap> MakeBitmap(int w, int h, PixelFormat f, Layout layout, TColor fill) {
    auto t = std::make_unique<TestBitmap>();
    const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(w) * BytesPerPixel(f);
    const std::ptrdiff_t stride = layout == Layout::Padded ? row + PadBytes : row;
    t->Memory.assign(static_cast<std::size_t>(stride * h), Canary);
    std::uint8_t* base = t->Memory.data();
    if (layout == Layout::BottomUp)
        t->Bmp = Bitmap::Wrap(base + stride * (h - 1), -stride, w, h, f);
    else
        t->Bmp = Bitmap::Wrap(base, stride, w, h, f);
    t->PaddingBytes = layout == Layout::Padded ? PadBytes : 0;
    Fill(t->Bmp, fill);
    return t;
}

TColor Px(const Bitmap& b, int x, int y) { return ReadRgb(b.Pixel(x, y)); }

std::uint32_t Argb(const Bitmap& b, int x, int y) { return ReadArgbWord(b.Pixel(x, y)); }

void SetPx(Bitmap& b, int x, int y, TColor c, std::uint8_t alpha) {
    std::uint8_t* p = b.Pixel(x, y);
    WriteRgb(p, c);
    if (b.BytesPerPixel() == 4) p[3] = alpha;
}

void Fill(Bitmap& b, TColor c, std::uint8_t alpha) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) SetPx(b, x, y, c, alpha);
}

std::vector<std::uint32_t> Pixels(const Bitmap& b) {
    std::vector<std::uint32_t> v;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) v.push_back(b.BytesPerPixel() == 4 ? Argb(b, x, y) : Px(b, x, y));
    return v;
}

}  // namespace lw::render::testing
