#include "BridgeFixture.h"
#include "bridge/DibSection.h"

namespace lw::bridge::testing {
namespace {

using platform::TLabel;
using platform::TPanel;
using namespace lw::skin;

TEST_F(BridgeTest, CommandsToControlsBeingDestroyedOrWithoutWindowReadZero) {
    TPanel& panel = form.Make<TPanel>(&form);
    TLabel& label = form.Make<TLabel>(&form);
    Skin(panel, "panel");
    Skin(label, "label");
    EXPECT_EQ(SendSkinCommand(&panel, SMC_ISSKINNED, 0), 1);
    EXPECT_EQ(SendSkinCommand(&label, SMC_ISSKINNED, 0), 1) << "windowless: called directly";
    EXPECT_TRUE(IsSkinnedWindow(panel.Handle()));
    EXPECT_FALSE(IsSkinnedWindow(form.Handle()));
    EXPECT_EQ(SendSkinCommand(nullptr, SMC_ISSKINNED, 0), 0);
    EXPECT_EQ(SendSkinCommandToWindow(nullptr, SMC_ISSKINNED, 0), 0);

    const HWND window = panel.Handle();
    panel.BeginDestroy();
    EXPECT_EQ(SendSkinCommand(&panel, SMC_ISSKINNED, 0), 0);
    EXPECT_EQ(SendSkinCommandToWindow(window, SMC_ISSKINNED, 0), 0) << "its control is no longer live";
    label.BeginDestroy();
    EXPECT_EQ(SendSkinCommand(&label, SMC_ISSKINNED, 0), 0);
}

TEST_F(BridgeTest, BroadcastWalksThroughUnskinnedContainersAndSkipsTheDestroyedChild) {
    TPanel& panel = form.Make<TPanel>(&form);
    TPanel& first = panel.Make<TPanel>(&panel);
    TLabel& label = panel.Make<TLabel>(&panel);
    TPanel& dying = panel.Make<TPanel>(&panel);
    TLabel& dyingLabel = panel.Make<TLabel>(&panel);
    TPanel& last = panel.Make<TPanel>(&panel);
    TPanel& plain = form.Make<TPanel>(&form);
    TPanel& inner = plain.Make<TPanel>(&plain);
    for (auto [control, name] : {std::pair<platform::TControl*, const char*>{&panel, "panel"},
                                 {&first, "first"},
                                 {&label, "label"},
                                 {&dying, "dying"},
                                 {&dyingLabel, "dyingLabel"},
                                 {&last, "last"},
                                 {&inner, "inner"}})
        Skin(*control, name);
    dying.BeginDestroy();
    dyingLabel.BeginDestroy();

    struct Case {
        unsigned command;
        std::vector<std::string> order;
    } cases[] = {
        {SMC_SKINLOADED, {"first", "label", "last", "panel", "inner"}},
        {SMC_REFRESH, {"panel", "first", "label", "last", "inner"}},
        {SMC_SKINREMOVED, {"panel", "first", "label", "last", "inner"}},
    };
    for (const Case& c : cases) {
        Log.clear();
        BroadcastToChildren(form, SM_ALPHACMD, SkinWParam(c.command), 77);
        std::vector<std::string> order;
        for (const Received& r : Log) {
            order.push_back(r.Who);
            EXPECT_EQ(r.Command, c.command);
            EXPECT_EQ(r.LParam, 77);
        }
        EXPECT_EQ(order, c.order) << c.command;
    }
}

TEST_F(BridgeTest, BackgroundRequestFallsBackToTheColourOrToPaintingTheParent) {
    TPanel& parent = form.Make<TPanel>(&form);
    parent.SetBounds({0, 0, 40, 30});
    parent.SetColor(0x123456);
    TsDibSection target(20, 20, render::PixelFormat::pf24bit);
    render::FillRectSolid(target.Surface(), {0, 0, 20, 20}, 0x0000FF);

    render::TsBgRequest info;
    EXPECT_FALSE(RequestBackground(info, parent, false));
    EXPECT_EQ(info.Kind, 1);
    EXPECT_EQ(info.Color, 0x123456u) << "an unskinned parent gives its own colour";

    info = {};
    info.DrawNow = true;  // paint me if you cannot describe it
    info.Target = &target.Surface();
    info.Area = {2, 2, 6, 6};
    info.OffsetX = 10;
    info.OffsetY = 10;
    EXPECT_FALSE(RequestBackground(info, parent, false));
    EXPECT_EQ(info.Kind, 0);
    const auto px = [&](int x, int y) {
        const std::uint8_t* p = target.Bitmap().Pixel(x, y);
        return MakeColor(p[2], p[1], p[0]);
    };
    EXPECT_EQ(px(2, 2), 0x123456u) << "the parent painted Area";
    EXPECT_EQ(px(5, 5), 0x123456u);
    EXPECT_EQ(px(6, 6), 0x0000FFu) << "nothing outside Area";
    EXPECT_EQ(px(1, 2), 0x0000FFu);

    Skin(parent, "parent", [](platform::TMessage& m) {
        if (SkinCommandOf(m.WParam) != SMC_GETBGCOLOR) return false;
        m.Result = 0;  // black
        return true;
    });
    info = {};
    RequestBackground(info, parent, false);
    EXPECT_EQ(info.Color, 0u) << "a skinned parent's black is black, not 'no answer'";
    EXPECT_EQ(GetControlColor(&parent), 0u);

    Skin(parent, "answering", [](platform::TMessage& m) {
        if (SkinCommandOf(m.WParam) != SMC_GETBG) return false;
        auto* request = reinterpret_cast<render::TsBgRequest*>(m.LParam);
        request->Kind = 1;
        request->Color = request->DrawNow ? 0x111111 : 0x222222;
        return true;
    });
    info = {};
    EXPECT_TRUE(RequestBackground(info, parent.Handle(), true));
    EXPECT_EQ(info.Color, 0x111111u) << "the receiver sees drawNow in DrawNow";
}

TEST_F(BridgeTest, ColoursOfNothingAndOfUnskinnedControlsAreRgb) {
    EXPECT_EQ(GetControlColor(nullptr), TransparentKey);
    EXPECT_EQ(GetWindowColor(nullptr), TransparentKey);
    TPanel& panel = form.Make<TPanel>(&form);
    const TColor face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(GetControlColor(&panel), face) << "a system colour comes back as RGB";
    EXPECT_EQ(GetWindowColor(panel.Handle()), face);
    const HWND foreign =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, form.Handle(), nullptr, nullptr, nullptr);
    EXPECT_EQ(GetWindowColor(foreign), TransparentKey) << "a window that gives no answer has no known colour";
    DestroyWindow(foreign);
}

}  // namespace
}  // namespace lw::bridge::testing
