#include <windows.h>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/base/Panel.h"
#include "controls/buttons/BitBtn.h"
#include "controls/base/core/BorderPainting.h"
#include "controls/images/AlphaImageList.h"
#include "platform/Application.h"
#include "platform/Containers.h"
#include "platform/Form.h"
#include "render/Gradient.h"
#include "skin/SkinPackWriter.h"
#include "skin/tests/TestImages.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/GdiHighWater.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinManagerSetup.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

using namespace std::chrono_literals;

using testsupport::SilentPrompt;

constexpr std::uint8_t kGlyphRed = 200;

// The main window's button on its panel, skinned by the stored skin, with a solid red glyph.
struct StoredSkinButton : ::testing::Test, testsupport::SkinnedFormSetup {
    TsPanel& panel = form.Make<TsPanel>(&form);
    TsAlphaImageList& images = form.Make<TsAlphaImageList>(18, 18);
    TsBitBtn& button = form.Make<TsBitBtn>(&panel);
    platform::TButton& other = form.Make<platform::TButton>(&panel);  // holds the focus
    int clicks = 0;
    void SetUp() override {
        images.AddPng(skin::testing::MakePng(24, 24, [](int, int) {
            return std::array<std::uint8_t, 4>{kGlyphRed, 0, 0, 255};
        }));
        panel.SetBounds({0, 0, 593, 281});
        button.SetBounds({296, 88, 265, 25});
        button.SetText("Настройки");
        button.SetImages(&images);
        button.SetImageIndex(0);
        button.OnClick = [this] { ++clicks; };
        form.SetBounds({0, 0, 600, 320});
        form.FinishLoading();
        form.Show();
        other.SetFocus();
        ASSERT_TRUE(button.SkinData().Skinned());
        Paint();
    }
    void Paint() { RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
    render::Bitmap& Cache() { return *button.SkinData().CacheBmp; }
    TColor CachePixel(int x, int y) {
        const std::uint8_t* p = Cache().Pixel(x, y);
        return MakeColor(p[2], p[1], p[0]);
    }
    // The section's gradient painted over the whole button, as the skin describes it.
    render::Bitmap Gradient(bool hot) {
        const render::SectionPaint* s = manager.LoadedSkin()->Section(button.SkinData().SkinIndex);
        render::Bitmap bmp = render::CreateBmp24(265, 25);
        render::PaintGradient(bmp, {0, 0, 265, 25}, hot ? s->HotGradientArray : s->GradientArray);
        return bmp;
    }
    void Send(UINT message, int x, int y, WPARAM keys = 0) {
        SendMessageW(button.Handle(), message, keys, MAKELPARAM(x, y));
    }
};

TEST_F(StoredSkinButton, NormalAndHotLooksPaintTheSectionsGradientsBetweenTheBorderRows) {
    for (bool hot : {false, true}) {
        if (hot) {
            button.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button));
            ASSERT_TRUE(testsupport::PumpUntil([&] { return !button.Fading(); }));
            ASSERT_EQ(button.CurrentState(), bsHot);
        }
        render::Bitmap expected = Gradient(hot);
        const int wt = button.SkinData().BorderMask()->WT, wb = button.SkinData().BorderMask()->WB;
        for (int x : {20, 250})
            for (int y = wt; y < 25 - wb; ++y) {
                const std::uint8_t* e = expected.Pixel(x, y);
                EXPECT_EQ(CachePixel(x, y), MakeColor(e[2], e[1], e[0]))
                    << (hot ? "hot" : "normal") << " " << x << "," << y;
            }
    }
}

