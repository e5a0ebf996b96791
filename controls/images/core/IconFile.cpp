#include "controls/images/core/IconFile.h"

#include <cstdlib>
#include <limits>

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

}  // namespace lw::controls
