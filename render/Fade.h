#pragma once
// Pulling an area toward a colour through a soft-edged rounded mask (the hover fade of items).

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

// The area keeps level*255/100 / 256 of itself inside, fading out over `blur` pixels toward
// its edges, whose corners are rounded with size `radius`. The mask leaves the last column and
// row of `r` unfilled (they take the colour), so callers pass a rectangle one pixel larger
// than the area to fade.
void FadeRectToColor(Bitmap& bmp, const TRect& r, int level, int radius, int blur, TColor color);

}  // namespace lw::render
