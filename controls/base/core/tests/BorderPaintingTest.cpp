#include <gtest/gtest.h>

#include "controls/base/core/BorderPainting.h"
#include "controls/base/core/CommonData.h"
#include "CoreFakes.h"

namespace lw::controls {
namespace {

TColor Px(const render::Bitmap& b, int x, int y) {
    const std::uint8_t* p = b.Pixel(x, y);
    return MakeColor(p[2], p[1], p[0]);
}

void FillBmp(render::Bitmap& b, TColor c) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            std::uint8_t* p = b.Pixel(x, y);
            p[0] = BlueOf(c);
            p[1] = GreenOf(c);
            p[2] = RedOf(c);
        }
}

void SetPx(render::Bitmap& b, int x, int y, TColor c) {
    std::uint8_t* p = b.Pixel(x, y);
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
}

// A plain border mask of two 12 x 12 frames with 4-pixel slices; the outermost corner pixel
// of every corner is the key in frame 1 only.
struct KeyedMask {
    render::Bitmap Image = render::CreateBmp24(24, 12);
    render::MaskRef Mask;
    KeyedMask() {
        FillBmp(Image, 0x808080);
        for (auto [x, y] : {std::pair{12, 0}, std::pair{23, 0}, std::pair{12, 11}, std::pair{23, 11}})
            SetPx(Image, x, y, TransparentKey);
        Mask.Bmp = &Image;
        Mask.HasManager = true;
        Mask.R = Image.Bounds();
        Mask.ImageCount = 2;
        Mask.MaskType = 0;
        Mask.WL = Mask.WT = Mask.WR = Mask.WB = 4;
    }
};

TEST(RestoreCorners, OnlyTheRequestedCornerOfTheStatesFrameTakesTheBackground) {
    KeyedMask k;
    render::Bitmap cache = render::CreateBmp24(20, 10);
    FillBmp(cache, 0x111111);
    RestoreMaskCorners(cache, k.Mask, 1, cnBottomLeft, render::CacheInfoFromColor(0x00FF00));
    EXPECT_EQ(Px(cache, 0, 9), 0x00FF00u);
    EXPECT_EQ(Px(cache, 0, 0), 0x111111u);
    EXPECT_EQ(Px(cache, 19, 9), 0x111111u);
    EXPECT_EQ(Px(cache, 1, 9), 0x111111u);  // not a key pixel

    FillBmp(cache, 0x111111);
    RestoreMaskCorners(cache, k.Mask, 0, cnAll, render::CacheInfoFromColor(0x00FF00));  // frame 0: no keys
    EXPECT_EQ(Px(cache, 0, 9), 0x111111u);
}

TEST(RestoreCorners, BackgroundBitmapIsReadAtTheOffsetAndSkippedOutsideIt) {
    KeyedMask k;
    render::Bitmap cache = render::CreateBmp24(20, 10);
    FillBmp(cache, 0x111111);
    render::Bitmap parent = render::CreateBmp24(25, 15);
    FillBmp(parent, 0x222222);
    SetPx(parent, 5 + 19, 6 + 0, 0x0000FF);
    RestoreMaskCorners(cache, k.Mask, 1, cnAll, render::CacheInfoFromBitmap(parent, 5, 6));
    EXPECT_EQ(Px(cache, 19, 0), 0x0000FFu);
    EXPECT_EQ(Px(cache, 0, 0), 0x222222u);
    EXPECT_EQ(Px(cache, 19, 9), 0x111111u);  // (24, 15) lies outside the parent: skipped
}

TEST(RestoreCorners, CornersOfAControlSmallerThanTheMaskStayInsideTheCache) {
    KeyedMask k;
    k.Mask.WL = k.Mask.WR = k.Mask.WT = k.Mask.WB = 6;
    for (int y = 0; y < 12; ++y)
        for (int x = 12; x < 24; ++x) SetPx(k.Image, x, y, TransparentKey);  // every corner pixel is key
    for (auto [w, h] : {std::pair{3, 3}, std::pair{2, 9}, std::pair{9, 2}}) {
        render::Bitmap cache = render::CreateBmp24(w, h);
        FillBmp(cache, 0x111111);
        RestoreMaskCorners(cache, k.Mask, 1, cnAll, render::CacheInfoFromColor(0x00FF00));  // ASan watches
        EXPECT_EQ(Px(cache, 0, 0), 0x00FF00u) << w << "x" << h;
    }
    render::Bitmap tiny = render::CreateBmp24(1, 5);
    FillBmp(tiny, 0x111111);
    RestoreMaskCorners(tiny, k.Mask, 1, cnAll, render::CacheInfoFromColor(0x00FF00));
    EXPECT_EQ(Px(tiny, 0, 0), 0x111111u);
}

