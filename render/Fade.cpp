#include "render/Fade.h"

#include <algorithm>
#include <vector>

#include "render/Blend.h"
#include "render/Color.h"
#include "render/Pixel.h"

namespace lw::render {
namespace {

struct GreyMask {
    int W, H;
    std::vector<std::uint8_t> v;
    std::uint8_t& At(int x, int y) { return v[static_cast<std::size_t>(y) * W + x]; }
};

// Fills the rectangle less its last column and row, with circular corners of diameter `corner`.
void FillRoundRect(GreyMask& m, const TRect& r, int corner, std::uint8_t grey) {
    const int w = r.Width() - 1, h = r.Height() - 1;
    if (w <= 0 || h <= 0) return;
    const double rad = std::min({corner, w, h}) / 2.0;
    for (int y = std::max(r.Top, 0); y < std::min(r.Top + h, m.H); ++y) {
        for (int x = std::max(r.Left, 0); x < std::min(r.Left + w, m.W); ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            const double ex = std::clamp(cx, r.Left + rad, r.Left + w - rad);
            const double ey = std::clamp(cy, r.Top + rad, r.Top + h - rad);
            if ((cx - ex) * (cx - ex) + (cy - ey) * (cy - ey) <= rad * rad) m.At(x, y) = grey;
        }
    }
}

}  // namespace

void FadeRectToColor(Bitmap& bmp, const TRect& q, int level, int radius, int blur, TColor color) {
    const int W = q.Width(), H = q.Height();
    if (bmp.Empty() || W <= 0 || H <= 0) return;
    const TRect area = Intersect(q, bmp.Bounds());
    if (area.IsEmpty()) return;
    color = ResolveColor(color);

    const int r = std::max(0, std::min({W / 2, H / 2, blur}));
    const int corner = std::max(0, std::min({W / 2, H / 2, radius}));
    const int D = level * 255 / 100;
    GreyMask mask{W, H, std::vector<std::uint8_t>(static_cast<std::size_t>(W) * H, 0)};
    for (int j = 0; j <= r; ++j) {
        const int g = j == 0 ? 255 : D + static_cast<int>(RoundEven((255.0 - D) * (r - j + 1) / (r + 1)));
        FillRoundRect(mask, {j, j, W - j, H - j}, corner, ClampByte(g));
    }
    FillRoundRect(mask, {r, r, W - r, H - r}, r, ClampByte(D));

    const std::uint8_t k[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
    const int bpp = bmp.BytesPerPixel();
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::uint8_t* p = bmp.Pixel(area.Left, y);
        for (int x = area.Left; x < area.Right; ++x, p += bpp) {
            const std::uint8_t m = mask.At(x - q.Left, y - q.Top);
            for (int ch = 0; ch < 3; ++ch) p[ch] = MaskBlend(k[ch], m, p[ch]);
        }
    }
}

}  // namespace lw::render
