#pragma once
// Plain block copies and stretches between bitmaps of either format. A 24-bit source gives
// alpha 255 in a 32-bit destination; a 32-bit source into a 32-bit destination keeps its alpha.

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

// Copies srcRect to `at`, clipped to both bitmaps. Source and destination may be one bitmap.
void CopyPixels(Bitmap& dst, TPoint at, const Bitmap& src, TRect srcRect);

// Stretches srcRect over dstRect, writing only inside `clip`. Each destination pixel is the
// rounded average of the source pixels it covers (the nearest one when enlarging).
void StretchPixels(Bitmap& dst, const TRect& dstRect, const Bitmap& src, const TRect& srcRect, const TRect& clip);

}  // namespace lw::render
