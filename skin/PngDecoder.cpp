// libpng's simplified reader keeps its error handling (and its long jumps) inside the
// library and reports failure as a return value, so nothing unwinds across our frames.
#include <png.h>

#include "skin/ImageDecoders.h"

namespace lw::skin {

std::optional<render::Bitmap> DecodePng(std::span<const std::uint8_t> data) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) {
        png_image_free(&image);
        return std::nullopt;
    }
    if (!ImageSizeAllowed(image.width, image.height)) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    render::Bitmap out = render::CreateBmp32(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, out.Row(0), static_cast<png_int_32>(out.Stride()), nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return out;
}

}  // namespace lw::skin
