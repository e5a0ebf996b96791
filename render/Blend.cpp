#include "render/Blend.h"

#include <cstdint>
#include <vector>

#include "render/BlendRows.h"
#include "render/Color.h"
#include "render/FastAccess.h"
#include "render/Pixel.h"

namespace lw::render {
namespace {

bool SameSumFormat(const Bitmap& a, const Bitmap& b) { return !a.Empty() && !b.Empty() && a.Format() == b.Format(); }

template <class Engine>
void RunSum(Bitmap& dst, const Bitmap& src, std::uint8_t alpha, TPoint at, const TRect& r) {
    Engine e;
    if (!e.Attach(src, dst)) return;
    e.Alpha = alpha;
    e.DstX1 = at.X;
    e.DstY1 = at.Y;
    e.DstX2 = at.X + r.Width();
    e.DstY2 = at.Y + r.Height();
    e.SrcX1 = r.Left;
    e.SrcY1 = r.Top;
    e.SrcX2 = r.Right;
    e.SrcY2 = r.Bottom;
    e.Blend();
}

// One table per channel turns a per-pixel double formula into lookups; results are identical
// because every input byte is tabulated with the same expression.
template <class F>
ChannelTable MakeTable(F f) {
    ChannelTable t{};
    for (int c = 0; c < 256; ++c) t[c] = RoundByte(f(c));
    return t;
}

#if defined(__SSE2__)
// Below this many pixels, proving a vector form costs more than the plain loop it saves.
constexpr long long kVectorArea = 1024;

// A vector block reads all of its source before writing, which matches the pixel order only
// when the two rows coincide or do not overlap.
bool BlockOrderSafe(const std::uint8_t* a, const std::uint8_t* b, std::size_t bytes) {
    const auto x = reinterpret_cast<std::uintptr_t>(a), y = reinterpret_cast<std::uintptr_t>(b);
    return x == y || x + bytes <= y || y + bytes <= x;
}
#endif

}  // namespace

void SumBitmapRect(Bitmap& dst, const Bitmap& src, std::uint8_t alpha, TPoint at, TRect r) {
    if (!SameSumFormat(dst, src)) return;
    r = Intersect(r, src.Bounds());
    if (at.X < 0) {
        r.Left -= at.X;
        at.X = 0;
    }
    if (at.Y < 0) {
        r.Top -= at.Y;
        at.Y = 0;
    }
    if (at.X >= dst.Width() || at.Y >= dst.Height()) return;
    if (r.Right > r.Left + dst.Width() - at.X) r.Right = r.Left + dst.Width() - at.X;
    if (r.Bottom > r.Top + dst.Height() - at.Y) r.Bottom = r.Top + dst.Height() - at.Y;
    if (r.IsEmpty()) return;
    if (dst.Format() == PixelFormat::pf24bit)
        RunSum<TgwFastSum24>(dst, src, alpha, at, r);
    else
        RunSum<TgwFastSum32>(dst, src, alpha, at, r);
}

void SumBitmaps(Bitmap& dst, const Bitmap& src, std::uint8_t alpha) {
    if (!SameSumFormat(dst, src) || dst.Width() != src.Width() || dst.Height() != src.Height()) return;
    if (dst.Format() == PixelFormat::pf24bit)
        RunSum<TgwFastSum24>(dst, src, alpha, {0, 0}, src.Bounds());
    else
        RunSum<TgwFastSum32>(dst, src, alpha, {0, 0}, src.Bounds());
}

void BlendColorRect(Bitmap& bmp, const TRect& rect, int percent, TColor color) {
    const TRect r = Intersect(rect, bmp.Bounds());
    if (r.IsEmpty()) return;
    color = ResolveColor(color);
    const double f = percent / 100.0;
    const std::uint8_t k[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
    ChannelTable t[3];
    for (int ch = 0; ch < 3; ++ch) t[ch] = MakeTable([&](int c) { return f * c + (1 - f) * k[ch]; });
    const int bpp = bmp.BytesPerPixel();
#if defined(__SSE2__)
    ColourRows rows;
    const bool vector =
        static_cast<long long>(r.Width()) * r.Height() >= kVectorArea && rows.Prepare(percent, k, t, bpp);
#endif
    for (int y = r.Top; y < r.Bottom; ++y) {
        int x = r.Left;
#if defined(__SSE2__)
        if (vector) x += rows.Run(bmp.Pixel(x, y), r.Width());
#endif
        std::uint8_t* p = bmp.Pixel(x, y);
        for (; x < r.Right; ++x, p += bpp) {
            p[0] = t[0][p[0]];
            p[1] = t[1][p[1]];
            p[2] = t[2][p[2]];
        }
    }
}

void BlendOverRect(Bitmap& dst, TPoint at, std::uint32_t key, double x, TRect r, const Bitmap& src) {
    if (dst.Empty() || src.Empty()) return;
    const bool src32 = src.Format() == PixelFormat::pf32bit;
    if (src32 && dst.Format() != PixelFormat::pf24bit) return;
    // Inclusive right and bottom edges.
    TRect s{r.Left, r.Top, r.Right + 1, r.Bottom + 1};
    if (!ClipCopy(src.Bounds(), dst.Bounds(), s, at)) return;
    const bool useKey = key < 0xFF000000u;
    const int sb = src.BytesPerPixel(), db = dst.BytesPerPixel();
    auto blend = [x](int sv, int dv) { return RoundByte(sv - x * (double(sv) - dv)); };
    const long long area = static_cast<long long>(s.Width()) * s.Height();
#if defined(__SSE2__)
    OverRows rows;
    const bool vector = !src32 && db == 3 && area >= kVectorArea && rows.Prepare(x);
    // A 24-bit source never equals a key with a top byte.
    const bool vectorKey = useKey && key <= 0xFFFFFFu;
#else
    constexpr bool vector = false;
#endif
    // Large areas tabulate every (source, destination) pair once: the same expression, so the
    // same bytes, without a double computation per channel.
    std::vector<std::uint8_t> table;
    if (!vector && area * 3 > 65536 * 2) {
        table.resize(65536);
        for (int sv = 0; sv < 256; ++sv)
            for (int dv = 0; dv < 256; ++dv) table[static_cast<std::size_t>(sv << 8 | dv)] = blend(sv, dv);
    }
    for (int y = 0; y < s.Height(); ++y) {
        const std::uint8_t* sp = src.Pixel(s.Left, s.Top + y);
        std::uint8_t* dp = dst.Pixel(at.X, at.Y + y);
        int i = 0;
#if defined(__SSE2__)
        if (vector && BlockOrderSafe(sp, dp, std::size_t(s.Width()) * 3)) {
            i = rows.Run(dp, sp, s.Width(), vectorKey, key);
            sp += i * sb;
            dp += i * db;
        }
#endif
        for (; i < s.Width(); ++i, sp += sb, dp += db) {
            if (useKey && (src32 ? ReadArgbWord(sp) : ReadRgb(sp)) == key) continue;
            for (int ch = 0; ch < 3; ++ch)
                dp[ch] = table.empty() ? blend(sp[ch], dp[ch]) : table[static_cast<std::size_t>(sp[ch] << 8 | dp[ch])];
        }
    }
}

void TintBitmap(Bitmap& bmp, TColor color, TColor key, double x) {
    if (bmp.Empty()) return;
    color = ResolveColor(color);
    const std::uint8_t k[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
    ChannelTable t[3];
    for (int ch = 0; ch < 3; ++ch) t[ch] = MakeTable([&](int c) { return k[ch] + x * (c - k[ch]); });
    const int bpp = bmp.BytesPerPixel();
    for (int y = 0; y < bmp.Height(); ++y) {
        std::uint8_t* p = bmp.Row(y);
        for (int i = 0; i < bmp.Width(); ++i, p += bpp) {
            if (ReadRgb(p) == key) continue;
            p[0] = t[0][p[0]];
            p[1] = t[1][p[1]];
            p[2] = t[2][p[2]];
        }
    }
}

}  // namespace lw::render
