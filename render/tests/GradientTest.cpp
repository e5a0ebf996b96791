#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "render/Gradient.h"

namespace lw::render {
namespace {

using testing::MakeBitmap;
using testing::Px;

TsGradColor Seg(TColor c1, TColor c2, int percent, int mode) { return {c1, c2, std::uint8_t(percent), mode}; }

TEST(GradientTest, VerticalSegmentStartsAndEndsOnItsColours) {
    auto b = MakeBitmap(3, 10, PixelFormat::pf32bit, testing::Layout::BottomUp, 0x123456);
    testing::Fill(b->Bmp, 0x123456, 0);
    PaintGradient(b->Bmp, b->Bmp.Bounds(), {Seg(0, 0xFFFFFF, 100, 0)});
    const int want[] = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};  // round(k * 255 / 9)
    for (int y = 0; y < 10; ++y) EXPECT_EQ(testing::Argb(b->Bmp, 2, y), 0xFF000000u | (want[y] * 0x010101u)) << y;
}

TEST(GradientTest, HorizontalSegmentsShareTheirBoundaryColumn) {
    // "3881787;5395026;97;1;0;5395026;5395026;0;1;0" over 100 columns.
    auto b = MakeBitmap(100, 2, PixelFormat::pf24bit, testing::Layout::Padded);
    PaintGradient(b->Bmp, b->Bmp.Bounds(), {Seg(0x3B3B3B, 0x525252, 97, 1), Seg(0x525252, 0x525252, 0, 1)});
    EXPECT_EQ(Px(b->Bmp, 0, 1), 0x3B3B3Bu);
    EXPECT_EQ(Px(b->Bmp, 48, 1), 0x464646u);  // 59 + 48 * 23/97 = 70.4
    EXPECT_EQ(Px(b->Bmp, 96, 0), 0x525252u);  // 59 + 96 * 23/97 = 81.8
    for (int x = 97; x < 100; ++x) EXPECT_EQ(Px(b->Bmp, x, 0), 0x525252u) << x;
    EXPECT_TRUE(b->PaddingIntact());
}

TEST(GradientTest, VerticalStopsWhenASegmentIsPushedPastTheLastRow) {
    // 90 % reaches row 9 = the last row; the next segment starts and ends there: painting stops,
    // so the third segment's colour never appears.
    auto b = MakeBitmap(1 + 1, 10, PixelFormat::pf24bit, testing::Layout::TopDown, 0x777777);
    PaintGradient(b->Bmp, b->Bmp.Bounds(),
                  {Seg(0x101010, 0x101010, 90, 0), Seg(0x202020, 0x202020, 50, 0), Seg(0x303030, 0x303030, 0, 0)});
    EXPECT_EQ(Px(b->Bmp, 0, 9), 0x101010u);
    // A segment of 0 % is skipped and the next one starts at the same row.
    auto c = MakeBitmap(2, 10, PixelFormat::pf24bit, testing::Layout::TopDown, 0x777777);
    PaintGradient(c->Bmp, c->Bmp.Bounds(),
                  {Seg(0x101010, 0x101010, 0, 0), Seg(0x202020, 0x202020, 50, 0), Seg(0x303030, 0x303030, 0, 0)});
    EXPECT_EQ(Px(c->Bmp, 0, 0), 0x202020u);
    EXPECT_EQ(Px(c->Bmp, 0, 4), 0x202020u);
    EXPECT_EQ(Px(c->Bmp, 0, 5), 0x303030u) << "the last segment repaints row 5 and runs to the end";
    EXPECT_EQ(Px(c->Bmp, 0, 9), 0x303030u);
}

TEST(GradientTest, FourCornersCoverEveryPixel) {
    auto b = MakeBitmap(8, 8, PixelFormat::pf24bit, testing::Layout::BottomUp, 0x777777);
    // Two segments: vertices 2 to 4 repeat the second colour.
    PaintGradient(b->Bmp, {-2, 0, 8, 8}, {Seg(0, 0, 0, 2), Seg(0xFFFFFF, 0, 0, 2)});
    // Rectangle cut to (0,0,8,8). Pixel (0,0) lies on the edge from black (0,0) to white (4,4),
    // an eighth of the way: 0.125 * 65280 = 8160 -> 31.
    EXPECT_EQ(Px(b->Bmp, 0, 0), 0x1F1F1Fu);
    EXPECT_EQ(Px(b->Bmp, 7, 7), 0xFFFFFFu);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_NE(Px(b->Bmp, x, y), 0x777777u) << x << "," << y;
}

TEST(GradientTest, UnknownModeAndEmptyArrayPaintNothing) {
    auto b = MakeBitmap(4, 4, PixelFormat::pf24bit, testing::Layout::TopDown, 0x777777);
    PaintGradient(b->Bmp, b->Bmp.Bounds(), {Seg(0, 0, 100, 3)});
    PaintGradient(b->Bmp, b->Bmp.Bounds(), {});
    EXPECT_EQ(Px(b->Bmp, 1, 1), 0x777777u);
}

}  // namespace
}  // namespace lw::render
