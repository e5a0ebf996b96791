#pragma once
// Painting skin masks: nine-slice borders around a rectangle and single state frames of
// glyph-like images, honouring the key colour, per-pixel masks and the background source.

#include "render/Bitmap.h"
#include "render/CacheInfo.h"
#include "render/SkinSource.h"
#include "render/Types.h"

namespace lw::render {

// Paints the frame of `state` around `r` in nine slices. `useBg` lets key pixels of the corners
// show the background source; the centre is painted only with `fillCentre` and StretchMode bit 4.
void PaintBorderMask(Bitmap& target, const TRect& r, bool fillCentre, bool useBg, int state, const MaskRef& mask,
                     const TsCacheInfo& bg);

// Paints the frame of `state` with its top-left corner at `at`. Mode 1 paints it normally,
// any other mode half-visible.
void PaintMaskFrame(Bitmap& target, TPoint at, int state, const TsCacheInfo& bg, const MaskRef& mask, int mode);

// Copies src (size cut to dst) of a MaskType 1 image through its mask into dst of the target.
void CopyMaskedPiece(const TRect& dst, const TRect& src, Bitmap& target, const MaskRef& mask, bool useBg,
                     const TsCacheInfo& bg, const Bitmap& image);

// Copies the inclusive rectangle src of a plain image to (x, y), treating key pixels as the
// background source says.
void CopyKeyedPiece(Bitmap& target, const Bitmap& image, int x, bool useBg, const TsCacheInfo& bg, TColor key,
                    TRect srcInclusive, int y);

// One glyph frame (exclusive rectangle src of image) at `at`: through its mask for masked
// images, as a keyed copy for plain ones.
void BlendMaskedFrame(TPoint at, TRect src, Bitmap& target, const MaskRef& mask, int mode, TColor key,
                      const Bitmap& image);

}  // namespace lw::render
