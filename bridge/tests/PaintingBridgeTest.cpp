#include <gtest/gtest.h>

#include <algorithm>

#include "bridge/DibSection.h"
#include "bridge/GdiTextEngine.h"
#include "bridge/LayeredGlowHost.h"
#include "render/Surface.h"

namespace lw::bridge {
namespace {

TColor Px(const render::Bitmap& b, int x, int y) {
    const std::uint8_t* p = b.Pixel(x, y);
    return MakeColor(p[2], p[1], p[0]);
}

TEST(DibSectionTest, CorePixelsAndGdiShareTheSectionBothWays) {
    for (const auto format : {render::PixelFormat::pf24bit, render::PixelFormat::pf32bit}) {
        TsDibSection dib(7, 5, format);  // 7 * 3 bytes: rows padded
        render::FillRectSolid(dib.Surface(), {0, 0, 7, 5}, 0x102030);
        EXPECT_EQ(GetPixel(dib.Dc(), 6, 4), 0x102030u) << "GDI sees what the core wrote";
        SetPixel(dib.Dc(), 3, 2, 0x0A0B0C);
        GdiFlush();
        EXPECT_EQ(Px(dib.Bitmap(), 3, 2), 0x0A0B0Cu) << "the core sees what GDI drew";
        EXPECT_EQ(DcOfSurface(&dib.Surface()), dib.Dc());
    }
    render::Bitmap plain(3, 3, render::PixelFormat::pf24bit);
    render::Surface other(plain);
    EXPECT_EQ(DcOfSurface(&other), nullptr);
}

TEST(DibSectionTest, BlitCopiesTheChosenRectangle) {
    render::Bitmap source(4, 4, render::PixelFormat::pf24bit);
    render::Surface s(source);
    render::FillRectSolid(s, {0, 0, 4, 4}, 0x0000FF);
    render::FillRectSolid(s, {1, 1, 3, 3}, 0x00FF00);
    TsDibSection target(6, 6, render::PixelFormat::pf32bit);
    render::FillRectSolid(target.Surface(), {0, 0, 6, 6}, 0);
    BlitToDc(target.Dc(), 2, 2, source, {1, 1, 4, 4});
    GdiFlush();
    EXPECT_EQ(Px(target.Bitmap(), 2, 2), 0x00FF00u);
    EXPECT_EQ(Px(target.Bitmap(), 4, 4), 0x0000FFu);
    EXPECT_EQ(Px(target.Bitmap(), 1, 1), 0u);
    EXPECT_EQ(Px(target.Bitmap(), 5, 5), 0u) << "only the 3 x 3 asked for";
}

TEST(GdiTextEngineTest, MeasuresDrawsWithinTheClipAndKeepsOneFontPerLook) {
    GdiTextEngine engine;
    render::TextFont font{"Tahoma", -11, false, false, false, 0};
    TPoint size;
    ASSERT_TRUE(engine.Measure(font, "Карты", size));
    EXPECT_GT(size.X, 0);
    EXPECT_GT(size.Y, 0);
    TPoint shorter;
    engine.Measure(font, "Кар", shorter);
    EXPECT_LT(shorter.X, size.X) << "UTF-8 measured as letters";

    for (bool onDib : {true, false}) {
        TsDibSection dib(40, 20, render::PixelFormat::pf24bit);
        render::Bitmap memory(40, 20, render::PixelFormat::pf24bit);
        render::Surface memorySurface(memory);
        render::Surface& surface = onDib ? dib.Surface() : memorySurface;
        render::FillRectSolid(surface, {0, 0, 40, 20}, 0xFFFFFF);
        surface.IntersectClip({0, 0, 20, 20});
        engine.Draw(surface, font, 0, "WWWWWWWW", {0, 0, 40, 20}, 0);
        const render::Bitmap& b = surface.Target();
        bool inked = false, outside = false;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) (x < 20 ? inked : outside) |= Px(b, x, y) != 0xFFFFFFu;
        EXPECT_TRUE(inked) << onDib;
        EXPECT_FALSE(outside) << onDib << ": nothing past the clip";
    }
    font.Bold = true;
    engine.Measure(font, "x", size);
    EXPECT_EQ(engine.CachedFonts(), 2u);
}

// On plain memory only the text's own rectangle is carried through GDI; text drawn at an origin,
// after a smaller and a larger draw, lands exactly there and nowhere else.
TEST(GdiTextEngineTest, TextOnPlainMemoryLandsInItsRectangleAtTheSurfacesOrigin) {
    GdiTextEngine engine;
    const render::TextFont font{"Tahoma", -11, false, false, false, 0};
    render::Bitmap memory(80, 40, render::PixelFormat::pf24bit);
    render::Surface surface(memory);
    const TRect big{0, 0, 60, 30};
    const TRect small{5, 3, 25, 18};
    for (const TRect& r : {small, big, small}) {
        render::FillRectSolid(surface, {0, 0, 80, 40}, 0xFFFFFF);
        surface.SetOrigin({10, 6});
        engine.Draw(surface, font, 0, "WWWWWWWWWWWW", r, DT_LEFT | DT_TOP | DT_SINGLELINE);
        surface.SetOrigin({0, 0});
        int firstInk = 80, lastInk = -1;
        bool outside = false;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 80; ++x) {
                if (Px(memory, x, y) == 0xFFFFFFu) continue;
                const bool inside = x >= r.Left + 10 && x < r.Right + 10 && y >= r.Top + 6 && y < r.Bottom + 6;
                outside |= !inside;
                firstInk = std::min(firstInk, x);
                lastInk = std::max(lastInk, x);
            }
        // The line is longer than the rectangle: its ink runs from edge to edge.
        EXPECT_LE(firstInk, r.Left + 10 + 2) << r.Right;
        EXPECT_GE(lastInk, r.Right + 10 - 3) << r.Right;
        EXPECT_FALSE(outside) << r.Right << ": nothing outside the text's rectangle";
    }
}

