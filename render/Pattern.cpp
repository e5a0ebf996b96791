#include "render/Pattern.h"

#include <algorithm>

#include "render/Blend.h"
#include "render/Blit.h"
#include "render/Color.h"
#include "render/Pixel.h"

namespace lw::render {
namespace {

// Tiles `piece` over area starting at (originX, originY): whole tiles, the last ones cut.
// Zero-sized pieces paint nothing.
void TileOver(Surface& s, const TRect& area, int originX, int originY, const Bitmap& img, const TRect& piece) {
    const int w = piece.Width(), h = piece.Height();
    if (w <= 0 || h <= 0 || area.IsEmpty()) return;
    for (int y = originY; y < area.Bottom; y += h) {
        for (int x = originX; x < area.Right; x += w) {
            const TRect cell = Intersect(RectOfSize(x, y, w, h), area);
            if (cell.IsEmpty()) continue;
            s.Copy({cell.Left, cell.Top}, img,
                   RectOfSize(piece.Left + cell.Left - x, piece.Top + cell.Top - y, cell.Width(), cell.Height()));
        }
    }
}

TRect Uncovered(const TRect& q, const TRect& part) {
    const TRect u = Intersect(part, q);
    return u.IsEmpty() ? AllCovered : u;
}

void FillArea(Bitmap& bmp, const TRect& r, TColor color) {
    Surface s(bmp);
    s.FillRect(r, color);
}

}  // namespace

void PaintPatternImage(Surface& s, TRect& q, const Bitmap* image, int mode, const MaskRef* mask) {
    if (image == nullptr && mask != nullptr) image = mask->Bmp;
    if (image != nullptr && !image->Empty()) {
        TileOver(s, q, q.Left, q.Top, *image, image->Bounds());
        q = AllCovered;
        return;
    }
    if (mask == nullptr || !mask->HasManager || mask->Source() == nullptr) return;
    const Bitmap& img = *mask->Source();
    const TRect piece = Intersect(mask->R, img.Bounds());
    const int w = piece.Width(), h = piece.Height();
    if (w <= 0 || h <= 0) return;
    switch (mode) {
    case 0:
        TileOver(s, q, q.Left, q.Top, img, piece);
        q = AllCovered;
        break;
    case 1:
        s.Stretch(q, img, piece);
        q = AllCovered;
        break;
    case 2:
        TileOver(s, {q.Left, q.Top, q.Right, std::min(q.Bottom, q.Top + h)}, q.Left, q.Top, img, piece);
        q = Uncovered(q, {q.Left, q.Top + h, q.Right, q.Bottom});
        break;
    case 3:
        TileOver(s, {q.Left, q.Top, std::min(q.Right, q.Left + w), q.Bottom}, q.Left, q.Top, img, piece);
        q = Uncovered(q, {q.Left + w, q.Top, q.Right, q.Bottom});
        break;
    case 4:
        s.Stretch({q.Left, q.Top, q.Right, q.Top + h}, img, piece);
        q = Uncovered(q, {q.Left, q.Top + h, q.Right, q.Bottom});
        break;
    case 5:
        s.Stretch({q.Left, q.Top, q.Left + w, q.Bottom}, img, piece);
        q = Uncovered(q, {q.Left + w, q.Top, q.Right, q.Bottom});
        break;
    case 6:
        TileOver(s, {q.Left, std::max(q.Top, q.Bottom - h), q.Right, q.Bottom}, q.Left, q.Bottom - h, img, piece);
        q = Uncovered(q, {q.Left, q.Top, q.Right, q.Bottom - h});
        break;
    case 7:
        // The column keeps the grid that starts at the left edge.
        TileOver(s, {std::max(q.Left, q.Right - w), q.Top, q.Right, q.Bottom}, q.Left, q.Top, img, piece);
        q = Uncovered(q, {q.Left, q.Top, q.Right - w, q.Bottom});
        break;
    case 10: {
        const int rows = q.Height() / h;
        TileOver(s, {q.Left, q.Top, q.Right, q.Top + rows * h}, q.Left, q.Top, img, piece);
        q = AllCovered;
        break;
    }
    default:
        break;  // not used by skins: left for the base colour
    }
}

void BlendMaskedTile(const TRect& d, const TRect& sr, Bitmap& target, const MaskRef& mask, const TsCacheInfo& bg) {
    const Bitmap* image = mask.Source();
    if (image == nullptr || target.Empty()) return;
    const int moff = mask.MaskOffset();
    int w = std::min(d.Width(), sr.Width()), h = std::min(d.Height(), sr.Height());
    int dx = d.Left, dy = d.Top, sx = sr.Left, sy = sr.Top;
    const int skipX = std::max({0, -dx, -sx}), skipY = std::max({0, -dy, -sy});
    dx += skipX, sx += skipX, w -= skipX;
    dy += skipY, sy += skipY, h -= skipY;
    w = std::min({w, target.Width() - dx, image->Width() - sx});
    h = std::min({h, target.Height() - dy, image->Height() - sy - moff});
    if (w <= 0 || h <= 0) return;

    const bool ready = bg.Ready && bg.Bmp != nullptr;
    const TColor fill = ResolveColor(bg.FillColor);
    const int tb = target.BytesPerPixel(), ib = image->BytesPerPixel();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* sp = image->Pixel(sx, sy + y);
        const std::uint8_t* mp = image->Pixel(sx, sy + y + moff);
        std::uint8_t* tp = target.Pixel(dx, dy + y);
        for (int x = 0; x < w; ++x, sp += ib, mp += ib, tp += tb) {
            if (ReadRgb(sp) != TransparentKey) {
                for (int ch = 0; ch < 3; ++ch) tp[ch] = MaskBlend(sp[ch], mp[ch], tp[ch]);
            } else if (ready) {
                const int bx = dx + x + bg.X, by = dy + y + bg.Y;
                if (bx < 0 || by < 0 || bx >= bg.Bmp->Width() || by >= bg.Bmp->Height()) continue;
                const std::uint8_t* b = bg.Bmp->Pixel(bx, by);
                tp[0] = b[0], tp[1] = b[1], tp[2] = b[2];
            } else if (bg.FillColor != TransparentKey) {
                WriteRgb(tp, fill);
            }
        }
    }
}