TEST_F(StoredSkinButton, TheGlyphSitsBesideTheCaptionAndMovesWhenPressed) {
    const TRect glyph = button.GlyphRect();
    EXPECT_EQ(glyph.Left, (265 - 18 - 4 - button.TextSize().X) / 2);
    EXPECT_EQ(glyph.Top, 3);
    EXPECT_EQ(button.CaptionRect().Left, glyph.Left + 22);
    auto red = [&](int x, int y) { return RedOf(CachePixel(x, y)) > 150 && GreenOf(CachePixel(x, y)) < 60; };
    EXPECT_TRUE(red(glyph.Left, glyph.Top));
    EXPECT_FALSE(red(glyph.Left - 1, glyph.Top + 5));

    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    ASSERT_EQ(button.CurrentState(), bsPressed);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !button.Fading(); }));
    EXPECT_EQ(button.GlyphRect().Left, glyph.Left + 1);
    EXPECT_TRUE(red(glyph.Left + 18, glyph.Top + 18));
    EXPECT_FALSE(red(glyph.Left, glyph.Top + 5));
    Send(WM_LBUTTONUP, 5, 5);
}

TEST_F(StoredSkinButton, MouseSequencesClickOnlyWhenReleasedOverTheButtonAndFadeEachChange) {
    // Press and release over the button: a click, a half-speed fade each way. No hint shows
    // while the button is held.
    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_TRUE(button.Fading());
    EXPECT_FALSE(application.Hints().Active());
    Send(WM_LBUTTONUP, 5, 5);  // during the press fade: it is stopped and the release fade runs
    EXPECT_TRUE(application.Hints().Active());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button.Fading());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !button.Fading(); }));
    EXPECT_NE(button.CurrentState(), bsPressed);
    // The fade ended on the released look: the glyph is back in its place.
    const TRect glyph = button.GlyphRect();
    EXPECT_GT(RedOf(CachePixel(glyph.Left, glyph.Top)), 150);

    SendMessageW(button.Handle(), BM_CLICK, 0, 0);  // what the program's driver does
    EXPECT_EQ(clicks, 2);

    // Press, drag off and release outside: no click, and the button is not left pressed.
    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Send(WM_MOUSEMOVE, -40, -40, MK_LBUTTON);
    Send(WM_LBUTTONUP, -40, -40);
    EXPECT_EQ(clicks, 2);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !button.Fading(); }));
    EXPECT_NE(button.CurrentState(), bsPressed);

    // Pressing took the focus, which shows the hot look; entering and leaving fade and end.
    EXPECT_EQ(button.CurrentState(), bsHot);
    other.SetFocus();
    button.Perform(platform::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&button));  // the drag's pointer left
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !button.Fading(); }));
    Paint();
    button.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button));
    EXPECT_TRUE(button.Fading());
    EXPECT_TRUE(button.SkinData().MouseInside());
    button.Perform(platform::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&button));
    EXPECT_FALSE(button.SkinData().MouseInside());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !button.Fading(); }));
    EXPECT_EQ(button.CurrentState(), bsNormal);
}

TEST_F(StoredSkinButton, SpaceClicksOnReleaseAndAnEmptyEventSetNeverFades) {
    button.SetFocus();
    SendMessageW(button.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(button.CurrentState(), bsPressed);
    SendMessageW(button.Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks, 1);

    button.AnimatEvents = 0;
    button.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button));
    EXPECT_FALSE(button.Fading());
}

// Buttons share the DC their captions are measured on: each measure must be in its own font.
TEST_F(StoredSkinButton, TheCaptionIsMeasuredInTheButtonsCurrentFont) {
    const TPoint normal = button.TextSize();
    platform::TFont large = button.Font();
    large.Height = -24;
    auto& big = form.Make<TsBitBtn>(&panel);
    big.SetBounds({0, 200, 265, 40});
    big.SetText("Настройки");
    big.SetFont(large);
    const TPoint bigSize = big.TextSize();
    EXPECT_GT(bigSize.X, normal.X);
    EXPECT_GT(bigSize.Y, normal.Y);
    EXPECT_EQ(button.TextSize().X, normal.X) << "after the big one";
    EXPECT_EQ(button.TextSize().Y, normal.Y) << "after the big one";
    button.SetFont(large);
    EXPECT_EQ(button.TextSize().X, bigSize.X);
    EXPECT_EQ(button.TextSize().Y, bigSize.Y);
}

