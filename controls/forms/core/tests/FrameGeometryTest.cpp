#include <gtest/gtest.h>

#include "controls/forms/core/FrameGeometry.h"

namespace lw::controls {
namespace {

FrameMetrics Metrics(bool sizable) {
    FrameMetrics m;
    m.Border = 6;
    m.TitleHeight = 31;
    m.CloseWidth = 14;
    m.CloseHeight = 14;
    m.ButtonMargin = 4;
    m.Sizable = sizable;
    m.GripWidth = 13;
    m.GripHeight = 13;
    return m;
}

TEST(FrameGeometry, LayoutOfA300By200Window) {
    const FrameLayout l = LayOutFrame(300, 200, Metrics(true));
    EXPECT_EQ(l.Client, (TRect{6, 31, 294, 194}));
    EXPECT_EQ(l.Title, (TRect{6, 6, 294, 31}));
    EXPECT_EQ(l.Close, (TRect{276, 11, 290, 25}));  // centred in the title, 4 from the border
    EXPECT_EQ(l.Grip, (TRect{281, 181, 294, 194}));
    EXPECT_TRUE(LayOutFrame(300, 200, Metrics(false)).Grip.IsEmpty());
}

TEST(FrameGeometry, TinyWindowsKeepOrderedRectangles) {
    for (int size : {0, 3, 10, 40}) {
        const FrameLayout l = LayOutFrame(size, size, Metrics(true));
        EXPECT_LE(l.Client.Left, l.Client.Right);
        EXPECT_LE(l.Client.Top, l.Client.Bottom);
        EXPECT_LE(l.Title.Top, l.Title.Bottom);
    }
}

// Every point of the window lies in the client area or in exactly one band, at any size.
TEST(FrameGeometry, TheBandsAndTheClientCoverTheWindowOnce) {
    for (bool sizable : {false, true}) {
        for (int width : {0, 5, 12, 40, 300}) {
            for (int height : {0, 7, 31, 36, 200}) {
                const FrameLayout l = LayOutFrame(width, height, Metrics(sizable));
                const std::array<TRect, 4> bands = FrameBands(l);
                const auto inside = [](const TRect& r, int x, int y) {
                    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
                };
                for (int y = 0; y < height; ++y) {
                    for (int x = 0; x < width; ++x) {
                        int covered = inside(l.Client, x, y) ? 1 : 0;
                        for (const TRect& band : bands) covered += inside(band, x, y) ? 1 : 0;
                        ASSERT_EQ(covered, 1) << width << "x" << height << " at " << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(FrameGeometry, HitCodes) {
    struct Case {
        bool sizable;
        TPoint at;
        int code;
    };
    const Case cases[] = {
        {false, {100, 15}, kHitCaption},     {false, {280, 15}, kHitClose},    {false, {100, 100}, kHitClient},
        {false, {2, 100}, kHitBorder},       {false, {297, 100}, kHitBorder},  {false, {100, 197}, kHitBorder},
        {false, {100, 2}, kHitBorder},       {false, {290, 190}, kHitClient},  {false, {300, 100}, kHitNowhere},
        {false, {-1, 0}, kHitNowhere},       {true, {2, 100}, kHitLeft},       {true, {297, 100}, kHitRight},
        {true, {100, 2}, kHitTop},           {true, {100, 197}, kHitBottom},   {true, {2, 2}, kHitTopLeft},
        {true, {297, 2}, kHitTopRight},      {true, {2, 197}, kHitBottomLeft}, {true, {297, 197}, kHitBottomRight},
        {true, {290, 190}, kHitBottomRight},  // the grip
        {true, {100, 15}, kHitCaption},      {true, {280, 15}, kHitClose},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.at.X) + "," + std::to_string(c.at.Y) + (c.sizable ? " sizable" : ""));
        const FrameMetrics m = Metrics(c.sizable);
        EXPECT_EQ(FrameHitTest(LayOutFrame(300, 200, m), m, c.at), c.code);
    }
}

TEST(FrameGeometry, SkinSizesLessTheShadowOffset) {
    const FrameMetrics m = MetricsFromSkin(23, 48, 17, 2, 18);
    EXPECT_EQ(m.Border, 6);
    EXPECT_EQ(m.TitleHeight, 31);
    const FrameMetrics small = MetricsFromSkin(4, 20, 8, 2, 18);
    EXPECT_EQ(small.Border, 2);
    EXPECT_EQ(small.TitleHeight, 18);
}

}  // namespace
}  // namespace lw::controls