TEST(PaintControlBorder, WithoutMaskTheInnerRectangleIsShrunkByTheWidthAndNeverInverted) {
    render::Bitmap cache = render::CreateBmp24(10, 10);
    EXPECT_EQ(PaintBorderIntoCache(cache, {0, 0, 10, 10}, 2, 0, nullptr, 0, {}).Inner, (TRect{2, 2, 8, 8}));
    EXPECT_EQ(PaintBorderIntoCache(cache, {0, 0, 10, 10}, 0, 0, nullptr, 0, {}).Inner, (TRect{0, 0, 10, 10}));
    const TRect inner = PaintBorderIntoCache(cache, {0, 0, 6, 4}, 5, 0, nullptr, 0, {}).Inner;
    EXPECT_GE(inner.Right, inner.Left);
    EXPECT_GE(inner.Bottom, inner.Top);

    render::Bitmap target = render::CreateBmp24(10, 10);
    render::Surface surface(target);
    CopyBorderToSurface(surface, cache, {0, 0, 10, 10}, 2, false, 0x0000FF);
    EXPECT_EQ(Px(target, 1, 5), 0x0000FFu);
    EXPECT_EQ(Px(target, 2, 5), 0u);
}

TEST(PaintControlBorder, FillsBetweenTheMasksSlicesAndTheBorderWidth) {
    KeyedMask k;
    k.Mask.WL = k.Mask.WT = k.Mask.WR = k.Mask.WB = 2;
    render::Bitmap cache = render::CreateBmp24(16, 16);
    FillBmp(cache, 0x111111);
    const BorderResult r =
        PaintBorderIntoCache(cache, {0, 0, 16, 16}, 5, 0, &k.Mask, 0x0000FF, render::CacheInfoFromColor(0));
    EXPECT_EQ(r.Inner, (TRect{5, 5, 11, 11}));
    EXPECT_TRUE(r.CopyStrips);
    EXPECT_EQ(Px(cache, 0, 8), 0x808080u);  // the mask's slice
    EXPECT_EQ(Px(cache, 3, 8), 0x0000FFu);  // between the slice and b
    EXPECT_EQ(Px(cache, 8, 12), 0x0000FFu);
    EXPECT_EQ(Px(cache, 8, 8), 0x111111u);  // the client area is not touched

    render::Bitmap target = render::CreateBmp24(16, 16);
    render::Surface surface(target);
    CopyBorderToSurface(surface, cache, {0, 0, 16, 16}, 5, true, 0);
    EXPECT_EQ(Px(target, 3, 8), 0x0000FFu);
    EXPECT_EQ(Px(target, 8, 8), 0u);
}

TEST(PaintControlBorder, AnOuterRectangleLargerThanTheCacheWritesOnlyInsideIt) {
    KeyedMask k;
    k.Mask.MaskType = 1;  // covers the ring with the background first
    k.Mask.R = {0, 0, 24, 12};
    render::Bitmap cache = render::CreateBmp24(6, 6);
    render::Bitmap parent = render::CreateBmp24(4, 4);
    const BorderResult r = PaintBorderIntoCache(cache, {-3, -3, 30, 30}, 9, 0, &k.Mask, 0x0000FF,
                                                render::CacheInfoFromBitmap(parent, 0, 0));
    EXPECT_EQ(r.Inner, (TRect{6, 6, 21, 21}));

    // A control smaller than the mask's slices: nothing below or right of it changes.
    render::Bitmap wide = render::CreateBmp24(12, 12);
    FillBmp(wide, 0x111111);
    PaintBorderIntoCache(wide, {2, 2, 5, 5}, 0, 0, &k.Mask, 0x0000FF, render::CacheInfoFromColor(0x00FF00));
    for (auto [x, y] : {std::pair{3, 1}, std::pair{3, 5}, std::pair{1, 3}, std::pair{5, 3}})
        EXPECT_EQ(Px(wide, x, y), 0x111111u) << x << "," << y;
}

TEST(RestoreCorners, TheControlsDataAsksItsParentAndShiftsByItsPosition) {
    testing::FakeManager manager;
    testing::DefaultManagerScope scope(&manager);
    KeyedMask k;
    const int mask = manager.Skin.AddMask("PANEL", "BORDERSMASK", k.Mask);
    manager.AddSection("PANEL", 0x111111, 0, 0, 0, mask);
    testing::FakeOwner owner;
    owner.Bounds = {3, 4, 23, 14};
    render::Bitmap parent = render::CreateBmp24(40, 40);
    FillBmp(parent, 0x222222);
    SetPx(parent, 3, 4 + 9, 0x00FF00);
    owner.ParentBg.Kind = 2;
    owner.ParentBg.Bitmap = &parent;
    TsCommonData data(owner, true);
    data.SetSkinSection("PANEL");
    data.EnsureCache();
    FillBmp(*data.CacheBmp, 0x111111);
    data.RestoreCorners(1, cnBottomLeft);
    EXPECT_EQ(Px(*data.CacheBmp, 0, 9), 0x00FF00u);
}

}  // namespace
}  // namespace lw::controls
