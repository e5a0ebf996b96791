#include "skin/ImageDecoders.h"

#include <cstring>

namespace lw::skin {

bool ImageSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

ImageKind SniffImage(std::span<const std::uint8_t> data) {
    static constexpr std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (data.size() >= 8 && std::memcmp(data.data(), kPng, 8) == 0) return ImageKind::Png;
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return ImageKind::Jpeg;
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') return ImageKind::Bmp;
    return ImageKind::Unknown;
}

std::optional<render::Bitmap> DecodeImage(std::span<const std::uint8_t> data) {
    switch (SniffImage(data)) {
    case ImageKind::Bmp:
        return DecodeBmp(data);
    case ImageKind::Png:
        return DecodePng(data);
    case ImageKind::Jpeg:
        return DecodeJpeg(data);
    case ImageKind::Unknown:
        break;
    }
    return std::nullopt;
}

void ClearTransparentWhite(render::Bitmap& bmp) {
    if (bmp.Empty() || bmp.Format() != render::PixelFormat::pf32bit) return;
    for (int y = 0; y < bmp.Height(); ++y) {
        std::uint8_t* p = bmp.Row(y);
        for (int x = 0; x < bmp.Width(); ++x, p += 4)
            if (p[3] == 0 && p[0] == 255 && p[1] == 255 && p[2] == 255) p[0] = p[1] = p[2] = 0;
    }
}

render::Bitmap ConvertTo24(const render::Bitmap& bmp) {
    if (bmp.Format() == render::PixelFormat::pf24bit) return bmp.Clone();
    render::Bitmap out = render::CreateBmp24(bmp.Width(), bmp.Height());
    for (int y = 0; y < bmp.Height(); ++y) {
        const std::uint8_t* s = bmp.Row(y);
        std::uint8_t* d = out.Row(y);
        for (int x = 0; x < bmp.Width(); ++x, s += 4, d += 3) std::memcpy(d, s, 3);
    }
    return out;
}

}  // namespace lw::skin
