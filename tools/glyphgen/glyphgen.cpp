// Draws the application's button glyphs (24 x 24 RGBA PNG), its window icon (48 x 48,
// 256 colours), the two built-in window shadows GWSHDA and GWSHDI (32 x 32 RGBA PNG) and the
// five glyphs of the edit button (48 x 16 RGBA PNG: normal, hot and pressed side by side).
// The outputs are committed under resources/; run this after changing a picture:
//   cmake --build --preset native --target glyphgen && build/native/bin/glyphgen resources
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kSamples = 4;  // per pixel and axis: shapes are antialiased by supersampling

struct Rgba {
    double r, g, b, a;
};
Rgba Color(int r, int g, int b, int a = 255) { return {r / 255.0, g / 255.0, b / 255.0, a / 255.0}; }

using Shape = std::function<bool(double x, double y)>;

// A picture drawn in pixel coordinates, each pixel made of kSamples^2 premultiplied samples.
class Canvas {
public:
    explicit Canvas(int size) : Canvas(size, size) {}
    Canvas(int width, int height)
        : width_(width), height_(height), samples_(static_cast<size_t>(width * height * kSamples * kSamples)) {}

    void Fill(const Shape& shape, Rgba color) {
        ForSamples(shape, [&](Rgba& s) {
            s = {color.r * color.a + s.r * (1 - color.a), color.g * color.a + s.g * (1 - color.a),
                 color.b * color.a + s.b * (1 - color.a), color.a + s.a * (1 - color.a)};
        });
    }
    void Erase(const Shape& shape) {
        ForSamples(shape, [](Rgba& s) { s = {}; });
    }

    // Straight RGBA bytes, rows top down.
    std::vector<std::uint8_t> Pixels() const {
        std::vector<std::uint8_t> out(static_cast<size_t>(width_ * height_ * 4));
        const int n = width_ * kSamples;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                Rgba sum{};
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx) {
                        const Rgba& s = samples_[static_cast<size_t>((y * kSamples + sy) * n + x * kSamples + sx)];
                        sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b, sum.a + s.a};
                    }
                const double count = kSamples * kSamples, a = sum.a / count;
                auto byte = [](double v) { return static_cast<std::uint8_t>(std::clamp(v * 255 + 0.5, 0.0, 255.0)); };
                std::uint8_t* p = &out[static_cast<size_t>((y * width_ + x) * 4)];
                p[0] = a > 0 ? byte(sum.r / count / a) : 0;
                p[1] = a > 0 ? byte(sum.g / count / a) : 0;
                p[2] = a > 0 ? byte(sum.b / count / a) : 0;
                p[3] = byte(a);
            }
        return out;
    }

private:
    template <class F>
    void ForSamples(const Shape& shape, F apply) {
        const int n = width_ * kSamples;
        for (int y = 0; y < height_ * kSamples; ++y)
            for (int x = 0; x < n; ++x) {
                const double px = (x + 0.5) / kSamples, py = (y + 0.5) / kSamples;
                if (shape(px, py)) apply(samples_[static_cast<size_t>(y * n + x)]);
            }
    }

    int width_;
    int height_;
    std::vector<Rgba> samples_;
};

