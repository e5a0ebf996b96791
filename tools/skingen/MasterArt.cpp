// The master bitmap: every rectangle that the options text names, drawn for its use.
// Untouched pixels keep the transparent colour.
#include <algorithm>
#include <cmath>
#include <utility>

#include "Art.h"
#include "Shapes.h"

namespace skingen {

namespace {

void TitleIcons(Canvas& c, const Palette& p) {
    static const char* const close[] = {"",         "",        "",         "   #     #", "    #   #",
                                        "     # #", "      #", "     # #", "    #   #",  "   #     #"};
    static const char* const max[] = {"",           "",           "",           "   #######", "   #######",
                                      "   #     #", "   #     #", "   #     #", "   #     #", "   #######"};
    static const char* const min[] = {"", "", "", "", "", "", "", "", "", "   #######", "   #######"};
    static const char* const help[] = {"",         "",        "   #####", "  #     #", "        #",
                                       "       #", "     ##", "     #",   "",          "     #"};
    DrawGlyphFrames(c, 184, 0, 14, 3, close, 10, p.Inks.data());
    DrawGlyphFrames(c, 184, 14, 14, 3, max, 10, p.Inks.data());
    DrawGlyphFrames(c, 184, 28, 14, 3, min, 11, p.Inks.data());
    DrawGlyphFrames(c, 184, 42, 14, 3, help, 10, p.Inks.data());
}

void TitleButtons(Canvas& c, const Palette& p) {
    for (int f = 0; f < 3; ++f)
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 15; ++x) {
                const double cov = RoundRectCoverage(x, y, 15, 13, 3);
                if (cov < 0.5) continue;
                const bool edge = RoundRectCoverage(x - 1, y - 1, 13, 11, 2) < 0.5;
                c.Set(76 + f * 15 + x, 1 + y, edge ? p.TitleButtonEdge : p.TitleButtonFills[f]);
            }
}

void Box(Canvas& c, const Palette& p, int left, int top, int size, Rgba border) {
    c.Fill(left, top, left + size, top + size, p.FieldFill);
    c.Frame(left, top, left + size, top + size, border);
}

void CheckBoxes(Canvas& c, const Palette& p) {
    static const char* const tick[] = {"       #", "      ##", " #   ##", " ## ##", "  ###", "   #"};
    for (int f = 0; f < 3; ++f) {
        const int x = 122 + f * 16 + 1;
        Box(c, p, x, 0 + 2, 13, p.BoxBorders[f]);
        Box(c, p, x, 18 + 2, 13, p.BoxBorders[f]);
        Box(c, p, x, 36 + 2, 13, p.BoxBorders[f]);
        c.Fill(x + 3, 36 + 5, x + 10, 36 + 12, p.BoxBorders[f]);
    }
    DrawGlyphFrames(c, 122 + 3, 18 + 6, 16, 3, tick, 6, p.Inks.data());
}

void SmallBoxes(Canvas& c, const Palette& p) {
    // The three share their border columns (x 74 and 82), as their rectangles overlap.
    Box(c, p, 66, 58, 9, p.BoxBorders[0]);
    Box(c, p, 74, 58, 9, p.BoxBorders[0]);
    Box(c, p, 82, 58, 9, p.BoxBorders[0]);
    static const char* const tick[] = {"    #", "   ##", "# ##", "###", " #"};
    DrawGlyphFrames(c, 76, 60, 9, 1, tick, 5, p.Inks.data());
    c.Fill(85, 61, 88, 64, p.Inks[0]);
}

void Circle(Canvas& c, const Palette& p, int left, int top, Rgba ring, const Rgba* dot) {
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 14; ++x) {
            const double d = std::hypot(x + 0.5 - 7.0, y + 0.5 - 7.5);
            if (d <= 6.5) c.Set(left + x, top + y, d > 5.4 ? ring : (dot && d < 3.0 ? *dot : p.FieldFill));
        }
}

void Radios(Canvas& c, const Palette& p) {
    Circle(c, p, 141, 58, p.BoxBorders[0], nullptr);
    Circle(c, p, 184, 58, p.BoxBorders[0], &p.Inks[0]);
    Circle(c, p, 198, 58, p.BoxBorders[1], &p.Inks[1]);
}

// A check mark whose mask keeps its soft edges: 14 x 14 over its 14 x 14 mask.
void CheckMark(Canvas& c, const Palette& p) {
    DrawMaskedFrames(c, 143, 74, 14, 14, 2, [&](int f, int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        // Distance to the two strokes (3,7)-(6,10) and (6,10)-(11,3).
        auto seg = [&](double ax, double ay, double bx, double by) {
            const double vx = bx - ax, vy = by - ay;
            const double t = std::clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
            return std::hypot(px - ax - t * vx, py - ay - t * vy);
        };
        const double d = std::min(seg(3, 7, 6, 10), seg(6, 10, 11, 3));
        const double ink = std::clamp(2.0 - d, 0.0, 1.0);
        return MaskedPixel{p.CheckMarkInks[f], int(std::lround(255 * (1 - ink)))};
    });
}

void Grip(Canvas& c, const Palette& p) {
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            if (x + y >= 12 && (x + y) % 4 == 0 && x % 2 == 0) {
                c.Set(126 + x, 54 + y, p.GripLight);
                c.Set(126 + x + 1, 54 + y + 1, p.GripShadow);
            }
}

