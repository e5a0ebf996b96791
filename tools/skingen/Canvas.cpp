#include "Canvas.h"

namespace skingen {

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {}

void Canvas::Fill(int left, int top, int right, int bottom, Rgba c) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) Set(x, y, c);
}

void Canvas::Frame(int left, int top, int right, int bottom, Rgba c) {
    for (int x = left; x < right; ++x) {
        Set(x, top, c);
        Set(x, bottom - 1, c);
    }
    for (int y = top; y < bottom; ++y) {
        Set(left, y, c);
        Set(right - 1, y, c);
    }
}

}  // namespace skingen