Shape Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}
Shape Ring(double cx, double cy, double inner, double outer) {
    return [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        return d >= inner && d <= outer;
    };
}
Shape Rect(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
}
Shape RoundRect(double x0, double y0, double x1, double y1, double r) {
    return [=](double x, double y) {
        const double dx = std::max({x0 + r - x, 0.0, x - (x1 - r)}), dy = std::max({y0 + r - y, 0.0, y - (y1 - r)});
        return x >= x0 && x <= x1 && y >= y0 && y <= y1 && dx * dx + dy * dy <= r * r;
    };
}
// A thick line with round ends.
Shape Stroke(double x0, double y0, double x1, double y1, double width) {
    return [=](double x, double y) {
        const double vx = x1 - x0, vy = y1 - y0;
        const double t = std::clamp(((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
        return std::hypot(x - x0 - t * vx, y - y0 - t * vy) <= width / 2;
    };
}
Shape Polygon(std::vector<std::pair<double, double>> points) {
    return [points = std::move(points)](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside;
    };
}
Shape And(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && b(x, y); };
}
Shape Gear(double cx, double cy, double inner, double outer, int teeth) {
    return [=](double x, double y) {
        const double angle = std::atan2(y - cy, x - cx) + M_PI;
        const double phase = std::fmod(angle * teeth / (2 * M_PI), 1.0);
        const double r = phase < 0.5 ? outer : inner;
        return std::hypot(x - cx, y - cy) <= r;
    };
}
// A ring around (cx, cy) with the part between two angles (degrees, y down) left out.
Shape Arc(double cx, double cy, double inner, double outer, double gapFrom, double gapTo) {
    return [=](double x, double y) {
        double angle = std::atan2(y - cy, x - cx) * 180 / M_PI;
        if (angle < 0) angle += 360;
        return !(angle > gapFrom && angle < gapTo) && Ring(cx, cy, inner, outer)(x, y);
    };
}
Shape EllipseRing(double cx, double cy, double rx, double ry, double width) {
    return [=](double x, double y) {
        const double outer = (x - cx) * (x - cx) / ((rx + width / 2) * (rx + width / 2)) +
                             (y - cy) * (y - cy) / ((ry + width / 2) * (ry + width / 2));
        const double innerX = std::max(rx - width / 2, 0.01), innerY = std::max(ry - width / 2, 0.01);
        const double inner = (x - cx) * (x - cx) / (innerX * innerX) + (y - cy) * (y - cy) / (innerY * innerY);
        return outer <= 1 && inner >= 1;
    };
}

void Globe(Canvas& c, double cx, double cy, double r, Rgba body, Rgba rim, Rgba lines) {
    c.Fill(Circle(cx, cy, r), rim);
    c.Fill(Circle(cx, cy, r - 1), body);
    const Shape inside = Circle(cx, cy, r - 1);
    c.Fill(And(inside, EllipseRing(cx, cy, r * 0.45, r - 1, 1)), lines);
    c.Fill(And(inside, Rect(cx - 0.5, cy - r, cx + 0.5, cy + r)), lines);
    c.Fill(And(inside, Rect(cx - r, cy - 0.5, cx + r, cy + 0.5)), lines);
    c.Fill(And(inside, Rect(cx - r, cy - r * 0.5 - 0.5, cx + r, cy - r * 0.5 + 0.5)), lines);
    c.Fill(And(inside, Rect(cx - r, cy + r * 0.5 - 0.5, cx + r, cy + r * 0.5 + 0.5)), lines);
}

using Drawing = std::pair<const char*, std::function<void(Canvas&)>>;

const std::array<Drawing, 10> kGlyphs = {{
    {"00_floppy",
     [](Canvas& c) {
         c.Fill(RoundRect(3, 3, 21, 21, 1.5), Color(25, 45, 100));
         c.Fill(RoundRect(4, 4, 20, 20, 1), Color(45, 80, 160));
         c.Fill(Rect(7, 3, 17, 9.5), Color(205, 210, 220));
         c.Fill(Rect(13, 4.5, 15.5, 8.5), Color(60, 70, 90));
         c.Fill(Rect(6, 12.5, 18, 21), Color(245, 245, 240));
         c.Fill(Rect(8, 15, 16, 16), Color(150, 150, 160));
         c.Fill(Rect(8, 18, 16, 19), Color(150, 150, 160));
     }},
    {"01_cross",
     [](Canvas& c) {
         c.Fill(Stroke(6, 6, 18, 18, 6), Color(55, 70, 100));
         c.Fill(Stroke(18, 6, 6, 18, 6), Color(55, 70, 100));
         c.Fill(Stroke(6, 6, 18, 18, 4), Color(110, 130, 165));
         c.Fill(Stroke(18, 6, 6, 18, 4), Color(110, 130, 165));
     }},
    {"02_exit",
     [](Canvas& c) {
         c.Fill(Rect(12, 2, 21, 22), Color(95, 60, 30));
         c.Fill(Rect(14, 4, 19.5, 22), Color(35, 25, 15));
         c.Fill(Polygon({{14, 4}, {18, 6}, {18, 22}, {14, 22}}), Color(150, 100, 55));
         c.Fill(Stroke(2.5, 12, 12, 12, 4), Color(120, 15, 10));
         c.Fill(Polygon({{10, 6}, {17, 12}, {10, 18}}), Color(120, 15, 10));
         c.Fill(Stroke(3, 12, 11.5, 12, 2.5), Color(220, 45, 30));
         c.Fill(Polygon({{11, 8}, {15.5, 12}, {11, 16}}), Color(220, 45, 30));
     }},
    {"03_gear",
     [](Canvas& c) {
         c.Fill(Gear(12, 12, 7.5, 10.5, 8), Color(80, 80, 85));
         c.Fill(Gear(12, 12, 6.6, 9.6, 8), Color(160, 160, 165));
         c.Fill(Circle(12, 12, 5), Color(125, 125, 130));
         c.Erase(Circle(12, 12, 2.8));
     }},
    {"04_info",
     [](Canvas& c) {
         c.Fill(Circle(12, 12, 10.5), Color(20, 60, 140));
         c.Fill(Circle(12, 12, 9.5), Color(40, 110, 210));
         c.Fill(Circle(12, 6.8, 1.7), Color(255, 255, 255));
         c.Fill(RoundRect(10.4, 10, 13.6, 18.5, 0.8), Color(255, 255, 255));
     }},
    {"05_help",
     [](Canvas& c) {
         const std::vector<std::pair<double, double>> shield = {{3, 2.5}, {21, 2.5},   {21, 11}, {18.5, 16.5},
                                                                {12, 22}, {5.5, 16.5}, {3, 11}};
         c.Fill(Polygon(shield), Color(20, 50, 130));
         c.Fill(Polygon({{4.3, 3.8}, {19.7, 3.8}, {19.7, 10.8}, {17.5, 15.8}, {12, 20.4}, {6.5, 15.8}, {4.3, 10.8}}),
                Color(45, 100, 200));
         c.Fill(Arc(12, 8.8, 2.2, 4.2, 95, 175), Color(255, 255, 255));
         c.Fill(Stroke(12, 12, 12, 13.6, 2.2), Color(255, 255, 255));
         c.Fill(Circle(12, 16.8, 1.4), Color(255, 255, 255));
     }},
    {"06_check",
     [](Canvas& c) {
         c.Fill(Stroke(4, 12.5, 9.5, 18.5, 5.5), Color(20, 95, 30));
         c.Fill(Stroke(9.5, 18.5, 20, 5.5, 5.5), Color(20, 95, 30));
         c.Fill(Stroke(4, 12.5, 9.5, 18.5, 3.5), Color(60, 175, 60));
         c.Fill(Stroke(9.5, 18.5, 20, 5.5, 3.5), Color(60, 175, 60));
     }},
    {"07_globe",
     [](Canvas& c) { Globe(c, 12, 12, 10.5, Color(45, 125, 220), Color(20, 60, 140), Color(170, 215, 255)); }},
    {"08_globe_frame",
     [](Canvas& c) {
         c.Fill(Rect(1, 1, 23, 23), Color(110, 110, 115));
         c.Fill(Rect(2.5, 2.5, 21.5, 21.5), Color(215, 215, 218));
         Globe(c, 12, 12, 8, Color(150, 150, 155), Color(90, 90, 95), Color(225, 225, 230));
     }},
    {"09_find",
     [](Canvas& c) {
         c.Fill(Stroke(15, 15, 21, 21, 4.5), Color(70, 50, 30));
         c.Fill(Circle(10, 10, 7.5), Color(70, 75, 90));
         c.Fill(Circle(10, 10, 5.8), Color(185, 225, 250, 200));
         c.Fill(Circle(8, 8, 1.8), Color(255, 255, 255, 220));
     }},
}};

// The edit button's glyphs, 16 x 16 per state, light on the dark field: the normal state a
// little dimmed so that the hot one stands out, the pressed one moved down and right by a pixel.
struct EditGlyphLook {
    double ox, oy;      // where the state's frame starts, plus the pressed shift
    double brightness;  // applied to every colour
};
Rgba Lit(const EditGlyphLook& look, int r, int g, int b, int a = 255) {
    auto scale = [&](int v) { return std::clamp(static_cast<int>(v * look.brightness + 0.5), 0, 255); };
    return Color(scale(r), scale(g), scale(b), a);
}
Shape Moved(const EditGlyphLook& look, Shape shape) {
    return [=](double x, double y) { return shape(x - look.ox, y - look.oy); };
}

using EditGlyph = std::pair<const char*, std::function<void(Canvas&, const EditGlyphLook&)>>;

const std::array<EditGlyph, 5> kEditGlyphs = {{
    {"SF",  // a document with its corner folded
     [](Canvas& c, const EditGlyphLook& l) {
         const std::vector<std::pair<double, double>> page = {{2.5, 1}, {9.5, 1}, {13.5, 5}, {13.5, 14.5}, {2.5, 14.5}};
         c.Fill(Moved(l, Polygon(page)), Lit(l, 90, 95, 105));
         c.Fill(Moved(l, Polygon({{3.5, 2}, {9, 2}, {12.5, 5.5}, {12.5, 13.5}, {3.5, 13.5}})), Lit(l, 225, 228, 232));
         c.Fill(Moved(l, Polygon({{9, 1.5}, {13, 5.5}, {9, 5.5}})), Lit(l, 160, 165, 175));
         for (double y : {7.0, 9.0, 11.0}) c.Fill(Moved(l, Rect(5, y, 11, y + 1)), Lit(l, 110, 120, 140));
     }},
    {"SR",  // a folder: its tab on the left, the open flap in front
     [](Canvas& c, const EditGlyphLook& l) {
         c.Fill(Moved(l, RoundRect(1, 3, 7, 6, 1)), Lit(l, 150, 105, 30));
         c.Fill(Moved(l, RoundRect(1, 4.5, 14.5, 13.5, 1)), Lit(l, 150, 105, 30));
         c.Fill(Moved(l, RoundRect(2, 5.5, 13.5, 12.5, 0.6)), Lit(l, 205, 155, 60));
         c.Fill(Moved(l, Polygon({{3.5, 7.5}, {15, 7.5}, {13.5, 13.5}, {1, 13.5}})), Lit(l, 150, 105, 30));
         c.Fill(Moved(l, Polygon({{4.2, 8.4}, {13.8, 8.4}, {12.8, 12.6}, {2.2, 12.6}})), Lit(l, 240, 195, 95));
     }},
    {"SD",  // a calendar page: red header, two rings, a grid of days
     [](Canvas& c, const EditGlyphLook& l) {
         c.Fill(Moved(l, RoundRect(1.5, 2.5, 14.5, 14.5, 1.2)), Lit(l, 90, 95, 105));
         c.Fill(Moved(l, Rect(2.5, 6, 13.5, 13.5)), Lit(l, 225, 228, 232));
         c.Fill(Moved(l, Rect(2.5, 3.5, 13.5, 6)), Lit(l, 200, 60, 50));
         for (double x : {5.0, 11.0}) c.Fill(Moved(l, Stroke(x, 1.5, x, 4.5, 1.4)), Lit(l, 180, 185, 195));
         for (double y : {7.5, 9.7, 11.9})
             for (double x : {4.0, 6.5, 9.0, 11.5})
                 c.Fill(Moved(l, Rect(x, y, x + 1.2, y + 1.2)), Lit(l, 110, 120, 140));
     }},
    {"SE",  // three dots
     [](Canvas& c, const EditGlyphLook& l) {
         for (double x : {3.0, 8.0, 13.0}) {
             c.Fill(Moved(l, Circle(x, 8.5, 2.2)), Lit(l, 95, 100, 110));
             c.Fill(Moved(l, Circle(x, 8.5, 1.6)), Lit(l, 215, 218, 225));
         }
     }},
    {"SC",  // a calculator: its display above a grid of keys
     [](Canvas& c, const EditGlyphLook& l) {
         c.Fill(Moved(l, RoundRect(2.5, 1, 13.5, 15, 1.5)), Lit(l, 70, 75, 85));
         c.Fill(Moved(l, RoundRect(3.5, 2, 12.5, 14, 1)), Lit(l, 165, 170, 180));
         c.Fill(Moved(l, Rect(4.5, 3, 11.5, 5.8)), Lit(l, 150, 200, 150));
         for (double y : {7.0, 9.4, 11.8})
             for (double x : {4.5, 7.2, 9.9}) c.Fill(Moved(l, Rect(x, y, x + 1.6, y + 1.5)), Lit(l, 60, 65, 75));
     }},
}};

// The three states side by side: normal (dimmed), hot, pressed (hot, one pixel down and right).
std::vector<std::uint8_t> DrawEditGlyph(const EditGlyph& glyph) {
    Canvas canvas(48, 16);
    const EditGlyphLook looks[] = {{0, 0, 0.8}, {16, 0, 1.0}, {33, 1, 0.9}};
    for (const EditGlyphLook& look : looks) glyph.second(canvas, look);
    return canvas.Pixels();
}

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr);
}

