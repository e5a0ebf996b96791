#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "render/Resample.h"

namespace lw::render {
namespace {

using testing::MakeBitmap;

// A 2-column source, black then white, in both rows.
std::unique_ptr<testing::TestBitmap> BlackWhite(PixelFormat f, testing::Layout layout) {
    auto b = MakeBitmap(2, 2, f, layout, 0);
    testing::SetPx(b->Bmp, 1, 0, 0xFFFFFF);
    testing::SetPx(b->Bmp, 1, 1, 0xFFFFFF);
    return b;
}

std::vector<int> RedRow(const Bitmap& b, int y) {
    std::vector<int> v;
    for (int x = 0; x < b.Width(); ++x) v.push_back(RedOf(testing::Px(b, x, y)));
    return v;
}

TEST(ResampleTest, TooSmallSourceFailsAndLeavesDestination) {
    auto src = MakeBitmap(1, 10, PixelFormat::pf24bit, testing::Layout::TopDown, 0);
    Bitmap dst = CreateBmp24(3, 3);
    try {
        ResampleBitmap(src->Bmp, dst, 5, 5, ResampleFilter::Triangle);
        FAIL() << "expected an error";
    } catch (const ResampleError& e) {
        EXPECT_STREQ(e.what(), "Source bitmap is too small");
    }
    EXPECT_EQ(dst.Width(), 3);
}

TEST(ResampleTest, SameSizeCopiesAndZeroSizeDoesNothing) {
    auto src = BlackWhite(PixelFormat::pf32bit, testing::Layout::BottomUp);
    Bitmap dst;
    ResampleBitmap(src->Bmp, dst, 2, 2, ResampleFilter::Mitchell);
    EXPECT_EQ(testing::Pixels(dst), testing::Pixels(src->Bmp));
    EXPECT_EQ(dst.Format(), PixelFormat::pf32bit);
    ResampleBitmap(src->Bmp, dst, 0, 4, ResampleFilter::Box);
    EXPECT_EQ(dst.Width(), 2);
}

TEST(ResampleTest, HandComputedRows) {
    struct Case {
        ResampleFilter filter;
        int width;
        std::vector<int> want;
    } cases[] = {
        // Box: centres 0, .5, 1, 1.5; an offset of exactly -0.5 gives no weight.
        {ResampleFilter::Box, 4, {0, 0, 255, 255}},
        // Triangle: centre .5 takes half of each (32768 * 255 >> 16 = 127); centre 1.5 mirrors j = 2 to 1.
        {ResampleFilter::Triangle, 4, {0, 127, 255, 255}},
        // Hermite at x = .5 is also .5.
        {ResampleFilter::Hermite, 4, {0, 127, 255, 255}},
    };
    for (const Case& c : cases) {
        for (testing::Layout layout : testing::AllLayouts) {
            auto src = BlackWhite(PixelFormat::pf24bit, layout);
            Bitmap dst;
            ResampleBitmap(src->Bmp, dst, c.width, 3, c.filter);
            ASSERT_EQ(dst.Width(), c.width);
            ASSERT_EQ(dst.Height(), 3);
            for (int y = 0; y < 3; ++y) EXPECT_EQ(RedRow(dst, y), c.want) << int(c.filter);
        }
    }
}

TEST(ResampleTest, DownscaleWeightsAreScaled) {
    // 4 -> 2 with the triangle: scale .5, output 0 sums 32768*in0 + 16384*in1 + 16384*in1 (mirrored j = -1).
    auto src = MakeBitmap(4, 2, PixelFormat::pf24bit, testing::Layout::TopDown, 0);
    const int in[] = {100, 200, 40, 60};
    for (int x = 0; x < 4; ++x) {
        testing::SetPx(src->Bmp, x, 0, MakeColor(in[x], 0, 0));
        testing::SetPx(src->Bmp, x, 1, MakeColor(in[x], 0, 0));
    }
    Bitmap dst;
    ResampleBitmap(src->Bmp, dst, 2, 2, ResampleFilter::Triangle);
    // i = 1: centre 2, j = 1..3 -> (16384*200 + 32768*40 + 16384*60) >> 16 = 85
    EXPECT_EQ(RedRow(dst, 0), (std::vector<int>{150, 85}));
}

TEST(ResampleTest, WideKernelsOnTinySourcesStayInside) {
    // Support 3 on a 2-pixel source reaches past one mirror; indexes must stay in the source.
    // The source is one colour and its row padding another, so a read outside the source
    // changes some pixel even where no sanitizer watches. The weights, rounded to 16.16, sum to
    // one within 2 in 60.
    for (ResampleFilter f :
         {ResampleFilter::WindowedSine, ResampleFilter::Mitchell, ResampleFilter::BSpline, ResampleFilter::Bell}) {
        auto src = MakeBitmap(2, 2, PixelFormat::pf32bit, testing::Layout::Padded, 0x3C3C3C);
        Bitmap dst;
        ResampleBitmap(src->Bmp, dst, 7, 5, f);
        ASSERT_EQ(dst.Width(), 7);
        ASSERT_EQ(dst.Height(), 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_NEAR(RedOf(testing::Px(dst, x, y)), 0x3C, 2) << int(f) << " at " << x << "," << y;
    }
}

}  // namespace
}  // namespace lw::render
