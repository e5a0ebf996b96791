#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstring>

#include "BitmapTestUtil.h"
#include "render/Blend.h"
#include "render/Disabled.h"
#include "render/Fade.h"
#include "render/FastAccess.h"

namespace lw::render {
namespace {

using testing::AllLayouts;
using testing::MakeBitmap;
using testing::Px;

constexpr auto F24 = PixelFormat::pf24bit;
constexpr auto F32 = PixelFormat::pf32bit;

TEST(BlendTest, MaskBlendFormula) {
    struct Case {
        int s, m, d, want;
    } cases[] = {
        {77, 0, 200, 77},                            // mask 0 gives the source
        {0, 255, 255, 254},                          // mask 255 leaves the destination nearly unchanged
        {255, 255, 255, 255}, {200, 128, 100, 150},  // ((100-200)*128 + 200*256) >> 8 = 150
        {10, 1, 250, 10},                            // (240 + 2560) >> 8 = 10
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaskBlend(std::uint8_t(c.s), std::uint8_t(c.m), std::uint8_t(c.d)), c.want)
            << c.s << " " << c.m << " " << c.d;
    EXPECT_EQ(MaskBlendLight(0, 0, 255), MaskBlend(0, 100, 255));
    EXPECT_EQ(MaskBlendLight(0, 200, 255), MaskBlend(0, 255, 255));
}

TEST(BlendTest, SumBlendBytes) {
    struct Case {
        int a, d, s, want;
    } cases[] = {
        {255, 200, 0, 199},   {255, 200, 255, 199},                  // A = 255 keeps the destination, one level down
        {128, 255, 255, 254}, {128, 100, 100, 100}, {0, 7, 90, 90},  // A = 0 gives the source: (90*255 + 127) >> 8
        {102, 0, 255, 152},  // (255*153 + 127) >> 8: the weights add up to 255, not 256
    };
    for (const Case& c : cases) {
        auto dst = MakeBitmap(2, 2, F24, testing::Layout::TopDown, MakeColor(c.d, c.d, c.d));
        auto src = MakeBitmap(2, 2, F24, testing::Layout::TopDown, MakeColor(c.s, c.s, c.s));
        SumBitmapRect(dst->Bmp, src->Bmp, std::uint8_t(c.a), {0, 0}, src->Bmp.Bounds());
        EXPECT_EQ(Px(dst->Bmp, 1, 1), MakeColor(c.want, c.want, c.want)) << c.a << " " << c.d << " " << c.s;
    }
}

TEST(BlendTest, SumBitmapRectClipsAndRefusesMixedFormats) {
    auto dst = MakeBitmap(4, 3, F24, testing::Layout::TopDown, 0);
    auto src = MakeBitmap(4, 3, F24, testing::Layout::TopDown, 0);
    for (int x = 0; x < 4; ++x) testing::SetPx(src->Bmp, x, 0, MakeColor(10 * (x + 1), 0, 0));
    // The negative point moves the source's left edge in: source column 2 lands on column 0.
    SumBitmapRect(dst->Bmp, src->Bmp, 0, {-2, 0}, {0, 0, 4, 1});
    EXPECT_EQ(Px(dst->Bmp, 0, 0), MakeColor(30, 0, 0));
    EXPECT_EQ(Px(dst->Bmp, 1, 0), MakeColor(40, 0, 0));
    EXPECT_EQ(Px(dst->Bmp, 2, 0), 0u);

    auto dst32 = MakeBitmap(4, 3, F32, testing::Layout::TopDown, 0x112233);
    const auto before = testing::Pixels(dst32->Bmp);
    SumBitmapRect(dst32->Bmp, src->Bmp, 0, {0, 0}, src->Bmp.Bounds());
    EXPECT_EQ(testing::Pixels(dst32->Bmp), before);
    SumBitmapRect(dst->Bmp, src->Bmp, 0, {4, 0}, src->Bmp.Bounds());  // point outside
    auto narrow = MakeBitmap(3, 3, F24, testing::Layout::TopDown, 0xFFFFFF);
    SumBitmaps(dst->Bmp, narrow->Bmp, 0);  // unequal sizes
    EXPECT_EQ(Px(dst->Bmp, 2, 0), 0u);
}

TEST(BlendTest, SumBlendsAlphaOf32BitAndHonoursEveryLayout) {
    std::vector<std::uint32_t> reference;
    for (testing::Layout layout : AllLayouts) {
        auto dst = MakeBitmap(5, 4, F32, layout, 0);
        auto src = MakeBitmap(5, 4, F32, layout, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                testing::SetPx(dst->Bmp, x, y, MakeColor(x * 40, y * 60, 255), std::uint8_t(x * 50));
                testing::SetPx(src->Bmp, x, y, MakeColor(255 - x * 40, 3, y), 255);
            }
        SumBitmaps(dst->Bmp, src->Bmp, 100);
        EXPECT_TRUE(dst->PaddingIntact());
        // (160, 180, 255, alpha 200) under (95, 3, 3, 255) with weights 100 / 155.
        EXPECT_EQ(testing::Argb(dst->Bmp, 4, 3), 0xE9654878u);
        if (reference.empty())
            reference = testing::Pixels(dst->Bmp);
        else
            EXPECT_EQ(testing::Pixels(dst->Bmp), reference);
    }
}

}  // namespace
}  // namespace lw::render

