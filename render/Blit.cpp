#include "render/Blit.h"

#include <cstring>
#include <vector>

#include "render/Pixel.h"

namespace lw::render {
namespace {

void ConvertPixel(std::uint8_t* d, int db, const std::uint8_t* s, int sb) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
    if (db == 4) d[3] = sb == 4 ? s[3] : 255;
}

struct Span {
    int From, To;  // source indexes, To exclusive
};

std::vector<Span> Spans(int dstLen, int srcFrom, int srcLen) {
    std::vector<Span> spans(static_cast<std::size_t>(dstLen));
    for (int i = 0; i < dstLen; ++i) {
        int a = srcFrom + static_cast<int>(static_cast<long long>(i) * srcLen / dstLen);
        int b = srcFrom + static_cast<int>(static_cast<long long>(i + 1) * srcLen / dstLen);
        if (b <= a) b = a + 1;
        spans[static_cast<std::size_t>(i)] = {a, b};
    }
    return spans;
}

}  // namespace

void CopyPixels(Bitmap& dst, TPoint at, const Bitmap& src, TRect s) {
    if (dst.Empty() || src.Empty()) return;
    if (!ClipCopy(src.Bounds(), dst.Bounds(), s, at)) return;
    const int sb = src.BytesPerPixel(), db = dst.BytesPerPixel();
    const int h = s.Height(), w = s.Width();
    // Within one bitmap, a copy downwards must start from the bottom row.
    const bool upward = &src == &dst && at.Y > s.Top;
    for (int k = 0; k < h; ++k) {
        const int y = upward ? h - 1 - k : k;
        const std::uint8_t* sp = src.Pixel(s.Left, s.Top + y);
        std::uint8_t* dp = dst.Pixel(at.X, at.Y + y);
        if (sb == db) {
            std::memmove(dp, sp, static_cast<std::size_t>(w) * sb);
        } else {
            for (int i = 0; i < w; ++i) ConvertPixel(dp + i * db, db, sp + i * sb, sb);
        }
    }
}

void StretchPixels(Bitmap& dst, const TRect& d, const Bitmap& src, const TRect& s, const TRect& clip) {
    if (dst.Empty() || src.Empty() || d.IsEmpty() || s.IsEmpty()) return;
    if (s.Left < 0 || s.Top < 0 || s.Right > src.Width() || s.Bottom > src.Height()) return;
    const TRect area = Intersect(Intersect(d, clip), dst.Bounds());
    if (area.IsEmpty()) return;
    const std::vector<Span> xs = Spans(d.Width(), s.Left, s.Width());
    const std::vector<Span> ys = Spans(d.Height(), s.Top, s.Height());
    const int sb = src.BytesPerPixel(), db = dst.BytesPerPixel();
    for (int y = area.Top; y < area.Bottom; ++y) {
        const Span& sy = ys[static_cast<std::size_t>(y - d.Top)];
        std::uint8_t* dp = dst.Pixel(area.Left, y);
        for (int x = area.Left; x < area.Right; ++x, dp += db) {
            const Span& sx = xs[static_cast<std::size_t>(x - d.Left)];
            if (sx.To - sx.From == 1 && sy.To - sy.From == 1) {
                ConvertPixel(dp, db, src.Pixel(sx.From, sy.From), sb);
                continue;
            }
            unsigned sum[4] = {0, 0, 0, 0};
            for (int v = sy.From; v < sy.To; ++v) {
                const std::uint8_t* sp = src.Pixel(sx.From, v);
                for (int u = sx.From; u < sx.To; ++u, sp += sb)
                    for (int ch = 0; ch < sb; ++ch) sum[ch] += sp[ch];
            }
            const unsigned n = static_cast<unsigned>((sx.To - sx.From) * (sy.To - sy.From));
            std::uint8_t avg[4];
            for (int ch = 0; ch < 4; ++ch) avg[ch] = static_cast<std::uint8_t>((sum[ch] + n / 2) / n);
            ConvertPixel(dp, db, avg, sb);
        }
    }
}

}  // namespace lw::render
