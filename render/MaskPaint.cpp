#include "render/MaskPaint.h"

#include <algorithm>

#include "render/Blend.h"
#include "render/Blit.h"
#include "render/Color.h"
#include "render/KeyedCopy.h"
#include "render/Pixel.h"

namespace lw::render {
namespace {

// Copies one pixel of `bg` at (x + X, y + Y) into p; false when that lies outside the bitmap.
bool CopyBackgroundPixel(std::uint8_t* p, int tbpp, const TsCacheInfo& bg, int x, int y) {
    const int bx = x + bg.X, by = y + bg.Y;
    if (bx < 0 || by < 0 || bx >= bg.Bmp->Width() || by >= bg.Bmp->Height()) return false;
    const std::uint8_t* s = bg.Bmp->Pixel(bx, by);
    p[0] = s[0];
    p[1] = s[1];
    p[2] = s[2];
    if (tbpp == 4) p[3] = bg.Bmp->BytesPerPixel() == 4 ? s[3] : 255;
    return true;
}

void WriteFill(std::uint8_t* p, int tbpp, TColor raw, std::uint8_t alpha) {
    WriteRgb(p, ResolveColor(raw));
    if (tbpp == 4) p[3] = alpha;
}

// Top byte of a fill colour as an alpha byte, after a system colour became RGB.
std::uint8_t FillAlpha(TColor raw) { return static_cast<std::uint8_t>(ResolveColor(raw) >> 24); }

bool HasBitmap(const TsCacheInfo& bg) { return bg.Ready && bg.Bmp != nullptr; }

// Lays pieces of length `step` from a toward b while a whole one still leaves room, then one
// cut piece up to b. A zero step lays nothing.
template <class F>
void Tile(int a, int b, int step, F piece) {
    if (step <= 0) return;
    int y = a;
    for (; y + step < b; y += step) piece(y, step);
    if (b > y) piece(y, b - y);
}

struct Slices {
    int WL, WT, WR, WB;
};

// Shrinks the slices of one axis to a target narrower than their sum, never below zero and
// never beyond the target.
void ReduceAxis(int size, int& a, int& b) {
    if (size < a + b) {
        const int e = (a + b - size) / 2;
        a -= e;
        b -= e;
        if (size % 2 != 0) --b;
        a = std::clamp(a, 0, size);
        b = std::clamp(b, 0, size - a);
    }
}

// What laying `s` over `d` piece by piece with CopyMaskedPiece (no background) gives, in one
// pass: a border's edges tile slices a pixel or two wide, and a call per piece cost more than
// its pixels.
void TileMasked(const TRect& d, const TRect& s, Bitmap& target, const MaskRef& mask, const Bitmap& image) {
    if (target.Empty() || image.Empty()) return;
    const int moff = mask.MaskOffset();
    const int tb = target.BytesPerPixel();
    const int top = std::max(d.Top, 0), bottom = std::min(d.Bottom, target.Height());
    const int left = std::max(d.Left, 0), right = std::min(d.Right, target.Width());
    if (left >= right) return;
    const int firstColumn = s.Left + (left - d.Left) % s.Width();
    for (int y = top; y < bottom; ++y) {
        const int sy = s.Top + (y - d.Top) % s.Height();
        if (sy < 0 || sy + moff >= image.Height()) continue;
        std::uint8_t* tp = target.Pixel(left, y);
        int sx = firstColumn;
        for (int x = left; x < right; ++x, tp += tb) {
            if (sx >= 0 && sx < image.Width()) {
                const std::uint8_t* sp = image.Pixel(sx, sy);
                if (ReadRgb(sp) != TransparentKey) {
                    const std::uint8_t* mp = sp + image.Stride() * moff;
                    for (int ch = 0; ch < 3; ++ch) tp[ch] = MaskBlend(sp[ch], mp[ch], tp[ch]);
                }
            }
            if (++sx == s.Right) sx = s.Left;
        }
    }
}

}  // namespace

void CopyMaskedPiece(const TRect& d, const TRect& s, Bitmap& target, const MaskRef& mask, bool useBg,
                     const TsCacheInfo& bg, const Bitmap& image) {
    if (target.Empty() || image.Empty()) return;
    int w = std::min(d.Width(), s.Width()), h = std::min(d.Height(), s.Height());
    int dx = d.Left, dy = d.Top, sx = s.Left, sy = s.Top;
    const int moff = mask.MaskOffset();
    // Hidden or missing parts are skipped on both sides at once.
    const int skipX = std::max({0, -dx, -sx}), skipY = std::max({0, -dy, -sy});
    dx += skipX, sx += skipX, w -= skipX;
    dy += skipY, sy += skipY, h -= skipY;
    w = std::min({w, target.Width() - dx, image.Width() - sx});
    h = std::min({h, target.Height() - dy, image.Height() - sy - moff});
    if (w <= 0 || h <= 0) return;

    const int tb = target.BytesPerPixel(), ib = image.BytesPerPixel();
    const bool ready = HasBitmap(bg);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* sp = image.Pixel(sx, sy + y);
        const std::uint8_t* mp = image.Pixel(sx, sy + y + moff);
        std::uint8_t* tp = target.Pixel(dx, dy + y);
        for (int x = 0; x < w; ++x, sp += ib, mp += ib, tp += tb) {
            const bool key = ReadRgb(sp) == TransparentKey;
            if (key && useBg) {
                if (ready)
                    CopyBackgroundPixel(tp, tb, bg, dx + x, dy + y);
                else
                    WriteFill(tp, tb, bg.FillColor, FillAlpha(bg.FillColor));
                continue;
            }
            if (key && !ready) continue;
            for (int ch = 0; ch < 3; ++ch) tp[ch] = MaskBlend(sp[ch], mp[ch], tp[ch]);
            if (tb == 4 && ready && useBg) tp[3] = 255;
        }
    }
}

