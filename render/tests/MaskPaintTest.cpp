#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "render/MaskPaint.h"

namespace lw::render {
namespace {

using testing::MakeBitmap;
using testing::Px;

// A master bitmap whose every pixel names its own position: red = 10*x, green = 10*y, blue 7.
// A painted pixel thus tells which source pixel it came from.
struct MasterFixture : ::testing::Test {
    std::unique_ptr<testing::TestBitmap> master = MakeBitmap(18, 8, PixelFormat::pf24bit, testing::Layout::BottomUp);
    MasterFixture() {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 18; ++x) testing::SetPx(master->Bmp, x, y, MakeColor(10 * x, 10 * y, 7));
    }
    // Three 6 x 6 frames side by side, plain.
    MaskRef Border(int wl, int wt, int wr, int wb, int stretch = 0) const {
        MaskRef m;
        m.Master = &master->Bmp;
        m.HasManager = true;
        m.R = {0, 0, 18, 6};
        m.ImageCount = 3;
        m.StretchMode = stretch;
        m.WL = wl, m.WT = wt, m.WR = wr, m.WB = wb;
        return m;
    }
    static TColor From(int x, int y) { return MakeColor(10 * x, 10 * y, 7); }
    static std::vector<int> SourceColumns(const Bitmap& b, int row) {
        std::vector<int> v;
        for (int x = 0; x < b.Width(); ++x) v.push_back(RedOf(Px(b, x, row)) / 10);
        return v;
    }
};

TEST_F(MasterFixture, NarrowTargetsShrinkTheSlices) {
    struct Case {
        int width;
        std::vector<int> row0;
    } cases[] = {
        {5, {0, 1, 2, 4, 5}},  // 3 + 3 over 5: the odd pixel comes off the right slice
        {4, {0, 1, 4, 5}},     // 2 and 2
    };
    for (const Case& c : cases) {
        auto t = MakeBitmap(c.width, 4, PixelFormat::pf24bit, testing::Layout::Padded);
        PaintBorderMask(t->Bmp, t->Bmp.Bounds(), false, false, 0, Border(3, 1, 3, 1), EmptyCacheInfo);
        EXPECT_EQ(SourceColumns(t->Bmp, 0), c.row0) << c.width;
        EXPECT_TRUE(t->PaddingIntact());
    }
}

TEST_F(MasterFixture, StateSelectsFrameAndHotOnlyBordersSkipStateZero) {
    struct Case {
        int state, stretchMode;
        TColor topLeft;
    } cases[] = {
        {0, 2, 0x111111},  // bit 2: nothing in state 0
        {1, 2, From(6, 0)},
        {5, 0, From(12, 0)},  // beyond the last frame: the last frame
    };
    for (const Case& c : cases) {
        auto t = MakeBitmap(8, 8, PixelFormat::pf24bit, testing::Layout::TopDown, 0x111111);
        PaintBorderMask(t->Bmp, t->Bmp.Bounds(), false, false, c.state, Border(2, 2, 2, 2, c.stretchMode),
                        EmptyCacheInfo);
        EXPECT_EQ(Px(t->Bmp, 0, 0), c.topLeft) << c.state;
    }
}

TEST_F(MasterFixture, EdgesTileWithCutLastPieceOrStretchInOneCopy) {
    // Frame 6 wide with slices 2: a 2-pixel middle slice over a 5-pixel span.
    struct Case {
        int stretchMode;
        std::vector<int> row0;
    } cases[] = {
        {0, {0, 1, 2, 3, 2, 3, 2, 4, 5}},
        {1, {0, 1, 2, 2, 2, 3, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        auto t = MakeBitmap(9, 6, PixelFormat::pf24bit, testing::Layout::TopDown, 0x111111);
        PaintBorderMask(t->Bmp, t->Bmp.Bounds(), false, false, 0, Border(2, 2, 2, 2, c.stretchMode), EmptyCacheInfo);
        EXPECT_EQ(SourceColumns(t->Bmp, 0), c.row0) << c.stretchMode;
        EXPECT_EQ(Px(t->Bmp, 4, 3), 0x111111u) << "centre not asked for";
    }
    auto t = MakeBitmap(9, 6, PixelFormat::pf24bit, testing::Layout::TopDown, 0x111111);
    PaintBorderMask(t->Bmp, t->Bmp.Bounds(), true, false, 0, Border(2, 2, 2, 2, 4), EmptyCacheInfo);
    EXPECT_EQ(Px(t->Bmp, 4, 3), From(2, 3)) << "bit 4 with fill centre: tiled centre (4-2) mod 2 + 2, row (3-2) + 2";
}

TEST_F(MasterFixture, MaskedBorderWithoutMiddleRowsTilesNoVerticalEdges) {
    // Image rows 0..3 over a mask of rows 4..7 (mask values from the fixture's colours).
    MaskRef m = Border(2, 2, 2, 2, 4);
    m.R = {0, 0, 6, 8};
    m.ImageCount = 1;
    m.MaskType = 1;
    for (int y = 4; y < 8; ++y)
        for (int x = 0; x < 6; ++x) testing::SetPx(master->Bmp, x, y, 0);  // mask 0: source shows exactly
    auto t = MakeBitmap(6, 10, PixelFormat::pf24bit, testing::Layout::Padded, 0x111111);
    PaintBorderMask(t->Bmp, t->Bmp.Bounds(), true, false, 0, m, EmptyCacheInfo);
    EXPECT_EQ(Px(t->Bmp, 0, 0), From(0, 0));
    EXPECT_EQ(Px(t->Bmp, 2, 0), From(2, 0)) << "top edge";
    EXPECT_EQ(Px(t->Bmp, 5, 9), From(5, 3)) << "bottom-right corner";
    EXPECT_EQ(Px(t->Bmp, 0, 5), 0x111111u) << "no vertical edge pieces";
    EXPECT_EQ(Px(t->Bmp, 3, 5), 0x111111u) << "no centre";
}

TEST_F(MasterFixture, MaskedEdgesTileFromTheirStartAndKeepKeyPixelsOut) {
    MaskRef m = Border(2, 2, 2, 2);
    m.R = {0, 0, 6, 8};
    m.ImageCount = 1;
    m.MaskType = 1;
    for (int y = 4; y < 8; ++y)
        for (int x = 0; x < 6; ++x) testing::SetPx(master->Bmp, x, y, 0);  // mask 0: source shows exactly
    testing::SetPx(master->Bmp, 3, 0, TransparentKey);
    auto t = MakeBitmap(9, 4, PixelFormat::pf24bit, testing::Layout::Padded, 0x111111);
    // Three columns left of the target: the corner is gone and the edge (columns -1 to 6)
    // tiles source columns 2 and 3 from its own start, not from the target's edge.
    PaintBorderMask(t->Bmp, {-3, 0, 9, 4}, false, false, 0, m, EmptyCacheInfo);
    const std::vector<int> columns = SourceColumns(t->Bmp, 0);
    for (const int x : {1, 3, 5, 7, 8}) EXPECT_EQ(columns[x], std::vector<int>({0, 2, 0, 2, 0, 2, 0, 4, 5})[x]) << x;
    for (const int x : {0, 2, 4, 6}) EXPECT_EQ(Px(t->Bmp, x, 0), 0x111111u) << "key pixel at " << x;
    EXPECT_EQ(Px(t->Bmp, 1, 1), From(2, 1)) << "second row of the edge";
    EXPECT_TRUE(t->PaddingIntact());
}

TEST_F(MasterFixture, PiecesLargerThanTheTargetAreClipped) {
    auto t = MakeBitmap(3, 3, PixelFormat::pf32bit, testing::Layout::Padded, 0);
    PaintBorderMask(t->Bmp, {-4, -4, 20, 20}, true, true, 0, Border(9, 9, 9, 9, 5), CacheInfoFromColor(0x00FF00));
    PaintBorderMask(t->Bmp, {0, 0, 3, 3}, true, true, 0, Border(40, 0, 1, 30, 4), EmptyCacheInfo);
    EXPECT_TRUE(t->PaddingIntact());
    // 40 + 1 over 3 columns leaves 3 and 0; 0 + 30 over 3 rows leaves 0 and 3: only the
    // bottom-left corner remains, taken from the frame's last three rows.
    EXPECT_EQ(Px(t->Bmp, 0, 0), From(0, 3));
}

TEST_F(MasterFixture, GlyphFrameAtNegativeXStartsInsideTheFrame) {
    auto t = MakeBitmap(6, 6, PixelFormat::pf24bit, testing::Layout::TopDown, 0x111111);
    PaintMaskFrame(t->Bmp, {-2, 1}, 1, EmptyCacheInfo, Border(0, 0, 0, 0), 1);
    EXPECT_EQ(Px(t->Bmp, 0, 1), From(8, 0));
    EXPECT_EQ(Px(t->Bmp, 3, 1), From(11, 0));
    EXPECT_EQ(Px(t->Bmp, 4, 1), 0x111111u) << "frame ends after its visible 4 columns";
    EXPECT_EQ(Px(t->Bmp, 0, 0), 0x111111u);
}

TEST_F(MasterFixture, KeyPixelsOfGlyphsShowTheBackground) {
    testing::SetPx(master->Bmp, 1, 1, TransparentKey);
    auto bg = MakeBitmap(10, 10, PixelFormat::pf24bit, testing::Layout::BottomUp, 0x222222);
    testing::SetPx(bg->Bmp, 5, 4, 0xABCDEF);
    auto t = MakeBitmap(6, 6, PixelFormat::pf24bit, testing::Layout::TopDown, 0x111111);
    // Key at frame (1,1) lands on target (2,3) and reads background (2+3, 3+1).
    PaintMaskFrame(t->Bmp, {1, 2}, 0, CacheInfoFromBitmap(bg->Bmp, 3, 1), Border(0, 0, 0, 0), 1);
    EXPECT_EQ(Px(t->Bmp, 2, 3), 0xABCDEFu);
    EXPECT_EQ(Px(t->Bmp, 1, 2), From(0, 0));

    auto self = MakeBitmap(6, 6, PixelFormat::pf24bit, testing::Layout::TopDown, 0x111111);
    PaintMaskFrame(self->Bmp, {1, 2}, 0, CacheInfoFromBitmap(self->Bmp, 0, 0), Border(0, 0, 0, 0), 1);
    EXPECT_EQ(Px(self->Bmp, 2, 3), 0x111111u) << "background is the target itself: kept";

    auto half = MakeBitmap(6, 6, PixelFormat::pf24bit, testing::Layout::TopDown, 0);
    PaintMaskFrame(half->Bmp, {1, 2}, 0, EmptyCacheInfo, Border(0, 0, 0, 0), 2);
    EXPECT_EQ(Px(half->Bmp, 2, 3), 0u) << "half-visible frame skips the key";
    EXPECT_EQ(Px(half->Bmp, 2, 2), MakeColor(5, 0, 4)) << "round(10/2)=5, round(3.5)=4";
}

TEST(MaskPaintTest, KeyedPieceFillsAndAlpha) {
    auto image = MakeBitmap(2, 2, PixelFormat::pf32bit, testing::Layout::TopDown, 0);
    testing::SetPx(image->Bmp, 0, 0, TransparentKey, 255);
    testing::SetPx(image->Bmp, 1, 0, 0x102030, 77);
    auto t = MakeBitmap(2, 2, PixelFormat::pf32bit, testing::Layout::Padded, 0x999999);
    // The empty background turns key pixels of a 32-bit image into transparent black.
    CopyKeyedPiece(t->Bmp, image->Bmp, 0, false, EmptyCacheInfo, TransparentKey, {0, 0, 1, 0}, 0);
    EXPECT_EQ(testing::Argb(t->Bmp, 0, 0), 0u);
    EXPECT_EQ(testing::Argb(t->Bmp, 1, 0), 0x4D102030u);
    auto t24 = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::Padded, 0x999999);
    CopyKeyedPiece(t24->Bmp, image->Bmp, 0, true, CacheInfoFromColor(0xFF00000F), TransparentKey, {0, 0, 0, 0}, 0);
    EXPECT_EQ(Px(t24->Bmp, 0, 0), 0xF0F0F0u) << "system fill colour resolved";
}

TEST(MaskPaintTest, MaskedPieceCases) {
    // One image pixel above its mask: key, and one ordinary pixel (200) with mask 128.
    auto image = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::TopDown, 0);
    testing::SetPx(image->Bmp, 0, 0, TransparentKey);
    testing::SetPx(image->Bmp, 1, 0, MakeColor(200, 200, 200));
    testing::SetPx(image->Bmp, 0, 1, MakeColor(128, 128, 128));
    testing::SetPx(image->Bmp, 1, 1, MakeColor(128, 128, 128));
    MaskRef m;
    m.R = {0, 0, 2, 2};
    m.MaskType = 1;
    m.ImageCount = 1;
    m.HasManager = true;
    auto bg = MakeBitmap(4, 4, PixelFormat::pf24bit, testing::Layout::TopDown, 0x445566);
    const TColor blended = MakeColor(150, 150, 150);  // ((100-200)*128 + 200*256) >> 8
    struct Case {
        bool ready, useBg;
        std::uint32_t key;
    } cases[] = {
        {true, true, 0xFF445566u},   // background pixel, alpha 255
        {true, false, 0x0AB132B1u},  // key not tested: ((100-255)*128 + 255*256) >> 8 = 177, (100*128) >> 8 = 50
        {false, false, 0x0A646464u},
        {false, true, 0x00ABCDEFu},  // fill colour, alpha from its top byte
    };
    for (const Case& c : cases) {
        auto t = MakeBitmap(2, 1 + 1, PixelFormat::pf32bit, testing::Layout::BottomUp, 0);
        testing::Fill(t->Bmp, MakeColor(100, 100, 100), 10);
        const TsCacheInfo info = c.ready ? CacheInfoFromBitmap(bg->Bmp, 1, 1) : CacheInfoFromColor(0xABCDEF);
        CopyMaskedPiece({0, 0, 2, 1}, {0, 0, 2, 1}, t->Bmp, m, c.useBg, info, image->Bmp);
        EXPECT_EQ(testing::Argb(t->Bmp, 0, 0), c.key) << c.ready << c.useBg;
        EXPECT_EQ(testing::Px(t->Bmp, 1, 0), blended);
    }
}

}  // namespace
}  // namespace lw::render
