#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/base/GroupBox.h"
#include "controls/base/Panel.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

constexpr TColor kPanelColor = 3092271;  // 47 grey

skin::ByteBuffer SmallSkin() {
    const std::string options =
        "[GLOBALINFO]\nCOLOR=3092271\n"
        "[PANEL]\nCOLOR=3092271\nTRANSPARENCY=0\n"
        "[HALFPANEL]\nCOLOR=255\nTRANSPARENCY=50\n"
        "[GROUPBOX]\nCOLOR=3881787\nTRANSPARENCY=100\nFONTCOLOR=8421504\n"
        "[CHECKBOX]\nTRANSPARENCY=100\n";
    return skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}});
}

// A form with the stored-skin manager loaded, as the application builds its windows.
struct SkinnedForm : ::testing::Test, testsupport::SkinnedFormSetup {
    SkinnedForm() : SkinnedFormSetup(SmallSkin()) {}
    void SetUp() override {
        form.SetBounds({0, 0, 300, 200});
        form.FinishLoading();
        form.Show();  // panels paint only while they can be seen
        ASSERT_TRUE(manager.GlobalInfo().Active);
    }
};

TColor PixelOf(bridge::TsDibSection& dib, int x, int y) {
    GdiFlush();
    const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
    return MakeColor(p[2], p[1], p[0]);
}

// What the window shows: erase then paint into an off-screen section.
void PaintInto(platform::TWinControl& control, bridge::TsDibSection& dib) {
    SendMessageW(control.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.Dc()), 0);
    SendMessageW(control.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
}

TEST_F(SkinnedForm, APanelIsBoundToItsSectionAndPaintsItsInteriorInThatColour) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({10, 10, 120, 80});
    EXPECT_EQ(panel.SkinData().SkinSection(), "PANEL");
    ASSERT_TRUE(panel.SkinData().Skinned());
    EXPECT_EQ(bridge::SendSkinCommand(&panel, skin::SMC_ISSKINNED, 0), 1);

    bridge::TsDibSection dib(120, 80, render::PixelFormat::pf24bit);
    render::FillRectSolid(dib.Surface(), {0, 0, 120, 80}, 0x0000FF);
    PaintInto(panel, dib);
    EXPECT_EQ(PixelOf(dib, 60, 40), kPanelColor);
    EXPECT_EQ(PixelOf(dib, 0, 0), kPanelColor);
    EXPECT_EQ(PixelOf(dib, 119, 79), kPanelColor);
}

TEST_F(SkinnedForm, APanelAnswersItsChildsBackgroundRequest) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({10, 10, 200, 150});
    platform::TPanel& child = form.Make<platform::TPanel>(&panel);
    child.SetBounds({16, 16, 50, 40});

    render::TsBgRequest flat;
    EXPECT_TRUE(bridge::RequestBackground(flat, panel, false));
    EXPECT_EQ(flat.Kind, 1);
    EXPECT_EQ(ResolveColor(flat.Color), kPanelColor);

    // A partly transparent section depends on what lies behind: the answer is the cache.
    panel.SkinData().SetSkinSection("HALFPANEL");
    render::TsBgRequest cached;
    EXPECT_TRUE(bridge::RequestBackground(cached, panel, false));
    ASSERT_EQ(cached.Kind, 2);
    ASSERT_NE(cached.Bitmap, nullptr);
    EXPECT_EQ(cached.Bitmap->Width(), 200);
    EXPECT_EQ(cached.OffsetX, 0);

    // A fully transparent group box inside passes its parent's cache on, shifted by its place.
    TsGroupBox& box = form.Make<TsGroupBox>(&panel);
    box.SetBounds({16, 24, 100, 60});
    render::TsBgRequest through;
    EXPECT_TRUE(bridge::RequestBackground(through, box, false));
    EXPECT_EQ(through.Kind, 2);
    EXPECT_EQ(through.Bitmap, cached.Bitmap);
    EXPECT_EQ(through.OffsetX, 16);
    EXPECT_EQ(through.OffsetY, 24);
}

TEST_F(SkinnedForm, AGroupBoxOverAPanelShowsThePanelsColourAroundItsFrame) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({0, 0, 280, 180});
    TsGroupBox& box = form.Make<TsGroupBox>(&panel);
    box.SetBounds({16, 16, 200, 100});
    box.SetText("Caption");
    ASSERT_TRUE(box.SkinData().Skinned());
    EXPECT_EQ(box.SkinData().SkinSection(), "GROUPBOX");

    bridge::TsDibSection dib(200, 100, render::PixelFormat::pf24bit);
    render::FillRectSolid(dib.Surface(), {0, 0, 200, 100}, 0x0000FF);
    PaintInto(box, dib);
    EXPECT_EQ(PixelOf(dib, 100, 60), kPanelColor);  // transparent: the panel shows through
    EXPECT_EQ(PixelOf(dib, 199, 2), kPanelColor);   // the caption strip right of the caption
}

