#include "TestImages.h"

#include <png.h>
#include <stdio.h>
#include <jpeglib.h>

#include <cstdlib>
#include <stdexcept>

namespace lw::skin::testing {

Bytes MakePng(int width, int height, const PixelFn& pixel) {
    Bytes rgba;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto p = pixel(x, y);
            rgba.insert(rgba.end(), p.begin(), p.end());
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
        throw std::runtime_error("png size");
    Bytes out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr))
        throw std::runtime_error("png write");
    out.resize(size);
    return out;
}

Bytes MakeBmp24(int width, int height, const PixelFn& pixel, bool topDown) {
    const std::uint32_t rowBytes = (std::uint32_t(width) * 3 + 3) & ~3u;
    Bytes out;
    auto le32 = [&](std::uint32_t v) {
        for (int s = 0; s < 32; s += 8) out.push_back(std::uint8_t(v >> s));
    };
    auto le16 = [&](std::uint16_t v) {
        out.push_back(std::uint8_t(v));
        out.push_back(std::uint8_t(v >> 8));
    };
    out = {'B', 'M'};
    le32(54 + rowBytes * std::uint32_t(height));
    le32(0);
    le32(54);
    le32(40);
    le32(std::uint32_t(width));
    le32(topDown ? std::uint32_t(-height) : std::uint32_t(height));
    le16(1);
    le16(24);
    for (int i = 0; i < 6; ++i) le32(0);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const auto p = pixel(x, y);
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
        for (std::uint32_t pad = std::uint32_t(width) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

Bytes MakeJpeg(int width, int height) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * 3, 200);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    free(buffer);
    return out;
}

}  // namespace lw::skin::testing
