#pragma once
// Composing one skinned scroll bar off-screen: the two halves of the track split at the
// slider's middle, the arrow buttons with their glyphs, the slider, and the faded look of a
// disabled bar. The caller copies the image to the window in one block.

#include "controls/scrollbars/core/ScrollGeometry.h"
#include "render/Bitmap.h"
#include "render/CacheInfo.h"
#include "render/SkinSource.h"
#include "skin/SkinManagerCore.h"

namespace lw::controls::scroll {

// The skin's entries for one bar's parts.
struct BarSkin {
    skin::TsScrollPartIndexes TrackBefore, TrackAfter, FirstButton, SecondButton, Slider;
};
BarSkin BarSkinOf(const skin::TsCommonIndexes& indexes, bool vertical);

// How the bar looks now. States: 0 normal, 1 hot, 2 pressed.
struct BarLook {
    int FirstArrow = 0;
    int SecondArrow = 0;
    int PressedPart = sbNone;  // shows the track halves pressed
    int SliderState = 0;
    bool ShowSlider = true;
    bool Enabled = true;
};

struct BarPaintInput {
    bool Vertical = false;
    int Arrow = 0;     // the skinned arrow length
    int GlyphBox = 0;  // side of the square at the button's outer end that holds its glyph
    ThumbPlace Thumb;  // along the bar, from its start (0)
    BarLook Look;
    render::TsCacheInfo Background;  // what lies behind pixel (0, 0) of the bar
};

// Paints the bar over all of `image`. False (image untouched) when the skin has no track
// section for this bar.
bool PaintBar(render::Bitmap& image, const render::SkinSource& skin, const BarSkin& parts, const BarPaintInput& in);

// The state of an arrow button: pressed, else hot while hovered on an enabled bar, else normal.
int ArrowState(int part, int pressedPart, int hoverPart, bool enabled);

}  // namespace lw::controls::scroll
