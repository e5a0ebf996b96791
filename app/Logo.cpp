#include "app/Logo.h"

#include <algorithm>

namespace lw::app {
namespace {

constexpr int kSize = 100;

struct Pen {
    platform::RgbaImage& image;
    void Put(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize) return;
        std::uint8_t* pixel = &image.Pixels[static_cast<size_t>((y * kSize + x) * 4)];
        pixel[0] = r;
        pixel[1] = g;
        pixel[2] = b;
        pixel[3] = 255;
    }
    void Box(int left, int top, int right, int bottom, std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) Put(x, y, r, g, b);
    }
};

// A brace between `top` and `bottom`: a bar with serifs turned towards the text and a point
// at the middle turned away from it. `inward` is +1 for an opening brace, -1 for a closing one.
void Brace(const Pen& pen, int x, int top, int bottom, int inward) {
    constexpr std::uint8_t r = 240, g = 176, b = 64;
    const int middle = (top + bottom) / 2;
    pen.Box(x, top + 3, x + 3, bottom - 3, r, g, b);
    const int serif = inward > 0 ? x : x - 4;
    pen.Box(serif, top, serif + 7, top + 3, r, g, b);
    pen.Box(serif, bottom - 3, serif + 7, bottom, r, g, b);
    const int point = inward > 0 ? x - 4 : x + 3;
    pen.Box(point, middle - 2, point + 4, middle + 2, r, g, b);
}

}  // namespace

platform::RgbaImage DrawLogo() {
    platform::RgbaImage image{kSize, kSize, std::vector<std::uint8_t>(kSize * kSize * 4, 0)};
    const Pen pen{image};
    // A tile darkening towards the bottom, with rounded corners left transparent.
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int dx = std::max({0, 10 - x, x - (kSize - 11)});
            const int dy = std::max({0, 10 - y, y - (kSize - 11)});
            if (dx * dx + dy * dy > 100) continue;
            const auto shade = static_cast<std::uint8_t>(70 - y * 40 / kSize);
            pen.Put(x, y, shade / 2, shade, static_cast<std::uint8_t>(shade + 20));
        }
    }
    Brace(pen, 18, 18, 82, +1);
    Brace(pen, 79, 18, 82, -1);
    // Key and value lines.
    const int widths[][2] = {{18, 30}, {24, 20}, {14, 34}, {20, 26}};
    for (int line = 0; line < 4; ++line) {
        const int y = 30 + line * 11;
        pen.Box(30, y, 30 + widths[line][0], y + 5, 220, 220, 220);
        pen.Box(34 + widths[line][0], y, 34 + widths[line][0] + widths[line][1], y + 5, 120, 200, 240);
    }
    return image;
}

TLogoImage::TLogoImage(platform::TComponent* owner, platform::TWinControl* parent)
    : TControl(owner, parent), picture_(Make<platform::TImageList>(kSize, kSize)) {
    picture_.Add(DrawLogo());
}

void TLogoImage::Paint(HDC dc) { picture_.Draw(dc, 0, 0, 0); }

}  // namespace lw::app
