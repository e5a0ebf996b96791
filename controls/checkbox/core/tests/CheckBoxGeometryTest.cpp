#include <gtest/gtest.h>

#include "controls/checkbox/core/CheckBoxGeometry.h"

namespace lw::controls {
namespace {

// The application's box: "BOXCHECKED" is a 48 x 18 rectangle of the master image, three frames.
render::MaskRef MasterRect(int width, int height, int imageCount, int maskType) {
    render::MaskRef m;
    m.R = RectOfSize(10, 20, width, height);
    m.ImageCount = imageCount;
    m.MaskType = maskType;
    return m;
}

TEST(CheckBoxGeometry, BoxSizeFromTheSkinsMask) {
    const render::MaskRef plain = MasterRect(48, 18, 3, 0);
    const render::MaskRef masked = MasterRect(60, 40, 4, 1);
    const render::MaskRef broken = MasterRect(48, 18, 0, -1);
    const render::Bitmap own = render::CreateBmp24(45, 30);
    render::MaskRef withImage = MasterRect(99, 99, 9, 0);
    withImage.Bmp = &own;

    EXPECT_EQ(SkinBoxSize(&plain), (BoxSize{16, 18}));
    EXPECT_EQ(SkinBoxSize(&masked), (BoxSize{15, 20}));
    EXPECT_EQ(SkinBoxSize(&withImage), (BoxSize{15, 15})) << "an own image holds three frames over their masks";
    EXPECT_EQ(SkinBoxSize(&broken), (BoxSize{48, 18})) << "no frame count divides by nothing";
    EXPECT_EQ(SkinBoxSize(nullptr), (BoxSize{16, 16}));
    EXPECT_EQ(GlyphBoxSize(48, 32), (BoxSize{16, 16}));
}

TEST(CheckBoxGeometry, BoxAndCaptionPlacement) {
    struct Case {
        const char* What;
        CheckBoxLayout Layout;
        BoxSize Box;
        int TextWidth, TextHeight;
        TRect ExpectedBox, ExpectedCaption;
    };
    const Case cases[] = {
        {"the Settings window's box",
         {268, 20, 2, 0, true, false},
         {16, 18},
         230,
         13,
         {2, 1, 18, 19},
         {22, 2, 252, 15}},
        {"indent widens the gap", {268, 20, 2, 5, true, false}, {16, 18}, 100, 13, {2, 1, 18, 19}, {27, 2, 127, 15}},
        {"box on the right", {200, 20, 2, 0, false, false}, {16, 18}, 100, 13, {182, 1, 198, 19}, {2, 2, 180, 15}},
        {"word wrap moves left too", {268, 20, 2, 0, true, true}, {16, 18}, 100, 13, {2, 1, 18, 19}, {21, 2, 121, 15}},
        // A caption taller than the control stays off the top edge by the margin.
        {"tall caption", {120, 16, 3, 0, true, false}, {16, 18}, 50, 30, {3, -1, 19, 17}, {23, 2, 73, 32}},
        {"odd height truncates", {100, 23, 2, 0, true, false}, {16, 18}, 40, 13, {2, 2, 18, 20}, {22, 4, 62, 17}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckBoxRect(c.Layout, c.Box, true), c.ExpectedBox) << c.What;
        EXPECT_EQ(CheckBoxCaptionRect(c.Layout, c.Box, c.TextWidth, c.TextHeight), c.ExpectedCaption) << c.What;
    }
    EXPECT_EQ(CheckBoxRect({268, 20, 2, 0, true, false}, {16, 16}, false), (TRect{0, 0, 16, 16}))
        << "without the skin's image the box stays at the corner";
    EXPECT_EQ(CaptionAvailableWidth({268, 20, 2, 0, true, false}, {16, 18}), 246);
}

TEST(CheckBoxGeometry, FocusFrameAndAutoSize) {
    EXPECT_EQ(CaptionFocusRect({22, 2, 252, 15}, false), (TRect{21, 2, 253, 15}));
    EXPECT_EQ(CaptionFocusRect({22, 2, 252, 15}, true), (TRect{21, 2, 253, 16}));

    EXPECT_EQ(CheckBoxAutoSize({16, 18}, 2, 0, true, 230, 13), (TPoint{258, 20}));
    EXPECT_EQ(CheckBoxAutoSize({16, 18}, 2, 3, true, 100, 30), (TPoint{131, 36}));
    EXPECT_EQ(CheckBoxAutoSize({16, 18}, 2, 3, false, 0, 0), (TPoint{20, 20})) << "no caption: the box and margins";
}

}  // namespace
}  // namespace lw::controls
