#include <gtest/gtest.h>

#include "BitmapTestUtil.h"
#include "FakeSkin.h"
#include "render/Background.h"

namespace lw::render {
namespace {

using testing::MakeBitmap;
using testing::Px;

SectionPaint Plain(std::string name, TColor color, TColor hot = 0) {
    SectionPaint s;
    s.SectionName = std::move(name);
    s.Color = color;
    s.HotColor = hot;
    return s;
}

// A parent's painted bitmap: every pixel names its position (red x, green y).
std::unique_ptr<testing::TestBitmap> Parent() {
    auto p = MakeBitmap(20, 20, PixelFormat::pf24bit, testing::Layout::BottomUp);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) testing::SetPx(p->Bmp, x, y, MakeColor(x, y, 200));
    return p;
}

struct BackgroundFixture : ::testing::Test {
    testing::FakeSkin skin;
    std::unique_ptr<testing::TestBitmap> target =
        MakeBitmap(8, 6, PixelFormat::pf24bit, testing::Layout::Padded, 0x111111);
    std::unique_ptr<testing::TestBitmap> parent = Parent();
    // Item at (3, 4) of its parent whose cache offset adds (1, 2).
    TsCacheInfo FromParent() const { return CacheInfoFromBitmap(parent->Bmp, 1, 2); }
    void Paint(int section, const TsCacheInfo& bg, int state, TRect r = {0, 0, 8, 6}) {
        PaintSectionBackground(section, skin.Sections[std::size_t(section)].SectionName, bg, TransparentKey, -1, -1,
                               &skin, target->Bmp, {3, 4}, r, state);
    }
};

TEST_F(BackgroundFixture, PlainColourPerState) {
    const int s = skin.AddSection(Plain("PANEL", 0x0000AA, 0x00BB00));
    Paint(s, EmptyCacheInfo, 0);
    EXPECT_EQ(Px(target->Bmp, 7, 5), 0x0000AAu);
    Paint(s, EmptyCacheInfo, 3);
    EXPECT_EQ(Px(target->Bmp, 0, 0), 0x00BB00u);
    EXPECT_TRUE(target->PaddingIntact());
}

TEST_F(BackgroundFixture, TransparencyShowsTheParent) {
    SectionPaint full = Plain("GLASS", 0x0000AA);
    full.Transparency = 100;
    const int s = skin.AddSection(full);
    Paint(s, FromParent(), 0, {2, 1, 6, 5});
    // Pixel (2, 1) of the item shows parent pixel (2 + 1 + 3, 1 + 2 + 4).
    EXPECT_EQ(Px(target->Bmp, 2, 1), MakeColor(6, 7, 200));
    EXPECT_EQ(Px(target->Bmp, 5, 4), MakeColor(9, 10, 200));
    EXPECT_EQ(Px(target->Bmp, 1, 1), 0x111111u);

    SectionPaint part = Plain("HAZE", MakeColor(100, 100, 0));
    part.Transparency = 40;
    const int h = skin.AddSection(part);
    Paint(h, FromParent(), 0);
    // Parent keeps A = 102, own colour 153: red (4*102 + 100*153 + 127) >> 8 = 61.
    EXPECT_EQ(Px(target->Bmp, 0, 0), MakeColor(61, 62, 80));
}

TEST_F(BackgroundFixture, TransparentSectionWithNothingBehindLeavesTheKey) {
    SectionPaint glass = Plain("GLASS", 0x0000AA);
    glass.Transparency = 100;
    const int s = skin.AddSection(glass);
    Paint(s, CacheInfoFromColor(TransparentKey), 0);
    EXPECT_EQ(Px(target->Bmp, 4, 4), TransparentKey);
    Paint(s, CacheInfoFromColor(0x445566), 0);
    EXPECT_EQ(Px(target->Bmp, 4, 4), 0x445566u);
}

TEST_F(BackgroundFixture, GradientShareAndTextureShare) {
    SectionPaint g = Plain("BUTTON", 0x0000AA);
    g.GradientPercent = 100;
    const int empty = skin.AddSection(g);
    Paint(empty, EmptyCacheInfo, 0);
    EXPECT_EQ(Px(target->Bmp, 3, 3), 0x0000AAu) << "no gradient data: the colour";

    g.SectionName = "BUTTON2";
    g.GradientArray = {{0x202020, 0x202020, 100, 0}};
    const int painted = skin.AddSection(g);
    Paint(painted, EmptyCacheInfo, 0);
    EXPECT_EQ(Px(target->Bmp, 3, 3), 0x202020u) << "gradient only, no colour mix";

    // Texture 29 %: a 1x1-tiled texture of red 200 against colour red 0.
    auto texture = MakeBitmap(2, 2, PixelFormat::pf24bit, testing::Layout::TopDown, MakeColor(200, 0, 0));
    skin.Patterns.push_back({"TEXTURED", "PATTERN", &texture->Bmp});
    SectionPaint t = Plain("TEXTURED", MakeColor(0, 0, 100));
    t.ImagePercent = 29;
    const int tex = skin.AddSection(t);
    Paint(tex, EmptyCacheInfo, 0);
    EXPECT_EQ(Px(target->Bmp, 5, 5), MakeColor(58, 0, 71));  // 0.29*200 = 58, 0.71*100 = 71

    // Texture 30 % with gradient 50 %: texture keeps A = 76, then 80 % against 20 % colour.
    t.SectionName = "TEXTURED";
    t.GradientPercent = 50;
    t.GradientArray = {{MakeColor(0, 100, 0), MakeColor(0, 100, 0), 100, 0}};
    t.ImagePercent = 30;
    skin.Sections[std::size_t(tex)] = t;
    Paint(tex, EmptyCacheInfo, 0);
    // red: (200*76 + 0*179 + 127) >> 8 = 59 -> round(0.8*59) = 47; green: (100*179+127)>>8 = 70 -> 56;
    // blue: 0.2 * 100 = 20.
    EXPECT_EQ(Px(target->Bmp, 5, 5), MakeColor(47, 56, 20));
}

TEST_F(BackgroundFixture, CustomColourIgnoresTheSection) {
    SectionPaint g = Plain("PANEL", 0x0000AA);
    g.Transparency = 50;
    g.GradientPercent = 100;
    g.GradientArray = {{0x202020, 0x202020, 100, 0}};
    ControlSkinRef c{&skin, skin.AddSection(g), "PANEL"};
    c.CustomColor = true;
    c.OwnerColor = 0x336699;
    PaintControlBackground(c, FromParent(), 0, target->Bmp, {0, 0}, target->Bmp.Bounds());
    EXPECT_EQ(Px(target->Bmp, 2, 2), 0x336699u);
}

TEST_F(BackgroundFixture, HotOnlyBorderAndCornerImages) {
    auto master = MakeBitmap(6, 6, PixelFormat::pf24bit, testing::Layout::TopDown, 0x00EE00);
    testing::SetPx(master->Bmp, 0, 0, 0xEE0000);
    MaskRef border;
    border.Master = &master->Bmp;
    border.HasManager = true;
    border.R = {0, 0, 4, 4};
    border.ImageCount = 2;
    border.StretchMode = 2;
    border.WL = border.WT = border.WR = border.WB = 1;
    MaskRef corner = border;
    corner.R = {4, 0, 6, 2};
    corner.ImageCount = 1;
    SectionPaint s = Plain("BUTTON", 0x0000AA);
    s.ImgBR = skin.AddMask("BUTTON", "IMGBTMRIGHT", corner);
    ControlSkinRef c{&skin, skin.AddSection(s), "BUTTON", skin.AddMask("BUTTON", "BORDERSMASK", border)};
    PaintControlItem(c, EmptyCacheInfo, false, false, target->Bmp, {0, 0}, target->Bmp.Bounds(), 0);
    EXPECT_EQ(Px(target->Bmp, 0, 0), 0x0000AAu) << "no border in state 0";
    EXPECT_EQ(Px(target->Bmp, 6, 4), 0x00EE00u) << "corner image at the bottom right";
    EXPECT_EQ(Px(target->Bmp, 5, 3), 0x0000AAu);
    PaintControlItem(c, EmptyCacheInfo, false, false, target->Bmp, {0, 0}, target->Bmp.Bounds(), 1);
    EXPECT_EQ(Px(target->Bmp, 0, 0), 0x00EE00u) << "hot frame: column 2 of the master";
}

TEST_F(BackgroundFixture, ItemToSurfaceKeepsOffWindowlessChildren) {
    const int s = skin.AddSection(Plain("PANEL", 0x0000AA));
    Surface surface(target->Bmp);
    const GraphicChild children[] = {
        {{1, 1, 3, 3}, true, false}, {{4, 1, 6, 3}, true, true}, {{1, 4, 3, 6}, false, false}};
    ExcludeGraphicChildren(surface, children, 0, 0);
    PaintItemToDC(s, "PANEL", EmptyCacheInfo, &skin, surface, {0, 0}, {0, 0, 8, 6}, 0, false);
    EXPECT_EQ(Px(target->Bmp, 2, 2), 0x111111u) << "visible windowless child kept";
    EXPECT_EQ(Px(target->Bmp, 5, 2), 0x0000AAu) << "windowed child painted over";
    EXPECT_EQ(Px(target->Bmp, 2, 5), 0x0000AAu) << "hidden child painted over";
}

TEST_F(BackgroundFixture, SectionByNameFallsBackAndReadsTheSurface) {
    SectionPaint glass = Plain("FALLBACK", 0x0000AA);
    glass.Transparency = 100;
    const int s = skin.AddSection(glass);
    Surface surface(parent->Bmp);
    Bitmap out = CreateBmp24(3, 3);
    EXPECT_EQ(PaintSectionByName(out, "MISSING", "FALLBACK", &surface, 0, {5, 6, 8, 9}, &skin, 0), s);
    EXPECT_EQ(Px(out, 0, 0), MakeColor(5, 6, 200));
    EXPECT_EQ(PaintSectionByName(out, "MISSING", "ALSO", nullptr, 0, {0, 0, 3, 3}, &skin, 0), -1);
}

}  // namespace
}  // namespace lw::render
