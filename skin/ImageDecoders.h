#pragma once
// Decoders of the images a skin may carry, into our own pixel buffers. A file that does
// not decode, or whose size is beyond the caps, gives no image: the caller treats it as
// missing. No decoder error escapes as a C long jump or an exception.

#include <cstdint>
#include <optional>
#include <span>

#include "render/Bitmap.h"

namespace lw::skin {

// Far above any skin image (the largest stored one is 928 x 295), far below what would
// let a few bytes of hostile PNG or JPEG ask for gigabytes.
inline constexpr int kMaxImageSide = 8192;
inline constexpr std::int64_t kMaxImagePixels = 16 * 1024 * 1024;

bool ImageSizeAllowed(std::int64_t width, std::int64_t height);

enum class ImageKind { Unknown, Bmp, Png, Jpeg };
ImageKind SniffImage(std::span<const std::uint8_t> data);

// 24-bit for palette, 16- and 24-bit files; 32-bit only when the file has an alpha mask.
std::optional<render::Bitmap> DecodeBmp(std::span<const std::uint8_t> data);
// Always 32-bit, straight alpha.
std::optional<render::Bitmap> DecodePng(std::span<const std::uint8_t> data);
// Always 24-bit.
std::optional<render::Bitmap> DecodeJpeg(std::span<const std::uint8_t> data);

// Chooses the decoder by the file's signature, not its name.
std::optional<render::Bitmap> DecodeImage(std::span<const std::uint8_t> data);

// Fully transparent white becomes fully transparent black, so blending never lets
// white fringes through.
void ClearTransparentWhite(render::Bitmap& bmp);

// Drops the alpha channel of a 32-bit image; a 24-bit one is returned as a copy.
render::Bitmap ConvertTo24(const render::Bitmap& bmp);

}  // namespace lw::skin