// A 48 x 48 icon with a 256-colour palette (a 6 x 6 x 6 cube and 40 greys) and a 1-bit mask.
bool WriteIcon(const std::string& path, const std::vector<std::uint8_t>& rgba) {
    constexpr int size = 48;
    std::vector<std::array<std::uint8_t, 3>> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                   static_cast<std::uint8_t>(b * 51)});
    for (int i = 0; i < 40; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 255 / 39);
        palette.push_back({v, v, v});
    }
    auto nearest = [&](const std::uint8_t* p) {
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < 256; ++i) {
            const int dr = p[0] - palette[i][0], dg = p[1] - palette[i][1], db = p[2] - palette[i][2];
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) best = i, bestDistance = d;
        }
        return static_cast<std::uint8_t>(best);
    };
    const int maskStride = 4 * ((size + 31) / 32);
    std::vector<std::uint8_t> data;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto put16 = [&](std::uint16_t v) {
        data.push_back(v & 0xFF);
        data.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const std::uint32_t imageBytes = 40 + 256 * 4 + size * size + maskStride * size;
    put16(0), put16(1), put16(1);  // icon directory, one image
    data.push_back(size), data.push_back(size), data.push_back(0), data.push_back(0);
    put16(1), put16(8), put32(imageBytes), put32(6 + 16);
    put32(40), put32(size), put32(size * 2), put16(1), put16(8);  // header: height counts the mask
    put32(0), put32(0), put32(0), put32(0), put32(256), put32(0);
    for (const auto& c : palette) data.push_back(c[2]), data.push_back(c[1]), data.push_back(c[0]), data.push_back(0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) data.push_back(nearest(&rgba[static_cast<size_t>((y * size + x) * 4)]));
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<size_t>(maskStride));
        for (int x = 0; x < size; ++x)
            if (rgba[static_cast<size_t>((y * size + x) * 4 + 3)] < 128)
                row[static_cast<size_t>(x / 8)] |= 0x80 >> (x % 8);
        data.insert(data.end(), row.begin(), row.end());
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    return std::fclose(file) == 0 && written;
}

