#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/base/Panel.h"
#include "controls/comboedit/DefaultGlyphList.h"
#include "controls/comboedit/DirectoryEdit.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Png.h"
#include "platform/Resources.h"
#include "skin/SkinPackWriter.h"
#include "skin/tests/TestImages.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/GdiHighWater.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinManagerSetup.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

using testsupport::SilentPrompt;

constexpr TColor kFieldColor = 1710618;  // the stored skin's "EDIT" colour

struct Rgb {
    int r, g, b;
};

Rgb PixelOf(const render::Bitmap& bmp, int x, int y) {
    const std::uint8_t* p = bmp.Pixel(x, y);
    return {p[2], p[1], p[0]};
}

Rgb RgbOf(TColor c) { return {int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)}; }

::testing::AssertionResult Near(Rgb got, Rgb want, int x, int y) {
    if (std::abs(got.r - want.r) <= 2 && std::abs(got.g - want.g) <= 2 && std::abs(got.b - want.b) <= 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << x << "," << y << ": got (" << got.r << "," << got.g << "," << got.b
                                         << "), want (" << want.r << "," << want.g << "," << want.b << ")";
}

// A dialog host that never shows a window: it counts the times it was asked.
class CountingHost : public FolderChoiceHost {
public:
    int dialogs = 0;
    bool DirectoryExists(const std::string&) override { return false; }
    bool FileExists(const std::string&) override { return false; }
    void ChangeDirectory(const std::string&) override {}
    std::optional<std::string> RunDialog(const DialogRequest&) override {
        ++dialogs;
        return std::nullopt;
    }
};

// The main window's folder field on a panel, skinned by the stored skin, with the built-in
// glyphs loaded as the program loads them.
struct StoredSkinField : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    TsDefaultGlyphList glyphs;
    platform::TForm form{nullptr};
    bridge::TsSkinManager& manager = testsupport::MakeSkinManager(form, testsupport::StoredSkinBytes());
    controls::TsPanel& panel = form.Make<controls::TsPanel>(&form);
    TsDirectoryEdit& edit = form.Make<TsDirectoryEdit>(&panel);
    TsEditButton& button = edit.Button();
    CountingHost host;
    void SetUp() override {
        panel.SetBounds({0, 0, 593, 100});
        edit.SetBounds({8, 24, 545, 21});
        edit.SetDirectInput(false);
        edit.Host = &host;
        form.SetBounds({0, 0, 600, 140});
        form.FinishLoading();
        form.Show();
        ASSERT_TRUE(edit.SkinData().Skinned());
        ASSERT_TRUE(button.SkinData().Skinned());
        ASSERT_EQ(edit.SkinData().SkinSection(), "EDIT");
        ASSERT_EQ(button.SkinData().SkinSection(), "SPEEDBUTTON_SMALL");
    }
    void Enter() { button.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&button)); }
    void Leave() { button.Perform(platform::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&button)); }
    void Press(UINT message) {
        SendMessageW(button.Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(5, 5));
    }
    bool FadeEnds() {
        return testsupport::PumpUntil([&] { return !button.Fading(); });
    }
    // What the button's window shows, painted into an off-screen section.
    render::Bitmap ButtonImage() {
        const platform::TBounds b = button.Bounds();
        bridge::TsDibSection dib(b.Width, b.Height, render::PixelFormat::pf24bit);
        SendMessageW(button.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
        GdiFlush();
        return dib.Bitmap().Clone();
    }
};

// The "SR" frame of `state` laid over `background` with its alpha, as the button must show it.
Rgb FolderOver(Rgb background, int state, int x, int y) {
    static const platform::RgbaImage folder = platform::DecodePng(platform::ResourceBytes(L"SR"));
    const std::uint8_t* p = &folder.Pixels[static_cast<std::size_t>((y * folder.Width + state * 16 + x) * 4)];
    const int a = p[3];
    auto mix = [a](int over, int under) { return (over * a + under * (255 - a) + 127) / 255; };
    return {mix(p[0], background.r), mix(p[1], background.g), mix(p[2], background.b)};
}