void PaintMaskedPattern(Bitmap& bmp, TRect& q, const TsCacheInfo& bg, int mode, const MaskRef& mask) {
    if (!mask.HasManager || mask.ImageCount <= 0 || (mode != 0 && mode != 10)) return;
    const int fw = mask.R.Width() / mask.ImageCount, th = mask.R.Height() / 2;
    if (fw <= 0 || th <= 0) return;
    const TRect piece = RectOfSize(mask.R.Left, mask.R.Top, fw, th);

    // Rows of whole tiles only; the strip below them is left to the mode.
    int yEnd = q.Top;
    while (yEnd < q.Bottom - th) yEnd += th;
    auto column = [&](int cx, int w) {
        for (int y = q.Top; y < yEnd; y += th) BlendMaskedTile(RectOfSize(cx, y, w, th), piece, bmp, mask, bg);
    };
    int x = q.Left;
    for (; x < q.Right - fw; x += fw) column(x, fw);
    if (mode == 0) {
        column(x, q.Right - x);
    } else {
        // The strips no whole tile covers show what lies behind.
        const TRect strips[2] = {{x, q.Top, q.Right, q.Bottom}, {q.Left, yEnd, x, q.Bottom}};
        for (const TRect& strip : strips) {
            if (strip.IsEmpty()) continue;
            if (bg.Ready && bg.Bmp != nullptr)
                CopyPixels(bmp, {strip.Left, strip.Top}, *bg.Bmp,
                           RectOfSize(strip.Left + bg.X, strip.Top + bg.Y, strip.Width(), strip.Height()));
            else
                FillArea(bmp, strip, bg.FillColor);
        }
    }
    q = AllCovered;
}

}  // namespace lw::render