// The icon: a map tile, a stone floor seen from above with a compass-like marker on it.
std::vector<std::uint8_t> DrawIcon() {
    Canvas c(48);
    c.Fill(RoundRect(2, 2, 46, 46, 6), Color(40, 40, 45));
    c.Fill(RoundRect(4, 4, 44, 44, 5), Color(110, 85, 55));
    for (int i = 0; i < 4; ++i) {
        c.Fill(Rect(4, 13.5 + i * 10, 44, 14.5 + i * 10), Color(70, 55, 35));
        c.Fill(Rect(13.5 + i * 10, 4, 14.5 + i * 10, 44), Color(70, 55, 35));
    }
    c.Fill(Circle(24, 24, 12), Color(20, 60, 140));
    c.Fill(Circle(24, 24, 10.5), Color(240, 240, 240));
    c.Fill(Polygon({{24, 14}, {28, 24}, {24, 34}, {20, 24}}), Color(210, 40, 30));
    c.Fill(Polygon({{24, 24}, {28, 24}, {24, 34}, {20, 24}}), Color(40, 40, 45));
    return c.Pixels();
}

}  // namespace

// A window's shadow for extended borders, cut into nine slices by the margins 11, 7, 11, 11:
// the window covers the middle, the light comes from above, so the shadow reaches further
// below than above. Black, its alpha falling off with the distance from the window's edge.
std::vector<std::uint8_t> DrawShadow(double darkest) {
    constexpr int kSize = 32;
    constexpr double left = 11, top = 9, right = kSize - 11, bottom = kSize - 9;
    std::vector<std::uint8_t> out(static_cast<size_t>(kSize * kSize * 4));
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            const double dx = std::max({left - cx, 0.0, cx - right}), dy = std::max({top - cy, 0.0, cy - bottom});
            const double d = std::sqrt(dx * dx + dy * dy);
            const double alpha = darkest * std::exp(-(d / 4.5) * (d / 4.5));
            out[static_cast<size_t>((y * kSize + x) * 4 + 3)] =
                static_cast<std::uint8_t>(std::clamp(alpha * 255 + 0.5, 0.0, 255.0));
        }
    return out;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyphgen <resources folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    for (const auto& [name, draw] : kGlyphs) {
        Canvas canvas(24);
        draw(canvas);
        if (!WritePng(folder + "/glyphs/" + name + ".png", 24, 24, canvas.Pixels())) {
            std::fprintf(stderr, "glyphgen: cannot write %s\n", name);
            return 1;
        }
    }
    for (const EditGlyph& glyph : kEditGlyphs) {
        if (!WritePng(folder + "/editglyphs/" + glyph.first + ".png", 48, 16, DrawEditGlyph(glyph))) {
            std::fprintf(stderr, "glyphgen: cannot write %s\n", glyph.first);
            return 1;
        }
    }
    if (!WritePng(folder + "/shadows/GWSHDA.png", 32, 32, DrawShadow(0.5)) ||
        !WritePng(folder + "/shadows/GWSHDI.png", 32, 32, DrawShadow(0.3))) {
        std::fprintf(stderr, "glyphgen: cannot write the shadows\n");
        return 1;
    }
    if (!WriteIcon(folder + "/Lumpwright.ico", DrawIcon())) {
        std::fprintf(stderr, "glyphgen: cannot write the icon\n");
        return 1;
    }
    return 0;
}
