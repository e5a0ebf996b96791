#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"

namespace skingen {

// 24-bit bottom-up device-independent bitmap; alpha is dropped.
std::vector<std::uint8_t> EncodeBmp24(const Canvas& image);
// 8-bit RGBA PNG.
std::vector<std::uint8_t> EncodePngRgba(const Canvas& image);

}  // namespace skingen
