#pragma once
// Vector row kernels of the factor blends. Each rewrites a double formula in 16-bit integers;
// Prepare proves, over every byte (or byte difference) a call can meet, that the rewrite yields
// the same bytes as the double formula and refuses otherwise, so callers keep their plain loop
// for the inputs the rewrite cannot match.

#include <array>
#include <cstdint>

namespace lw::render {
// The double formula's result for every byte value of one channel.
using ChannelTable = std::array<std::uint8_t, 256>;
}  // namespace lw::render

#if defined(__SSE2__)
#include <emmintrin.h>

namespace lw::render {

// BlendColorRect: per byte q = (percent*c + (100 - percent)*k + 50) div 100, the exact
// rational rounded half up. Only halves can differ from the double formula; each channel takes
// the tie rule (up, even or down) that reproduces its table, or has its ties patched from it.
class ColourRows {
public:
    // How the exact halves of a call are rounded: all up, by per-channel rule, or some patched.
    enum class Halves { AllUp, ByRule, Patched };
    // `exact` holds the double formula's byte for every channel value; bpp is 3 or 4 (alpha kept).
    bool Prepare(int percent, const std::uint8_t k[3], const ChannelTable exact[3], int bpp);
    // Blends whole 48-byte blocks of a row starting at channel 0; returns the pixels done.
    int Run(std::uint8_t* row, int pixels) const;

private:
    template <Halves H>
    int RunBlocks(std::uint8_t* row, int pixels) const;
    // Per byte offset 0, 8 and 16 of the 24-byte period that 3- and 4-byte pixels share: the
    // weight, offset, tie-even, tie-down and patch lanes.
    __m128i phase_[3][5];
    const ChannelTable* exact_ = nullptr;
    int bpp_ = 3;
    Halves halves_ = Halves::AllUp;
};

// BlendOverRect, 24 over 24 bits: s - ((((s - d) << 7) * X >> 16) + 32 >> 6) with
// X = x * 2^15, ties to even where x is exactly X / 2^15.
class OverRows {
public:
    bool Prepare(double x);
    // Blends whole 16-pixel blocks; source pixels equal to `key` (a colour value) stay unpainted
    // when useKey. Returns the pixels done. The rows must not overlap unless they coincide.
    int Run(std::uint8_t* dst, const std::uint8_t* src, int pixels, bool useKey, std::uint32_t key) const;

private:
    template <bool Ties>
    int RunBlocks(std::uint8_t* dst, const std::uint8_t* src, int pixels, bool useKey, std::uint32_t key) const;
    std::int16_t factor_ = 0;
    bool ties_ = false;
};

}  // namespace lw::render

#endif