TEST_F(StoredSkinButton, TheWindowRegionLeavesOutTheBordersTransparentCorners) {
    platform::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(button.Handle(), region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.get(), 264, 24));
    EXPECT_TRUE(PtInRegion(region.get(), 132, 12));
    EXPECT_TRUE(PtInRegion(region.get(), 132, 0));
    EXPECT_EQ(button.PendingRegion(), nullptr) << "the window took the region or it was freed";

    // Exactly the key pixels of the corners are out, all of them and nothing else.
    const render::MaskRef* mask = button.SkinData().BorderMask();
    ASSERT_NE(mask, nullptr);
    std::vector<bool> cut(265 * 25, false);
    int cutCount = 0;
    ForEachKeyCornerPixel(*mask, button.CurrentState(), cnAll, 265, 25, [&](int x, int y) {
        cut[static_cast<std::size_t>(y * 265 + x)] = true;
        ++cutCount;
    });
    EXPECT_GT(cutCount, 4);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 265; ++x)
            ASSERT_EQ(PtInRegion(region.get(), x, y) != 0, !cut[static_cast<std::size_t>(y * 265 + x)])
                << x << "," << y;
}

// A new button's first paint shows its whole look, region taken, and leaves nothing to paint
// again in it or behind it: a window starting up is done with one paint.
TEST_F(StoredSkinButton, TheFirstPaintTakesTheRegionAndLeavesNothingToPaint) {
    TsBitBtn& fresh = form.Make<TsBitBtn>(&panel);
    fresh.SetBounds({296, 120, 265, 25});
    fresh.SetText("Выход");
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    platform::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(fresh.Handle(), region.get()), ERROR);
    EXPECT_FALSE(GetUpdateRect(fresh.Handle(), nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(panel.Handle(), nullptr, FALSE));
}

TEST_F(StoredSkinButton, HotAndColdCyclesLeaveNoRegionOrGdiObjectBehind) {
    auto cycle = [&] {
        button.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button));
        testsupport::PumpUntil([&] { return !button.Fading(); });
        button.Perform(platform::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&button));
        testsupport::PumpUntil([&] { return !button.Fading(); });
        Paint();
    };
    for (int i = 0; i < 5; ++i) cycle();  // caches, glyph and fonts settle
    const int before = testsupport::GdiHighWater();
    for (int i = 0; i < 100; ++i) cycle();
    EXPECT_EQ(testsupport::GdiHighWater(), before);
    EXPECT_EQ(button.PendingRegion(), nullptr);
}

TEST_F(StoredSkinButton, ADisabledButtonIsBlendedWithWhatLiesBehind) {
    render::Bitmap enabled = Cache().Clone();
    button.SetEnabled(false);
    Paint();
    const TColor panelColor = ResolveColor(panel.SkinData().SectionColor(false));
    for (auto [x, y] : {std::pair{20, 10}, std::pair{250, 12}, std::pair{130, 20}}) {
        const std::uint8_t* e = enabled.Pixel(x, y);
        const std::uint8_t* d = Cache().Pixel(x, y);
        // A plain colour behind: half of it and half of the button.
        const int channels[3] = {BlueOf(panelColor), GreenOf(panelColor), RedOf(panelColor)};
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(d[c], (e[c] + channels[c]) / 2.0, 1.0) << x << "," << y;
    }
}

TEST_F(StoredSkinButton, DefaultAndCancelAnswerTheFormsKeysAndSetItsModalResult) {
    button.SetCancel(true);
    button.SetModalResult(platform::mrCancel);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_EQ(clicks, 0);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ModalResult(), platform::mrCancel);
    button.SetDefault(true);
    EXPECT_EQ(button.CurrentState(), bsHot);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(StoredSkinButton, BlendIsClampedAndSkinCommandsAreAnswered) {
    button.SetBlend(150);
    EXPECT_EQ(button.Blend(), 100);
    button.SetBlend(-5);
    EXPECT_EQ(button.Blend(), 0);
    EXPECT_EQ(bridge::SendSkinCommand(&button, skin::SMC_ISSKINNED, 0), 1);
    EXPECT_EQ(bridge::SendSkinCommand(&button, skin::SMC_FADEFRAME, 0), 0);
    EXPECT_EQ(bridge::SendSkinCommand(&button, skin::SMC_GETAPPLICATION, 0), reinterpret_cast<LRESULT>(&application));
}