namespace lw::render {
namespace {

using testing::MakeBitmap;
using testing::Px;

TEST(BlendTest, ColourRectPercentages) {
    struct Case {
        int percent;
        TColor pixel, color, want;
    } cases[] = {
        {100, 0x102030, 0xFFFFFF, 0x102030},  {0, 0x102030, 0x445566, 0x445566},
        {50, 0x000301, 0x000000, 0x000200},    // 0.5 -> 0 and 1.5 -> 2: ties to even
        {29, 0x0000FF, 0xFF0000, 0xB5004A},    // 0.29*255 = 73.95 -> 74; 0.71*255 = 181.05 -> 181
        {50, 0x000000, 0xFF00000F, 0x787878},  // system colour resolved first (0xF0 / 2)
    };
    for (const Case& c : cases) {
        auto b = MakeBitmap(3, 2, PixelFormat::pf32bit, testing::Layout::BottomUp, c.pixel);
        testing::SetPx(b->Bmp, 2, 1, c.pixel, 7);
        BlendColorRect(b->Bmp, {1, 0, 9, 9}, c.percent, c.color);
        EXPECT_EQ(Px(b->Bmp, 0, 0), c.pixel) << "outside the rectangle";
        EXPECT_EQ(testing::Argb(b->Bmp, 2, 1), c.want | 0x07000000u) << c.percent << ": alpha untouched";
    }
}

TEST(BlendTest, BlendOverSkipsKeyAndAligns) {
    auto dst = MakeBitmap(3, 2, PixelFormat::pf24bit, testing::Layout::Padded, 0x0A0A0A);
    auto src = MakeBitmap(3, 2, PixelFormat::pf24bit, testing::Layout::TopDown, 0x646464);
    testing::SetPx(src->Bmp, 1, 0, TransparentKey);
    testing::SetPx(src->Bmp, 2, 0, 0xFE00FF);  // one level from the key: painted
    // Inclusive rectangle with a negative left edge: column -1 is cut, destination moves along.
    BlendOverRect(dst->Bmp, {0, 0}, TransparentKey, 0.25, {-1, 0, 2, 0}, src->Bmp);
    // round(100 - 0.25*(100 - 10)) = round(77.5) = 78
    EXPECT_EQ(Px(dst->Bmp, 0, 0), 0x0A0A0Au) << "column -1 is cut and the destination moves with it";
    EXPECT_EQ(Px(dst->Bmp, 1, 0), 0x4E4E4Eu);
    EXPECT_EQ(Px(dst->Bmp, 2, 0), 0x0A0A0Au) << "key pixel skipped";
    EXPECT_EQ(Px(dst->Bmp, 0, 1), 0x0A0A0Au) << "row 1 outside the inclusive rectangle";
    EXPECT_TRUE(dst->PaddingIntact());

    auto dst2 = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::TopDown, 0);
    BlendOverRect(dst2->Bmp, {0, 0}, TransparentKey, 0.0, {1, 0, 2, 0}, src->Bmp);
    EXPECT_EQ(Px(dst2->Bmp, 1, 0), 0xFE00FFu);
}

TEST(BlendTest, BlendOverWith32BitSourceComparesWholeWord) {
    auto dst = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::TopDown, 0);
    auto src = MakeBitmap(2, 2, PixelFormat::pf32bit, testing::Layout::TopDown, 0);
    testing::SetPx(src->Bmp, 0, 0, 0xFF00FF, 0);    // word 0x00FF00FF equals the key
    testing::SetPx(src->Bmp, 1, 0, 0xFF00FF, 255);  // word 0xFFFF00FF does not
    BlendOverRect(dst->Bmp, {0, 0}, TransparentKey, 0.0, {0, 0, 1, 0}, src->Bmp);
    EXPECT_EQ(Px(dst->Bmp, 0, 0), 0u);
    EXPECT_EQ(Px(dst->Bmp, 1, 0), 0xFF00FFu);
    auto dst32 = MakeBitmap(2, 2, PixelFormat::pf32bit, testing::Layout::TopDown, 0);
    BlendOverRect(dst32->Bmp, {0, 0}, 0xFF000000u, 0.0, {0, 0, 1, 1}, src->Bmp);
    EXPECT_EQ(Px(dst32->Bmp, 1, 0), 0u) << "32 over 32 is not a supported pair";
}

