#pragma once
// A plain RGBA drawing surface for the generator's procedural art.

#include <cstdint>
#include <vector>

namespace skingen {

struct Rgba {
    std::uint8_t R = 0, G = 0, B = 0, A = 255;
};

constexpr Rgba Grey(int v, int a = 255) { return {std::uint8_t(v), std::uint8_t(v), std::uint8_t(v), std::uint8_t(a)}; }
constexpr Rgba kKey{255, 0, 255, 255};  // the skin's transparent colour

class Canvas {
public:
    Canvas(int width, int height, Rgba fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgba Get(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Rgba c) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[Index(x, y)] = c;
    }
    void Fill(int left, int top, int right, int bottom, Rgba c);
    // One-pixel outline of the rectangle; right and bottom exclusive.
    void Frame(int left, int top, int right, int bottom, Rgba c);
    const std::vector<Rgba>& Pixels() const { return pixels_; }

private:
    std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

}  // namespace skingen
