#include "render/Background.h"

#include <algorithm>

#include "render/Blend.h"
#include "render/Blit.h"
#include "render/Gradient.h"
#include "render/MaskPaint.h"
#include "render/Pattern.h"

namespace lw::render {
namespace {

struct Layers {
    TColor k = 0;
    int t = 0, I = 0, G = 0;
    const TsGradArray* gradient = nullptr;
    const MaskRef* textureMask = nullptr;
    const Bitmap* textureImage = nullptr;
};

Layers ChooseLayers(const SkinSource& m, const SectionPaint& s, int sectionIndex, std::string_view name,
                    TColor customColor, int hotPatternIndex, int patternIndex, int state) {
    Layers L;
    if (customColor != TransparentKey) {
        L.k = customColor;
        return L;
    }
    const bool hot = state != 0;
    L.k = hot ? s.HotColor : s.Color;
    L.t = hot ? s.HotTransparency : s.Transparency;
    L.G = hot ? s.HotGradientPercent : s.GradientPercent;
    L.I = hot ? s.HotImagePercent : s.ImagePercent;
    L.gradient = hot ? &s.HotGradientArray : &s.GradientArray;
    if (L.t == 100) L.I = L.G = 0;

    const std::string_view key = hot ? "HOTPATTERN" : "PATTERN";
    const int given = hot ? hotPatternIndex : patternIndex;
    const int maskIndex = given == -1 ? m.GetMaskIndex(sectionIndex, name, key) : given;
    if (const MaskRef* mask = m.Mask(maskIndex)) {
        if (mask->MaskType == 0) L.textureMask = mask;  // a masked pattern is painted last instead
    } else {
        L.textureImage = m.PatternImage(m.GetPatternIndex(sectionIndex, name, key));
    }
    return L;
}

void Fill(Bitmap& bmp, const TRect& r, TColor c) {
    Surface s(bmp);
    FillRectSolid(s, r, c);
}

// The section's own layers into r of x. `colourBehind` lets a transparent plain section show the
// background colour instead of its own.
void OwnLayers(Bitmap& x, const TRect& r, const Layers& L, const TsCacheInfo& bg, bool colourBehind) {
    bool textured = false;
    if (L.I > 0 && (L.textureImage != nullptr || L.textureMask != nullptr)) {
        Surface s(x);
        TRect rest = r;
        PaintPatternImage(s, rest, L.textureImage, L.textureImage != nullptr ? 0 : L.textureMask->StretchMode,
                          L.textureImage != nullptr ? nullptr : L.textureMask);
        if (rest != AllCovered) Fill(x, rest, L.k);
        textured = true;
    }
    const bool hasGradient = L.gradient != nullptr && !L.gradient->empty();
    if (L.G > 0) {
        if (textured) {
            Bitmap tmp(r.Width(), r.Height(), x.Format());
            if (hasGradient)
                PaintGradient(tmp, tmp.Bounds(), *L.gradient);
            else
                Fill(tmp, tmp.Bounds(), L.k);
            SumBitmapRect(x, tmp, static_cast<std::uint8_t>(std::clamp(L.I * 255 / 100, 0, 255)), {r.Left, r.Top},
                          tmp.Bounds());
        } else if (hasGradient) {
            PaintGradient(x, r, *L.gradient);
        } else {
            Fill(x, r, L.k);
        }
    }
    const int share = L.I + L.G;
    if (share == 0) {
        const bool behind = colourBehind && !(bg.Ready && bg.Bmp != nullptr) && L.t != 0;
        Fill(x, r, behind ? bg.FillColor : L.k);
    } else if (share <= 99) {
        BlendColorRect(x, r, share, L.k);
    }
}

// What lies behind r: the background bitmap's pixels under it, or the background colour.
// Pixels are matched by position (r's own corner included), as border corners and masked
// patterns match them, so a rectangle away from the origin still lines up with its parent.
void Behind(Bitmap& target, const TRect& r, const TsCacheInfo& bg, TPoint offset) {
    if (bg.Ready && bg.Bmp != nullptr) {
        if (bg.Bmp == &target) return;  // the target already holds it
        CopyPixels(target, {r.Left, r.Top}, *bg.Bmp,
                   RectOfSize(r.Left + bg.X + offset.X, r.Top + bg.Y + offset.Y, r.Width(), r.Height()));
    } else {
        Fill(target, r, bg.FillColor);
    }
}

void Compose(const Layers& L, const TsCacheInfo& bg, bool offersBg, bool colourBehind, PixelFormat tempFormat,
             Bitmap& target, TPoint offset, const TRect& r) {
    if (offersBg && L.t != 0) {
        if (L.t >= 100) {
            Behind(target, r, bg, offset);
            return;
        }
        Bitmap own(r.Width(), r.Height(), tempFormat);
        OwnLayers(own, own.Bounds(), L, bg, colourBehind);
        Behind(target, r, bg, offset);
        SumBitmapRect(target, own, static_cast<std::uint8_t>(std::clamp(L.t * 255 / 100, 0, 255)), {r.Left, r.Top},
                      own.Bounds());
        return;
    }
    OwnLayers(target, r, L, bg, colourBehind);
}

bool Inside(const Bitmap& target, const TRect& r) {
    return !target.Empty() && !r.IsEmpty() && r.Left >= 0 && r.Top >= 0 && r.Right <= target.Width() &&
           r.Bottom <= target.Height();
}

const MaskRef* MaskedStretch10(const SkinSource& m, int index) {
    const MaskRef* mask = m.Mask(index);
    return mask != nullptr && mask->MaskType > 0 && mask->StretchMode == 10 ? mask : nullptr;
}

TsCacheInfo Moved(TsCacheInfo bg, TPoint by) {
    bg.X += by.X;
    bg.Y += by.Y;
    return bg;
}

void CornerImages(const SkinSource& m, const SectionPaint& s, Bitmap& target, const TRect& r, int state) {
    const TsCacheInfo self = CacheInfoFromBitmap(target, 0, 0);
    auto paint = [&](int index, bool right, bool bottom) {
        const MaskRef* mask = m.Mask(index);
        if (mask == nullptr) return;
        const TPoint at{right ? r.Right - mask->FrameWidth() : r.Left, bottom ? r.Bottom - mask->FrameHeight() : r.Top};
        PaintMaskFrame(target, at, state, self, *mask, 1);
    };
    paint(s.ImgTL, false, false);
    paint(s.ImgTR, true, false);
    paint(s.ImgBL, false, true);
    paint(s.ImgBR, true, true);
}

}  // namespace

void PaintSectionBackground(int sectionIndex, std::string_view name, const TsCacheInfo& bg, TColor customColor,
                            int hotPatternIndex, int patternIndex, const SkinSource* m, Bitmap& target, TPoint offset,
                            const TRect& r, int state) {
    if (m == nullptr || target.Empty() || r.IsEmpty()) return;
    const SectionPaint* s = m->Section(sectionIndex);
    if (s == nullptr) return;
    const Layers L = ChooseLayers(*m, *s, sectionIndex, name, customColor, hotPatternIndex, patternIndex, state);
    const bool offersBg = (bg.Ready && bg.Bmp != nullptr) || bg.FillColor != TransparentKey;
    Compose(L, bg, offersBg, true, target.Format(), target, offset, r);

    if (state != 0) return;
    const MaskRef* given = m->Mask(patternIndex);
    const MaskRef* masked = MaskedStretch10(*m, patternIndex);
    if (masked == nullptr && (patternIndex == -1 || (given != nullptr && given->MaskType == 0)))
        masked = MaskedStretch10(*m, hotPatternIndex);
    if (masked != nullptr) {
        TRect q = r;
        PaintMaskedPattern(target, q, Moved(bg, offset), 10, *masked);
    }
}

void PaintItem(int sectionIndex, std::string_view name, const TsCacheInfo& bg, int hotPatternIndex, int patternIndex,
               const SkinSource* m, Bitmap& target, TPoint offset, const TRect& r, int state, bool fillCentre) {
    if (m == nullptr || !Inside(target, r)) return;
    const SectionPaint* s = m->Section(sectionIndex);
    if (s == nullptr) return;
    PaintSectionBackground(sectionIndex, name, bg, TransparentKey, hotPatternIndex, patternIndex, m, target, offset, r,
                           state);
    CornerImages(*m, *s, target, r, state);
    if (const MaskRef* border = m->Mask(s->BorderIndex))
        PaintBorderMask(target, r, fillCentre, true, state, *border, Moved(bg, offset));
}

void PaintItemToDC(int sectionIndex, std::string_view name, const TsCacheInfo& bg, const SkinSource* manager,
                   Surface& surface, TPoint offset, const TRect& r, int state, bool fillCentre) {
    if (r.Left < 0 || r.Top < 0 || r.IsEmpty()) return;
    Bitmap tmp = CreateBmp24(r.Width(), r.Height());
    PaintItem(sectionIndex, name, bg, -1, -1, manager, tmp, offset, tmp.Bounds(), state, fillCentre);
    const Surface::State saved = surface.Save();
    surface.Copy({r.Left, r.Top}, tmp, tmp.Bounds());
    surface.Restore(saved);
}

int PaintSectionByName(Bitmap& target, std::string_view name, std::string_view fallback, Surface* surface, TColor color,
                       const TRect& rect, const SkinSource* m, int state) {
    if (m == nullptr || target.Empty()) return -1;
    int index = m->GetSkinIndex(name);
    std::string_view used = name;
    if (index < 0) {
        index = m->GetSkinIndex(fallback);
        used = fallback;
    }
    if (index < 0) return -1;
    TsCacheInfo bg = CacheInfoFromColor(color);
    if (surface != nullptr) {
        const TPoint o = surface->Origin();
        CopyPixels(target, {0, 0}, surface->Target(),
                   RectOfSize(rect.Left + o.X, rect.Top + o.Y, rect.Width(), rect.Height()));
        bg = CacheInfoFromBitmap(target, 0, 0);
    }
    PaintItem(index, used, bg, -1, -1, m, target, {0, 0}, target.Bounds(), state, true);
    return index;
}

void PaintItemWithMasks(int sectionIndex, int borderIndex, int patternIndex, int hotPatternIndex, const SkinSource* m,
                        Bitmap& target, TPoint offset, const TRect& r, int state, bool fillCentre,
                        const TsCacheInfo& bg, std::string_view name) {
    if (m == nullptr || !Inside(target, r)) return;
    const SectionPaint* s = m->Section(sectionIndex);
    if (s == nullptr) return;
    const Layers L = ChooseLayers(*m, *s, sectionIndex, name, TransparentKey, hotPatternIndex, patternIndex, state);
    const bool ready = bg.Ready && bg.Bmp != nullptr;
    Compose(L, bg, ready, false, PixelFormat::pf24bit, target, offset, r);
    if (const MaskRef* border = m->Mask(borderIndex))
        PaintBorderMask(target, r, fillCentre, true, state, *border, Moved(bg, offset));
}

void PaintControlBackground(const ControlSkinRef& c, const TsCacheInfo& bg, int state, Bitmap& target, TPoint offset,
                            const TRect& r) {
    PaintSectionBackground(c.SkinIndex, c.SkinSection, bg, c.CustomColor ? c.OwnerColor : TransparentKey, c.HotTexture,
                           c.Texture, c.Manager, target, offset, r, state);
}

void PaintControlItem(const ControlSkinRef& c, const TsCacheInfo& bg, bool fillCentre, bool bgForCorners,
                      Bitmap& target, TPoint offset, const TRect& r, int state) {
    const SkinSource* m = c.Manager;
    if (m == nullptr || !Inside(target, r)) return;
    const SectionPaint* s = m->Section(c.SkinIndex);
    if (s == nullptr) return;
    PaintControlBackground(c, bg, state, target, offset, r);
    if (const MaskRef* border = m->Mask(c.BorderIndex))
        PaintBorderMask(target, r, fillCentre, bgForCorners, state, *border, Moved(bg, offset));
    CornerImages(*m, *s, target, r, state);
}

void PaintControlItemFromParent(const ControlSkinRef& c, const BackgroundRequest& askParent, bool fillCentre,
                                bool bgForCorners, Bitmap& target, TPoint offset, const TRect& r, int state) {
    TsBgRequest request;
    if (askParent) askParent(request);
    PaintControlItem(c, BgRequestToCacheInfo(request), fillCentre, bgForCorners, target, offset, r, state);
}

void ExcludeGraphicChildren(Surface& surface, std::span<const GraphicChild> children, int offsetY, int offsetX) {
    for (const GraphicChild& child : children) {
        if (!child.Visible || child.Windowed) continue;
        surface.ExcludeClip({child.Bounds.Left + offsetX, child.Bounds.Top + offsetY, child.Bounds.Right + offsetX,
                             child.Bounds.Bottom + offsetY});
    }
}

}  // namespace lw::render
