#include <gtest/gtest.h>

#include <vector>

#include "controls/labels/core/LabelColors.h"
#include "render/tests/FakeSkin.h"

namespace lw::controls {
namespace {

constexpr TColor kGlobalText = 0x808080, kPanelText = 0x00FF00, kFormText = 0x0000FF;

render::SectionPaint Section(const char* name, int transparency, bool ownFont, TColor text) {
    render::SectionPaint s;
    s.SectionName = name;
    s.Transparency = transparency;
    s.GiveOwnFont = ownFont;
    s.FontColor = {text, 0xFFFFFFFF, 0x5858FF, 0xFFFFFFFF, 0xFFFF80};
    return s;
}

struct Skin {
    render::testing::FakeSkin Fake;
    int Global = Fake.AddSection(Section("GLOBALINFO", 0, false, kGlobalText));
    int Clear = Fake.AddSection(Section("CLEARPANEL", 60, true, kPanelText));
    int HalfClear = Fake.AddSection(Section("HALFPANEL", 50, true, kPanelText));
    int Plain = Fake.AddSection(Section("PLAINPANEL", 0, false, kPanelText));
    int Form = Fake.AddSection(Section("FORM", 0, true, kFormText));
};

TEST(LabelColors, TextColourClimbsPastMostlyTransparentParents) {
    Skin s;
    struct Case {
        const char* What;
        std::vector<int> Ancestors;
        TColor Expected;
    };
    const Case cases[] = {
        {"own font of the parent", {s.HalfClear, s.Form}, kPanelText},
        {"transparent parent shows its parent's colours", {s.Clear, s.Form}, kFormText},
        {"two transparent levels", {s.Clear, s.Clear, s.Form}, kFormText},
        {"transparent parent without a parent of its own", {s.Clear}, kPanelText},
        {"a section without its own font gives the global one", {s.Plain, s.Form}, kGlobalText},
        {"an unskinned parent gives the global one", {-1, s.Form}, kGlobalText},
        {"a transparent parent over an unskinned one", {s.Clear, -1}, kGlobalText},
        {"no parent", {}, kGlobalText},
    };
    for (const Case& c : cases) EXPECT_EQ(LabelSkinColor(c.Ancestors, s.Fake), c.Expected) << c.What;

    render::testing::FakeSkin noGlobal;
    noGlobal.AddSection(Section("PLAINPANEL", 0, false, kPanelText));
    EXPECT_EQ(LabelSkinColor(std::vector<int>{0}, noGlobal), std::nullopt);
}

TEST(LabelColors, WebLabelTakesTheGlobalOutlineColoursOrItsOwn) {
    Skin s;
    EXPECT_EQ(WebLabelColor(false, &s.Fake, 0x123456), 0xFFFF80u);
    EXPECT_EQ(WebLabelColor(true, &s.Fake, 0x123456), 0x5858FFu);
    EXPECT_EQ(WebLabelColor(false, nullptr, 0x123456), 0x123456u) << "no skin in use: the font's own colour";
    EXPECT_EQ(WebLabelColor(true, nullptr, 0xFFFFFFFF), 0x0000FFu) << "missing under the mouse: red";

    s.Fake.Sections[s.Global].FontColor[2] = 0xFFFFFFFF;
    s.Fake.Sections[s.Global].FontColor[4] = 0xFFFFFFFF;
    EXPECT_EQ(WebLabelColor(true, &s.Fake, 0x123456), 0x0000FFu);
    EXPECT_EQ(WebLabelColor(false, &s.Fake, 0x123456), 0xFF0000u) << "missing: blue";
}

TEST(LabelColors, DisabledCaptionIsFortyPerCentFontOverBackground) {
    EXPECT_EQ(DisabledLabelColor(0xFFFFFF, 0x000000), 0x666666u);
    EXPECT_EQ(DisabledLabelColor(0x0000C8, 0x640000), 0x3C0050u);
}

}  // namespace
}  // namespace lw::controls
