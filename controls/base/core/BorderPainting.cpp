#include "controls/base/core/BorderPainting.h"

#include <algorithm>

#include "render/Blit.h"
#include "render/Color.h"
#include "render/MaskPaint.h"

namespace lw::controls {

using render::Bitmap;

namespace {

bool Inside(const Bitmap& b, int x, int y) { return x >= 0 && y >= 0 && x < b.Width() && y < b.Height(); }

TColor ColorAt(const Bitmap& b, int x, int y) {
    const std::uint8_t* p = b.Pixel(x, y);
    return MakeColor(p[2], p[1], p[0]);
}

void PutColor(Bitmap& b, int x, int y, TColor c) {
    std::uint8_t* p = b.Pixel(x, y);
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
    if (b.BytesPerPixel() == 4) p[3] = 255;
}

void CopyPixelBetween(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy) {
    const std::uint8_t* s = src.Pixel(sx, sy);
    std::uint8_t* d = dst.Pixel(dx, dy);
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
    if (dst.BytesPerPixel() == 4) d[3] = src.BytesPerPixel() == 4 ? s[3] : 255;
}

// Fills r (clipped to the bitmap) with what lies behind: the background bitmap at the same
// place plus its offset, or its colour.
void CoverWithBackground(Bitmap& target, TRect r, const render::TsCacheInfo& bg) {
    r = Intersect(r, target.Bounds());
    if (r.IsEmpty()) return;
    if (bg.Ready && bg.Bmp != nullptr) {
        render::CopyPixels(target, {r.Left, r.Top}, *bg.Bmp,
                           {r.Left + bg.X, r.Top + bg.Y, r.Right + bg.X, r.Bottom + bg.Y});
        return;
    }
    const TColor c = render::ResolveColor(bg.FillColor);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) PutColor(target, x, y, c);
}

void Fill(Bitmap& target, const TRect& r, TColor color) {
    CoverWithBackground(target, r, render::CacheInfoFromColor(color));
}

TRect Shrink(const TRect& q, int l, int t, int r, int b) {
    TRect out{q.Left + l, q.Top + t, q.Right - r, q.Bottom - b};
    out.Right = std::max(out.Right, out.Left);
    out.Bottom = std::max(out.Bottom, out.Top);
    return out;
}

}  // namespace

void ForEachKeyCornerPixel(const render::MaskRef& maskIn, int state, int corners, int w, int h,
                           const std::function<void(int x, int y)>& visit) {
    render::MaskRef mask = maskIn;
    if (mask.ImageCount == 0 && mask.Bmp != nullptr) {
        mask.ImageCount = 3;
        mask.MaskType = 1;
        mask.R = mask.Bmp->Bounds();
    }
    const Bitmap* image = mask.Source();
    if (image == nullptr || image->Empty() || mask.ImageCount <= 0 || w <= 1 || h <= 1) return;

    const int fw = mask.FrameWidth(), fh = mask.FrameHeight();
    const int o = mask.FrameIndex(state) * fw;
    const int mw = fw - mask.WL - mask.WR;
    const TRect& r = mask.R;
    struct Piece {
        int Bit, SrcX, SrcY, Width, Height, DstX, DstY;
    };
    const Piece pieces[] = {
        {cnTopLeft, r.Left + o, r.Top, mask.WL, mask.WT, 0, 0},
        {cnTopRight, r.Left + o + mask.WL + mw, r.Top, mask.WR, mask.WT, w - mask.WR, 0},
        {cnBottomLeft, r.Left + o, r.Top + fh - mask.WB, mask.WL, mask.WB, 0, h - mask.WB},
        {cnBottomRight, r.Left + o + mask.WL + mw, r.Top + fh - mask.WB, mask.WR, mask.WB, w - mask.WR, h - mask.WB},
    };
    for (const Piece& p : pieces) {
        if ((corners & p.Bit) == 0) continue;
        for (int y = 0; y < p.Height; ++y) {
            for (int x = 0; x < p.Width; ++x) {
                const int sx = p.SrcX + x, sy = p.SrcY + y, dx = p.DstX + x, dy = p.DstY + y;
                if (dx < 0 || dy < 0 || dx >= w || dy >= h || !Inside(*image, sx, sy)) continue;
                if (ColorAt(*image, sx, sy) == TransparentKey) visit(dx, dy);
            }
        }
    }
}