// The group box keeps its cache between paints; whatever changes its look must show.
TEST_F(SkinnedForm, AGroupBoxsKeptCacheFollowsItsTextAndItsParentsLook) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({0, 0, 280, 180});
    TsGroupBox& box = form.Make<TsGroupBox>(&panel);
    box.SetBounds({16, 16, 200, 100});
    bridge::TsDibSection dib(200, 100, render::PixelFormat::pf24bit);
    auto captionInked = [&] {
        bool inked = false;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 200; ++x) inked |= PixelOf(dib, x, y) != kPanelColor;
        return inked;
    };
    PaintInto(box, dib);
    PaintInto(box, dib);
    EXPECT_FALSE(captionInked());

    box.SetText("WWWWWW");
    PaintInto(box, dib);
    EXPECT_TRUE(captionInked()) << "a new caption shows";
    box.SetText("");
    PaintInto(box, dib);
    EXPECT_FALSE(captionInked()) << "and goes again";

    // The panel behind turns half red: the box, transparent over it, follows.
    panel.SkinData().SetSkinSection("HALFPANEL");
    PaintInto(box, dib);
    EXPECT_NE(PixelOf(dib, 100, 60), kPanelColor);
    EXPECT_EQ(PixelOf(dib, 100, 60), PixelOf(dib, 199, 2));
}

TEST_F(SkinnedForm, AGroupBoxWithACaptionSkinPaintsADrawRequestFromItsCache) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({0, 0, 280, 180});
    TsGroupBox& box = form.Make<TsGroupBox>(&panel);
    box.SetBounds({16, 16, 200, 100});
    box.SetCaptionSkin("PANEL");
    bridge::TsDibSection shown(200, 100, render::PixelFormat::pf24bit);
    PaintInto(box, shown);  // builds the cache

    bridge::TsDibSection target(20, 20, render::PixelFormat::pf24bit);
    render::FillRectSolid(target.Surface(), {0, 0, 20, 20}, 0x0000FF);
    render::TsBgRequest request;
    request.DrawNow = true;
    request.Target = &target.Surface();
    request.Area = {2, 2, 12, 12};
    request.OffsetX = 50;
    request.OffsetY = 50;
    bridge::SendSkinCommand(&box, skin::SMC_GETBG, reinterpret_cast<LPARAM>(&request));
    EXPECT_EQ(request.Kind, 2);
    EXPECT_EQ(PixelOf(target, 5, 5), kPanelColor);
    EXPECT_EQ(PixelOf(target, 15, 15), 0x0000FFu);
}

// Where a child's window lands inside its group box's window.
POINT PlaceInBox(platform::TWinControl& child, platform::TWinControl& box) {
    RECT c{}, b{};
    GetWindowRect(child.Handle(), &c);
    GetWindowRect(box.Handle(), &b);
    return {c.left - b.left, c.top - b.top};
}

TEST_F(SkinnedForm, AGroupBoxsCaptionOffsetMovesItsClientAreaAndItsChildren) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({0, 0, 280, 180});
    panel.SkinData().SetSkinSection("HALFPANEL");  // its picture, not a colour, is passed on
    TsGroupBox& box = form.Make<TsGroupBox>(&panel);
    box.SetBounds({16, 24, 200, 100});
    platform::TPanel& child = form.Make<platform::TPanel>(&box);
    child.SetBounds({0, 0, 20, 20});

    // A window holds no client area above its own top: a negative offset moves the caption only.
    struct Case {
        int offset, clientTop;
    };
    for (const Case& c : {Case{12, 12}, Case{0, 0}, Case{7, 7}, Case{-5, 0}}) {
        box.SetCaptionYOffset(c.offset);
        RECT client{};
        GetClientRect(box.Handle(), &client);
        EXPECT_EQ(client.bottom, 100 - c.clientTop) << c.offset;
        const POINT at = PlaceInBox(child, box);
        EXPECT_EQ(at.x, 0) << c.offset;
        EXPECT_EQ(at.y, c.clientTop) << "a child at (0, 0) sits at the client top, offset " << c.offset;

        // A child's background is taken from the box's picture where the child really is.
        render::TsBgRequest through;
        bridge::RequestBackground(through, box, false);
        box.SetCaptionSkin("HALFPANEL");
        render::TsBgRequest own;
        bridge::RequestBackground(own, box, false);
        box.SetCaptionSkin("");
        EXPECT_EQ(through.OffsetY, 24 + c.clientTop) << c.offset;
        ASSERT_EQ(own.Kind, 2);
        EXPECT_EQ(own.OffsetY, c.clientTop) << c.offset;
    }
}

