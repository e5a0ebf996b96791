// Device-independent bitmap files: palette (1, 4, 8 bits), 16-, 24- and 32-bit pixels,
// bottom-up or top-down, plain or with bit-field masks. Compressed (RLE) files give no
// image; skins do not use them.
#include <array>
#include <bit>
#include <cstring>

#include "skin/ImageDecoders.h"

namespace lw::skin {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) {
    return std::uint32_t(d[at]) | (std::uint32_t(d[at + 1]) << 8) | (std::uint32_t(d[at + 2]) << 16) |
           (std::uint32_t(d[at + 3]) << 24);
}
std::uint16_t U16(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}

// Scales a masked channel to 8 bits; a missing mask reads as `absent`.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m >> shift);
    }
    std::uint8_t Get(std::uint32_t pixel, std::uint8_t absent) const {
        if (mask == 0) return absent;
        const std::uint32_t v = (pixel & mask) >> shift;
        const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        return static_cast<std::uint8_t>((std::uint64_t(v) * 255 + max / 2) / max);
    }
};

}  // namespace

std::optional<render::Bitmap> DecodeBmp(std::span<const std::uint8_t> data) {
    if (data.size() < 14 + 12 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const std::uint32_t pixelOffset = U32(data, 10);
    const std::uint32_t headerSize = U32(data, 14);
    if (headerSize < 12 || headerSize > data.size() - 14) return std::nullopt;

    std::int64_t width = 0, height = 0;
    int bpp = 0;
    std::uint32_t compression = kBiRgb, colorsUsed = 0;
    std::size_t paletteEntrySize = 4;
    if (headerSize == 12) {
        width = U16(data, 18);
        height = static_cast<std::int16_t>(U16(data, 20));
        bpp = U16(data, 24);
        paletteEntrySize = 3;
    } else {
        if (headerSize < 40) return std::nullopt;
        width = static_cast<std::int32_t>(U32(data, 18));
        height = static_cast<std::int32_t>(U32(data, 22));
        bpp = U16(data, 28);
        compression = U32(data, 30);
        colorsUsed = U32(data, 46);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (!ImageSizeAllowed(width, height)) return std::nullopt;

    std::uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
    if (compression == kBiBitfields && (bpp == 16 || bpp == 32)) {
        // Masks sit inside a version 4/5 header, or right after a plain 40-byte one.
        const std::size_t at = 14 + 40;
        const bool hasAlphaField = headerSize >= 56;
        if (at + (hasAlphaField ? 16 : 12) > data.size()) return std::nullopt;
        redMask = U32(data, at);
        greenMask = U32(data, at + 4);
        blueMask = U32(data, at + 8);
        if (hasAlphaField) alphaMask = U32(data, at + 12);
    } else if (compression != kBiRgb) {
        return std::nullopt;
    } else if (bpp == 16) {
        redMask = 0x7C00, greenMask = 0x03E0, blueMask = 0x001F;
    } else if (bpp == 32) {
        redMask = 0x00FF0000, greenMask = 0x0000FF00, blueMask = 0x000000FF;
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;

    std::array<std::uint8_t, 256 * 3> palette{};  // B, G, R; absent entries stay black
    if (bpp <= 8) {
        std::size_t count = colorsUsed == 0 ? (std::size_t(1) << bpp) : std::min<std::size_t>(colorsUsed, 256);
        const std::size_t at = 14 + headerSize + (compression == kBiBitfields ? 12 : 0);
        if (at > data.size()) return std::nullopt;
        count = std::min(count, (data.size() - at) / paletteEntrySize);
        for (std::size_t i = 0; i < count; ++i) std::memcpy(&palette[i * 3], &data[at + i * paletteEntrySize], 3);
    }

    const std::size_t rowBytes = ((std::size_t(width) * std::size_t(bpp) + 31) / 32) * 4;
    if (pixelOffset > data.size() || rowBytes * std::size_t(height) > data.size() - pixelOffset) return std::nullopt;

    const bool withAlpha = alphaMask != 0;
    render::Bitmap out(static_cast<int>(width), static_cast<int>(height),
                       withAlpha ? render::PixelFormat::pf32bit : render::PixelFormat::pf24bit);
    const Channel red(redMask), green(greenMask), blue(blueMask), alpha(alphaMask);
    const int outBpp = out.BytesPerPixel();
    for (int y = 0; y < out.Height(); ++y) {
        const std::size_t fileRow = topDown ? std::size_t(y) : std::size_t(out.Height() - 1 - y);
        const std::uint8_t* src = data.data() + pixelOffset + fileRow * rowBytes;
        std::uint8_t* dst = out.Row(y);
        for (int x = 0; x < out.Width(); ++x, dst += outBpp) {
            switch (bpp) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / bpp;
                const int shift = (perByte - 1 - x % perByte) * bpp;
                const int index = (src[x / perByte] >> shift) & ((1 << bpp) - 1);
                std::memcpy(dst, &palette[std::size_t(index) * 3], 3);
                break;
            }
            case 24:
                std::memcpy(dst, src + x * 3, 3);
                break;
            default: {
                const std::uint32_t px = bpp == 16 ? U16(std::span(src, rowBytes), std::size_t(x) * 2)
                                                   : U32(std::span(src, rowBytes), std::size_t(x) * 4);
                dst[0] = blue.Get(px, 0);
                dst[1] = green.Get(px, 0);
                dst[2] = red.Get(px, 0);
                if (withAlpha) dst[3] = alpha.Get(px, 255);
            }
            }
        }
    }
    return out;
}

}  // namespace lw::skin
