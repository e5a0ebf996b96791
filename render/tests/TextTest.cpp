#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "FakeSkin.h"
#include "render/Text.h"

namespace lw::render {
namespace {

using testing::MakeBitmap;
using testing::Px;

// Records what would be drawn; every character is 6 pixels wide and 10 high.
struct FakeEngine : TextEngine {
    struct Call {
        TColor Color;
        TRect R;
        unsigned Format;
        bool Underline;
        TRect Clip;
    };
    std::vector<Call> Calls;
    bool MeasureFails = false;
    void Draw(Surface& s, const TextFont& f, TColor color, std::string_view, const TRect& r, unsigned format) override {
        Calls.push_back({color, r, format, f.Underline, s.ClipBox()});
    }
    bool Measure(const TextFont&, std::string_view text, TPoint& size) const override {
        if (MeasureFails) return false;
        size = {int(text.size()) * 6, 10};
        return true;
    }
};

struct TextFixture : ::testing::Test {
    testing::FakeSkin skin;
    std::unique_ptr<testing::TestBitmap> target = MakeBitmap(40, 20, PixelFormat::pf24bit, testing::Layout::TopDown);
    Surface surface{target->Bmp};
    FakeEngine engine;
    Canvas canvas{surface, engine, {}};
    int Section(std::string name, std::array<TColor, 5> font, int transparency = 0, bool give = false) {
        SectionPaint s;
        s.SectionName = std::move(name);
        s.Color = 0x2F2F2F;
        s.FontColor = s.HotFontColor = font;
        s.HotFontColor[0] = 0x0000FF;
        s.Transparency = s.HotTransparency = transparency;
        s.GiveOwnFont = give;
        return skin.AddSection(s);
    }
};

TEST_F(TextFixture, OutlinesAreDrawnOnePixelAwayUnlessMinusOne) {
    const int all = Section("LABEL", {0x111111, 0x1, 0x2, 0x3, 0x4});
    const TRect r{10, 5, 30, 15};
    WriteSkinText(canvas, "Text", true, &skin, false, all, 0x25, r);
    ASSERT_EQ(engine.Calls.size(), 5u);
    const TRect shifted[] = {{9, 5, 29, 15}, {10, 4, 30, 14}, {11, 5, 31, 15}, {10, 6, 30, 16}, r};
    const TColor colors[] = {0x1, 0x2, 0x3, 0x4, 0x111111};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(engine.Calls[i].R, shifted[i]) << i;
        EXPECT_EQ(engine.Calls[i].Color, colors[i]) << i;
        EXPECT_EQ(engine.Calls[i].Format, 0x25u);
    }
    engine.Calls.clear();
    const int none = Section("PLAIN", {0x111111, NoOutline, NoOutline, 0x3, NoOutline});
    WriteSkinText(canvas, "Text", true, &skin, true, none, 0, r);
    ASSERT_EQ(engine.Calls.size(), 2u);
    EXPECT_EQ(engine.Calls[1].Color, 0x0000FFu) << "hot text colour";
    engine.Calls.clear();
    WriteSkinText(canvas, "", true, &skin, false, all, 0, r);
    WriteSkinText(canvas, "Text", true, &skin, false, 99, 0, r);
    EXPECT_TRUE(engine.Calls.empty());
}

TEST_F(TextFixture, DisabledCaptionMixesTextAndSectionColour) {
    const int s = Section("BUTTON", {0x808080, 0x1, 0x2, 0x3, 0x4});
    WriteSkinText(canvas, "Text", false, &skin, false, s, 0, {0, 0, 10, 10});
    ASSERT_EQ(engine.Calls.size(), 1u);
    EXPECT_EQ(engine.Calls[0].Color, 0x4F4F4Fu);  // round(0.4*128 + 0.6*47) = 79
}

TEST_F(TextFixture, ControlCaptionsClipUnderlineAndBorrowParentColours) {
    ControlText web;
    web.Skin = {&skin, Section("WEBBUTTON", {0x111111, NoOutline, NoOutline, NoOutline, NoOutline}), "WEBBUTTON"};
    const TRect r{2, 3, 12, 9};
    WriteControlText(canvas, "x", true, true, web, 0x20, r);
    WriteControlText(canvas, "x", true, false, web, 0x20, r);
    ASSERT_EQ(engine.Calls.size(), 2u);
    EXPECT_TRUE(engine.Calls[0].Underline);
    EXPECT_FALSE(engine.Calls[1].Underline);
    EXPECT_EQ(engine.Calls[0].Format, 0x20u | TextNoClip);
    EXPECT_EQ(engine.Calls[0].Clip, r);
    EXPECT_EQ(surface.ClipBox(), target->Bmp.Bounds()) << "clip restored";

    // A transparent check box over a see-through panel inside a group box that gives its font.
    ControlText box;
    box.Skin = {&skin, Section("CHECKBOX", {0x111111, NoOutline, NoOutline, NoOutline, NoOutline}, 100), "CHECKBOX"};
    box.FollowsParent = true;
    box.ParentSections = {Section("PANEL", {0x222222, NoOutline, NoOutline, NoOutline, NoOutline}, 80),
                          Section("GROUPBOX", {0x333333, NoOutline, NoOutline, NoOutline, NoOutline}, 0, true)};
    engine.Calls.clear();
    WriteControlText(canvas, "x", true, false, box, 0, r);
    EXPECT_EQ(engine.Calls.back().Color, 0x333333u);
    box.ParentSections[1] = Section("GROUPBOX2", {0x444444, NoOutline, NoOutline, NoOutline, NoOutline});
    WriteControlText(canvas, "x", true, false, box, 0, r);
    EXPECT_EQ(engine.Calls.back().Color, 0x111111u) << "parent that gives nothing: own colours";

    skin.Global = 0x2F2F2F;
    box.Font.Color = 0x808080;
    WriteControlText(canvas, "x", false, false, box, 0, r);
    EXPECT_EQ(engine.Calls.back().Color, 0x232323u) << "disabled: 0.4*17 + 0.6*47 with the skin global colour";
}

TEST_F(TextFixture, EllipsisNeverWiderThanItsWidth) {
    struct Case {
        const char* text;
        int width;
        const char* want;
    } cases[] = {
        {"abc", 18, "abc"},            // fits exactly: unchanged, no dots
        {"abcdefghij", 40, "abc..."},  // "abcd..." is 42 wide
        {"abcdefghij", 17, ""},        // "..." alone is 18 wide
        {"abcdefghij", 0, ""},
        // Two bytes a letter: room for five bytes cuts before the third letter, not inside it.
        {"Привет", 48, "Пр..."},
    };
    for (const Case& c : cases) {
        const std::string got = FitTextWithEllipsis(canvas, c.text, c.width);
        EXPECT_EQ(got, c.want) << c.text << " in " << c.width;
        EXPECT_LE(int(got.size()) * 6, c.width);
    }
    engine.MeasureFails = true;
    EXPECT_EQ(MeasureText(engine, {}, "abc"), (TPoint{0, 0}));
    EXPECT_EQ(FitTextWithEllipsis(canvas, "abcdefghij", 5), "abcdefghij") << "unmeasurable text counts as fitting";
}

TEST(FocusDotsTest, EveryThirdPixelAndClippedAtTheEdges) {
    auto b = MakeBitmap(9, 9, PixelFormat::pf24bit, testing::Layout::Padded, 0x777777);
    Surface s(b->Bmp);
    DrawFocusDots(s, {1, 1, 7, 7});
    EXPECT_EQ(Px(b->Bmp, 1, 1), 0u);
    EXPECT_EQ(Px(b->Bmp, 4, 1), 0u);
    EXPECT_EQ(Px(b->Bmp, 2, 1), 0x777777u);
    EXPECT_EQ(Px(b->Bmp, 3, 0), 0xFFFFFFu);
    EXPECT_EQ(Px(b->Bmp, 7, 4), 0u) << "right edge column R";
    EXPECT_EQ(Px(b->Bmp, 6, 3), 0xFFFFFFu);
    DrawFocusDots(s, {0, 0, 9, 9});  // dots at -1 and 9 fall outside
    EXPECT_TRUE(b->PaddingIntact());
}

}  // namespace
}  // namespace lw::render