TEST(BlendTest, TintKeepsKeyAndPullsTowardColour) {
    auto b = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::BottomUp, 0x000064);
    testing::SetPx(b->Bmp, 1, 1, TransparentKey);
    TintBitmap(b->Bmp, 0x0000C8, TransparentKey, 0.25);  // red: round(200 + 0.25*(100-200)) = 175
    EXPECT_EQ(Px(b->Bmp, 0, 0), 0x0000AFu);
    EXPECT_EQ(Px(b->Bmp, 1, 1), TransparentKey);
}

TEST(BlendTest, DisabledLooks) {
    auto ctl = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::TopDown, MakeColor(30, 60, 91));
    PaintDisabled(ctl->Bmp, dkGrayed, nullptr, {0, 0}, EmptyCacheInfo);
    EXPECT_EQ(Px(ctl->Bmp, 1, 1), MakeColor(60, 60, 60)) << "grey only: (30+60+91) div 3";

    auto bg = MakeBitmap(4, 4, PixelFormat::pf24bit, testing::Layout::Padded, MakeColor(200, 0, 0));
    testing::SetPx(bg->Bmp, 2, 2, MakeColor(0, 0, 5));
    // Control at (1, 1) of the parent's bitmap, through an offset of (1, 0) plus cache X/Y (0, 1).
    PaintDisabled(ctl->Bmp, dkBlended, nullptr, {1, 0}, CacheInfoFromBitmap(bg->Bmp, 0, 1));
    EXPECT_EQ(Px(ctl->Bmp, 0, 0), MakeColor(144, 24, 24)) << "round(0.6*200 + 0.4*60) = 144";
    EXPECT_EQ(Px(ctl->Bmp, 1, 1), MakeColor(24, 24, 27)) << "round(0.6*5 + 0.4*60) = 27";

    auto flat = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::TopDown, MakeColor(100, 100, 100));
    int asked = 0;
    PaintDisabled(
        flat->Bmp, dkBlended,
        [&] {
            ++asked;
            return MakeColor(0, 0, 200);
        },
        {0, 0}, CacheInfoFromColor(TransparentKey));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Px(flat->Bmp, 0, 0), MakeColor(50, 50, 150));
}

TEST(BlendTest, FadeWithoutBlurKeepsLevelShare) {
    // Level 60 gives D = 153; the rectangle is one larger than the bitmap, as callers pass it.
    auto b = MakeBitmap(4, 3, PixelFormat::pf24bit, testing::Layout::Padded, MakeColor(200, 100, 0));
    FadeRectToColor(b->Bmp, {0, 0, 5, 4}, 60, 0, 0, MakeColor(0, 0, 255));
    // ((200-0)*153 + 0) >> 8 = 119; ((100-0)*153)>>8 = 59; ((0-255)*153 + 255*256) >> 8 = 102
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Px(b->Bmp, x, y), MakeColor(119, 59, 102)) << x << "," << y;
    EXPECT_TRUE(b->PaddingIntact());

    // Without the extra column and row, the mask's unfilled edge takes the colour outright.
    auto edge = MakeBitmap(4, 3, PixelFormat::pf24bit, testing::Layout::TopDown, MakeColor(200, 100, 0));
    FadeRectToColor(edge->Bmp, {0, 0, 4, 3}, 60, 0, 0, MakeColor(0, 0, 255));
    EXPECT_EQ(Px(edge->Bmp, 3, 0), MakeColor(0, 0, 255));
    EXPECT_EQ(Px(edge->Bmp, 0, 2), MakeColor(0, 0, 255));
    EXPECT_EQ(Px(edge->Bmp, 2, 1), MakeColor(119, 59, 102));
}

TEST(BlendTest, FadeBlurRingsStepDownFromTheEdge) {
    // 9 x 9 area (rectangle 10 x 10), blur 2, level 0: rings 1 and 2 get
    // round(255*2/3) = 170 and round(255/3) = 85, the inside 0.
    auto b = MakeBitmap(9, 9, PixelFormat::pf24bit, testing::Layout::TopDown, MakeColor(255, 255, 255));
    FadeRectToColor(b->Bmp, {0, 0, 10, 10}, 0, 0, 2, 0);
    EXPECT_EQ(RedOf(Px(b->Bmp, 0, 4)), 254) << "ring 0 keeps 255/256";
    EXPECT_EQ(RedOf(Px(b->Bmp, 1, 4)), 169);
    EXPECT_EQ(RedOf(Px(b->Bmp, 4, 2)), 0) << "ring 2 is repainted by the inside in grey D";
    EXPECT_EQ(RedOf(Px(b->Bmp, 4, 4)), 0);
}

