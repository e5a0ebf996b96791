#include "ImageWriters.h"

#include <zlib.h>

#include <stdexcept>
#include <string>

namespace skingen {

namespace {

void Le32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 0; s < 32; s += 8) out.push_back(std::uint8_t(v >> s));
}
void Le16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Be32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(std::uint8_t(v >> s));
}

void Chunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
    Be32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, png.data() + start, static_cast<uInt>(png.size() - start));
    Be32(png, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Canvas& image) {
    const std::uint32_t rowBytes = (std::uint32_t(image.Width()) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * std::uint32_t(image.Height());
    std::vector<std::uint8_t> out{'B', 'M'};
    Le32(out, 14 + 40 + pixelBytes);
    Le32(out, 0);
    Le32(out, 14 + 40);
    Le32(out, 40);
    Le32(out, std::uint32_t(image.Width()));
    Le32(out, std::uint32_t(image.Height()));
    Le16(out, 1);
    Le16(out, 24);
    Le32(out, 0);
    Le32(out, pixelBytes);
    Le32(out, 2835);
    Le32(out, 2835);
    Le32(out, 0);
    Le32(out, 0);
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgba p = image.Get(x, y);
            out.push_back(p.B);
            out.push_back(p.G);
            out.push_back(p.R);
        }
        for (std::uint32_t pad = std::uint32_t(image.Width()) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> EncodePngRgba(const Canvas& image) {
    std::vector<std::uint8_t> raw;
    raw.reserve(std::size_t(image.Height()) * (std::size_t(image.Width()) * 4 + 1));
    for (int y = 0; y < image.Height(); ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < image.Width(); ++x) {
            const Rgba p = image.Get(x, y);
            raw.insert(raw.end(), {p.R, p.G, p.B, p.A});
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress a PNG image");
    packed.resize(packedSize);

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    Be32(header, std::uint32_t(image.Width()));
    Be32(header, std::uint32_t(image.Height()));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter set, no interlace
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", {});
    return png;
}

}  // namespace skingen