TEST_F(StoredSkinField, TheButtonShowsTheFolderFrameOfItsStateOverTheFieldsOwnBackground) {
    ASSERT_EQ(button.Bounds().Width, 16);
    ASSERT_EQ(button.Bounds().Height, 17);
    edit.PrepareCache();
    const render::Bitmap& field = *edit.SkinData().CacheBmp;
    const platform::TBounds place = button.Bounds();

    auto check = [&](int state) {
        ASSERT_EQ(button.State(), state);
        const render::Bitmap shown = ButtonImage();
        int differing = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                // The field's image at the button's place, inside the field's 2-pixel frame.
                const Rgb behind = PixelOf(field, place.Left + 2 + x, place.Top + 2 + y);
                ASSERT_TRUE(Near(behind, RgbOf(kFieldColor), x, y));
                const testing::AssertionResult matches =
                    Near(PixelOf(shown, x, y), FolderOver(behind, state, x, y), x, y);
                if (!matches) ++differing;
                EXPECT_TRUE(matches) << "state " << state;
                if (differing > 3) return;
            }
        // The row under the 16-pixel glyph is the field's background alone.
        for (int x = 0; x < 16; ++x) EXPECT_TRUE(Near(PixelOf(shown, x, 16), RgbOf(kFieldColor), x, 16));
    };
    check(0);
    Enter();
    ASSERT_TRUE(FadeEnds());
    check(1);
    Press(WM_LBUTTONDOWN);
    check(2);
    Press(WM_LBUTTONUP);
}

TEST_F(StoredSkinField, EntryAndExitFadePressAndReleaseShowAtOnceAndClick) {
    EXPECT_EQ(button.State(), 0);
    Enter();
    EXPECT_EQ(button.State(), 1);
    EXPECT_TRUE(button.Fading());
    EXPECT_TRUE(edit.SkinData().MouseInside()) << "the field stays active while the mouse is over its button";
    ASSERT_TRUE(FadeEnds());

    edit.SetFocus();
    Press(WM_LBUTTONDOWN);
    EXPECT_EQ(button.State(), 2);
    EXPECT_FALSE(button.Fading());
    Press(WM_LBUTTONUP);
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_EQ(button.State(), 1);
    EXPECT_FALSE(button.Fading());
    EXPECT_EQ(GetFocus(), edit.Handle()) << "the keyboard stays with the field";

    // Pressed, dragged off and released outside: the button lets go and nothing is chosen.
    Press(WM_LBUTTONDOWN);
    SendMessageW(button.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-40, -40));
    EXPECT_EQ(button.State(), 1);
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-40, -40));
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_EQ(GetCapture(), nullptr);

    Leave();
    EXPECT_EQ(button.State(), 0);
    EXPECT_TRUE(button.Fading());
    ASSERT_TRUE(FadeEnds());
    EXPECT_FALSE(edit.SkinData().MouseInside());

    // Read-only: the button is pressed and released as before but does nothing.
    edit.SetReadOnly(true);
    Press(WM_LBUTTONDOWN);
    Press(WM_LBUTTONUP);
    EXPECT_EQ(host.dialogs, 1);
}

TEST_F(StoredSkinField, TheFieldsFrameIsTheEditSectionsBorderAndItsTextStopsBeforeTheButton) {
    edit.SetTextW(std::wstring(200, L'W'));
    const render::SectionPaint* section = manager.LoadedSkin()->Section(edit.SkinData().SkinIndex);
    ASSERT_NE(section, nullptr);
    const render::MaskRef* mask = manager.LoadedSkin()->Mask(section->BorderIndex);
    ASSERT_NE(mask, nullptr);
    const render::Bitmap& master = *mask->Source();
    const TRect m = mask->R;

    bridge::TsDibSection dib(545, 21, render::PixelFormat::pf24bit);
    SendMessageW(edit.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_NONCLIENT | PRF_CLIENT);
    GdiFlush();
    const render::Bitmap& shown = dib.Bitmap();
    // The mask's one-pixel border, corner and edge pieces, around the section's colour.
    struct Probe {
        int x, y;
        Rgb want;
    } probes[] = {
        {0, 0, PixelOf(master, m.Left, m.Top)},
        {272, 0, PixelOf(master, m.Left + 1, m.Top)},
        {544, 0, PixelOf(master, m.Right - 1, m.Top)},
        {0, 10, PixelOf(master, m.Left, m.Top + 1)},
        {544, 10, PixelOf(master, m.Right - 1, m.Top + 1)},
        {0, 20, PixelOf(master, m.Left, m.Bottom - 1)},
        {272, 20, PixelOf(master, m.Left + 1, m.Bottom - 1)},
        {544, 20, PixelOf(master, m.Right - 1, m.Bottom - 1)},
        {1, 1, RgbOf(kFieldColor)},
        {543, 19, RgbOf(kFieldColor)},
    };
    for (const Probe& p : probes) EXPECT_TRUE(Near(PixelOf(shown, p.x, p.y), p.want, p.x, p.y));

    // The cached text is written up to the button and never under it: the field's image there
    // is bare, while the text reaches just before it.
    edit.PrepareCache();
    const render::Bitmap& field = *edit.SkinData().CacheBmp;
    const int buttonLeft = button.Bounds().Left + 2;
    bool textBeforeButton = false;
    for (int y = 2; y < 19; ++y) {
        for (int x = buttonLeft; x < buttonLeft + 16; ++x)
            ASSERT_TRUE(Near(PixelOf(field, x, y), RgbOf(kFieldColor), x, y)) << "text under the button";
        for (int x = buttonLeft - 12; x < buttonLeft; ++x)
            textBeforeButton = textBeforeButton || !Near(PixelOf(field, x, y), RgbOf(kFieldColor), x, y);
    }
    EXPECT_TRUE(textBeforeButton);
}

