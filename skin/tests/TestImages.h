#pragma once
// Small images made on the spot, so each test shows exactly the bytes it is about.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "skin/SkinImageSource.h"

namespace lw::skin::testing {

using Bytes = std::vector<std::uint8_t>;
// Pixel (x, y) as R, G, B, A.
using PixelFn = std::function<std::array<std::uint8_t, 4>(int x, int y)>;

Bytes MakePng(int width, int height, const PixelFn& pixel);
Bytes MakeBmp24(int width, int height, const PixelFn& pixel, bool topDown = false);
Bytes MakeJpeg(int width, int height);

// Image files by exact name, like the files of a skin folder.
class MapImageSource final : public SkinImageSource {
public:
    std::map<std::string, Bytes> Files;
    std::optional<std::span<const std::uint8_t>> Find(const std::string& name) const override {
        const auto it = Files.find(name);
        if (it == Files.end()) return std::nullopt;
        return std::span<const std::uint8_t>(it->second);
    }
};

}  // namespace lw::skin::testing
