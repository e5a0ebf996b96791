#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "render/Pattern.h"

namespace lw::render {
namespace {

using testing::MakeBitmap;
using testing::Px;

// An 8 x 12 master whose pixels name their position (red 10*x, green 10*y); as a masked pattern
// its lower half (rows 6..11) is the mask.
struct PatternFixture : ::testing::Test {
    std::unique_ptr<testing::TestBitmap> master = MakeBitmap(8, 12, PixelFormat::pf24bit, testing::Layout::BottomUp);
    MaskRef mask;
    PatternFixture() {
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 8; ++x) testing::SetPx(master->Bmp, x, y, MakeColor(10 * x, 10 * y, 7));
        mask.Master = &master->Bmp;
        mask.HasManager = true;
        mask.R = {0, 0, 8, 6};
        mask.ImageCount = 1;
    }
    static TColor From(int x, int y) { return MakeColor(10 * x, 10 * y, 7); }
};

TEST_F(PatternFixture, FillModesAndTheirUncoveredParts) {
    struct Case {
        int mode;
        TRect uncovered;
        TPoint probe;
        TColor want;
    } cases[] = {
        {0, AllCovered, {13, 27}, From(5, 3)},
        {2, {0, 6, 40, 28}, {13, 5}, From(5, 5)},
        {2, {0, 6, 40, 28}, {13, 6}, 0x111111},
        {3, {8, 0, 40, 28}, {7, 13}, From(7, 1)},
        {6, {0, 0, 40, 22}, {9, 22}, From(1, 0)},
        {7, {0, 0, 32, 28}, {32, 0}, From(0, 0)},  // 32 is on the grid from the left edge
        {10, AllCovered, {39, 23}, From(7, 5)},
        {10, AllCovered, {39, 24}, 0x111111},   // below the last whole row
        {9, {0, 0, 40, 28}, {0, 0}, 0x111111},  // no such mode: nothing painted
    };
    for (const Case& c : cases) {
        auto t = MakeBitmap(40, 28, PixelFormat::pf24bit, testing::Layout::Padded, 0x111111);
        Surface s(t->Bmp);
        TRect q = t->Bmp.Bounds();
        PaintPatternImage(s, q, nullptr, c.mode, &mask);
        EXPECT_EQ(q, c.uncovered) << c.mode;
        EXPECT_EQ(Px(t->Bmp, c.probe.X, c.probe.Y), c.want) << c.mode;
        EXPECT_TRUE(t->PaddingIntact());
    }
}

TEST_F(PatternFixture, RightColumnKeepsTheLeftGrid) {
    // 20 wide, tiles 8: the right column spans 12..19, showing tile columns 4..7 then 0..3.
    auto t = MakeBitmap(20, 6, PixelFormat::pf24bit, testing::Layout::TopDown, 0x111111);
    Surface s(t->Bmp);
    TRect q = t->Bmp.Bounds();
    PaintPatternImage(s, q, nullptr, 7, &mask);
    EXPECT_EQ(Px(t->Bmp, 12, 0), From(4, 0));
    EXPECT_EQ(Px(t->Bmp, 16, 0), From(0, 0));
    EXPECT_EQ(Px(t->Bmp, 11, 0), 0x111111u);
}

TEST_F(PatternFixture, StandAloneImageTilesFromTheRectangleCorner) {
    auto img = MakeBitmap(3, 2, PixelFormat::pf24bit, testing::Layout::TopDown, 0);
    testing::SetPx(img->Bmp, 2, 1, 0xABCDEF);
    auto t = MakeBitmap(10, 10, PixelFormat::pf32bit, testing::Layout::TopDown, 0);
    Surface s(t->Bmp);
    TRect q{1, 1, 9, 6};
    PaintPatternImage(s, q, &img->Bmp, 3, nullptr);
    EXPECT_EQ(q, AllCovered);
    EXPECT_EQ(testing::Argb(t->Bmp, 3, 2), 0xFFABCDEFu);
    EXPECT_EQ(testing::Argb(t->Bmp, 6, 4), 0xFFABCDEFu);
    EXPECT_EQ(testing::Argb(t->Bmp, 9, 4), 0xFF000000u) << "cut at the right edge";
}

TEST_F(PatternFixture, MaskedPatternModes) {
    MaskRef m = mask;
    m.R = {0, 0, 4, 12};  // 4 x 6 tiles over their mask
    m.MaskType = 1;
    for (int y = 6; y < 12; ++y)
        for (int x = 0; x < 4; ++x) testing::SetPx(master->Bmp, x, y, 0);  // mask 0: the tile shows exactly
    testing::SetPx(master->Bmp, 1, 1, TransparentKey);
    auto bg = MakeBitmap(30, 30, PixelFormat::pf24bit, testing::Layout::TopDown, 0x445566);
    testing::SetPx(bg->Bmp, 3, 4, 0x010203);

    // Mode 10 narrower than one tile: all of the rectangle comes from the background.
    auto narrow = MakeBitmap(3, 20, PixelFormat::pf24bit, testing::Layout::TopDown, 0x111111);
    TRect q = narrow->Bmp.Bounds();
    PaintMaskedPattern(narrow->Bmp, q, CacheInfoFromBitmap(bg->Bmp, 1, 2), 10, m);
    EXPECT_EQ(q, AllCovered);
    EXPECT_EQ(Px(narrow->Bmp, 2, 2), 0x010203u);
    EXPECT_EQ(Px(narrow->Bmp, 0, 19), 0x445566u);

    // Mode 0 over 10 x 13: whole rows at 0 and 6 (12 < 13 - 6 fails), columns 0, 4 and a cut one at 8.
    auto t = MakeBitmap(10, 13, PixelFormat::pf24bit, testing::Layout::BottomUp, 0x111111);
    q = t->Bmp.Bounds();
    PaintMaskedPattern(t->Bmp, q, CacheInfoFromColor(0x00FF00), 0, m);
    EXPECT_EQ(Px(t->Bmp, 9, 7), 0x00FF00u) << "key in the cut last column";
    EXPECT_EQ(Px(t->Bmp, 9, 6), From(1, 0));
    EXPECT_EQ(Px(t->Bmp, 5, 1), 0x00FF00u) << "key pixel without background bitmap takes the fill colour";
    EXPECT_EQ(Px(t->Bmp, 0, 12), 0x111111u) << "strip below the last whole row";

    TRect other = t->Bmp.Bounds();
    PaintMaskedPattern(t->Bmp, other, EmptyCacheInfo, 3, m);
    EXPECT_EQ(other, t->Bmp.Bounds());
}

}  // namespace
}  // namespace lw::render
