#include <gtest/gtest.h>

#include "controls/base/core/GroupBoxGeometry.h"

namespace lw::controls {
namespace {

TEST(GroupBoxGeometry, CaptionRectangleByLayout) {
    struct Case {
        TsCaptionLayout Layout;
        int Width, TextWidth;
        bool RightToLeft;
        TRect Expected;
    };
    const Case cases[] = {
        {TsCaptionLayout::clTopRight, 300, 100, false, {186, 0, 294, 15}},
        {TsCaptionLayout::clTopLeft, 300, 100, false, {6, 0, 114, 15}},
        {TsCaptionLayout::clTopRight, 300, 100, true, {6, 0, 114, 15}},
        {TsCaptionLayout::clTopCenter, 300, 100, false, {95, 0, 203, 15}},
        // Wider than the box: from the left edge (or 6) to the right edge.
        {TsCaptionLayout::clTopCenter, 80, 200, false, {0, 0, 80, 15}},
        {TsCaptionLayout::clTopRight, 80, 200, false, {0, 0, 80, 15}},
        {TsCaptionLayout::clTopLeft, 80, 200, false, {6, 0, 80, 15}},
    };
    for (const Case& c : cases) {
        CaptionPlacement p;
        p.Layout = c.Layout;
        p.Width = c.Width;
        p.TextWidth = c.TextWidth;
        p.RightToLeft = c.RightToLeft;
        p.CaptionHeight = 15;
        EXPECT_EQ(GroupBoxCaptionRect(p), c.Expected) << int(c.Layout) << " " << c.Width;
    }
}

TEST(GroupBoxGeometry, NegativeOffsetMovesTheStripUpAndTooNarrowCaptionsWidenByTheBevel) {
    CaptionPlacement p;
    p.Width = 300;
    p.TextWidth = 40;
    p.CaptionHeight = 15;
    p.YOffset = -5;
    TRect r = GroupBoxCaptionRect(p);
    EXPECT_EQ(r.Top, -5);
    EXPECT_EQ(r.Bottom, 10);
    p.Skinned = false;
    EXPECT_EQ(GroupBoxCaptionRect(p).Top, 0);

    p.Width = 4;  // Right is cut to the width: 4 - 6 < 2 bevels
    p.Skinned = true;
    p.YOffset = 0;
    p.BevelWidth = 2;
    r = GroupBoxCaptionRect(p);
    EXPECT_EQ(r.Left, 4);
    EXPECT_EQ(r.Right, 6);
    EXPECT_EQ(GroupBoxCaptionHeight(2), 6);
    EXPECT_EQ(GroupBoxCaptionHeight(13), 15);
}

}  // namespace
}  // namespace lw::controls
