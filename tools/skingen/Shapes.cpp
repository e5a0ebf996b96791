#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skingen {

double RoundRectCoverage(int x, int y, int w, int h, double r) {
    // Four samples per pixel give soft corners without a rasteriser.
    int inside = 0;
    for (double sy : {0.25, 0.75})
        for (double sx : {0.25, 0.75}) {
            const double px = x + sx, py = y + sy;
            const double cx = std::clamp(px, r, w - r), cy = std::clamp(py, r, h - r);
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r) ++inside;
        }
    return inside / 4.0;
}

void DrawMaskedFrames(Canvas& c, int left, int top, int fw, int fh, int frames,
                      const std::function<MaskedPixel(int frame, int x, int y)>& pixel) {
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x) {
                const MaskedPixel p = pixel(f, x, y);
                const int m = std::clamp(p.Mask, 0, 255);
                c.Set(left + f * fw + x, top + y, m == 255 ? kKey : p.Colour);
                c.Set(left + f * fw + x, top + fh + y, Grey(m));
            }
}

void DrawGlyphFrames(Canvas& c, int left, int top, int fw, int frames, const char* const* rows, int rowCount,
                     const Rgba* inks) {
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < rowCount; ++y)
            for (int x = 0; x < int(std::strlen(rows[y])); ++x) {
                const char ch = rows[y][x];
                if (ch == '#') c.Set(left + f * fw + x, top + y, inks[f]);
                if (ch == '+') {
                    const Rgba ink = inks[f];
                    c.Set(left + f * fw + x, top + y,
                          {std::uint8_t(ink.R / 2 + 20), std::uint8_t(ink.G / 2 + 20), std::uint8_t(ink.B / 2 + 20),
                           255});
                }
            }
}

}  // namespace skingen
