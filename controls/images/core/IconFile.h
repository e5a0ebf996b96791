#pragma once
// Finding the picture an icon file holds for a given size. The file comes from stored list
// items, so nothing in it is trusted: every entry that points outside the file is passed over.

#include <cstdint>
#include <optional>
#include <span>

#include "render/Bitmap.h"

namespace lw::controls {

// The bytes of the icon file's picture nearest to width x height (the deepest colour among
// equally near ones): a PNG file or a device-independent bitmap with its mask. None when the
// data is not an icon file or no entry of it lies inside the data.
std::optional<std::span<const std::uint8_t>> PickIconImage(std::span<const std::uint8_t> file, int width, int height);

// A two-colour picture (a bitmap of 1 bit a pixel, its colour bits followed by its mask) as a
// 32-bit image of width x height with straight alpha, resampled when its own size differs.
// A mask bit over black is see-through; over the other colour (which would invert the screen)
// the pixel shows that colour, so it stays visible on any background. None when the picture is
// not of that form, is cut short, or cannot be resampled to that size.
std::optional<render::Bitmap> ReadTwoColourIcon(std::span<const std::uint8_t> picture, int width, int height);

}  // namespace lw::controls