// What the screen shows of a group box is the picture it prints of itself: the strip above the
// client area included, and the client area not shifted.
TEST_F(SkinnedForm, AGroupBoxWithACaptionOffsetShowsItsWholePictureOnTheScreen) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({0, 0, 280, 180});
    TsGroupBox& box = form.Make<TsGroupBox>(&panel);
    box.SetBounds({16, 16, 200, 100});
    box.SetText("Caption");
    box.SetCaptionSkin("HALFPANEL");
    box.SetCaptionYOffset(12);

    bridge::TsDibSection printed(200, 100, render::PixelFormat::pf24bit);
    SendMessageW(box.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_NONCLIENT | PRF_CLIENT);
    ASSERT_NE(PixelOf(printed, 8, 4), kPanelColor) << "the caption's own section shows in the strip";

    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    bridge::TsDibSection shown(200, 100, render::PixelFormat::pf24bit);
    HDC window = GetWindowDC(box.Handle());
    BitBlt(shown.Dc(), 0, 0, 200, 100, window, 0, 0, SRCCOPY);
    ReleaseDC(box.Handle(), window);
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) differing += PixelOf(shown, x, y) != PixelOf(printed, x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(PixelOf(shown, 8, 4), PixelOf(printed, 8, 4));

    // Without a skin the strip is the box's own colour, not whatever was on the screen before.
    manager.SetActive(false);
    box.SetColor(0x00FF00);
    RedrawWindow(box.Handle(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    window = GetWindowDC(box.Handle());
    EXPECT_EQ(GetPixel(window, 150, 4), 0x00FF00u);
    ReleaseDC(box.Handle(), window);
}

TEST_F(SkinnedForm, PanelsFollowTheSkinBeingRemovedAndLoadedAgain) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    TsPanel& inner = form.Make<TsPanel>(&panel);
    ASSERT_EQ(inner.SkinData().SkinIndex, panel.SkinData().SkinIndex);
    manager.SetActive(false);
    EXPECT_EQ(inner.SkinData().SkinIndex, -1);
    EXPECT_TRUE(inner.SkinData().Updating());
    manager.SetActive(true);
    EXPECT_GE(inner.SkinData().SkinIndex, 0);
    EXPECT_FALSE(inner.SkinData().Updating());
}

// A repaint of every form refreshes every control before any of them paints: the window shows
// the new look at once, never half old and half new.
TEST_F(SkinnedForm, RepaintingTheFormsRefreshesEveryPanelBeforeAnyPaints) {
    std::vector<std::string> seen;
    auto record = [&seen](TsPanel& panel, std::string who) {
        auto previous = panel.WindowProc;
        panel.WindowProc = [&seen, who, previous](platform::TMessage& m) {
            if (m.Msg == skin::SM_ALPHACMD && skin::SkinCommandOf(m.WParam) == skin::SMC_REFRESH)
                seen.push_back("refresh " + who);
            if (m.Msg == WM_ERASEBKGND) seen.push_back("paint " + who);
            previous(m);
        };
    };
    TsPanel& first = form.Make<TsPanel>(&form);
    first.SetBounds({0, 0, 100, 100});
    TsPanel& second = form.Make<TsPanel>(&form);
    second.SetBounds({100, 0, 100, 100});
    UpdateWindow(form.Handle());
    record(first, "1");
    record(second, "2");

    manager.RepaintForms();
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(seen.begin(), seen.begin() + 2),
              (std::vector<std::string>{"refresh 1", "refresh 2"}));
    std::sort(seen.begin() + 2, seen.end());
    seen.erase(std::unique(seen.begin() + 2, seen.end()), seen.end());
    EXPECT_EQ(std::vector<std::string>(seen.begin() + 2, seen.end()), (std::vector<std::string>{"paint 1", "paint 2"}));
    EXPECT_TRUE(IsWindowVisible(form.Handle())) << "drawing is resumed";
}

TEST_F(SkinnedForm, AFullyTransparentControlOverAnUnskinnedParentTakesTheParentsColourNotBlack) {
    platform::TPanel& plain = form.Make<platform::TPanel>(&form);
    plain.SetColor(0x123456);
    TsGroupBox& box = form.Make<TsGroupBox>(&plain);
    ASSERT_TRUE(box.SkinData().Skinned());
    EXPECT_EQ(bridge::SendSkinCommand(&box, skin::SMC_GETBGCOLOR, TransparentKey), 0x123456);
}

