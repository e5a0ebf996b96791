#pragma once
// Texture fills: plain pattern images tiled or stretched in a fill mode, and masked patterns
// blended tile by tile through their mask.

#include "render/Bitmap.h"
#include "render/CacheInfo.h"
#include "render/SkinSource.h"
#include "render/Surface.h"
#include "render/Types.h"

namespace lw::render {

// Reported when a fill covered its whole rectangle.
inline constexpr TRect AllCovered{-1, -1, -1, -1};

// Paints `image` (or the mask's own image) tiled over r, or else the mask's piece in fill mode
// `mode`. On return r is AllCovered or the part left uncovered, for the caller to fill.
void PaintPatternImage(Surface& surface, TRect& r, const Bitmap* image, int mode, const MaskRef* mask);

// Masked patterns know modes 0 and 10; other modes leave r untouched and unpainted.
void PaintMaskedPattern(Bitmap& bmp, TRect& r, const TsCacheInfo& bg, int mode, const MaskRef& mask);

// One tile through its mask; key pixels show the background source.
void BlendMaskedTile(const TRect& tile, const TRect& src, Bitmap& target, const MaskRef& mask, const TsCacheInfo& bg);

}  // namespace lw::render
