#pragma once
// Gradient fills: vertical and horizontal runs of colour segments, and the four-corner
// gradient made of Gouraud-shaded triangles.

#include <cstdint>
#include <vector>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::render {

struct TsGradColor {
    TColor Color1 = 0;
    TColor Color2 = 0;
    std::uint8_t Percent = 0;  // 0..100
    std::int32_t Mode = 0;     // the first segment's mode: 0 vertical, 1 horizontal, 2 four corners
};
using TsGradArray = std::vector<TsGradColor>;

void PaintGradient(Bitmap& bmp, TRect r, const TsGradArray& segments);

// A colour at a vertex, 16 bits per channel (8-bit value * 256).
struct GradVertex {
    int X = 0;
    int Y = 0;
    std::uint16_t Red = 0, Green = 0, Blue = 0;
};

// Fills the pixels whose centres lie inside the triangle or on its edges, each channel
// interpolated linearly and truncated to 8 bits. A pixel on an edge shared by two triangles
// gets the same colour from either, since both interpolate between the same two vertices.
void FillGouraudTriangle(Bitmap& bmp, const GradVertex& a, const GradVertex& b, const GradVertex& c);

}  // namespace lw::render
