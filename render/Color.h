#pragma once
// Colour values: system-colour resolution and the per-colour arithmetic (mixing, averaging,
// saturation and hue changes) that skins and disabled looks use.

#include <cstdint>

#include "render/Types.h"

namespace lw::render {

// System colours resolve through the program's one source (base/Color.h); these names keep
// working inside the pixel core.
using lw::ResolveColor;
using lw::SetSystemColorSource;
using lw::SystemColorSource;

// Opaque 32-bit pixel word 0xFFRRGGBB of a colour value (as stored B, G, R, A).
std::uint32_t ColorToArgb(TColor c);

// Per channel round(x*a + (1-x)*b); the top byte of a is kept.
TColor MixColors(TColor a, TColor b, double x);

// Per channel (a*127 + b*129) >> 8; top byte 0.
TColor AverageColors(TColor a, TColor b);

// Positive amounts move toward the colour's grey value (100 gives grey), negative away from it.
TColor ChangeSaturation(TColor c, int amount);

// Rotates the hue by `offset` degrees; greys are returned unchanged.
TColor ChangeHue(TColor c, int offset);

}  // namespace lw::render
