#pragma once
// Drawing 32-bit glyphs with their alpha into 24-bit images: toning, the glyph's own
// transparency (Blend), the fading mirror image under it, and state slices of a strip.

#include "render/Bitmap.h"
#include "render/CacheInfo.h"
#include "render/Types.h"

namespace lw::controls {

// The tone value that means "keep the glyph's colours".
inline constexpr TColor NoTone = 0x1FFFFFFF;

// An image that came without alpha (every alpha 0) gets alpha 255 everywhere except where its
// colour equals the bottom-left pixel's, which stays transparent. A 32-bit image only.
void FixMissingAlpha(render::Bitmap& bmp);

// One state of a strip of stateCount equal slices side by side: where it lies in the strip and
// its size. A state past the last slice shows the last one; stateCount <= 0 counts as 1.
struct GlyphSlice {
    TRect Source;
    TPoint Size;
};
GlyphSlice SliceOf(int width, int height, int stateCount, int state);

// Draws srcRect of the 32-bit source over destRect of the 24-bit target with the source's
// alpha. tone (unless NoTone) turns the source grey tinted with that colour, in place; blend
// (0..100) makes it that much more transparent. With `reflected`, the rows below destRect
// (after a one-row gap) get a mirror image fading to nothing. With a ready background, source
// pixels of the key colour show the background instead when useBackground is set.
void DrawImage32(TRect destRect, TRect srcRect, render::Bitmap& target, bool reflected, int blend, TColor tone,
                 bool useBackground, const render::TsCacheInfo& background, render::Bitmap& source);

}  // namespace lw::controls