TEST_F(StoredSkinField, GlyphModeImagesSizeTheButtonAndReplaceTheBuiltInGlyph) {
    controls::TsAlphaImageList& own = form.Make<controls::TsAlphaImageList>(24, 24);
    own.AddPng(skin::testing::MakePng(24, 24, [](int, int) { return std::array<std::uint8_t, 4>{200, 0, 0, 255}; }));
    own.AddPng(skin::testing::MakePng(24, 24, [](int, int) { return std::array<std::uint8_t, 4>{0, 0, 200, 255}; }));
    TsGlyphMode& mode = edit.GlyphMode();
    mode.SetImages(&own);
    EXPECT_EQ(button.Bounds().Width, 18) << "no ImageIndex yet: sized by the built-in glyphs";
    mode.SetImageIndex(0);
    mode.SetImageIndexHot(1);
    EXPECT_EQ(button.Bounds().Width, 26);
    EXPECT_EQ(button.Bounds().Left + 26, 545 - 4);
    const Rgb normal = PixelOf(ButtonImage(), 13, 8);
    EXPECT_GT(normal.r, 150);
    EXPECT_LT(normal.g, 50);
    mode.SetGrayed(true);  // the normal glyph toned with the section's grey
    EXPECT_TRUE(mode.Grayed());
    const Rgb toned = PixelOf(ButtonImage(), 13, 8);
    EXPECT_LE(std::abs(toned.r - toned.g), 8);
    EXPECT_LE(std::abs(toned.g - toned.b), 8);
    Enter();
    ASSERT_TRUE(FadeEnds());
    const Rgb hot = PixelOf(ButtonImage(), 13, 8);
    EXPECT_GT(hot.b, 150);
    mode.SetBlend(150);
    EXPECT_EQ(mode.Blend(), 100);
    EXPECT_EQ(button.Blend(), 100);
    mode.SetHint("Выбрать каталог");  // the button's, as the blend
    EXPECT_EQ(button.Hint(), "Выбрать каталог");
    EXPECT_EQ(mode.Hint(), "Выбрать каталог");

    mode.SetImageIndex(7);  // outside the list: back to the built-in folder
    EXPECT_EQ(button.Bounds().Width, 18);
    const Rgb folder = PixelOf(ButtonImage(), 9, 10);
    EXPECT_TRUE(Near(folder, FolderOver(RgbOf(kFieldColor), 1, 8, 10), 8, 10));
}

TEST_F(StoredSkinField, TheButtonFollowsTheSkinBeingRemovedAndLoadedThroughItsField) {
    Enter();
    ASSERT_TRUE(button.Fading());
    manager.SetActive(false);
    EXPECT_FALSE(button.Fading()) << "a removed skin ends the fade";
    EXPECT_EQ(button.SkinData().SkinIndex, -1);
    manager.SetActive(true);
    EXPECT_GE(button.SkinData().SkinIndex, 0);
    EXPECT_EQ(button.Bounds().Width, 16);
}