TEST(BlendTest, FillRect32WritesOpaqueColourInsideOnly) {
    auto b = MakeBitmap(3, 3, PixelFormat::pf32bit, testing::Layout::Padded, 0);
    FillRect32(b->Bmp, {1, 1, 7, 7}, 0x332211);
    EXPECT_EQ(testing::Argb(b->Bmp, 2, 2), 0xFF332211u);
    EXPECT_EQ(testing::Argb(b->Bmp, 0, 2), 0xFF000000u);
    EXPECT_TRUE(b->PaddingIntact());
}

}  // namespace
}  // namespace lw::render

namespace lw::render {
namespace {

TEST(BlendTest, BlendOverLargeAreasMatchThePerPixelFormula) {
    // Large enough to go through the pair table; expectations from std::nearbyint (ties to even).
    const int w = 256, h = 200;
    auto dst = testing::MakeBitmap(w, h, PixelFormat::pf24bit, testing::Layout::BottomUp);
    auto src = testing::MakeBitmap(w, h, PixelFormat::pf24bit, testing::Layout::Padded);
    unsigned seed = 7;
    auto next = [&] { return std::uint8_t((seed = seed * 1103515245u + 12345u) >> 16); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            testing::SetPx(dst->Bmp, x, y, MakeColor(next(), next(), next()));
            testing::SetPx(src->Bmp, x, y, MakeColor(next(), next(), next()));
        }
    const auto before = testing::Pixels(dst->Bmp);
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    BlendOverRect(dst->Bmp, {0, 0}, 0xFF000000u, 0.5, {0, 0, w - 1, h - 1}, src->Bmp);
    for (int y = 0; y < h; y += 7)
        for (int x = 0; x < w; x += 5) {
            const TColor d = before[std::size_t(y) * w + x], s = testing::Px(src->Bmp, x, y);
            TColor want = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const double sv = (s >> shift) & 0xFF, dv = (d >> shift) & 0xFF;
                want |= TColor(std::nearbyint(sv - 0.5 * (sv - dv))) << shift;
            }
            ASSERT_EQ(testing::Px(dst->Bmp, x, y), want) << x << "," << y;
        }
}

}  // namespace
}  // namespace lw::render

namespace lw::render {
namespace {

// Wide and tall enough for the vector rows, with a tail of single pixels after the blocks.
constexpr int kSweepW = 517, kSweepH = 2;

std::uint8_t RoundedByte(double v) { return std::uint8_t(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

TEST(BlendTest, ColourRectMatchesThePerPixelFormulaForEveryByteAndColour) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    std::vector<int> percents = {-25, 140};
    for (int p = 0; p <= 100; ++p) percents.push_back(p);
    for (PixelFormat format : {F24, F32})
        for (int percent : percents)
            // Every channel meets every colour byte; 32-bit rows differ only by their alpha lanes.
            for (int j = 0; j < 86; j += format == F24 ? 1 : 3) {
                const int k[3] = {std::min(3 * j, 255), std::min(3 * j + 1, 255), std::min(3 * j + 2, 255)};
                auto b = MakeBitmap(kSweepW, kSweepH, format, testing::AllLayouts[j % 3]);
                for (int y = 0; y < kSweepH; ++y)
                    for (int x = 0; x < kSweepW; ++x) std::memset(b->Bmp.Pixel(x, y), x & 0xFF, b->Bmp.BytesPerPixel());
                BlendColorRect(b->Bmp, b->Bmp.Bounds(), percent, MakeColor(k[2], k[1], k[0]));
                const double f = percent / 100.0;
                for (int y = 0; y < kSweepH; ++y)
                    for (int x = 0; x < kSweepW; ++x) {
                        const std::uint8_t* p = b->Bmp.Pixel(x, y);
                        for (int ch = 0; ch < 3; ++ch)
                            ASSERT_EQ(p[ch], RoundedByte(f * (x & 0xFF) + (1 - f) * k[ch]))
                                << percent << "% of " << (x & 0xFF) << " toward " << k[ch];
                        if (format == F32) {
                            ASSERT_EQ(p[3], x & 0xFF) << "alpha untouched";
                        }
                    }
                ASSERT_TRUE(b->PaddingIntact());
            }
}

TEST(BlendTest, BlendOverMatchesThePerPixelFormulaForEveryBytePair) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    // Halves (0.5, 0.25, 0.75), a hair above a half, products that round to a half (0.1), and
    // factors without a short binary form.
    const double factors[] = {0.0, 1.0 / 1024, 0.1,          0.25, 1.0 / 3, 0.37, 0.4,
                              0.5, 0.5000001,  0.6180339887, 0.75, 0.999,   1.0};
    auto src = MakeBitmap(256, 256, F24, testing::Layout::Padded);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) testing::SetPx(src->Bmp, x, y, MakeColor((x + y) & 0xFF, y, x));
    for (double factor : factors) {
        auto dst = MakeBitmap(256, 256, F24, testing::Layout::BottomUp);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) testing::SetPx(dst->Bmp, x, y, MakeColor((3 * x + y) & 0xFF, x, y));
        const auto before = testing::Pixels(dst->Bmp);
        BlendOverRect(dst->Bmp, {0, 0}, 0xFF000000u, factor, {0, 0, 255, 255}, src->Bmp);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const TColor s = Px(src->Bmp, x, y), d = before[std::size_t(y) * 256 + x];
                TColor want = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    const double sv = (s >> shift) & 0xFF, dv = (d >> shift) & 0xFF;
                    want |= TColor(RoundedByte(sv - factor * (sv - dv))) << shift;
                }
                ASSERT_EQ(Px(dst->Bmp, x, y), want) << factor << " at " << x << "," << y;
            }
    }
}