// Text on plain memory may come back from an earlier draw instead of from GDI: whatever the
// order, each draw must leave exactly what the same draw leaves on a section, which GDI paints
// every time.
TEST(GdiTextEngineTest, RepeatedTextOnPlainMemoryIsWhatGdiDrawsThere) {
    GdiTextEngine engine;
    struct Case {
        TColor background, color;
        TPoint origin;
        const char* text;
    } cases[] = {
        {0xFFFFFF, 0x000000, {0, 0}, "Настройки"}, {0xFFFFFF, 0x000000, {0, 0}, "Настройки"},  // the same again
        {0x336699, 0x000000, {0, 0}, "Настройки"},                                             // over other pixels
        {0xFFFFFF, 0x000000, {0, 0}, "Настройки"},                                             // the first once more
        {0xFFFFFF, 0x0000C0, {0, 0}, "Настройки"},                                             // in another colour
        {0xFFFFFF, 0x000000, {3, 2}, "Настройки"},                                             // at another origin
        {0xFFFFFF, 0x000000, {0, 0}, "Настройка"},
    };
    const render::TextFont font{"Tahoma", -11, false, false, false, 0};
    for (const Case& c : cases) {
        render::Bitmap memory(70, 24, render::PixelFormat::pf24bit);
        render::Surface onMemory(memory);
        TsDibSection dib(70, 24, render::PixelFormat::pf24bit);
        for (render::Surface* s : {&onMemory, &dib.Surface()}) {
            render::FillRectSolid(*s, {0, 0, 70, 24}, c.background);
            // Unclipped text within a fixed clip: the pixels the draw may touch stay where they
            // are whatever the origin.
            s->IntersectClip({2, 2, 64, 20});
            s->SetOrigin(c.origin);
            engine.Draw(*s, font, c.color, c.text, {2, 2, 60, 18}, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        }
        GdiFlush();
        int differing = 0, inked = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 70; ++x) {
                differing += Px(memory, x, y) != Px(dib.Bitmap(), x, y);
                inked += Px(memory, x, y) != c.background;
            }
        EXPECT_GT(inked, 20) << c.text;
        EXPECT_EQ(differing, 0) << std::hex << c.background << " " << c.color << " " << std::dec << c.origin.X;
    }
}

TEST(LayeredGlowHostTest, GlowWindowsAreLayeredClickThroughAndNeverActivated) {
    LayeredGlowHost host;
    const render::GlowWindow glow = host.CreateGlowWindow();
    const HWND window = reinterpret_cast<HWND>(glow);
    ASSERT_NE(window, nullptr);
    const LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    host.Place(glow, {10, 20, 42, 52});
    render::Bitmap image(32, 32, render::PixelFormat::pf32bit);
    host.SetContent(glow, image);
    host.ShowWithoutActivation(glow);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetForegroundWindow(), window);
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.bottom, 52);
    host.DestroyGlowWindow(glow);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace lw::bridge