TEST_F(StoredSkinButton, AGlyphFromAListWithoutAlphaLeavesItsKeyPixelsAndIsGreyedAndBlended) {
    auto& plain = form.Make<platform::TImageList>(18, 18);
    plain.AddPng(skin::testing::MakePng(18, 18, [](int x, int) {
        return x < 9 ? std::array<std::uint8_t, 4>{0, 0, 200, 255} : std::array<std::uint8_t, 4>{0, 0, 0, 0};
    }));
    button.SetImages(&plain);
    button.SetBlend(100);  // the glyph wholly see-through: the button as it lies under the glyph
    Paint();
    const TRect g = button.GlyphRect();
    const TColor bare = CachePixel(g.Left + 2, g.Top + 5), bareUncovered = CachePixel(g.Left + 14, g.Top + 5);
    auto mix = [](TColor a, TColor b) {
        return std::array<int, 3>{(RedOf(a) + RedOf(b)) / 2, (GreenOf(a) + GreenOf(b)) / 2,
                                  (BlueOf(a) + BlueOf(b)) / 2};
    };
    const TColor blue = MakeColor(0, 0, 200), grey = MakeColor(66, 66, 66);
    struct Case {
        const char* name;
        int blend;
        bool grayed, enabled;
        std::array<int, 3> expected;
    };
    const Case cases[] = {
        {"plain", 0, false, true, {0, 0, 200}},
        {"half blended", 50, false, true, mix(blue, bare)},
        {"greyed", 0, true, true, {66, 66, 66}},
        {"disabled: grey and half seen", 0, false, false, mix(grey, bare)},
    };
    button.SetDisabledKind(0);  // the whole button's disabled mix would hide the glyph's own
    button.SetDisabledGlyphKind(render::dkGrayed | render::dkBlended);
    for (const Case& c : cases) {
        button.SetBlend(c.blend);
        button.SetGrayed(c.grayed);
        button.SetEnabled(c.enabled);
        Paint();
        const TColor p = CachePixel(g.Left + 2, g.Top + 5);
        EXPECT_NEAR(RedOf(p), c.expected[0], 1) << c.name;
        EXPECT_NEAR(GreenOf(p), c.expected[1], 1) << c.name;
        EXPECT_NEAR(BlueOf(p), c.expected[2], 1) << c.name;
        EXPECT_EQ(CachePixel(g.Left + 14, g.Top + 5), bareUncovered) << c.name << ": the uncovered half";
    }
}

// The button's own glyph drawn over a cache of plain grey, so every pixel shows what the glyph
// painter did and nothing else.
struct OwnGlyph : StoredSkinButton {
    static constexpr std::uint8_t kGrey = 100;
    void SetUp() override {
        StoredSkinButton::SetUp();
        button.SetImageIndex(-1);
        button.SetShowCaption(false);
        button.SetDisabledKind(0);
    }
    TRect DrawOnGrey() {
        Paint();
        render::Bitmap& cache = Cache();
        for (int y = 0; y < cache.Height(); ++y)
            for (int x = 0; x < cache.Width(); ++x) std::fill_n(cache.Pixel(x, y), 3, kGrey);
        const TRect r = button.GlyphRect();
        button.DrawButtonGlyph(button.CurrentState(), r);
        return r;
    }
};

// Three frames of 10 x 12 side by side (four with `frames` 4), each its own colour; the two left
// columns of every frame have the colour of the bottom-left pixel: the key.
constexpr TColor kKey = 0x00C000;
constexpr TColor kFrameColours[] = {0x0000E0, 0xE00000, 0x00E0E0, 0xE000E0};
render::Bitmap FrameStrip(int frames) {
    render::Bitmap strip = render::CreateBmp24(10 * frames, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10 * frames; ++x) {
            const TColor c = x % 10 < 2 ? kKey : kFrameColours[x / 10];
            std::uint8_t* p = strip.Pixel(x, y);
            p[0] = BlueOf(c), p[1] = GreenOf(c), p[2] = RedOf(c);
        }
    return strip;
}

