#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "render/Disabled.h"
#include "render/KeyedCopy.h"

namespace lw::render {
namespace {

using testing::MakeBitmap;
using testing::Px;

TEST(CopyTest, KeyPixelsAreNeverWrittenNeighboursAre) {
    // Each colour one level away from the key in one channel is an ordinary pixel.
    const TColor near[] = {0xFE00FF, 0xFF00FE, 0xFF01FF, TransparentKey};
    auto src = MakeBitmap(4, 2, PixelFormat::pf24bit, testing::Layout::BottomUp, 0x123456);
    for (int x = 0; x < 4; ++x) testing::SetPx(src->Bmp, x, 0, near[x]);
    for (testing::Layout layout : testing::AllLayouts) {
        auto dst = MakeBitmap(5, 3, PixelFormat::pf24bit, layout, 0x777777);
        CopyTransparent(dst->Bmp, src->Bmp, 1, 1, TransparentKey);
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Px(dst->Bmp, x + 1, 1), near[x]);
        EXPECT_EQ(Px(dst->Bmp, 4, 1), 0x777777u) << "key pixel left alone";
        EXPECT_EQ(Px(dst->Bmp, 4, 2), 0x123456u) << "second row clipped at the bottom edge";
        EXPECT_EQ(Px(dst->Bmp, 0, 1), 0x777777u);
        EXPECT_TRUE(dst->PaddingIntact());
    }
}

TEST(CopyTest, ThirtyTwoBitDestinations) {
    auto src24 = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::TopDown, 0x010203);
    testing::SetPx(src24->Bmp, 1, 1, TransparentKey);
    auto dst = MakeBitmap(3, 3, PixelFormat::pf32bit, testing::Layout::Padded, 0);
    testing::Fill(dst->Bmp, 0x999999, 9);
    CopyTransparent(dst->Bmp, src24->Bmp, -1, -1, TransparentKey);
    EXPECT_EQ(testing::Argb(dst->Bmp, 0, 0), 0x999999u | 0x09000000u) << "source key pixel at (1,1)";
    CopyTransparent(dst->Bmp, src24->Bmp, 1, 1, TransparentKey);
    EXPECT_EQ(testing::Argb(dst->Bmp, 1, 1), 0xFF010203u);
    EXPECT_TRUE(dst->PaddingIntact());

    // A 32-bit frame keeps its own alpha; the key is compared on colour alone.
    auto src32 = MakeBitmap(2, 1 + 1, PixelFormat::pf32bit, testing::Layout::TopDown, 0);
    testing::SetPx(src32->Bmp, 0, 0, 0x445566, 80);
    testing::SetPx(src32->Bmp, 1, 0, TransparentKey, 255);
    auto dst32 = MakeBitmap(2, 2, PixelFormat::pf32bit, testing::Layout::BottomUp, 0);
    CopyRectTransparent(dst32->Bmp, src32->Bmp, {0, 0}, {0, 0, 1, 0}, TransparentKey);
    EXPECT_EQ(testing::Argb(dst32->Bmp, 0, 0), 0x50445566u);
    EXPECT_EQ(testing::Argb(dst32->Bmp, 1, 0), 0xFF000000u);
}

TEST(CopyTest, GrayscaleAveragesChannels) {
    auto b = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::BottomUp, MakeColor(1, 1, 2));
    testing::SetPx(b->Bmp, 0, 0, TransparentKey);
    GrayscaleExceptKey(b->Bmp, TransparentKey);
    EXPECT_EQ(Px(b->Bmp, 0, 0), TransparentKey);
    EXPECT_EQ(Px(b->Bmp, 1, 1), MakeColor(1, 1, 1)) << "4 div 3";
    GrayscaleBitmap(b->Bmp);
    EXPECT_EQ(Px(b->Bmp, 0, 0), MakeColor(170, 170, 170));
}

}  // namespace
}  // namespace lw::render
