#include <gtest/gtest.h>

#include "controls/base/core/ControlKinds.h"

namespace lw::controls {
namespace {

TEST(ControlKinds, DefaultSectionFollowsTheKindTableElseTheUpperCasedClassName) {
    struct Case {
        int Kind;
        const char* Expected;
    };
    const Case cases[] = {{3, "EDIT"},
                          {7, "EDIT"},
                          {97, "EDIT"},
                          {227, "EDIT"},
                          {11, "COMBOBOX"},
                          {82, "COMBOBOX"},
                          {19, "BAR"},
                          {20, "BARTITLE"},
                          {32, "CHECKBOX"},
                          {152, "CHECKBOX"},
                          {33, "RADIOBUTTON"},
                          {51, "PANEL"},
                          {73, "PANEL"},
                          {52, "PANEL_LOW"},
                          {58, "PANEL_LOW"},
                          {53, "TOOLBAR"},
                          {60, "TOOLBAR"},
                          {56, "DRAGBAR"},
                          {57, "TABSHEET"},
                          {74, "GROUPBOX"},
                          {226, "GROUPBOX"},
                          {75, "SPLITTER"},
                          {92, "SPEEDBUTTON"},
                          {95, "SPEEDBUTTON"},
                          {93, "BUTTON"},
                          {94, "BUTTON"},
                          {98, "TOOLBUTTON"},
                          {141, "PAGECONTROL"},
                          {151, "STATUSBAR"},
                          {161, "GAUGE"},
                          {165, "TRACKBAR"},
                          {134, "TSDIRECTORYEDIT"},
                          {9, "TSDIRECTORYEDIT"},
                          {55, "TSDIRECTORYEDIT"}};
    for (const Case& c : cases) EXPECT_EQ(DefaultSectionOfKind(c.Kind, "TsDirectoryEdit"), c.Expected) << c.Kind;
}

TEST(ControlKinds, TheThreeSetsHoldTheirKindsAndNoNeighbours) {
    for (int k : {19, 51, 74, 110, 141, 161}) EXPECT_TRUE(IsContainerKind(k)) << k;
    for (int k : {18, 50, 75, 109, 140, 162, 94}) EXPECT_FALSE(IsContainerKind(k)) << k;
    for (int k : {51, 52, 54, 56, 60, 68, 73, 74, 92, 93, 94, 110, 141, 143, 151, 161, 226})
        EXPECT_TRUE(ShowsNoSharedGlow(k)) << k;
    for (int k : {53, 55, 61, 72, 95, 142, 32, 3}) EXPECT_FALSE(ShowsNoSharedGlow(k)) << k;
    for (int k : {2, 18, 41, 76, 84, 96, 97, 131, 140}) EXPECT_TRUE(IsEditLikeKind(k)) << k;
    for (int k : {1, 19, 40, 75, 85, 98, 130, 141}) EXPECT_FALSE(IsEditLikeKind(k)) << k;
}

}  // namespace
}  // namespace lw::controls