TEST_F(OwnGlyph, TheFrameFollowsTheStateAndTheBottomLeftColourIsTransparent) {
    struct Case {
        const char* name;
        int frames;
        bool enabled, down;
        int blend;
        int frame;       // the frame expected
        double through;  // the share of the grey showing through it
    } cases[] = {
        {"up", 3, true, false, 0, 0, 0.0},
        {"up, blended", 3, true, false, 40, 0, 0.4},
        {"pressed", 3, true, true, 0, 2, 0.0},
        {"staying down", 4, true, true, 0, 3, 0.0},
        {"down without a down frame", 1, true, true, 0, 0, 0.0},
        {"disabled frame, shown as drawn", 3, false, false, 0, 1, 0.0},
        {"no disabled frame: half seen", 1, false, false, 0, 0, 0.5},
    };
    for (const Case& c : cases) {
        button.SetGlyph(FrameStrip(c.frames));
        button.SetNumGlyphs(c.frames);
        button.SetEnabled(c.enabled);
        button.SetDown(c.down);
        button.SetBlend(c.blend);
        const TRect r = DrawOnGrey();
        const int shift = c.down ? 1 : 0;
        EXPECT_EQ(r, RectOfSize((265 - 10) / 2 + shift, (25 - 12) / 2 + shift, 10, 12)) << c.name;
        const TColor colour = kFrameColours[c.frame];
        for (int y = r.Top; y < r.Bottom; ++y) {
            const TColor p = CachePixel(r.Left + 5, y);
            EXPECT_NEAR(RedOf(p), RedOf(colour) - c.through * (RedOf(colour) - kGrey), 1) << c.name << " row " << y;
            EXPECT_NEAR(BlueOf(p), BlueOf(colour) - c.through * (BlueOf(colour) - kGrey), 1) << c.name << " row " << y;
            for (int x : {r.Left - 1, r.Left, r.Left + 1, r.Right})
                EXPECT_EQ(CachePixel(x, y), MakeColor(kGrey, kGrey, kGrey)) << c.name << ": key or outside at " << x;
        }
    }
}

TEST_F(OwnGlyph, AListGlyphComesFirstAndTheGlyphSizesTheCaptionsPlace) {
    button.SetGlyph(FrameStrip(3));
    button.SetNumGlyphs(3);
    button.SetShowCaption(true);
    EXPECT_EQ(button.GlyphWidth(), 10);
    EXPECT_EQ(button.GlyphHeight(), 12);
    EXPECT_EQ(button.CaptionRect().Left, button.GlyphRect().Left + 10 + 4);

    button.SetNumGlyphs(1);
    button.SetImageIndex(0);  // the list's 18 x 18 red glyph
    const TRect r = DrawOnGrey();
    EXPECT_EQ(r.Width(), 18);
    EXPECT_NEAR(RedOf(CachePixel(r.Left + 1, r.Top + 1)), kGlyphRed, 1);
}

TEST_F(OwnGlyph, A32BitGlyphIsDrawnWithItsAlphaBlendAndMirrorImage) {
    // Red 200; alpha 255 on the left half, 128 on the right, 0 in the last column.
    render::Bitmap glyph = render::CreateBmp32(12, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            std::uint8_t* p = glyph.Pixel(x, y);
            p[2] = 200;
            p[3] = x == 11 ? 0 : x < 6 ? 255 : 128;
        }
    button.SetGlyph(glyph);
    for (int blend : {0, 50}) {
        button.SetBlend(blend);
        const TRect r = DrawOnGrey();
        for (int x = 0; x < 12; ++x) {
            const int alpha = (100 - blend) * (x == 11 ? 0 : x < 6 ? 255 : 128) / 100;
            EXPECT_EQ(RedOf(CachePixel(r.Left + x, r.Top + 4)), ((200 - kGrey) * alpha + kGrey * 256) >> 8)
                << "blend " << blend << " column " << x;
            EXPECT_EQ(GreenOf(CachePixel(r.Left + x, r.Top + 4)), (kGrey * (256 - alpha)) >> 8);
        }
        EXPECT_EQ(RedOf(CachePixel(r.Left + 2, r.Bottom + 1)), kGrey) << "no mirror image unless asked";
    }
    button.SetBlend(0);
    button.SetReflected(true);
    const TRect r = DrawOnGrey();
    EXPECT_EQ(r.Top, (25 - 12) / 2 - 12 / 6);
    EXPECT_GT(RedOf(CachePixel(r.Left + 2, r.Bottom + 1)), kGrey) << "the fading mirror image";
}

