// libjpeg reports fatal errors through a callback that must not return. It jumps back to
// the setjmp below, which lives in a frame that owns no C++ object with a destructor;
// the output bitmap belongs to the caller's frame and is simply discarded on failure.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "skin/ImageDecoders.h"

namespace lw::skin {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void OnFatalError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings about corrupt data are not printed; the picture decodes as far as it can.
void OnMessage(j_common_ptr) {}

constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;

// Returns false on any decoder failure. `out` is only written, never owned, here.
bool DecodeInto(std::span<const std::uint8_t> data, render::Bitmap* out) {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = OnFatalError;
    errors.pub.output_message = OnMessage;
    JSAMPLE* volatile row = nullptr;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete[] row;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (!ImageSizeAllowed(cinfo.image_width, cinfo.image_height) ||
        (cinfo.jpeg_color_space != JCS_GRAYSCALE && cinfo.jpeg_color_space != JCS_YCbCr &&
         cinfo.jpeg_color_space != JCS_RGB)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    *out = render::CreateBmp24(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
    row = new JSAMPLE[std::size_t(cinfo.output_width) * 3];
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row};
        const int y = static_cast<int>(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, rows, 1);
        std::uint8_t* dst = out->Row(y);
        for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
            dst[x * 3 + 0] = row[x * 3 + 2];
            dst[x * 3 + 1] = row[x * 3 + 1];
            dst[x * 3 + 2] = row[x * 3 + 0];
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    delete[] row;
    return true;
}

}  // namespace

std::optional<render::Bitmap> DecodeJpeg(std::span<const std::uint8_t> data) {
    if (data.empty()) return std::nullopt;
    render::Bitmap out;
    if (!DecodeInto(data, &out)) return std::nullopt;
    return out;
}

}  // namespace lw::skin