TEST(BlendTest, BlendOverRowsSkipKeysAndKeepPixelOrder) {
    constexpr TColor key = 0x123456;
    const int w = 61, h = 40;
    unsigned seed = 11;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    auto src = MakeBitmap(w, h, F24, testing::Layout::TopDown);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned r = next();
            // Whole keyed rows, keyed runs, single keys and pixels one level away from the key.
            const bool keyed = y == 5 || (y % 3 == 0 && x > 20 && x < 40) || r % 5 == 0;
            testing::SetPx(src->Bmp, x, y, keyed ? key : r % 5 == 1 ? key ^ 0x010000 : next() | next() << 12);
        }
    for (double factor : {0.4, 0.5}) {
        auto dst = MakeBitmap(w + 3, h, F24, testing::Layout::Padded);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w + 3; ++x) testing::SetPx(dst->Bmp, x, y, next() | next() << 12);
        const auto before = testing::Pixels(dst->Bmp);
        BlendOverRect(dst->Bmp, {3, 1}, key, factor, {1, 0, w - 1, h - 1}, src->Bmp);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w + 3; ++x) {
                const TColor d = before[std::size_t(y) * (w + 3) + x];
                TColor want = d;
                const int sx = x - 2, sy = y - 1;
                if (x >= 3 && sx < w && y >= 1 && Px(src->Bmp, sx, sy) != key) {
                    const TColor s = Px(src->Bmp, sx, sy);
                    want = 0;
                    for (int shift = 0; shift < 24; shift += 8) {
                        const double sv = (s >> shift) & 0xFF, dv = (d >> shift) & 0xFF;
                        want |= TColor(RoundedByte(sv - factor * (sv - dv))) << shift;
                    }
                }
                ASSERT_EQ(Px(dst->Bmp, x, y), want) << factor << " at " << x << "," << y;
            }
        EXPECT_TRUE(dst->PaddingIntact());
    }

    // Source and destination in one bitmap, one pixel apart: each pixel blends the already
    // blended pixel to its left, as a pixel-by-pixel pass does.
    auto both = MakeBitmap(w, h, F24, testing::Layout::TopDown);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) testing::SetPx(both->Bmp, x, y, next() | next() << 12);
    auto want = testing::Pixels(both->Bmp);
    for (int y = 0; y < h; ++y)
        for (int x = 1; x < w; ++x) {
            const TColor s = want[std::size_t(y) * w + x - 1], d = want[std::size_t(y) * w + x];
            TColor v = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const double sv = (s >> shift) & 0xFF, dv = (d >> shift) & 0xFF;
                v |= TColor(RoundedByte(sv - 0.4 * (sv - dv))) << shift;
            }
            want[std::size_t(y) * w + x] = v;
        }
    BlendOverRect(both->Bmp, {1, 0}, 0xFF000000u, 0.4, {0, 0, w - 2, h - 1}, both->Bmp);
    EXPECT_EQ(testing::Pixels(both->Bmp), want);
}

}  // namespace
}  // namespace lw::render