void RestoreMaskCorners(Bitmap& cache, const render::MaskRef& mask, int state, int corners,
                        const render::TsCacheInfo& background) {
    const bool fromBitmap = background.Ready && background.Bmp != nullptr;
    const TColor fill = render::ResolveColor(background.FillColor);
    ForEachKeyCornerPixel(mask, state, corners, cache.Width(), cache.Height(), [&](int dx, int dy) {
        if (fromBitmap) {
            const int bx = dx + background.X, by = dy + background.Y;
            if (Inside(*background.Bmp, bx, by)) CopyPixelBetween(cache, dx, dy, *background.Bmp, bx, by);
        } else {
            PutColor(cache, dx, dy, fill);
        }
    });
}

BorderResult PaintBorderIntoCache(Bitmap& cache, const TRect& q, int b, int state, const render::MaskRef* mask,
                                  TColor fill, const render::TsCacheInfo& background) {
    BorderResult result;
    if (mask == nullptr) {
        result.Inner = b != 0 ? Shrink(q, b, b, b, b) : q;
        return result;
    }
    const int wl = mask->WL, wt = mask->WT, wr = mask->WR, wb = mask->WB;
    auto within = [&q](const TRect& r) { return Intersect(r, q); };
    if (mask->MaskType == 1) {
        CoverWithBackground(cache, within({q.Left, q.Top, q.Right, q.Top + wt}), background);
        CoverWithBackground(cache, within({q.Left, q.Bottom - wb, q.Right, q.Bottom}), background);
        CoverWithBackground(cache, within({q.Left, q.Top + wt, q.Left + wl, q.Bottom - wb}), background);
        CoverWithBackground(cache, within({q.Right - wr, q.Top + wt, q.Right, q.Bottom - wb}), background);
    }
    render::PaintBorderMask(cache, q, false, true, state, *mask, background);
    result.Inner = Shrink(q, wl, wt, wr, wb);
    if (b == 0) return result;

    const TRect& in = result.Inner;
    const int left = std::max(0, std::min(b, q.Width() - wr) - wl);
    const int top = std::max(0, std::min(b, q.Height() - wb) - wt);
    const int right = std::max(0, std::min(b, q.Width() - wl) - wr);
    const int bottom = std::max(0, std::min(b, q.Height() - wt) - wb);
    Fill(cache, within({in.Left, in.Top, in.Left + left, in.Bottom}), fill);
    Fill(cache, within({in.Left, in.Top, in.Right, in.Top + top}), fill);
    Fill(cache, within({in.Right - right, in.Top, in.Right, in.Bottom}), fill);
    Fill(cache, within({in.Left, in.Bottom - bottom, in.Right, in.Bottom}), fill);
    result.Inner = Shrink(q, b, b, b, b);
    result.CopyStrips = true;
    return result;
}

void CopyBorderToSurface(render::Surface& target, const Bitmap& cache, const TRect& q, int b, bool hasMask,
                         TColor fill) {
    if (b == 0) return;
    const TRect strips[] = {
        {q.Left, q.Top, q.Right, q.Top + b},
        {q.Left, q.Bottom - b, q.Right, q.Bottom},
        {q.Left, q.Top, q.Left + b, q.Bottom},
        {q.Right - b, q.Top, q.Right, q.Bottom},
    };
    for (const TRect& s : strips) {
        const TRect r = Intersect(s, q);
        if (r.IsEmpty()) continue;
        if (hasMask)
            target.Copy({r.Left, r.Top}, cache, r);
        else
            render::FillRectSolid(target, r, render::ResolveColor(fill));
    }
}

}  // namespace lw::controls