void ScrollArrows(Canvas& c, const Palette& p) {
    static const char* const up[] = {"    #", "   ###", "  ## ##", " ##   ##", "##     ##"};
    static const char* const down[] = {"##     ##", " ##   ##", "  ## ##", "   ###", "    #"};
    static const char* const left[] = {"   ##", "  ##", " ##", "##", "#", "##", " ##", "  ##", "   ##"};
    static const char* const right[] = {"##", " ##", "  ##", "   ##", "   ##", "  ##", " ##", "##"};
    DrawGlyphFrames(c, 36, 57, 9, 3, up, 5, p.Inks.data());
    DrawGlyphFrames(c, 77, 15, 9, 3, down, 5, p.Inks.data());
    DrawGlyphFrames(c, 104, 14, 5, 3, left, 9, p.Inks.data());
    DrawGlyphFrames(c, 104, 23, 5, 3, right, 8, p.Inks.data());
}

// Button borders: a dark rounded rim with a soft light edge inside; the inside is left
// to the gradient painted beneath.
MaskedPixel ButtonRim(int x, int y, int w, int h, double radius, int rim, int light) {
    const double outer = RoundRectCoverage(x, y, w, h, radius);
    const double inner = RoundRectCoverage(x - 1, y - 1, w - 2, h - 2, radius - 1);
    if (outer - inner > 0.01) return {Grey(rim), int(std::lround(255 * (1 - (outer - inner))))};
    const double core = RoundRectCoverage(x - 2, y - 2, w - 4, h - 4, std::max(radius - 2, 0.5));
    if (inner - core > 0.01 && y < h / 2) return {Grey(light), int(std::lround(255 * (1 - 0.45 * (inner - core))))};
    return {kKey, 255};
}

void Buttons(Canvas& c, const Palette& p) {
    DrawMaskedFrames(c, 251, 0, 11, 20, 3, [&](int f, int x, int y) {
        return ButtonRim(x, y, 11, 20, 3, p.ButtonRims[f], p.ButtonLights[f]);
    });
    DrawMaskedFrames(c, 0, 67, 11, 17, 3, [&](int f, int x, int y) {
        return ButtonRim(x, y, 11, 17, 2.5, p.ButtonRims[f], p.ButtonLights[f]);
    });
}

// Scroll thumbs are opaque inside: they paint over a transparent track.
void Thumbs(Canvas& c, const Palette& p) {
    auto thumb = [&](int f, int x, int y, int w, int h) {
        const double outer = RoundRectCoverage(x, y, w, h, 3);
        const double inner = RoundRectCoverage(x - 1, y - 1, w - 2, h - 2, 2);
        if (outer < 0.01) return MaskedPixel{kKey, 255};
        return MaskedPixel{inner > 0.5 ? p.ThumbFills[f] : p.ThumbEdge, int(std::lround(255 * (1 - outer)))};
    };
    DrawMaskedFrames(c, 48, 21, 19, 14, 2, [&](int f, int x, int y) { return thumb(f, x, y, 19, 14); });
    DrawMaskedFrames(c, 36, 62, 14, 19, 2, [&](int f, int x, int y) { return thumb(f, x, y, 14, 19); });
}

void PlainBorders(Canvas& c, const Palette& p) {
    // Panel: a faint raised edge around the face.
    c.Fill(171, 0, 183, 14, p.PanelFace);
    c.Fill(171, 0, 183, 1, p.PanelLight);
    c.Fill(171, 0, 172, 14, p.PanelLight);
    c.Fill(171, 13, 183, 14, p.PanelShadow);
    c.Fill(182, 0, 183, 14, p.PanelShadow);
    // Group box: a thin line with open corners. Only corner pieces honour the transparent
    // colour (edges are copied as they are), so the pixels inside the line take the face of the
    // panels group boxes stand on.
    c.Fill(40, 21, 45, 26, p.PanelFace);
    c.Frame(40, 21, 45, 26, p.GroupLine);
    for (auto [x, y] : {std::pair{40, 21}, {44, 21}, {40, 25}, {44, 25}}) c.Set(x, y, kKey);
    // Edit: one-pixel frame around the field.
    c.Fill(36, 21, 39, 24, p.FieldFill);
    c.Frame(36, 21, 39, 24, p.EditFrame);
    // Form: dark outline, light inner line, top corners rounded off.
    c.Fill(284, 0, 306, 24, p.PanelFace);
    c.Frame(284, 0, 306, 24, p.FormOutline);
    c.Frame(285, 1, 305, 23, p.FormInner);
    for (auto [x, y] : {std::pair{284, 0}, {285, 0}, {284, 1}, {305, 0}, {304, 0}, {305, 1}}) c.Set(x, y, kKey);
    // Title bar: only a separator line at its bottom.
    c.Fill(284, 31, 306, 32, p.TitleSeparator);
}

}  // namespace

Canvas DrawMaster(const Palette& p) {
    Canvas c(306, 102, kKey);
    TitleIcons(c, p);
    TitleButtons(c, p);
    CheckBoxes(c, p);
    SmallBoxes(c, p);
    Radios(c, p);
    CheckMark(c, p);
    Grip(c, p);
    ScrollArrows(c, p);
    Buttons(c, p);
    Thumbs(c, p);
    PlainBorders(c, p);
    return c;
}

Canvas DrawButtonHuge(const Palette& p) {
    Canvas c(288, 192, kKey);
    DrawMaskedFrames(c, 0, 0, 96, 96, 3, [&](int f, int x, int y) {
        return ButtonRim(x, y, 96, 96, 12, p.ButtonRims[f], p.ButtonLights[f]);
    });
    return c;
}

}  // namespace skingen
