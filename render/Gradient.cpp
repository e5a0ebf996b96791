#include "render/Gradient.h"

#include <algorithm>
#include <cmath>

#include "render/Color.h"
#include "render/Pixel.h"

namespace lw::render {
namespace {

// Colours of one segment over n + 1 rows or columns. The running values are single precision,
// as the skins' gradients were designed against.
struct Ramp {
    float v[3];
    float step[3];
    Ramp(TColor c1, TColor c2, int n) {
        c1 = ResolveColor(c1);
        c2 = ResolveColor(c2);
        const int a[3] = {BlueOf(c1), GreenOf(c1), RedOf(c1)};
        const int b[3] = {BlueOf(c2), GreenOf(c2), RedOf(c2)};
        for (int ch = 0; ch < 3; ++ch) {
            v[ch] = float(a[ch]);
            step[ch] = n > 0 ? float(b[ch] - a[ch]) / float(n) : 0.0f;
        }
    }
    void Write(std::uint8_t* p) const {
        for (int ch = 0; ch < 3; ++ch) p[ch] = RoundByte(double(v[ch]));
    }
    void Advance() {
        for (int ch = 0; ch < 3; ++ch) v[ch] += step[ch];
    }
};

void FillRow(Bitmap& b, int y, int left, int right, const std::uint8_t* px) {
    const int bpp = b.BytesPerPixel();
    std::uint8_t* p = b.Pixel(left, y);
    for (int x = left; x < right; ++x, p += bpp) {
        p[0] = px[0], p[1] = px[1], p[2] = px[2];
        if (bpp == 4) p[3] = 255;
    }
}

void Vertical(Bitmap& b, const TRect& q, const TsGradArray& s) {
    const int H = q.Height(), last = q.Bottom - 1;
    int y = q.Top;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int start = y;
        y = start + s[i].Percent * H / 100;
        int end = std::min(y, last);
        const bool limited = end != y;
        if (i + 1 == s.size()) end = last;
        if (end <= start) {
            if (limited && end == start) return;
            continue;
        }
        Ramp ramp(s[i].Color1, s[i].Color2, end - start);
        for (int row = start; row <= end; ++row, ramp.Advance()) {
            std::uint8_t px[3];
            ramp.Write(px);
            FillRow(b, row, q.Left, q.Right, px);
        }
    }
}

void Horizontal(Bitmap& b, const TRect& q, const TsGradArray& s) {
    const int W = q.Width(), last = q.Right - 1;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(W) * 3);
    int x = q.Left;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int start = x;
        x = start + static_cast<int>(RoundEven(s[i].Percent * (W / 100.0)));
        const int end = i + 1 == s.size() ? last : std::min(x, last);
        if (end <= start) continue;
        Ramp ramp(s[i].Color1, s[i].Color2, end - start);
        for (int col = start; col <= end; ++col, ramp.Advance())
            ramp.Write(&row[static_cast<std::size_t>(col - q.Left) * 3]);
    }
    const int bpp = b.BytesPerPixel();
    for (int y = q.Top; y < q.Bottom; ++y) {
        std::uint8_t* p = b.Pixel(q.Left, y);
        for (int i = 0; i < W; ++i, p += bpp) {
            p[0] = row[static_cast<std::size_t>(i) * 3];
            p[1] = row[static_cast<std::size_t>(i) * 3 + 1];
            p[2] = row[static_cast<std::size_t>(i) * 3 + 2];
            if (bpp == 4) p[3] = 255;
        }
    }
}

GradVertex Vertex(int x, int y, TColor c) {
    c = ResolveColor(c);
    return {x, y, std::uint16_t(RedOf(c) << 8), std::uint16_t(GreenOf(c) << 8), std::uint16_t(BlueOf(c) << 8)};
}

void FourCorners(Bitmap& b, const TRect& q, const TsGradArray& s) {
    const int W = q.Width(), H = q.Height();
    const TPoint at[5] = {
        {q.Left, q.Top}, {q.Left + W / 2, q.Top + H / 2}, {q.Right, q.Top}, {q.Right, q.Bottom}, {q.Left, q.Bottom}};
    GradVertex v[5];
    TColor c = s[0].Color1;
    for (std::size_t i = 0; i < 5; ++i) {
        if (i < s.size()) c = s[i].Color1;  // a missing segment repeats the previous colour
        v[i] = Vertex(at[i].X, at[i].Y, c);
    }
    FillGouraudTriangle(b, v[0], v[1], v[2]);
    FillGouraudTriangle(b, v[1], v[2], v[3]);
    FillGouraudTriangle(b, v[0], v[1], v[4]);
    FillGouraudTriangle(b, v[4], v[1], v[3]);
}

}  // namespace

void FillGouraudTriangle(Bitmap& bmp, const GradVertex& a, const GradVertex& b, const GradVertex& c) {
    if (bmp.Empty()) return;
    const double area = double(b.X - a.X) * (c.Y - a.Y) - double(b.Y - a.Y) * (c.X - a.X);
    if (area == 0) return;
    const TRect box = Intersect({std::min({a.X, b.X, c.X}), std::min({a.Y, b.Y, c.Y}), std::max({a.X, b.X, c.X}) + 1,
                                 std::max({a.Y, b.Y, c.Y}) + 1},
                                bmp.Bounds());
    const int bpp = bmp.BytesPerPixel();
    // Edge functions against pixel centres, signed so that inside is non-negative.
    auto edge = [area](const GradVertex& p, const GradVertex& q, double x, double y) {
        const double e = (q.X - p.X) * (y - p.Y) - (q.Y - p.Y) * (x - p.X);
        return area > 0 ? e : -e;
    };
    const double norm = std::fabs(area);
    for (int y = box.Top; y < box.Bottom; ++y) {
        for (int x = box.Left; x < box.Right; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double wa = edge(b, c, px, py), wb = edge(c, a, px, py), wc = edge(a, b, px, py);
            if (wa < 0 || wb < 0 || wc < 0) continue;
            auto channel = [&](std::uint16_t ca, std::uint16_t cb, std::uint16_t cc) {
                // A hair above the exact value keeps vertex colours whole despite rounding error.
                const double v = (wa * ca + wb * cb + wc * cc) / norm + 1e-6;
                return static_cast<std::uint8_t>(std::clamp(static_cast<int>(v), 0, 0xFFFF) >> 8);
            };
            std::uint8_t* p = bmp.Pixel(x, y);
            p[0] = channel(a.Blue, b.Blue, c.Blue);
            p[1] = channel(a.Green, b.Green, c.Green);
            p[2] = channel(a.Red, b.Red, c.Red);
            if (bpp == 4) p[3] = 255;
        }
    }
}

void PaintGradient(Bitmap& bmp, TRect r, const TsGradArray& s) {
    if (bmp.Empty() || s.empty()) return;
    r = Intersect(r, bmp.Bounds());
    if (r.IsEmpty()) return;
    switch (s[0].Mode) {
    case 0:
        Vertical(bmp, r, s);
        break;
    case 1:
        Horizontal(bmp, r, s);
        break;
    case 2:
        FourCorners(bmp, r, s);
        break;
    default:
        break;
    }
}

}  // namespace lw::render
