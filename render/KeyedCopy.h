#pragma once
// Copies that leave out pixels of the transparency key colour.

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

// Copies all of src to (x, y), clipped to dst, skipping source pixels whose colour is `key`.
// Copied pixels of a 32-bit destination get alpha 255.
void CopyTransparent(Bitmap& dst, const Bitmap& src, int x, int y, TColor key);

// Copies the inclusive source rectangle to `at` the same way. A 32-bit source into a 32-bit
// destination keeps its own alpha; a 24-bit source gives alpha 255.
void CopyRectTransparent(Bitmap& dst, const Bitmap& src, TPoint at, TRect srcInclusive, TColor key);

}  // namespace lw::render
