#include <gtest/gtest.h>

#include "controls/scrollbars/core/ScrollGeometry.h"

namespace lw::controls::scroll {
namespace {

TEST(ScrollMulDiv, RoundsAsThePlatformDoes) {
    struct Case {
        int a, b, c, expected;
    };
    for (const Case& k : {Case{10, 66, 100, 7}, Case{5, 1, 2, 3}, Case{-13, 1, 2, -7}, Case{1, 1, 0, -1},
                          Case{90, 56, 90, 56}, Case{0x7FFFFFFF, 2, 1, -1}, Case{-5, -1, 2, 3}}) {
        EXPECT_EQ(MulDiv(k.a, k.b, k.c), k.expected) << k.a << "*" << k.b << "/" << k.c;
    }
}

TEST(ScrollThumbGeometry, LengthAndOffsetOnTheTrack) {
    struct Case {
        const char* what;
        ScrollRange info;
        int barLength, arrow, minThumb;
        ThumbPlace expected;
    };
    const Case cases[] = {
        // 100 px bar, 17 px arrows: track 66, slider 7 raised to 10; at 90 it ends at the bottom arrow.
        {"worked example at 90", {0, 99, 10, 90}, 100, 17, 10, {17 + 56, 10}},
        {"worked example at 0", {0, 99, 10, 0}, 100, 17, 10, {17, 10}},
        {"worked example halfway", {0, 99, 10, 45}, 100, 17, 10, {17 + 28, 10}},
        {"no page: arrow-long slider", {0, 99, 0, 0}, 100, 17, 10, {17, 17}},
        {"page of the whole range fills the track", {0, 99, 100, 0}, 100, 17, 10, {17, 66}},
        {"minimum from nMin", {20, 119, 10, 20}, 100, 17, 10, {17, 10}},
        {"position past the end is kept on the track", {0, 99, 10, 500}, 100, 17, 10, {17 + 56, 10}},
        {"empty range", {5, 4, 10, 5}, 100, 17, 10, {17, 0}},
        // The minimum slider is longer than the 6 px track: no inverted clamp, it stays at the start.
        {"minimum longer than the track", {0, 99, 10, 90}, 40, 17, 10, {17, 10}},
        {"page of one", {0, 999, 1, 999}, 100, 17, 10, {17 + 56, 10}},
    };
    for (const Case& k : cases) {
        const ThumbPlace t = ThumbGeometry(k.info, 0, k.barLength, k.arrow, k.minThumb);
        EXPECT_EQ(t.Start, k.expected.Start) << k.what;
        EXPECT_EQ(t.Length, k.expected.Length) << k.what;
    }
    EXPECT_EQ(ThumbGeometry({0, 99, 10, 90}, 200, 100, 17, 10).Start, 200 + 17 + 56) << "bar away from 0";
}

TEST(ScrollHitTestBar, PartsAlongBothAxes) {
    const ScrollRange info{0, 99, 10, 45};  // slider at 45..55 of a 100 px bar at 10
    const TRect horz{10, 50, 110, 67};
    const TRect vert{50, 10, 67, 110};
    struct Case {
        int along, across, expected;
    };
    const Case cases[] = {
        {10, 58, sbFirstArrow},  {26, 58, sbFirstArrow},   {27, 58, sbPageBefore}, {54, 58, sbPageBefore},
        {55, 58, sbThumb},       {64, 58, sbThumb},        {65, 58, sbPageAfter},  {92, 58, sbPageAfter},
        {93, 58, sbSecondArrow}, {109, 58, sbSecondArrow}, {110, 58, sbNone},      {9, 58, sbNone},
        {55, 49, sbNone},        {55, 67, sbNone},         {55, 66, sbThumb},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(HitTestBar(info, horz, false, {k.along, k.across}, 17, 10), k.expected)
            << "horz " << k.along << "," << k.across;
        EXPECT_EQ(HitTestBar(info, vert, true, {k.across, k.along}, 17, 10), k.expected)
            << "vert " << k.along << "," << k.across;
    }
}

TEST(ScrollHitTestBar, ShortBarsShareTheirLengthBetweenTheArrows) {
    const ScrollRange info{0, 99, 10, 0};
    // 30 px: the arrows take 15 each and nothing is left for the slider.
    const TRect shortBar{0, 0, 30, 17};
    EXPECT_EQ(HitTestBar(info, shortBar, false, {14, 5}, 17, 10), sbFirstArrow);
    EXPECT_EQ(HitTestBar(info, shortBar, false, {15, 5}, 17, 10), sbSecondArrow);
    // 40 px: a 6 px track and a 10 px slider: the middle is dead.
    const TRect cramped{0, 0, 40, 17};
    EXPECT_EQ(HitTestBar(info, cramped, false, {20, 5}, 17, 10), sbNone);
    EXPECT_EQ(HitTestBar(info, cramped, false, {16, 5}, 17, 10), sbFirstArrow);
}

TEST(ScrollDragPosition, MapsTheSliderOntoTheReachablePositions) {
    struct Case {
        const char* what;
        ScrollRange info;
        int offset, track, thumb, expected;
    };
    const Case cases[] = {
        {"start", {0, 99, 10, 0}, 0, 66, 10, 0},
        {"end reaches the platform's largest position", {0, 99, 10, 0}, 56, 66, 10, 90},
        {"middle", {0, 99, 10, 0}, 28, 66, 10, 45},
        {"nMin is added", {20, 119, 10, 0}, 56, 66, 10, 110},
        {"nMin at the start", {20, 119, 10, 0}, 0, 66, 10, 20},
        {"no page: largest is nMax", {0, 99, 0, 0}, 49, 66, 17, 99},
        {"empty range: the pixel offset, kept in range", {0, 0, 0, 0}, 30, 66, 17, 0},
        {"slider fills the track: MulDiv fails, start", {0, 99, 10, 0}, 0, 10, 10, 0},
        {"page beyond the range", {0, 9, 50, 0}, 5, 66, 66, 0},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(DragPosition(k.info, k.offset, k.track, k.thumb), k.expected) << k.what;
    }
}

TEST(ScrollDragThumbStart, KeepsTheSliderOnTheTrack) {
    EXPECT_EQ(DragThumbStart(60, 5, 17, 83, 10), 55);
    EXPECT_EQ(DragThumbStart(0, 5, 17, 83, 10), 17);
    EXPECT_EQ(DragThumbStart(200, 5, 17, 83, 10), 73);
    EXPECT_EQ(DragThumbStart(50, 0, 17, 23, 10), 17) << "slider longer than the track";
}

TEST(ScrollBarRects, FrameAndSizeBox) {
    const TRect w{100, 200, 300, 400};
    const FrameEdges e{2, 3, 4, 5};
    const BarLayout both = BarRects(w, e, 17, 17, true, true, false);
    EXPECT_EQ(both.Horz, (TRect{102, 378, 279, 395}));
    EXPECT_EQ(both.Vert, (TRect{279, 203, 296, 378}));
    EXPECT_EQ(both.SizeBox, (TRect{279, 378, 296, 395}));
    const BarLayout left = BarRects(w, e, 17, 17, true, true, true);
    EXPECT_EQ(left.Horz, (TRect{119, 378, 296, 395}));
    EXPECT_EQ(left.Vert, (TRect{102, 203, 119, 378}));
    EXPECT_EQ(left.SizeBox, (TRect{102, 378, 119, 395}));
    const BarLayout vertOnly = BarRects(w, e, 17, 17, false, true, false);
    EXPECT_EQ(vertOnly.Vert, (TRect{279, 203, 296, 395}));
    EXPECT_TRUE(vertOnly.Horz.IsEmpty());
    EXPECT_TRUE(vertOnly.SizeBox.IsEmpty());
}

TEST(ScrollPartSizes, FieldsAndSkinnedArrows) {
    EXPECT_EQ(PartSize(-1, 17), 17);
    EXPECT_EQ(PartSize(-2, 17), 34);
    EXPECT_EQ(PartSize(12, 17), 12);
    EXPECT_EQ(SkinnedArrowLength(-1, 17, 0), 17);
    EXPECT_EQ(SkinnedArrowLength(-1, 17, 21), 21);
    EXPECT_EQ(SkinnedArrowLength(-2, 17, 12), 34);
    EXPECT_EQ(SkinnedArrowLength(9, 17, 21), 9);
}

}  // namespace
}  // namespace lw::controls::scroll
