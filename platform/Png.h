#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace lw::platform {

// Straight (not premultiplied) RGBA, rows top down, four bytes a pixel.
struct RgbaImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;
};

// Decodes a PNG of any colour type into RGBA; throws Exception when the data is not a PNG
// image it can read.
RgbaImage DecodePng(std::span<const std::uint8_t> data);

}  // namespace lw::platform
