#include "render/BlendRows.h"

#if defined(__SSE2__)

#include <cmath>
#include <cstring>

namespace lw::render {
namespace {

// ceil(2^21 / 100): (n * kDiv100) >> 21 is n div 100 for every n below 25600.
constexpr int kDiv100 = 20972;

enum Lane { Weight, Offset, TieEven, TieDown, Patch, LaneCount };

struct ColourRule {
    int Weight, Offset;
    bool Even, Down;
    // The integer form of Colour8 for one lane; tie tells whether the exact value was a half.
    int Apply(int c, bool& tie) const {
        const int n = Weight * c + Offset;
        const int q = (n * kDiv100) >> 21;
        tie = n == q * 100;
        return q - ((tie && ((Even && (q & 1)) || Down)) ? 1 : 0);
    }
};

}  // namespace

bool ColourRows::Prepare(int percent, const std::uint8_t k[3], const ChannelTable exact[3], int bpp) {
    if (percent < 0 || percent > 100) return false;
    ColourRule rules[4] = {};
    bool patch[4] = {};
    for (int ch = 0; ch < 3; ++ch) {
        const ColourRule base{percent, (100 - percent) * k[ch] + 50, false, false};
        const ColourRule tries[3] = {
            base, {base.Weight, base.Offset, true, false}, {base.Weight, base.Offset, false, true}};
        bool found = false, nonTiesMatch = true;
        for (const ColourRule& rule : tries) {
            bool all = true;
            for (int c = 0; c < 256; ++c) {
                bool tie = false;
                if (rule.Apply(c, tie) != exact[ch][c]) {
                    all = false;
                    if (!tie) nonTiesMatch = false;
                }
            }
            if (all) {
                rules[ch] = rule;
                found = true;
                break;
            }
        }
        if (!found && !nonTiesMatch) return false;
        if (!found) rules[ch] = base;
        patch[ch] = !found;
    }
    rules[3] = {100, 50, false, false};  // alpha: 100*c + 50 divided by 100 is c again
    for (int phase = 0; phase < 3; ++phase) {
        alignas(16) std::int16_t w[8], o[8], e[8], d[8], p[8];
        for (int j = 0; j < 8; ++j) {
            const int ch = (phase * 8 + j) % bpp;
            w[j] = static_cast<std::int16_t>(rules[ch].Weight);
            o[j] = static_cast<std::int16_t>(rules[ch].Offset);
            e[j] = rules[ch].Even ? 1 : 0;
            d[j] = rules[ch].Down ? 1 : 0;
            p[j] = patch[ch] ? -1 : 0;
        }
        const std::int16_t* lanes[LaneCount] = {w, o, e, d, p};
        for (int lane = 0; lane < LaneCount; ++lane)
            phase_[phase][lane] = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes[lane]));
    }
    exact_ = exact;
    bpp_ = bpp;
    halves_ = Halves::AllUp;
    for (int ch = 0; ch < 3; ++ch)
        if (patch[ch])
            halves_ = Halves::Patched;
        else if ((rules[ch].Even || rules[ch].Down) && halves_ == Halves::AllUp)
            halves_ = Halves::ByRule;
    return true;
}

namespace {

// AllUp: q alone. ByRule: halves corrected by the tie-even and tie-down lanes. Patched: also
// reports, in `patch`, the halves of channels that the double formula rounds irregularly.
template <ColourRows::Halves H>
__m128i Colour8(__m128i c, const __m128i* lanes, __m128i& patch) {
    using enum ColourRows::Halves;
    const __m128i n = _mm_add_epi16(_mm_mullo_epi16(c, lanes[Weight]), lanes[Offset]);
    const __m128i q = _mm_srli_epi16(_mm_mulhi_epu16(n, _mm_set1_epi16(kDiv100)), 5);
    if constexpr (H == AllUp) return q;
    const __m128i tie = _mm_cmpeq_epi16(n, _mm_mullo_epi16(q, _mm_set1_epi16(100)));
    if constexpr (H == Patched) patch = _mm_and_si128(tie, lanes[Patch]);
    const __m128i down = _mm_or_si128(_mm_and_si128(q, lanes[TieEven]), lanes[TieDown]);
    return _mm_sub_epi16(q, _mm_and_si128(tie, down));
}

}  // namespace

int ColourRows::Run(std::uint8_t* row, int pixels) const {
    switch (halves_) {
    case Halves::AllUp:
        return RunBlocks<Halves::AllUp>(row, pixels);
    case Halves::ByRule:
        return RunBlocks<Halves::ByRule>(row, pixels);
    case Halves::Patched:
        break;
    }
    return RunBlocks<Halves::Patched>(row, pixels);
}

template <ColourRows::Halves H>
int ColourRows::RunBlocks(std::uint8_t* row, int pixels) const {
    // Halves of the three 16-byte loads of a block, as phases of the 24-byte period.
    static constexpr int kPhase[3][2] = {{0, 1}, {2, 0}, {1, 2}};
    // Local copies: the byte stores below could otherwise alias the members.
    __m128i lanes[3][LaneCount];
    std::memcpy(lanes, phase_, sizeof lanes);
    const int bpp = bpp_;
    const __m128i zero = _mm_setzero_si128();
    const int blocks = pixels * bpp / 48;
    for (int b = 0; b < blocks; ++b) {
        for (int part = 0; part < 3; ++part) {
            std::uint8_t* p = row + b * 48 + part * 16;
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i patchLo = zero, patchHi = zero;
            const __m128i lo = Colour8<H>(_mm_unpacklo_epi8(v, zero), lanes[kPhase[part][0]], patchLo);
            const __m128i hi = Colour8<H>(_mm_unpackhi_epi8(v, zero), lanes[kPhase[part][1]], patchHi);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(lo, hi));
            if constexpr (H != Halves::Patched) continue;
            const int mask = _mm_movemask_epi8(_mm_packs_epi16(patchLo, patchHi));
            if (mask == 0) continue;
            alignas(16) std::uint8_t before[16];
            _mm_store_si128(reinterpret_cast<__m128i*>(before), v);
            for (int j = 0; j < 16; ++j)
                if (mask >> j & 1) p[j] = exact_[(part * 16 + j) % bpp][before[j]];
        }
    }
    return blocks * 48 / bpp;
}

