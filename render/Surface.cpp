#include "render/Surface.h"

#include "render/Blit.h"
#include "render/Color.h"
#include "render/Pixel.h"

namespace lw::render {
namespace {

// Appends the parts of `a` that lie outside `b`: up to four bands.
void Subtract(const TRect& a, const TRect& b, std::vector<TRect>& out) {
    const TRect i = Intersect(a, b);
    if (i.IsEmpty()) {
        out.push_back(a);
        return;
    }
    if (a.Top < i.Top) out.push_back({a.Left, a.Top, a.Right, i.Top});
    if (i.Bottom < a.Bottom) out.push_back({a.Left, i.Bottom, a.Right, a.Bottom});
    if (a.Left < i.Left) out.push_back({a.Left, i.Top, i.Left, i.Bottom});
    if (i.Right < a.Right) out.push_back({i.Right, i.Top, a.Right, i.Bottom});
}

}  // namespace

Surface::Surface(Bitmap& target) : target_(&target), clip_(target.Bounds()) {}

void Surface::Restore(State s) {
    origin_ = s.Origin;
    clip_ = s.Clip;
    excluded_ = std::move(s.Excluded);
}

void Surface::IntersectClip(const TRect& logical) { clip_ = Intersect(clip_, ToDevice(logical)); }

void Surface::ExcludeClip(const TRect& logical) {
    const TRect d = ToDevice(logical);
    if (!d.IsEmpty()) excluded_.push_back(d);
}

TRect Surface::ClipBox() const {
    return {clip_.Left - origin_.X, clip_.Top - origin_.Y, clip_.Right - origin_.X, clip_.Bottom - origin_.Y};
}

std::vector<TRect> Surface::VisibleParts(const TRect& deviceRect) const {
    std::vector<TRect> parts;
    const TRect first = Intersect(Intersect(deviceRect, clip_), target_->Bounds());
    if (first.IsEmpty()) return parts;
    parts.push_back(first);
    for (const TRect& ex : excluded_) {
        std::vector<TRect> next;
        for (const TRect& p : parts) Subtract(p, ex, next);
        parts = std::move(next);
    }
    return parts;
}

void Surface::FillRect(const TRect& logical, TColor color) {
    color = ResolveColor(color);
    const int bpp = target_->BytesPerPixel();
    for (const TRect& p : VisibleParts(ToDevice(logical))) {
        for (int y = p.Top; y < p.Bottom; ++y) {
            std::uint8_t* d = target_->Pixel(p.Left, y);
            for (int x = p.Left; x < p.Right; ++x, d += bpp) {
                WriteRgb(d, color);
                if (bpp == 4) d[3] = 255;
            }
        }
    }
}

void Surface::SetPixel(TPoint logical, TColor color) {
    const TRect pixel{logical.X, logical.Y, logical.X + 1, logical.Y + 1};
    if (!excluded_.empty()) {
        FillRect(pixel, color);
        return;
    }
    // Dotted lines come a pixel at a time: without excluded parts one test of the clip does.
    const TRect d = ToDevice(pixel);
    if (Intersect(Intersect(d, clip_), target_->Bounds()).IsEmpty()) return;
    std::uint8_t* p = target_->Pixel(d.Left, d.Top);
    WriteRgb(p, ResolveColor(color));
    if (target_->BytesPerPixel() == 4) p[3] = 255;
}

void Surface::Copy(TPoint at, const Bitmap& src, const TRect& srcRect) {
    const TRect d = ToDevice({at.X, at.Y, at.X + srcRect.Width(), at.Y + srcRect.Height()});
    for (const TRect& p : VisibleParts(d)) {
        const int sx = srcRect.Left + p.Left - d.Left, sy = srcRect.Top + p.Top - d.Top;
        CopyPixels(*target_, {p.Left, p.Top}, src, {sx, sy, sx + p.Width(), sy + p.Height()});
    }
}

void Surface::Stretch(const TRect& logicalDst, const Bitmap& src, const TRect& srcRect) {
    const TRect d = ToDevice(logicalDst);
    for (const TRect& p : VisibleParts(d)) StretchPixels(*target_, d, src, srcRect, p);
}

void FillRectSolid(Surface& surface, const TRect& r, TColor color) {
    // The surface keeps no pen or brush, so there is no state to put back.
    surface.FillRect(r, color);
}

}  // namespace lw::render
