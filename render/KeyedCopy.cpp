#include "render/KeyedCopy.h"

#include "render/Pixel.h"

namespace lw::render {
namespace {

void CopyKeyed(Bitmap& dst, const Bitmap& src, TPoint at, TRect s, TColor key, bool keepSourceAlpha) {
    if (dst.Empty() || src.Empty()) return;
    if (!ClipCopy(src.Bounds(), dst.Bounds(), s, at)) return;
    const int sb = src.BytesPerPixel(), db = dst.BytesPerPixel();
    const bool alphaFromSource = keepSourceAlpha && sb == 4 && db == 4;
    for (int y = 0; y < s.Height(); ++y) {
        const std::uint8_t* sp = src.Pixel(s.Left, s.Top + y);
        std::uint8_t* dp = dst.Pixel(at.X, at.Y + y);
        for (int i = 0; i < s.Width(); ++i, sp += sb, dp += db) {
            if (ReadRgb(sp) == key) continue;
            dp[0] = sp[0];
            dp[1] = sp[1];
            dp[2] = sp[2];
            if (db == 4) dp[3] = alphaFromSource ? sp[3] : 255;
        }
    }
}

}  // namespace

void CopyTransparent(Bitmap& dst, const Bitmap& src, int x, int y, TColor key) {
    CopyKeyed(dst, src, {x, y}, src.Bounds(), key, false);
}

void CopyRectTransparent(Bitmap& dst, const Bitmap& src, TPoint at, TRect r, TColor key) {
    CopyKeyed(dst, src, at, {r.Left, r.Top, r.Right + 1, r.Bottom + 1}, key, true);
}

}  // namespace lw::render
