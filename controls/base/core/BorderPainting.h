#pragma once
// The two control-level border painters: giving a control's border corners back to what lies
// behind it, and painting the ring between a control's outer rectangle and its client area.
// Every write stays inside the control's cache and rectangle.

#include <functional>

#include "render/Bitmap.h"
#include "render/CacheInfo.h"
#include "render/SkinSource.h"
#include "render/Surface.h"
#include "render/Types.h"

namespace lw::controls {

enum CornerBits : int { cnTopLeft = 1, cnBottomLeft = 2, cnTopRight = 4, cnBottomRight = 8, cnAll = 15 };

// Visits each pixel (x, y) of a w x h control's requested corners whose mask pixel is the key
// colour: what a rounded border leaves transparent.
void ForEachKeyCornerPixel(const render::MaskRef& mask, int state, int corners, int w, int h,
                           const std::function<void(int x, int y)>& visit);

// Pixels of the requested corners whose mask pixel is the key colour take the background's
// pixel (at the cache position plus its offset; skipped outside it) or its fill colour.
void RestoreMaskCorners(render::Bitmap& cache, const render::MaskRef& mask, int state, int corners,
                        const render::TsCacheInfo& background);

struct BorderResult {
    TRect Inner;              // the client area left inside the border
    bool CopyStrips = false;  // the strips of width b along q are to go from the cache to the target
};

// Paints the ring between q and the client area into `cache`: the border mask (when given)
// over what lies behind, then the fill colour between the mask's slices and the border width b.
// Without a mask nothing goes into the cache: the caller fills a ring of width b on its target.
BorderResult PaintBorderIntoCache(render::Bitmap& cache, const TRect& q, int b, int state, const render::MaskRef* mask,
                                  TColor fill, const render::TsCacheInfo& background);

// Steps 5 and 6 onto a core surface: the strips from the cache, or the ring of fill colour.
void CopyBorderToSurface(render::Surface& target, const render::Bitmap& cache, const TRect& q, int b, bool hasMask,
                         TColor fill);

}  // namespace lw::controls