TEST_F(SkinnedForm, SharedWindowMessagesOfAPanel) {
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({0, 0, 200, 150});
    platform::TPanel& child = form.Make<platform::TPanel>(&panel);
    std::vector<unsigned> childCommands;
    auto previous = child.WindowProc;
    child.WindowProc = [&](platform::TMessage& m) {
        if (m.Msg == skin::SM_ALPHACMD && skin::SkinCommandOf(m.WParam) == skin::SMC_BGMOVED)
            childCommands.push_back(skin::SMC_BGMOVED);
        previous(m);
    };
    int entered = 0;
    panel.OnMouseEnter = [&](platform::TControl&) { ++entered; };

    // The application object is answered, not lost to the default handling after it.
    EXPECT_EQ(bridge::SendSkinCommand(&panel, skin::SMC_GETAPPLICATION, 0),
              reinterpret_cast<LRESULT>(platform::Application));
    TsGroupBox& box = form.Make<TsGroupBox>(&panel);
    EXPECT_EQ(bridge::SendSkinCommand(&box, skin::SMC_GETAPPLICATION, 0),
              reinterpret_cast<LRESULT>(platform::Application));

    panel.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&panel));
    EXPECT_FALSE(panel.SkinData().MouseInside()) << "a container never looks hot";
    EXPECT_EQ(entered, 1);

    panel.SkinData().MarkFresh();
    panel.SetBounds({0, 0, 220, 160});  // a flat section: the children are not told it moved
    EXPECT_TRUE(panel.SkinData().BGChanged());
    EXPECT_TRUE(childCommands.empty());

    EXPECT_EQ(SendMessageW(panel.Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0), 0);
    panel.SetVisible(false);
    EXPECT_FALSE(panel.SkinData().CacheBmp && !panel.SkinData().CacheBmp->Empty());
}

// The main window's upper panel and its first group box, in the application's own skin.
TEST(StoredSkin, ThePanelsInteriorIsExactlyThePanelColourInsideItsBorder) {
    testsupport::SkinnedFormSetup setup;
    platform::TForm& form = setup.form;
    TsPanel& panel = form.Make<TsPanel>(&form);
    panel.SetBounds({0, 0, 593, 281});
    TsGroupBox& box = form.Make<TsGroupBox>(&panel);
    box.SetBounds({16, 16, 561, 57});
    form.SetBounds({0, 0, 600, 300});
    form.FinishLoading();
    form.Show();
    ASSERT_TRUE(panel.SkinData().Skinned());
    const int b = panel.SkinData().BorderWidth();
    ASSERT_GT(b, 0);

    bridge::TsDibSection dib(593, 281, render::PixelFormat::pf24bit);
    render::FillRectSolid(dib.Surface(), {0, 0, 593, 281}, 0x0000FF);
    PaintInto(panel, dib);
    for (auto [x, y] : {std::pair{b, b}, std::pair{592 - b, 280 - b}, std::pair{300, 200}, std::pair{8, 140}})
        EXPECT_EQ(PixelOf(dib, x, y), kPanelColor) << x << "," << y;
    EXPECT_NE(PixelOf(dib, 0, 140), 0x0000FFu) << "the border is painted";
    EXPECT_FALSE(panel.SkinData().CacheBmp) << "a static panel keeps no cache";

    // The border ring kept between paints follows the panel's size.
    const TColor left = PixelOf(dib, 0, 140), right = PixelOf(dib, 592, 140), bottom = PixelOf(dib, 300, 280);
    panel.SetBounds({0, 0, 400, 200});
    render::FillRectSolid(dib.Surface(), {0, 0, 593, 281}, 0x0000FF);
    PaintInto(panel, dib);
    EXPECT_EQ(PixelOf(dib, 0, 100), left);
    EXPECT_EQ(PixelOf(dib, 399, 100), right);
    EXPECT_EQ(PixelOf(dib, 200, 199), bottom);
    EXPECT_EQ(PixelOf(dib, 200, 100), kPanelColor);
    EXPECT_EQ(PixelOf(dib, 450, 100), 0x0000FFu) << "nothing past the panel";
    panel.SetBounds({0, 0, 593, 281});

    bridge::TsDibSection boxPixels(561, 57, render::PixelFormat::pf24bit);
    PaintInto(box, boxPixels);
    EXPECT_EQ(PixelOf(boxPixels, 280, 40), kPanelColor);  // the group box is transparent over the panel
}

}  // namespace
}  // namespace lw::controls