TEST_F(StoredSkinField, HotAndColdCyclesLeaveNoGdiObjectBehind) {
    auto cycle = [&] {
        Enter();
        FadeEnds();
        Leave();
        FadeEnds();
        RedrawWindow(edit.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    for (int i = 0; i < 5; ++i) cycle();  // caches, glyphs and fonts settle
    const int before = testsupport::GdiHighWater();
    for (int i = 0; i < 100; ++i) cycle();
    EXPECT_EQ(testsupport::GdiHighWater(), before);
}

TEST_F(StoredSkinField, TheBoundLabelStandsLeftOfTheFieldAndFollowsItsPlaceVisibilityAndDisabledLook) {
    TsBoundLabel& bound = edit.BoundLabel();
    bound.SetCaption("Папка");
    bound.SetActive(true);
    ASSERT_NE(bound.Label(), nullptr);
    const TsEditLabel& label = *bound.Label();
    EXPECT_EQ(label.Parent(), &panel);
    EXPECT_EQ(label.Text(), "Папка");
    const auto expectBeside = [&](const char* when) {
        const platform::TBounds e = edit.Bounds(), l = label.Bounds();
        EXPECT_GT(l.Width, 0) << when;
        EXPECT_EQ(l.Left, e.Left - l.Width - 4) << when;
        EXPECT_EQ(l.Top, e.Top + (e.Height - l.Height) / 2 - 1) << when;
    };
    expectBeside("activated");
    edit.SetBounds({150, 50, 300, 21});
    expectBeside("moved");
    SetWindowPos(edit.Handle(), nullptr, 160, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    expectBeside("moved by the platform");

    edit.SetVisible(false);
    EXPECT_FALSE(label.Visible());
    edit.SetVisible(true);
    EXPECT_TRUE(label.Visible());

    struct Case {
        render::TsDisabledKinds kinds;
        bool labelEnabledWhileDisabled;
    } cases[] = {{render::dkBlended, false}, {render::dkGrayed, true}};
    for (const Case& c : cases) {
        edit.SetDisabledKind(c.kinds);
        edit.SetEnabled(false);
        EXPECT_EQ(label.Enabled(), c.labelEnabledWhileDisabled) << int(c.kinds);
        edit.SetEnabled(true);
        EXPECT_TRUE(label.Enabled()) << int(c.kinds);
    }
}

TEST(HalfTransparentField, ChildrenFindTheirBackgroundInsideTheFieldsFrame) {
    const std::string options = "[GLOBALINFO]\nCOLOR=3092271\n[EDIT]\nCOLOR=1193046\nTRANSPARENCY=50\n";
    testsupport::SkinnedFormSetup setup{
        skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}})};
    platform::TForm& form = setup.form;
    TsDirectoryEdit& edit = form.Make<TsDirectoryEdit>(&form);
    edit.SetBounds({8, 24, 300, 21});
    form.SetBounds({0, 0, 340, 100});
    form.FinishLoading();
    form.Show();
    ASSERT_TRUE(edit.SkinData().Skinned());
    edit.PrepareCache();
    render::Bitmap& field = *edit.SkinData().CacheBmp;
    const platform::TBounds place = edit.Button().Bounds();

    // Asked for its image, the field hands it over with its frame's width as the origin.
    render::TsBgRequest request;
    bridge::RequestBackground(request, edit, false);
    ASSERT_EQ(request.Kind, 2);
    EXPECT_EQ(request.Bitmap, &field);
    EXPECT_EQ(request.OffsetX, 2);
    EXPECT_EQ(request.OffsetY, 2);

    // Asked to paint a child's place at once, it paints from inside its frame.
    std::uint8_t* marker = field.Pixel(place.Left + 2, place.Top + 2);
    marker[0] = 1, marker[1] = 2, marker[2] = 3;
    bridge::TsDibSection dib(1, 1, render::PixelFormat::pf24bit);
    render::TsBgRequest paint;
    paint.OffsetX = place.Left;
    paint.OffsetY = place.Top;
    paint.Area = {0, 0, 1, 1};
    paint.Target = &dib.Surface();
    bridge::RequestBackground(paint, edit, true);
    GdiFlush();
    const Rgb got = PixelOf(dib.Bitmap(), 0, 0);
    EXPECT_EQ(got.r, 3);
    EXPECT_EQ(got.g, 2);
    EXPECT_EQ(got.b, 1);
}

TEST(PlainField, WithoutASkinTheButtonIsFlatWithTheSameFolderOverTheFieldsColour) {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    TsDefaultGlyphList glyphs;
    platform::TForm form{nullptr};
    TsDirectoryEdit& edit = form.Make<TsDirectoryEdit>(&form);
    edit.SetBounds({8, 24, 300, 21});
    edit.SetColor(kFieldColor);
    form.SetBounds({0, 0, 340, 100});
    form.FinishLoading();
    form.Show();
    TsEditButton& button = edit.Button();
    ASSERT_FALSE(button.SkinData().Skinned());

    bridge::TsDibSection dib(16, 17, render::PixelFormat::pf24bit);
    SendMessageW(button.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
    GdiFlush();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_TRUE(Near(PixelOf(dib.Bitmap(), x, y), FolderOver(RgbOf(kFieldColor), 0, x, y), x, y));
}

}  // namespace
}  // namespace lw::controls
