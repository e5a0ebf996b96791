#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "render/PixelMemo.h"

namespace lw::render {
namespace {

using testing::MakeBitmap;
using testing::Pixels;
using testing::Px;
using testing::SetPx;

// A drawing remembered from one bitmap is replayed into another: the memo must compare and
// write through each bitmap's own rows, whatever their layout.
TEST(PixelMemo, ReplaysOnlyTheSameDrawingOverTheSamePixels) {
    auto before = MakeBitmap(6, 4, PixelFormat::pf24bit, testing::Layout::BottomUp, 0x101010);
    auto after = MakeBitmap(6, 4, PixelFormat::pf24bit, testing::Layout::TopDown, 0x101010);
    SetPx(after->Bmp, 2, 1, 0x00FF00);
    SetPx(after->Bmp, 4, 2, 0x0000FF);
    PixelMemo memo(1024);
    memo.Record("caption", before->Bmp, {1, 1, 5, 3}, after->Bmp, {1, 1, 5, 3});

    auto target = MakeBitmap(8, 5, PixelFormat::pf24bit, testing::Layout::Padded, 0x101010);
    SetPx(target->Bmp, 0, 0, 0x777777);  // outside the area: no part of the comparison
    EXPECT_FALSE(memo.Replay("other", target->Bmp, {3, 2, 7, 4}));
    EXPECT_FALSE(memo.Replay("caption", target->Bmp, {3, 2, 8, 4})) << "another size";
    SetPx(target->Bmp, 6, 3, 0x101011);
    EXPECT_FALSE(memo.Replay("caption", target->Bmp, {3, 2, 7, 4})) << "one byte differs";
    SetPx(target->Bmp, 6, 3, 0x101010);
    const std::vector<std::uint32_t> untouched = Pixels(target->Bmp);
    ASSERT_TRUE(memo.Replay("caption", target->Bmp, {3, 2, 7, 4}));
    EXPECT_EQ(Px(target->Bmp, 4, 2), 0x00FF00u);
    EXPECT_EQ(Px(target->Bmp, 6, 3), 0x0000FFu);
    EXPECT_EQ(Px(target->Bmp, 0, 0), 0x777777u);
    std::vector<std::uint32_t> changed = Pixels(target->Bmp);
    int differing = 0;
    for (std::size_t i = 0; i < changed.size(); ++i) differing += changed[i] != untouched[i];
    EXPECT_EQ(differing, 2);
    EXPECT_TRUE(target->PaddingIntact());

    auto wide = MakeBitmap(8, 5, PixelFormat::pf32bit, testing::Layout::TopDown, 0x101010);
    EXPECT_FALSE(memo.Replay("caption", wide->Bmp, {3, 2, 7, 4})) << "another pixel format";
}

TEST(PixelMemo, KeepsTheMostRecentlyUsedWithinItsBudget) {
    auto plain = MakeBitmap(4, 4, PixelFormat::pf24bit, testing::Layout::TopDown, 0x202020);
    const TRect area{0, 0, 4, 4};  // 48 bytes before and 48 after
    PixelMemo memo(200);
    memo.Record("a", plain->Bmp, area, plain->Bmp, area);
    memo.Record("b", plain->Bmp, area, plain->Bmp, area);
    EXPECT_EQ(memo.Bytes(), 192u);
    EXPECT_TRUE(memo.Replay("a", plain->Bmp, area));  // "a" is now the most recent
    memo.Record("c", plain->Bmp, area, plain->Bmp, area);
    EXPECT_EQ(memo.Bytes(), 192u);
    EXPECT_FALSE(memo.Replay("b", plain->Bmp, area));
    EXPECT_TRUE(memo.Replay("a", plain->Bmp, area));
    EXPECT_TRUE(memo.Replay("c", plain->Bmp, area));

    auto big = MakeBitmap(8, 8, PixelFormat::pf24bit, testing::Layout::TopDown);
    memo.Record("big", big->Bmp, big->Bmp.Bounds(), big->Bmp, big->Bmp.Bounds());
    EXPECT_FALSE(memo.Replay("big", big->Bmp, big->Bmp.Bounds())) << "larger than the whole budget";
    EXPECT_TRUE(memo.Replay("a", plain->Bmp, area)) << "and it pushed nothing out";
}

}  // namespace
}  // namespace lw::render
