#include <windows.h>

#include <commctrl.h>

#include <functional>

#include <gtest/gtest.h>

#include "controls/shell/ShellTreeView.h"
#include "bridge/SkinManager.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/adapters/ScrollParts.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Text.h"
#include "testsupport/TempFolder.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

// The stored skin's "EDIT" section: a dark field with grey text.
constexpr COLORREF kFieldColor = 1710618;

// A skinned form holding the shell tree rooted at a folder with more sub-folders than it can
// show, so that it needs its vertical bar.
struct SkinnedShellTreeTest : ::testing::Test, testsupport::SkinnedFormSetup {
    TsShellTreeView& tree = form.Make<TsShellTreeView>(&form);
    testsupport::TempFolder fixture{"lw skinned tree"};

    void SetUp() override {
        for (int i = 0; i < 30; ++i) fixture.AddFolder("folder " + std::to_string(i));
        form.SetBounds({120, 90, 320, 260});
        tree.SetBounds({8, 30, 200, 150});
        form.FinishLoading();
        tree.SetRoot(platform::WideToUtf8(fixture.Path().wstring()));
        form.Show();
        ASSERT_TRUE(manager.GlobalInfo().Active);
        ASSERT_TRUE(tree.SkinData().Skinned());
    }
    HWND Tree() const { return tree.Handle(); }
    COLORREF Background() const { return COLORREF(SendMessageW(Tree(), TVM_GETBKCOLOR, 0, 0)); }
    COLORREF TextColour() const { return COLORREF(SendMessageW(Tree(), TVM_GETTEXTCOLOR, 0, 0)); }
};

TEST_F(SkinnedShellTreeTest, TheTreeAdapterDrawsFrameAndBarsInTheSkinsColoursUntilTheSkinGoes) {
    EXPECT_EQ(tree.SkinData().SkinSection(), "EDIT");
    ASSERT_NE(tree.Adapter(), nullptr);
    EXPECT_EQ(controls::FindAdapter(Tree()), tree.Adapter());
    EXPECT_NE(dynamic_cast<controls::TgwTreeViewWnd*>(tree.Adapter()), nullptr);
    EXPECT_EQ(Background(), kFieldColor);
    EXPECT_NE(TextColour(), COLORREF(CLR_NONE));
    EXPECT_NE(TextColour(), kFieldColor);
    const controls::TgwScrollBar* bar = controls::FindScrollBar(Tree(), 1);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->Visible) << "thirty folders do not fit";

    // The skinned bar takes the place of the platform's, also once the tree has painted and
    // scrolled itself to a selection: its track is none of the light colours of the platform's.
    tree.SetPath(platform::WideToUtf8((fixture / "folder 9").wstring()));
    testsupport::PumpFor(std::chrono::milliseconds(300));
    const auto r = controls::ScreenBarRects(dynamic_cast<controls::TgwScrollWnd&>(*tree.Adapter())).Vert;
    HDC screen = GetDC(nullptr);
    const COLORREF track = GetPixel(screen, r.Left + (r.Right - r.Left) / 2, r.Bottom - 20);
    ReleaseDC(nullptr, screen);
    EXPECT_NE(track, GetSysColor(COLOR_SCROLLBAR));
    EXPECT_NE(track, GetSysColor(COLOR_BTNFACE));
    EXPECT_LT(GetRValue(track) + GetGValue(track) + GetBValue(track), 3 * 128) << std::hex << track;

    manager.SetActive(false);
    EXPECT_EQ(tree.Adapter(), nullptr);
    EXPECT_EQ(controls::FindAdapter(Tree()), nullptr);
    EXPECT_EQ(Background(), COLORREF(CLR_NONE)) << "the platform's colours again";
    manager.SetActive(true);
    EXPECT_NE(tree.Adapter(), nullptr);
    EXPECT_EQ(Background(), kFieldColor);
}

// The icons' background is the tree's colour as soon as that changes, before anything paints:
// removing and loading the skin, and a colour of the program's own.
TEST_F(SkinnedShellTreeTest, TheSystemIconsBackgroundFollowsTheTreesColourAtOnce) {
    ASSERT_TRUE(testsupport::PumpUntilIdle());
    const auto iconBackground = [] { return ImageList_GetBkColor(SystemShell::SystemImages()); };
    ASSERT_EQ(iconBackground(), kFieldColor);
    struct Step {
        const char* what;
        std::function<void()> change;
        COLORREF expected;
    } steps[] = {
        {"skin removed", [&] { manager.SetActive(false); }, GetSysColor(COLOR_WINDOW)},
        {"skin loaded", [&] { manager.SetActive(true); }, kFieldColor},
        {"own colour", [&] { tree.SetColor(0x204060); }, 0x204060},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_EQ(iconBackground(), step.expected) << step.what;
    }
}

TEST_F(SkinnedShellTreeTest, TheBoundLabelStandsAboveTheTreeAndFollowsIt) {
    controls::TsBoundLabel& bound = tree.BoundLabel();
    bound.SetLayout(controls::TsCaptionLayoutKind::sclTopLeft);
    bound.SetIndent(4);
    bound.SetCaption("Maps");
    bound.SetActive(true);
    ASSERT_NE(bound.Label(), nullptr);
    const platform::TBounds label = bound.Label()->Bounds();
    EXPECT_EQ(label.Left, 8);
    EXPECT_EQ(label.Top + label.Height + 4, 30);
    EXPECT_EQ(bound.Label()->Parent(), &form);

    tree.SetBounds({20, 60, 200, 100});
    EXPECT_EQ(bound.Label()->Bounds().Left, 20);
    EXPECT_EQ(bound.Label()->Bounds().Top + label.Height + 4, 60);
    tree.SetVisible(false);
    EXPECT_FALSE(bound.Label()->Visible());
}

}  // namespace
}  // namespace lw::controls