namespace {

template <bool Ties>
__m128i Over8(__m128i s, __m128i d, __m128i factor) {
    const __m128i u = _mm_slli_epi16(_mm_sub_epi16(s, d), 7);
    const __m128i hi = _mm_mulhi_epi16(u, factor);
    __m128i r = _mm_sub_epi16(s, _mm_srai_epi16(_mm_add_epi16(hi, _mm_set1_epi16(32)), 6));
    if constexpr (Ties) {
        const __m128i lowZero = _mm_cmpeq_epi16(_mm_mullo_epi16(u, factor), _mm_setzero_si128());
        const __m128i half = _mm_cmpeq_epi16(_mm_and_si128(hi, _mm_set1_epi16(63)), _mm_set1_epi16(32));
        r = _mm_add_epi16(r, _mm_and_si128(_mm_and_si128(lowZero, half), _mm_and_si128(r, _mm_set1_epi16(1))));
    }
    return r;
}

}  // namespace

bool OverRows::Prepare(double x) {
    if (!(x >= -1.0 && x < 1.0)) return false;
    const double scaled = x * 32768.0;
    const int f = static_cast<int>(std::nearbyint(scaled));
    if (f > 32767) return false;
    const bool dyadic = scaled == f;
    // Away from halves the double's rounding errors (below 2^-44 here) cannot move a result;
    // at a half, only an exact product rounds to even the way the vector form does.
    constexpr double margin = 0.5 - 1.0 / (1 << 20);
    bool ties = false;
    for (int u = -255; u <= 255; ++u) {
        const int p = u * 128 * f;
        const int hi = p >> 16;
        const int m = (hi + 32) >> 6;
        if ((p & 0xFFFF) == 0 && (hi & 63) == 32) {
            if (!dyadic) return false;
            ties = true;
        } else if (!(std::fabs(x * double(u) - m) <= margin)) {
            return false;
        }
    }
    factor_ = static_cast<std::int16_t>(f);
    ties_ = ties;
    return true;
}

int OverRows::Run(std::uint8_t* dst, const std::uint8_t* src, int pixels, bool useKey, std::uint32_t key) const {
    return ties_ ? RunBlocks<true>(dst, src, pixels, useKey, key) : RunBlocks<false>(dst, src, pixels, useKey, key);
}

template <bool Ties>
int OverRows::RunBlocks(std::uint8_t* dst, const std::uint8_t* src, int pixels, bool useKey, std::uint32_t key) const {
    constexpr std::uint64_t firstBytes = 0x249249249249ull;  // bit 3i: pixel i of a 16-pixel block
    const __m128i zero = _mm_setzero_si128(), factor = _mm_set1_epi16(factor_);
    alignas(16) std::uint8_t keyBytes[48];
    for (int i = 0; i < 48; i += 3) {
        keyBytes[i] = static_cast<std::uint8_t>(key >> 16);
        keyBytes[i + 1] = static_cast<std::uint8_t>(key >> 8);
        keyBytes[i + 2] = static_cast<std::uint8_t>(key);
    }
    __m128i keys[3];
    for (int part = 0; part < 3; ++part)
        keys[part] = _mm_load_si128(reinterpret_cast<const __m128i*>(keyBytes + part * 16));
    int i = 0;
    for (; i + 16 <= pixels; i += 16) {
        const std::uint8_t* sp = src + i * 3;
        std::uint8_t* dp = dst + i * 3;
        __m128i s[3], d[3];
        std::uint64_t keyed = 0;
        for (int part = 0; part < 3; ++part) {
            s[part] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sp + part * 16));
            d[part] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dp + part * 16));
            if (useKey)
                keyed |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(s[part], keys[part])))) << (part * 16);
        }
        keyed &= (keyed >> 1) & (keyed >> 2) & firstBytes;
        if (keyed == firstBytes) continue;
        alignas(16) std::uint8_t out[48];
        for (int part = 0; part < 3; ++part) {
            const __m128i lo = Over8<Ties>(_mm_unpacklo_epi8(s[part], zero), _mm_unpacklo_epi8(d[part], zero), factor);
            const __m128i hi = Over8<Ties>(_mm_unpackhi_epi8(s[part], zero), _mm_unpackhi_epi8(d[part], zero), factor);
            const __m128i o = _mm_packus_epi16(lo, hi);
            if (keyed == 0)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(dp + part * 16), o);
            else
                _mm_store_si128(reinterpret_cast<__m128i*>(out + part * 16), o);
        }
        if (keyed == 0) continue;
        for (int px = 0; px < 16; ++px)
            if (!(keyed >> (px * 3) & 1)) std::memcpy(dp + px * 3, out + px * 3, 3);
    }
    return i;
}

}  // namespace lw::render

#endif
