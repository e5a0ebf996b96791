#pragma once
// Icon files as list images: the platform reads the icon, the list takes its pixels with alpha.

#include <cstdint>
#include <vector>

#include "render/Bitmap.h"

namespace lw::controls {

// Reads the picture of an icon file nearest to width x height into a 32-bit image of exactly
// that size with straight alpha (from the icon's own alpha, else from its mask). False when the
// bytes are not an icon the platform can read.
bool ReadIconFile(const std::vector<std::uint8_t>& file, int width, int height, render::Bitmap& out);

}  // namespace lw::controls