TEST_F(OwnGlyph, WithoutTheSkinTheButtonStillLaysOutItsOwnGlyphBesideTheCaption) {
    manager.SetActive(false);
    ASSERT_FALSE(button.SkinData().Skinned());
    button.SetGlyph(FrameStrip(3));
    button.SetNumGlyphs(3);
    button.SetShowCaption(true);
    const TColor face = GetSysColor(COLOR_BTNFACE);
    for (bool pressed : {false, true}) {
        bridge::TsDibSection shot(265, 25, render::PixelFormat::pf24bit);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button.Handle();
        item.hDC = shot.Dc();
        item.rcItem = {0, 0, 265, 25};
        item.itemState = pressed ? ODS_SELECTED : 0;
        button.Perform(platform::CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        GdiFlush();
        auto at = [&](int x, int y) {
            const std::uint8_t* p = shot.Bitmap().Pixel(x, y);
            return MakeColor(p[2], p[1], p[0]);
        };
        const int left = (265 - 10 - 4 - button.TextSize().X) / 2 + (pressed ? 1 : 0);
        const int top = (25 - 12) / 2 + (pressed ? 1 : 0);
        const TColor frame = kFrameColours[pressed ? 2 : 0];
        EXPECT_EQ(at(left + 5, top + 6), frame) << "pressed " << pressed;
        EXPECT_EQ(at(left + 9, top + 11), frame) << "pressed " << pressed;
        EXPECT_EQ(at(left + 1, top + 6), face) << "the key shows the button's face";
        int ink = 0;
        for (int x = left + 14; x < left + 14 + button.TextSize().X; ++x)
            for (int y = 5; y < 20; ++y) ink += at(x, y) != face;
        EXPECT_GT(ink, 30) << "the caption follows the glyph";
    }
}

TEST(BitBtnLoading, AButtonWhoseGlyphComesFromTheListDropsItsBitmapOnceLoaded) {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    auto& images = form.Make<TsAlphaImageList>(18, 18);
    images.AddPng(skin::testing::MakePng(18, 18, [](int, int) { return std::array<std::uint8_t, 4>{9, 9, 9, 255}; }));
    auto& listed = form.Make<TsBitBtn>(&form);
    auto& own = form.Make<TsBitBtn>(&form);
    for (TsBitBtn* b : {&listed, &own}) {
        b->SetImages(&images);
        b->SetGlyph(render::CreateBmp24(10, 12));
    }
    listed.SetImageIndex(0);
    form.FinishLoading();
    EXPECT_TRUE(listed.Glyph().Empty());
    EXPECT_FALSE(own.Glyph().Empty()) << "no list glyph: the bitmap is the glyph";
}

// A plain parent that can answer the background request with a picture instead of its colour.
class PictureParent : public platform::TPanel {
public:
    using TPanel::TPanel;
    bool answerPicture = false;
    render::Bitmap picture = MakePicture();

protected:
    void WndProc(platform::TMessage& m) override {
        if (answerPicture && m.Msg == skin::SM_ALPHACMD && skin::SkinCommandOf(m.WParam) == skin::SMC_GETBG) {
            auto& request = *reinterpret_cast<render::TsBgRequest*>(m.LParam);
            request.Kind = 2;
            request.Bitmap = &picture;
            request.OffsetX = request.OffsetY = 0;
            return;
        }
        TPanel::WndProc(m);
    }

private:
    static render::Bitmap MakePicture() {
        render::Bitmap bmp = render::CreateBmp24(400, 200);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 400; ++x) {
                std::uint8_t* p = bmp.Pixel(x, y);
                p[0] = std::uint8_t(x * 7), p[1] = std::uint8_t(y * 11), p[2] = 128;
            }
        return bmp;
    }
};

