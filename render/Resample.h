#pragma once
// Filtered image resize (two separable passes with 16-bit fixed-point weights).

#include <stdexcept>

#include "render/Bitmap.h"

namespace lw::render {

enum class ResampleFilter : int { Box = 0, Triangle, Hermite, Bell, BSpline, WindowedSine, Mitchell };

class ResampleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Resizes src into dst (replaced by a width x height bitmap of src's format). Throws
// ResampleError("Source bitmap is too small") for a source below 2 x 2, leaving dst untouched.
// A size of zero or less leaves dst untouched too.
void ResampleBitmap(const Bitmap& src, Bitmap& dst, int width, int height, ResampleFilter filter);

}  // namespace lw::render
