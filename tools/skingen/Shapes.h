#pragma once
// Small drawing helpers shared by the generator's art.

#include <functional>

#include "Canvas.h"

namespace skingen {

// Coverage (0..1) of pixel (x, y) by a rounded rectangle of w x h with corner radius r.
double RoundRectCoverage(int x, int y, int w, int h, double r);

// A pixel of a masked image: its colour and its mask weight (0 shows the colour, 255
// shows what lies below).
struct MaskedPixel {
    Rgba Colour;
    int Mask = 255;
};

// Frames of fw x fh side by side from (left, top), each with its mask fh rows below.
void DrawMaskedFrames(Canvas& c, int left, int top, int fw, int fh, int frames,
                      const std::function<MaskedPixel(int frame, int x, int y)>& pixel);

// Frames of a plain (keyed) glyph drawn from a picture of '#' (ink) and '+' (half ink).
void DrawGlyphFrames(Canvas& c, int left, int top, int fw, int frames, const char* const* rows, int rowCount,
                     const Rgba* inks);

}  // namespace skingen
