#include "platform/Png.h"

#include <png.h>

#include "platform/Exception.h"

namespace lw::platform {

RgbaImage DecodePng(std::span<const std::uint8_t> data) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    auto fail = [&image]() -> RgbaImage {
        const std::string reason = image.message;
        png_image_free(&image);
        throw Exception("Invalid PNG image: " + reason);
    };
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return fail();
    image.format = PNG_FORMAT_RGBA;
    RgbaImage result{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    result.Pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, result.Pixels.data(), 0, nullptr)) return fail();
    return result;
}

}  // namespace lw::platform
