#include "controls/images/core/IconFile.h"

#include <cstdlib>
#include <limits>

#include "render/Resample.h"

namespace lw::controls {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

std::uint32_t Read16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at) {
    return Read16(b, at) | (Read16(b, at + 2) << 16);
}

bool Bit(std::span<const std::uint8_t> rows, std::size_t stride, int height, int x, int y) {
    const std::size_t row = static_cast<std::size_t>(height - 1 - y) * stride;  // rows bottom up
    return (rows[row + static_cast<std::size_t>(x) / 8] & (0x80 >> (x % 8))) != 0;
}

}  // namespace

std::optional<std::span<const std::uint8_t>> PickIconImage(std::span<const std::uint8_t> file, int width, int height) {
    if (file.size() < kHeaderSize || Read16(file, 0) != 0 || Read16(file, 2) != 1) return std::nullopt;
    const std::size_t count = Read16(file, 4);
    if (file.size() < kHeaderSize + count * kEntrySize) return std::nullopt;

    std::optional<std::span<const std::uint8_t>> best;
    long bestDistance = std::numeric_limits<long>::max();
    std::uint32_t bestDepth = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderSize + i * kEntrySize;
        const std::uint64_t size = Read32(file, entry + 8);
        const std::uint64_t offset = Read32(file, entry + 12);
        if (size == 0 || offset + size > file.size()) continue;
        // A width or height byte of 0 stands for 256.
        const int w = file[entry] == 0 ? 256 : file[entry];
        const int h = file[entry + 1] == 0 ? 256 : file[entry + 1];
        const long distance = std::labs(static_cast<long>(w) - width) + std::labs(static_cast<long>(h) - height);
        const std::uint32_t depth = Read16(file, entry + 6);
        if (distance < bestDistance || (distance == bestDistance && depth > bestDepth)) {
            best = file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
            bestDistance = distance;
            bestDepth = depth;
        }
    }
    return best;
}

std::optional<render::Bitmap> ReadTwoColourIcon(std::span<const std::uint8_t> picture, int width, int height) {
    constexpr std::size_t kInfoSize = 40;
    if (width <= 0 || height <= 0 || picture.size() < kInfoSize) return std::nullopt;
    const std::uint32_t headerSize = Read32(picture, 0);
    const auto ownWidth = static_cast<std::int32_t>(Read32(picture, 4));
    const auto doubleHeight = static_cast<std::int32_t>(Read32(picture, 8));
    if (headerSize < kInfoSize || headerSize > picture.size() || Read16(picture, 14) != 1 || Read32(picture, 16) != 0)
        return std::nullopt;
    // The height counts the colour bits and the mask together.
    if (ownWidth <= 0 || ownWidth > 256 || doubleHeight <= 0 || doubleHeight > 512 || doubleHeight % 2 != 0)
        return std::nullopt;
    const int w = ownWidth, h = doubleHeight / 2;
    const std::uint32_t used = Read32(picture, 32);
    const std::size_t colours = used == 0 || used > 2 ? 2 : used;
    const std::size_t stride = (static_cast<std::size_t>(w) + 31) / 32 * 4;
    const std::size_t bitsAt = headerSize + colours * 4;
    if (bitsAt + 2 * stride * static_cast<std::size_t>(h) > picture.size()) return std::nullopt;
    const auto colourBits = picture.subspan(bitsAt, stride * h);
    const auto maskBits = picture.subspan(bitsAt + stride * h, stride * h);

    render::Bitmap own = render::CreateBmp32(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t index = Bit(colourBits, stride, h, x, y) && colours > 1 ? 1 : 0;
            const std::uint8_t* c = &picture[headerSize + index * 4];  // blue, green, red
            const bool black = c[0] == 0 && c[1] == 0 && c[2] == 0;
            std::uint8_t* p = own.Pixel(x, y);
            p[0] = c[0], p[1] = c[1], p[2] = c[2];
            p[3] = Bit(maskBits, stride, h, x, y) && black ? 0 : 255;
        }
    }
    if (w == width && h == height) return own;
    render::Bitmap sized;
    try {
        render::ResampleBitmap(own, sized, width, height, render::ResampleFilter::Mitchell);
    } catch (const render::ResampleError&) {
        return std::nullopt;
    }
    if (sized.Format() != render::PixelFormat::pf32bit) return std::nullopt;
    return sized;
}

}  // namespace lw::controls
