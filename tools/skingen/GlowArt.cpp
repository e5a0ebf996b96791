// The glows and the extended window border: soft alpha fall-offs with straight alpha.
#include <algorithm>
#include <cmath>

#include "Art.h"

namespace skingen {

namespace {

std::uint8_t Falloff(double distance, double radius, double peak) {
    if (distance >= radius) return 0;
    const double t = 1.0 - distance / radius;
    return static_cast<std::uint8_t>(std::lround(peak * t * t));
}

// Distance from the pixel's centre to the rectangle [l, r) x [t, b); 0 inside it.
double DistanceToRect(int x, int y, double l, double t, double r, double b) {
    const double px = x + 0.5, py = y + 0.5;
    const double dx = std::max({l - px, 0.0, px - r});
    const double dy = std::max({t - py, 0.0, py - b});
    return std::hypot(dx, dy);
}

// A nine-slice glow: the fall-off surrounds a centre the size of the control's edge.
Canvas EdgeGlow(int size, int slice, Rgba colour, double peak) {
    Canvas c(size, size, {colour.R, colour.G, colour.B, 0});
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = DistanceToRect(x, y, slice, slice, size - slice, size - slice);
            if (d > 0) c.Set(x, y, {colour.R, colour.G, colour.B, Falloff(d, slice, peak)});
        }
    return c;
}

}  // namespace

Canvas DrawTitleGlow(Rgba colour) {
    Canvas c(30, 30, {colour.R, colour.G, colour.B, 0});
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            c.Set(x, y, {colour.R, colour.G, colour.B, Falloff(std::hypot(x + 0.5 - 15, y + 0.5 - 15), 15, 210)});
    return c;
}

Canvas DrawEditGlow(Rgba colour) { return EdgeGlow(13, 6, colour, 150); }

Canvas DrawButtonGlow(Rgba colour) { return EdgeGlow(32, 15, colour, 170); }

Canvas DrawExtendedBorder() {
    constexpr int kFrame = 464, kHeight = 295;
    constexpr int kLeft = 39, kTop = 64, kRight = 39, kBottom = 39;
    Canvas c(kFrame * 2, kHeight, {0, 0, 0, 0});
    const double peaks[2] = {150, 80};  // active, inactive
    for (int f = 0; f < 2; ++f)
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kFrame; ++x) {
                // The shadow falls slightly below the window, as from a light above it.
                const double d = DistanceToRect(x, y, kLeft, kTop - 6, kFrame - kRight, kHeight - kBottom + 4);
                if (d > 0) c.Set(f * kFrame + x, y, {0, 0, 0, Falloff(d, kLeft, peaks[f])});
            }
    return c;
}

}  // namespace skingen
