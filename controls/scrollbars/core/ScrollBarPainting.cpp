#include "controls/scrollbars/core/ScrollBarPainting.h"

#include <algorithm>

#include "render/Background.h"
#include "render/Blend.h"
#include "render/Blit.h"
#include "render/Fade.h"
#include "render/MaskPaint.h"

namespace lw::controls::scroll {

namespace {

// The rectangle of [from, to) along the bar.
TRect Along(bool vertical, int from, int to, int across) {
    return vertical ? TRect{0, from, across, to} : TRect{from, 0, to, across};
}

void PaintPart(render::Bitmap& image, const render::SkinSource& skin, const skin::TsScrollPartIndexes& part,
               const TRect& r, int state, const render::TsCacheInfo& bg) {
    if (part.Section < 0 || r.IsEmpty()) return;
    render::PaintItemWithMasks(part.Section, part.BorderMask, part.Pattern, part.HotPattern, &skin, image, {0, 0}, r,
                               state, true, bg, {});
}

// A button or slider: painted in an image of its own over the bar beneath it, glyph centred
// in `glyphArea` (relative to the part), then copied onto the bar.
void PaintButton(render::Bitmap& image, const render::SkinSource& skin, const skin::TsScrollPartIndexes& part,
                 const TRect& r, int state, const TRect& glyphArea) {
    if (part.Section < 0 || r.IsEmpty()) return;
    render::Bitmap button = render::CreateBmp24(r.Width(), r.Height());
    const render::TsCacheInfo beneath = render::CacheInfoFromBitmap(image, r.Left, r.Top);
    PaintPart(button, skin, part, button.Bounds(), state, beneath);
    if (const render::MaskRef* glyph = skin.Mask(part.GlyphMask)) {
        const int w = glyph->FrameWidth();
        const int h = glyph->FrameHeight();
        if (w > 0 && h > 0) {
            const TPoint at{glyphArea.Left + (glyphArea.Width() - w) / 2, glyphArea.Top + (glyphArea.Height() - h) / 2};
            render::PaintMaskFrame(button, at, state, render::CacheInfoFromBitmap(button, 0, 0), *glyph, 1);
        }
    }
    render::CopyPixels(image, {r.Left, r.Top}, button, button.Bounds());
}

void Dim(render::Bitmap& image, const render::TsCacheInfo& bg) {
    if (bg.Ready && bg.Bmp != nullptr) {
        // Each pixel keeps 0.6 of the background and takes 0.4 of the bar.
        render::Bitmap bar = image.Clone();
        render::CopyPixels(image, {0, 0}, *bg.Bmp, TRect{bg.X, bg.Y, bg.X + image.Width(), bg.Y + image.Height()});
        render::BlendOverRect(image, {0, 0}, 0xFF000000u, 0.6, TRect{0, 0, bar.Width() - 1, bar.Height() - 1}, bar);
    } else {
        render::FadeRectToColor(image, TRect{0, 0, image.Width() + 1, image.Height() + 1}, 60, 0, 0, bg.FillColor);
    }
}

}  // namespace

BarSkin BarSkinOf(const skin::TsCommonIndexes& x, bool vertical) {
    // Buttons: TOP, BOTTOM, LEFT, RIGHT, SLIDERV, SLIDERH; tracks: 1H, 1V, 2H, 2V.
    if (vertical) return {x.ScrollBars[1], x.ScrollBars[3], x.ScrollButtons[0], x.ScrollButtons[1], x.ScrollButtons[4]};
    return {x.ScrollBars[0], x.ScrollBars[2], x.ScrollButtons[2], x.ScrollButtons[3], x.ScrollButtons[5]};
}

int ArrowState(int part, int pressedPart, int hoverPart, bool enabled) {
    if (pressedPart == part) return 2;
    if (hoverPart == part && enabled) return 1;
    return 0;
}

bool PaintBar(render::Bitmap& image, const render::SkinSource& skin, const BarSkin& parts, const BarPaintInput& in) {
    if (parts.TrackBefore.Section < 0 || skin.Section(parts.TrackBefore.Section) == nullptr) return false;
    const bool v = in.Vertical;
    const int length = v ? image.Height() : image.Width();
    const int across = v ? image.Width() : image.Height();
    const int a = in.Arrow;
    const int m = in.GlyphBox;
    // Glyph squares at the outer ends of the buttons.
    const auto firstGlyph = [&](int size) {
        return v ? TRect{0, 0, across, std::min(m, size)} : TRect{0, 0, std::min(m, size), across};
    };
    const auto secondGlyph = [&](int size) {
        const int g = std::min(m, size);
        return v ? TRect{0, size - g, across, size} : TRect{size - g, 0, size, across};
    };
    if (2 * a < length) {
        const int mid = in.Thumb.Start + in.Thumb.Length / 2;
        PaintPart(image, skin, parts.TrackBefore, Along(v, 0, mid, across), in.Look.PressedPart == sbPageBefore ? 2 : 0,
                  in.Background);
        PaintPart(image, skin, parts.TrackAfter, Along(v, mid, length, across),
                  in.Look.PressedPart == sbPageAfter ? 2 : 0, in.Background);
        PaintButton(image, skin, parts.FirstButton, Along(v, 0, a, across), in.Look.FirstArrow, firstGlyph(a));
        PaintButton(image, skin, parts.SecondButton, Along(v, length - a, length, across), in.Look.SecondArrow,
                    secondGlyph(a));
        if (in.Look.ShowSlider && in.Look.Enabled && in.Thumb.Length > 0) {
            const TRect r = Along(v, in.Thumb.Start, in.Thumb.Start + in.Thumb.Length, across);
            PaintButton(image, skin, parts.Slider, r, in.Look.SliderState, TRect{0, 0, r.Width(), r.Height()});
        }
    } else {
        const int half = length / 2;
        PaintPart(image, skin, parts.TrackBefore, Along(v, 0, half, across), 0, in.Background);
        PaintPart(image, skin, parts.TrackAfter, Along(v, half, length, across), 0, in.Background);
        PaintButton(image, skin, parts.FirstButton, Along(v, 0, half, across), in.Look.FirstArrow, firstGlyph(half));
        PaintButton(image, skin, parts.SecondButton, Along(v, half, length, across), in.Look.SecondArrow,
                    secondGlyph(length - half));
    }
    if (!in.Look.Enabled) Dim(image, in.Background);
    return true;
}

}  // namespace lw::controls::scroll
