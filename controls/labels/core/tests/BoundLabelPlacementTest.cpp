#include <gtest/gtest.h>

#include "controls/labels/core/BoundLabelPlacement.h"

namespace lw::controls {
namespace {

TEST(BoundLabelPlacement, EachLayoutBesideTheControl) {
    using enum TsCaptionLayoutKind;
    using enum TLabelAlignment;
    const TRect control = RectOfSize(100, 50, 200, 21);
    struct Case {
        const char* What;
        TsCaptionLayoutKind Layout;
        TPoint LabelSize;
        int Indent, MaxWidth;
        BoundLabelPlace Expected;
    };
    const Case cases[] = {
        {"left", sclLeft, {60, 13}, 0, 0, {RectOfSize(36, 53, 60, 13), taRightJustify, false}},
        {"left with indent", sclLeft, {60, 13}, 5, 0, {RectOfSize(31, 53, 60, 13), taRightJustify, false}},
        // Taller than the control: the half difference truncates toward zero (-9 div 2 = -4).
        {"left, taller label", sclLeft, {60, 30}, 0, 0, {RectOfSize(36, 45, 60, 30), taRightJustify, false}},
        {"top left", sclTopLeft, {60, 13}, 2, 0, {RectOfSize(100, 35, 60, 13), taLeftJustify, false}},
        {"top centre", sclTopCenter, {61, 13}, 0, 0, {RectOfSize(169, 37, 61, 13), taCenter, false}},
        {"top right", sclTopRight, {60, 13}, 0, 0, {RectOfSize(240, 37, 60, 13), taRightJustify, false}},
        {"fixed width wraps and is as tall as the control",
         sclTopLeft,
         {60, 13},
         0,
         90,
         {RectOfSize(100, 37, 90, 21), taLeftJustify, true}},
        {"fixed width keeps a taller label's height",
         sclLeft,
         {60, 30},
         0,
         40,
         {RectOfSize(36, 45, 40, 30), taRightJustify, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceBoundLabel(c.Layout, control, c.LabelSize, c.Indent, c.MaxWidth), c.Expected) << c.What;
}

}  // namespace
}  // namespace lw::controls
