#include <gtest/gtest.h>

#include "controls/buttons/core/ButtonGeometry.h"

namespace lw::controls {
namespace {

using L = TButtonLayout;
using A = TButtonAlignment;

// The main window's button: 265 x 25, an 18 x 18 glyph, a caption 60 x 13.
ButtonGeometry MainWindowButton(L layout = L::blGlyphLeft, A alignment = A::taCenter) {
    ButtonGeometry g;
    g.Width = 265;
    g.Height = 25;
    g.Glyph = {18, 18};
    g.Text = {60, 13};
    g.HasCaption = true;
    g.Layout = layout;
    g.Alignment = alignment;
    return g;
}

TEST(ButtonGeometry, GlyphPlacesByLayoutAndAlignment) {
    // fx = (265 - 18 - 4 - 60) div 2 = 91; fy = (25 - 18 - 4 - 13) div 2 = -5.
    struct Case {
        L layout;
        A alignment;
        TPoint at;
    } cases[] = {
        {L::blGlyphLeft, A::taCenter, {91, 3}},         {L::blGlyphLeft, A::taLeftJustify, {0, 3}},
        {L::blGlyphLeft, A::taRightJustify, {182, 3}},  {L::blGlyphRight, A::taLeftJustify, {61, 3}},
        {L::blGlyphRight, A::taRightJustify, {247, 3}}, {L::blGlyphRight, A::taCenter, {155, 3}},
        {L::blGlyphTop, A::taCenter, {124, -5}},        {L::blGlyphBottom, A::taCenter, {124, 12}},
    };
    for (const Case& c : cases) {
        const TRect r = GlyphRect(MainWindowButton(c.layout, c.alignment), false);
        EXPECT_EQ((TPoint{r.Left, r.Top}), c.at) << int(c.layout) << "/" << int(c.alignment);
        EXPECT_EQ(r.Width(), 18);
    }
}

TEST(ButtonGeometry, PressedMovesTheGlyphByOneAndReflectionLiftsIt) {
    EXPECT_EQ(GlyphRect(MainWindowButton(), true), (TRect{92, 4, 110, 22}));
    ButtonGeometry reflected = MainWindowButton();
    reflected.Reflected = true;
    EXPECT_EQ(GlyphRect(reflected, false).Top, 0);  // up by 18 div 6
    ButtonGeometry margin = MainWindowButton(L::blGlyphLeft, A::taLeftJustify);
    margin.Margin = 2;
    EXPECT_EQ(GlyphRect(margin, false).Left, 5);  // a set margin keeps 3 more
}

TEST(ButtonGeometry, WithoutCaptionTheGlyphIsCentredWithNoSpacing) {
    ButtonGeometry g = MainWindowButton();
    g.HasCaption = false;
    g.Text = {0, 0};
    EXPECT_EQ(GlyphRect(g, false).Left, (265 - 18) / 2);
    EXPECT_EQ(CaptionLayoutWidth(g), 0);
}

TEST(ButtonGeometry, CaptionFollowsTheGlyph) {
    struct Case {
        L layout;
        A alignment;
        int margin, spacing;
        TPoint at;
    } cases[] = {
        {L::blGlyphLeft, A::taCenter, -1, 4, {113, 6}},      // half(25 - 13) = 6
        {L::blGlyphLeft, A::taLeftJustify, -1, 4, {24, 6}},  // margin 2
        {L::blGlyphLeft, A::taRightJustify, -1, 4, {203, 6}},
        {L::blGlyphRight, A::taCenter, -1, 4, {91, 6}},
        {L::blGlyphRight, A::taLeftJustify, 5, 4, {5, 6}},
        {L::blGlyphLeft, A::taLeftJustify, -1, -1, {142, 6}},  // margin and spacing: (265 - 78) div 3 = 62
        {L::blGlyphLeft, A::taLeftJustify, 10, -1, {116, 6}},  // spacing ((265 - 10 - 18) - 60) div 2 = 88
        {L::blGlyphTop, A::taCenter, -1, 4, {103, 17}},
        {L::blGlyphBottom, A::taCenter, -1, 4, {103, -5}},
    };
    for (const Case& c : cases) {
        ButtonGeometry g = MainWindowButton(c.layout, c.alignment);
        g.Margin = c.margin;
        g.Spacing = c.spacing;
        const TRect r = CaptionRect(g);
        EXPECT_EQ((TPoint{r.Left, r.Top}), c.at)
            << int(c.layout) << "/" << int(c.alignment) << " m " << c.margin << " s " << c.spacing;
        EXPECT_EQ((TPoint{r.Width(), r.Height()}), (TPoint{60, 13}));
    }
}

TEST(ButtonGeometry, RightToLeftSwapsTheGlyphSides) {
    ButtonGeometry g = MainWindowButton(L::blGlyphLeft, A::taLeftJustify);
    g.RightToLeft = true;
    EXPECT_EQ(CaptionRect(g).Left, 2);
}

TEST(ButtonGeometry, CaptionWidthLeavesRoomForASideGlyph) {
    EXPECT_EQ(CaptionLayoutWidth(MainWindowButton()), 265 + 2 - 22);
    EXPECT_EQ(CaptionLayoutWidth(MainWindowButton(L::blGlyphTop)), 267);
}

TEST(ButtonGeometry, BlendIsKeptBetweenNoneAndAll) {
    const std::pair<int, int> cases[] = {{150, 100}, {-5, 0}, {0, 0}, {100, 100}, {37, 37}};
    for (auto [set, stored] : cases) EXPECT_EQ(ClampBlend(set), stored) << set;
}

TEST(ButtonState, PressedNeedsThePushToBeOverTheButtonOrTheButtonReleased) {
    struct Case {
        ButtonStateInputs in;
        TButtonState expected;
    } cases[] = {
        {{}, bsNormal},
        {{.Down = true}, bsPressed},
        {{.Pushed = true, .MouseOver = true, .LeftHeldOnButton = true}, bsPressed},
        {{.Pushed = true, .MouseOver = false, .LeftHeldOnButton = true}, bsNormal},    // dragged off while held
        {{.Pushed = true, .MouseOver = false, .LeftHeldOnButton = false}, bsPressed},  // space key
        {{.Pushed = true, .LeftHeldOnButton = true, .Active = true}, bsHot},
        {{.DefaultLook = true}, bsHot},
        {{.Active = true}, bsHot},
        {{.DesigningDefault = true}, bsHot},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(CurrentState(cases[i].in), cases[i].expected) << i;
}

}  // namespace
}  // namespace lw::controls
