#pragma once
// Finding the picture an icon file holds for a given size. The file comes from stored list
// items, so nothing in it is trusted: every entry that points outside the file is passed over.

#include <cstdint>
#include <optional>
#include <span>

namespace lw::controls {

// The bytes of the icon file's picture nearest to width x height (the deepest colour among
// equally near ones): a PNG file or a device-independent bitmap with its mask. None when the
// data is not an icon file or no entry of it lies inside the data.
std::optional<std::span<const std::uint8_t>> PickIconImage(std::span<const std::uint8_t> file, int width, int height);

}  // namespace lw::controls
