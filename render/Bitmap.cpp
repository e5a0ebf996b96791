#include "render/Bitmap.h"

#include <algorithm>
#include <cstring>

namespace lw::render {

Bitmap::Bitmap(int width, int height, PixelFormat format) : format_(format) {
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    stride_ = (static_cast<std::ptrdiff_t>(width) * render::BytesPerPixel(format) + 3) & ~std::ptrdiff_t(3);
    storage_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), 0);
    start_ = storage_.data();
}

Bitmap Bitmap::Wrap(std::uint8_t* row0, std::ptrdiff_t stride, int width, int height, PixelFormat format) {
    Bitmap b;
    if (row0 == nullptr || width <= 0 || height <= 0) return b;
    b.start_ = row0;
    b.stride_ = stride;
    b.width_ = width;
    b.height_ = height;
    b.format_ = format;
    return b;
}

Bitmap Bitmap::Clone() const {
    Bitmap copy(width_, height_, format_);
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * BytesPerPixel();
    for (int y = 0; y < height_; ++y) std::memcpy(copy.Row(y), Row(y), rowBytes);
    return copy;
}

}  // namespace lw::render
