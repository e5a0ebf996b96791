#include "render/Color.h"

#include <algorithm>
#include <cmath>

#include "render/Pixel.h"

namespace lw::render {
namespace {

std::uint8_t Channel(TColor c, int shift) { return static_cast<std::uint8_t>(c >> shift); }

}  // namespace

std::uint32_t ColorToArgb(TColor c) {
    c = ResolveColor(c);
    return 0xFF000000u | (std::uint32_t(RedOf(c)) << 16) | (std::uint32_t(GreenOf(c)) << 8) | BlueOf(c);
}

TColor MixColors(TColor a, TColor b, double x) {
    a = ResolveColor(a);
    const TColor top = a & 0xFF000000u;  // after resolving, so a system colour cannot survive the mix
    b = ResolveColor(b);
    TColor r = 0;
    for (int shift = 0; shift < 24; shift += 8)
        r |= TColor(RoundByte(x * Channel(a, shift) + (1 - x) * Channel(b, shift))) << shift;
    return r | top;
}

TColor AverageColors(TColor a, TColor b) {
    a = ResolveColor(a);
    b = ResolveColor(b);
    TColor r = 0;
    for (int shift = 0; shift < 24; shift += 8)
        r |= ((TColor(Channel(a, shift)) * 127 + TColor(Channel(b, shift)) * 129) >> 8) << shift;
    return r;
}

TColor ChangeSaturation(TColor c, int amount) {
    if (amount == 0) return c;
    c = ResolveColor(c);
    const double avg = (double(RedOf(c)) + GreenOf(c) + BlueOf(c)) / 3;
    TColor r = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double v = Channel(c, shift);
        r |= TColor(RoundByte(v + amount * ((avg - v) / 100))) << shift;
    }
    return r;
}

TColor ChangeHue(TColor c, int offset) {
    c = ResolveColor(c);
    const int R = RedOf(c), G = GreenOf(c), B = BlueOf(c);
    const int V = std::max({R, G, B});
    const int delta = V - std::min({R, G, B});
    const double S = V == 0 ? 0.0 : double(delta) / V;
    if (S == 0) return c;

    const double k = 60.0 / delta;
    const double rc = (V - R) * k, gc = (V - G) * k, bc = (V - B) * k;
    double H = R == V ? bc - gc : G == V ? 120 + rc - bc : 240 + gc - rc;
    if (H < 0) H += 360;

    // A true modulo: an offset that takes the hue below zero wraps around instead of going negative.
    const long long turned = static_cast<long long>(RoundEven(H + offset));
    const double Hp = static_cast<double>(((turned % 360) + 360) % 360);

    const int i = static_cast<int>(Hp / 60);
    const double f = Hp / 60 - i;
    const double p = std::clamp(V * (1 - S), 0.0, 255.0);
    const double q = std::clamp(V * (1 - f * S), 0.0, 255.0);
    const double t = std::clamp(V * (1 - (1 - f) * S), 0.0, 255.0);
    double r, g, b;
    switch (i) {
    case 0:
        r = V, g = t, b = p;
        break;
    case 1:
        r = q, g = V, b = p;
        break;
    case 2:
        r = p, g = V, b = t;
        break;
    case 3:
        r = p, g = q, b = V;
        break;
    case 4:
        r = t, g = p, b = V;
        break;
    default:
        r = V, g = p, b = q;
        break;
    }
    return MakeColor(RoundByte(r), RoundByte(g), RoundByte(b));
}

}  // namespace lw::render