void CopyKeyedPiece(Bitmap& target, const Bitmap& image, int x, bool useBg, const TsCacheInfo& bg, TColor key, TRect s,
                    int y) {
    if (target.Empty() || image.Empty()) return;
    s = Intersect({s.Left, s.Top, s.Right + 1, s.Bottom + 1}, image.Bounds());
    const int tb = target.BytesPerPixel(), ib = image.BytesPerPixel();
    const bool bgShows = useBg && HasBitmap(bg) && bg.Bmp != &target;
    const bool fill = !HasBitmap(bg);
    const std::uint8_t fillAlpha = ib == 3 ? 255 : FillAlpha(bg.FillColor);
    for (int row = s.Top; row < s.Bottom; ++row) {
        const int ty = y + row - s.Top;
        if (ty < 0 || ty >= target.Height()) continue;
        for (int col = s.Left; col < s.Right; ++col) {
            const int tx = x + col - s.Left;
            if (tx < 0 || tx >= target.Width()) continue;
            const std::uint8_t* sp = image.Pixel(col, row);
            std::uint8_t* tp = target.Pixel(tx, ty);
            if (ReadRgb(sp) != key) {
                tp[0] = sp[0];
                tp[1] = sp[1];
                tp[2] = sp[2];
                if (tb == 4) tp[3] = ib == 4 ? sp[3] : 255;
            } else if (bgShows) {
                CopyBackgroundPixel(tp, tb, bg, tx, ty);
            } else if (fill) {
                WriteFill(tp, tb, bg.FillColor, fillAlpha);
            }
        }
    }
}

void BlendMaskedFrame(TPoint at, TRect s, Bitmap& target, const MaskRef& mask, int mode, TColor key,
                      const Bitmap& image) {
    if (mask.MaskType == 0) {
        CopyRectTransparent(target, image, at, {s.Left, s.Top, s.Right - 1, s.Bottom - 1}, key);
        return;
    }
    const int moff = mask.MaskOffset();
    TRect src{s.Left, s.Top, s.Right, std::min(s.Bottom, image.Height() - moff)};
    if (!ClipCopy(image.Bounds(), target.Bounds(), src, at)) return;
    const int tb = target.BytesPerPixel(), ib = image.BytesPerPixel();
    for (int y = 0; y < src.Height(); ++y) {
        const std::uint8_t* sp = image.Pixel(src.Left, src.Top + y);
        const std::uint8_t* mp = image.Pixel(src.Left, src.Top + y + moff);
        std::uint8_t* tp = target.Pixel(at.X, at.Y + y);
        for (int x = 0; x < src.Width(); ++x, sp += ib, mp += ib, tp += tb) {
            if (ReadRgb(sp) == key) continue;
            for (int ch = 0; ch < 3; ++ch)
                tp[ch] = mode == 1 ? MaskBlend(sp[ch], mp[ch], tp[ch]) : MaskBlendLight(sp[ch], mp[ch], tp[ch]);
            if (tb == 4) tp[3] = 255;
        }
    }
}

