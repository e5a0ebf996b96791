#include <algorithm>

#include <gtest/gtest.h>

#include "controls/images/core/AlphaDrawing.h"

namespace lw::controls {
namespace {

render::Bitmap Filled32(int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
    render::Bitmap bmp = render::CreateBmp32(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = bmp.Pixel(x, y);
            p[0] = b, p[1] = g, p[2] = r, p[3] = a;
        }
    return bmp;
}

render::Bitmap Filled24(int w, int h, std::uint8_t v) {
    render::Bitmap bmp = render::CreateBmp24(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) std::fill_n(bmp.Pixel(x, y), 3, v);
    return bmp;
}

TEST(DrawImage32, BlendsEachChannelByAlphaAndTheGlyphsOwnTransparency) {
    struct Case {
        std::uint8_t s, d, alpha;
        int blend;
        std::uint8_t expected;
    } cases[] = {
        {255, 0, 255, 0, 254},   // opaque white over black falls one short: the shift is by 256
        {0, 255, 128, 0, 127},   // darker source: (s - d) negative, floored by the shift
        {200, 100, 0, 0, 100},   // transparent leaves the target
        {255, 0, 255, 50, 126},  // Blend 50 halves the weight: 50 * 255 div 100 = 127
        {255, 0, 255, 100, 0},   // Blend 100 hides the glyph
        {255, 0, 255, 150, 0},   // beyond 100 hides it too, never adds
    };
    for (const Case& c : cases) {
        render::Bitmap source = Filled32(1, 1, c.s, c.s, c.s, c.alpha);
        render::Bitmap target = Filled24(1, 1, c.d);
        DrawImage32({0, 0, 1, 1}, {0, 0, 1, 1}, target, false, c.blend, NoTone, false, render::EmptyCacheInfo, source);
        EXPECT_EQ(target.Pixel(0, 0)[0], c.expected)
            << int(c.s) << " over " << int(c.d) << " alpha " << int(c.alpha) << " blend " << c.blend;
    }
}

TEST(DrawImage32, ToneMakesTheGlyphGreyTintedWithTheToneAndSparesKeyPixels) {
    render::Bitmap source = Filled32(2, 1, 90, 60, 30, 255);  // B 90, G 60, R 30: grey 60
    std::uint8_t* key = source.Pixel(1, 0);
    key[0] = 255, key[1] = 0, key[2] = 255, key[3] = 0;
    render::Bitmap target = Filled24(2, 1, 0);
    DrawImage32({0, 0, 2, 1}, {0, 0, 2, 1}, target, false, 0, MakeColor(255, 128, 0), false, render::EmptyCacheInfo,
                source);
    const std::uint8_t* toned = source.Pixel(0, 0);
    EXPECT_EQ(toned[2], 60);  // red: 60 * 255 / 255
    EXPECT_EQ(toned[1], 30);  // green: 60 * 128 / 255 = 30.1
    EXPECT_EQ(toned[0], 0);
    EXPECT_EQ(source.Pixel(1, 0)[0], 255);
    EXPECT_EQ(source.Pixel(1, 0)[2], 255);
}

TEST(DrawImage32, WorkAreaIsCutAtTheTargetsEdgesAndShiftedByNegativeOrigins) {
    render::Bitmap source = Filled32(4, 4, 255, 255, 255, 255);
    source.Pixel(1, 1)[0] = 0;  // marks the source pixel that lands on the target's corner
    render::Bitmap target = Filled24(3, 3, 0);
    DrawImage32({-1, -1, 3, 3}, {0, 0, 4, 4}, target, false, 0, NoTone, false, render::EmptyCacheInfo, source);
    EXPECT_EQ(target.Pixel(0, 0)[0], 0);
    EXPECT_EQ(target.Pixel(0, 0)[1], 254);
    EXPECT_EQ(target.Pixel(1, 1)[0], 254);
    EXPECT_EQ(target.Pixel(2, 2)[0], 254);
}

TEST(DrawImage32, ReflectionMirrorsRowsBelowAfterAGapAndFadesOut) {
    // An 18-row glyph whose rows are numbered in blue, drawn in rows 0..17 of a tall target.
    render::Bitmap source = Filled32(1, 18, 0, 255, 255, 255);
    for (int y = 0; y < 18; ++y) source.Pixel(0, y)[0] = static_cast<std::uint8_t>(y * 10);
    render::Bitmap target = Filled24(1, 40, 120);
    DrawImage32({0, 0, 1, 18}, {0, 0, 1, 18}, target, true, 0, NoTone, false, render::EmptyCacheInfo, source);
    EXPECT_EQ(target.Pixel(0, 18)[1], 120) << "the row right under the glyph stays as it was";
    // Row 18 + r takes source row 18 - r - 1 with weight fade * (255 div 3) div 255; fade drops by 255 div 9.
    int fade = 255;
    for (int r = 1; r <= 8; ++r) {
        const int weight = fade * 85 / 255;
        EXPECT_EQ(target.Pixel(0, 18 + r)[1], 120 + ((weight * (255 - 120)) >> 8)) << "row " << r;
        // Rows darker than the target pull it down, rounding toward minus infinity.
        EXPECT_EQ(target.Pixel(0, 18 + r)[0], 120 + ((weight * ((18 - r - 1) * 10 - 120)) >> 8)) << "row " << r;
        fade -= 28;
    }
    EXPECT_EQ(target.Pixel(0, 27)[1], 120) << "at most 8 mirrored rows";
}

TEST(DrawImage32, ReflectionOfAGlyphLowerThanTwoRowsDrawsNothingBelow) {
    for (int height : {0, 1}) {
        render::Bitmap source = Filled32(2, std::max(height, 1), 255, 255, 255, 255);
        render::Bitmap target = Filled24(2, 10, 0);
        DrawImage32({0, 0, 2, height}, {0, 0, 2, height}, target, true, 30, NoTone, false, render::EmptyCacheInfo,
                    source);
        for (int y = 1; y < 10; ++y) EXPECT_EQ(target.Pixel(0, y)[0], 0) << "height " << height << " row " << y;
    }
}

TEST(DrawImage32, WithAReadyBackgroundKeyPixelsShowTheBackgroundOnlyWhenAsked) {
    render::Bitmap source = Filled32(1, 1, 255, 0, 255, 0);  // the key, alpha 0
    render::Bitmap behind = Filled24(4, 4, 77);
    const render::TsCacheInfo bg = render::CacheInfoFromBitmap(behind, 1, 1);
    for (bool use : {false, true}) {
        render::Bitmap target = Filled24(1, 1, 5);
        DrawImage32({0, 0, 1, 1}, {0, 0, 1, 1}, target, false, 0, NoTone, use, bg, source);
        EXPECT_EQ(target.Pixel(0, 0)[0], use ? 77 : 5);
    }
}

TEST(GlyphSlices, StateChoosesASliceOfTheStripAndStateCountBelowOneCountsAsOne) {
    struct Case {
        int stateCount, state;
        TRect source;
    } cases[] = {
        {3, 0, {0, 0, 16, 16}}, {3, 2, {32, 0, 48, 16}}, {3, 5, {32, 0, 48, 16}},
        {1, 2, {0, 0, 48, 16}}, {0, 1, {0, 0, 48, 16}},  {-4, 0, {0, 0, 48, 16}},
    };
    for (const Case& c : cases) {
        const GlyphSlice slice = SliceOf(48, 16, c.stateCount, c.state);
        EXPECT_EQ(slice.Source, c.source) << c.stateCount << " states, state " << c.state;
        EXPECT_EQ(slice.Size, (TPoint{c.source.Width(), 16}));
    }
}

TEST(FixMissingAlpha, OnlyAnImageWithoutAnyAlphaGetsItWithTheBottomLeftColourAsKey) {
    render::Bitmap bmp = Filled32(2, 2, 10, 20, 30, 0);
    bmp.Pixel(1, 0)[0] = 11;  // one pixel of another colour
    FixMissingAlpha(bmp);
    EXPECT_EQ(bmp.Pixel(1, 0)[3], 255);
    EXPECT_EQ(bmp.Pixel(0, 0)[3], 0);
    EXPECT_EQ(bmp.Pixel(1, 1)[3], 0);

    render::Bitmap partial = Filled32(2, 2, 10, 20, 30, 0);
    partial.Pixel(0, 0)[0] = 99;
    partial.Pixel(1, 0)[3] = 1;
    FixMissingAlpha(partial);
    EXPECT_EQ(partial.Pixel(0, 0)[3], 0) << "an image with some alpha is left alone";
}

}  // namespace
}  // namespace lw::controls
