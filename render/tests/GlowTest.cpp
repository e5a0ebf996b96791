#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "FakeSkin.h"
#include "render/Glow.h"

namespace lw::render {
namespace {

struct FakeHost : GlowHost {
    bool Alpha = true;
    bool OnTop = false;
    GlowWindow Next = 1;
    std::vector<GlowWindow> Live;
    std::vector<GlowWindow> Topmost;
    TRect Placed;
    std::vector<std::uint32_t> Content;
    int ContentWidth = 0;
    bool SupportsPerPixelAlpha() const override { return Alpha; }
    GlowWindow CreateGlowWindow() override {
        Live.push_back(Next);
        return Next++;
    }
    bool OwnerStaysOnTop(OwnerWindow) const override { return OnTop; }
    void SetStayOnTop(GlowWindow w) override { Topmost.push_back(w); }
    void Place(GlowWindow, const TRect& r) override { Placed = r; }
    void SetContent(GlowWindow, const Bitmap& image) override {
        Content = testing::Pixels(image);
        ContentWidth = image.Width();
    }
    void ShowWithoutActivation(GlowWindow) override {}
    void DestroyGlowWindow(GlowWindow w) override { std::erase(Live, w); }
};

struct GlowFixture : ::testing::Test {
    testing::FakeSkin skin;
    FakeHost host;
    TgwGlowEffects glows{host};
    // A 32-bit 18 x 18 glow image, one frame, slices 6: its pixels' alpha is 10 + x.
    std::unique_ptr<testing::TestBitmap> image =
        testing::MakeBitmap(18, 18, PixelFormat::pf32bit, testing::Layout::TopDown);
    GlowFixture() {
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x) testing::SetPx(image->Bmp, x, y, 0x00FFFF, std::uint8_t(10 + x));
        MaskRef m;
        m.Bmp = &image->Bmp;
        m.HasManager = true;
        m.R = {0, 0, 18, 18};
        m.ImageCount = 1;
        m.StretchMode = 4;
        m.WL = m.WT = m.WR = m.WB = 6;
        skin.AddMask("EDIT", "GLOW0", m);
    }
};

TEST_F(GlowFixture, WindowAroundTheControl) {
    const TRect control = RectOfSize(200, 100, 100, 20);
    EXPECT_EQ(ShowGlowWindow(glows, control, {0, 0, 100, 20}, "EDIT", &skin, 0, 1, "GLOW"), 0);
    EXPECT_EQ(host.Placed, RectOfSize(195, 95, 110, 30));
    ASSERT_EQ(host.ContentWidth, 110);
    EXPECT_EQ(host.Content[0] >> 24, 10u) << "top-left corner keeps the image's alpha";
    EXPECT_EQ(host.Content[15 * 110 + 55], 0u) << "centre stays transparent";
    EXPECT_EQ(host.Content[15 * 110 + 109] >> 24, 27u) << "right edge from image column 17";
    EXPECT_TRUE(host.Topmost.empty());
}

TEST_F(GlowFixture, PartlyHiddenControlCutsItsGlow) {
    // The parent hides the control's left 10 columns: the glow starts where the control shows.
    host.OnTop = true;
    const TRect control = RectOfSize(200, 100, 100, 20);
    EXPECT_EQ(ShowGlowWindow(glows, control, {10, 0, 100, 20}, "EDIT", &skin, 0, 1, "GLOW"), 0);
    EXPECT_EQ(host.Placed, RectOfSize(210, 95, 95, 30));  // cut 6 + 10 - 1 = 15
    EXPECT_EQ(host.Content[0] >> 24, 19u) << "column 15 of the full top edge: image column 6 + (15 - 6) mod 6";
    EXPECT_EQ(host.Topmost.size(), 1u);
}

TEST_F(GlowFixture, RefusalsReturnMinusOne) {
    const TRect control = RectOfSize(0, 0, 100, 20);
    EXPECT_EQ(ShowGlowWindow(glows, control, {0, 0, 100, 20}, "BUTTON", &skin, 0, 1, "GLOW"), -1) << "no GLOW0";
    EXPECT_EQ(ShowGlowWindow(glows, RectOfSize(0, 0, 0, 0), {}, "EDIT", &skin, 0, 9, "GLOW"), -1) << "no size";
    EXPECT_EQ(ShowGlowWindow(glows, control, {99, 0, 100, 20}, "EDIT", &skin, 0, 40, "GLOW"), -1)
        << "cut away entirely";
    host.Alpha = false;
    EXPECT_EQ(ShowGlowWindow(glows, control, {0, 0, 100, 20}, "EDIT", &skin, 0, 1, "GLOW"), -1);
    EXPECT_TRUE(host.Live.empty());
}

TEST_F(GlowFixture, HandlesStayValidAfterHiding) {
    const TRect control = RectOfSize(0, 0, 50, 20);
    const TRect all{0, 0, 50, 20};
    const int a = ShowGlowWindow(glows, control, all, "EDIT", &skin, 0, 0, "GLOW");
    const int b = ShowGlowWindow(glows, control, all, "EDIT", &skin, 0, 0, "GLOW");
    HideGlowWindow(glows, a);
    HideGlowWindow(glows, a);
    HideGlowWindow(glows, 7);
    EXPECT_EQ(host.Live, (std::vector<GlowWindow>{2}));
    EXPECT_EQ(ShowGlowWindow(glows, control, all, "EDIT", &skin, 0, 0, "GLOW"), 2) << "slots are not reused";
    HideGlowWindow(glows, b);
    EXPECT_EQ(host.Live, (std::vector<GlowWindow>{3}));
    HideAllGlowWindows(glows);
    EXPECT_TRUE(host.Live.empty());
}

TEST(GlowSlicesTest, ZeroSlicesFallBack) {
    MaskRef m;
    m.R = {0, 0, 30, 12};
    m.ImageCount = 3;
    m.WL = 4;
    MaskRef s = GlowSlices(m);
    EXPECT_EQ(s.WL, 4);
    EXPECT_EQ(s.WR, 10) << "frame width";
    EXPECT_EQ(s.WT, 12) << "frame height";
    m.BorderWidth = 2;
    EXPECT_EQ(GlowSlices(m).WB, 2);
}

}  // namespace
}  // namespace lw::render