void PaintMaskFrame(Bitmap& target, TPoint at, int state, const TsCacheInfo& bg, const MaskRef& mask, int mode) {
    const int fw = mask.FrameWidth(), fh = mask.FrameHeight();
    if (target.Empty() || fw <= 0 || fh <= 0) return;
    const int left = mask.R.Left + mask.FrameIndex(state) * fw;
    TRect frame{left, mask.R.Top, left + fw, mask.R.Top + fh};
    if (at.X < 0) frame.Left -= at.X, at.X = 0;
    if (at.Y < 0) frame.Top -= at.Y, at.Y = 0;
    if (frame.IsEmpty()) return;

    const Bitmap* own = mask.Bmp;
    if (own != nullptr && own->Width() >= mask.R.Right && own->Height() >= mask.R.Bottom) {
        BlendMaskedFrame(at, frame, target, mask, mode, TransparentKey, *own);
        return;
    }
    if (!mask.HasManager || mask.ImageCount == 0 || mask.Master == nullptr) return;
    const Bitmap& master = *mask.Master;
    if (mask.MaskType > 0)
        BlendMaskedFrame(at, frame, target, mask, mode, TransparentKey, master);
    else if (mode == 1)
        CopyKeyedPiece(target, master, at.X, true, bg, TransparentKey,
                       {frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1}, at.Y);
    else
        BlendOverRect(target, at, TransparentKey, 0.5, {frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1},
                      master);
}

void PaintBorderMask(Bitmap& target, const TRect& q, bool fillCentre, bool useBg, int state, const MaskRef& mask,
                     const TsCacheInfo& bg) {
    if (state == 0 && (mask.StretchMode & 2)) return;
    if (target.Empty() || q.Width() < 2 || q.Height() < 2) return;
    if (!mask.HasManager || mask.ImageCount == 0) return;
    const Bitmap* image = mask.Source();
    if (image == nullptr || image->Empty()) return;

    Slices sl{mask.WL, mask.WT, mask.WR, mask.WB};
    ReduceAxis(q.Width(), sl.WL, sl.WR);
    ReduceAxis(q.Height(), sl.WT, sl.WB);
    const int fw = mask.FrameWidth(), fh = mask.FrameHeight();
    const int fx = mask.R.Left + mask.FrameIndex(state) * fw, fy = mask.R.Top;
    const int mw = std::max(0, fw - sl.WL - sl.WR), mh = std::max(0, fh - sl.WT - sl.WB);

    const bool masked = mask.MaskType == 1;
    const bool stretch = !masked && (mask.StretchMode & 1);
    const bool centre = fillCentre && (mask.StretchMode & 4);

    auto corner = [&](int dx, int dy, int sx, int sy, int w, int h) {
        if (w <= 0 || h <= 0) return;
        if (masked)
            CopyMaskedPiece(RectOfSize(dx, dy, w, h), RectOfSize(sx, sy, w, h), target, mask, useBg, bg, *image);
        else
            CopyKeyedPiece(target, *image, dx, useBg, bg, TransparentKey, {sx, sy, sx + w - 1, sy + h - 1}, dy);
    };
    // Edges and the centre: tiled (or stretched) copies of a slice over a span.
    auto span = [&](const TRect& d, const TRect& s) {
        if (d.IsEmpty() || s.IsEmpty()) return;
        if (stretch) {
            StretchPixels(target, d, *image, s, target.Bounds());
            return;
        }
        if (masked) {
            TileMasked(d, s, target, mask, *image);
            return;
        }
        Tile(d.Top, d.Bottom, s.Height(), [&](int y, int h) {
            Tile(d.Left, d.Right, s.Width(), [&](int x, int w) {
                CopyPixels(target, {x, y}, *image, RectOfSize(s.Left, s.Top, w, h));
            });
        });
    };

    const int L = q.Left, T = q.Top, R = q.Right, B = q.Bottom;
    corner(L, T, fx, fy, sl.WL, sl.WT);
    span({L, T + sl.WT, L + sl.WL, B - sl.WB}, RectOfSize(fx, fy + sl.WT, sl.WL, mh));
    span({L + sl.WL, T, R - sl.WR, T + sl.WT}, RectOfSize(fx + sl.WL, fy, mw, sl.WT));
    corner(L, B - sl.WB, fx, fy + fh - sl.WB, sl.WL, sl.WB);
    span({L + sl.WL, B - sl.WB, R - sl.WR, B}, RectOfSize(fx + sl.WL, fy + fh - sl.WB, mw, sl.WB));
    corner(R - sl.WR, B - sl.WB, fx + fw - sl.WR, fy + fh - sl.WB, sl.WR, sl.WB);
    corner(R - sl.WR, T, fx + fw - sl.WR, fy, sl.WR, sl.WT);
    span({R - sl.WR, T + sl.WT, R, B - sl.WB}, RectOfSize(fx + fw - sl.WR, fy + sl.WT, sl.WR, mh));
    if (centre) span({L + sl.WL, T + sl.WT, R - sl.WR, B - sl.WB}, RectOfSize(fx + sl.WL, fy + sl.WT, mw, mh));
}

}  // namespace lw::render