// The stored skin's button on a parent that is not skinned.
struct ButtonOnPlainParent : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    bridge::TsSkinManager& manager = form.Make<bridge::TsSkinManager>();
    PictureParent& parent = form.Make<PictureParent>(&form);
    TsBitBtn& button = form.Make<TsBitBtn>(&parent);

    void SetUp() override {
        testsupport::LoadInternalSkin(manager, testsupport::StoredSkinBytes());
        parent.SetBounds({0, 0, 400, 200});
        button.SetBounds({40, 30, 265, 25});
        button.SetText("Поиск");
        form.SetBounds({0, 0, 420, 240});
        form.FinishLoading();
        form.Show();
        ASSERT_TRUE(button.SkinData().Skinned());
        Paint();
    }
    void Paint() { RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
};

TEST_F(ButtonOnPlainParent, ADisabledButtonOverAPictureShowsThreeFifthsOfThePicture) {
    parent.answerPicture = true;
    button.SetEnabled(false);  // the focus leaves: the unmixed picture is the normal look
    button.SetDisabledKind(0);
    Paint();
    render::Bitmap enabled = button.SkinData().CacheBmp->Clone();
    button.SetDisabledKind(render::DefaultDisabledKinds);
    Paint();
    const render::Bitmap& cache = *button.SkinData().CacheBmp;
    for (auto [x, y] : {std::pair{20, 10}, std::pair{250, 12}, std::pair{130, 20}, std::pair{3, 3}}) {
        const std::uint8_t* e = enabled.Pixel(x, y);
        const std::uint8_t* d = cache.Pixel(x, y);
        const std::uint8_t* b = parent.picture.Pixel(40 + x, 30 + y);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(d[c], 0.6 * b[c] + 0.4 * e[c], 1.0) << x << "," << y << " channel " << c;
    }
}

TEST_F(ButtonOnPlainParent, ShrinkingOverAPlainColourInvalidatesTheParentUnderTheOldCorners) {
    const int wr = button.SkinData().BorderMask()->WR, wb = button.SkinData().BorderMask()->WB;
    ASSERT_GT(wr, 0);
    ASSERT_GT(wb, 0);
    struct Case {
        const char* name;
        bool picture;
        platform::TBounds next;
        bool invalidated;
    };
    const Case cases[] = {
        {"narrower over a colour", false, {40, 30, 200, 25}, true},
        {"lower over a colour", false, {40, 30, 265, 20}, true},
        {"narrower over a picture", true, {40, 30, 200, 25}, false},
        {"wider over a colour", false, {40, 30, 300, 25}, false},
    };
    for (const Case& c : cases) {
        parent.answerPicture = c.picture;
        button.SetBounds({40, 30, 265, 25});
        Paint();
        button.SetBounds(c.next);
        // What the system invalidated for the move is not what is looked for.
        ValidateRect(parent.Handle(), nullptr);
        Paint();
        platform::GdiObject<HRGN> dirty(CreateRectRgn(0, 0, 0, 0));
        GetUpdateRgn(parent.Handle(), dirty.get(), FALSE);
        const POINT corners[] = {{40 + 265 - 1, 30}, {40 + 265 - 1, 30 + 25 - 1}, {40, 30 + 25 - 1}};
        for (POINT p : corners)
            EXPECT_EQ(bool(PtInRegion(dirty.get(), p.x, p.y)), c.invalidated) << c.name << " at " << p.x << "," << p.y;
        EXPECT_FALSE(PtInRegion(dirty.get(), 40 + 130, 30 + 12)) << c.name << ": only the corners";
    }
}

}  // namespace
}  // namespace lw::controls
