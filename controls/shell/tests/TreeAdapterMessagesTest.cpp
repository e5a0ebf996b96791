// What the tree adapter of the skinned folder tree keeps from the tree view and gives back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "bridge/SkinManager.h"
#include "controls/shell/ShellTreeView.h"
#include "skin/SkinProtocol.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/MessageSequence.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

using testsupport::kLParam;
using testsupport::kPassedOn;
using testsupport::kWParam;

// The tree erases its own background in the section's colour while skinned, and once the skin
// goes it is given the platform's colours back, once, and erases through the tree view again.
TEST(TreeAdapterMessages, TheAdapterErasesForTheTreeUntilTheSkinGoes) {
    testsupport::SkinnedFormSetup setup;
    platform::TForm& form = setup.form;
    bridge::TsSkinManager& manager = setup.manager;
    auto& tree = form.Make<TsShellTreeView>(&form);
    testsupport::MessageSequence sequence;
    sequence.WatchBeneath(tree.Handle());
    form.SetBounds({120, 90, 320, 260});
    tree.SetBounds({8, 30, 200, 150});
    form.FinishLoading();
    form.Show();
    ASSERT_TRUE(tree.SkinData().Skinned());
    sequence.WatchFront(tree.Handle());
    sequence.Only({WM_ERASEBKGND, TVM_SETBKCOLOR, TVM_SETTEXTCOLOR});
    const auto erase = [&] {
        ASSERT_TRUE(testsupport::PumpUntilIdle());
        sequence.Clear();
        RedrawWindow(tree.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    };

    erase();
    EXPECT_TRUE(sequence.Matches({{WM_ERASEBKGND}}));

    sequence.Clear();
    manager.SetActive(false);
    EXPECT_TRUE(sequence.Matches({
        // Given back once, while the adapter still stands in front of the tree.
        {TVM_SETBKCOLOR, kLParam, 0, -1},
        {TVM_SETBKCOLOR, kLParam | kPassedOn, 0, -1},
        {TVM_SETTEXTCOLOR, kLParam, 0, -1},
        {TVM_SETTEXTCOLOR, kLParam | kPassedOn, 0, -1},
        // The platform's frame back: the tree erases through the tree view again.
        {WM_ERASEBKGND},
        {WM_ERASEBKGND, kPassedOn},
    }));
    erase();
    EXPECT_TRUE(sequence.Matches({{WM_ERASEBKGND}, {WM_ERASEBKGND, kPassedOn}}));

    manager.SetActive(true);
    erase();
    EXPECT_TRUE(sequence.Matches({{WM_ERASEBKGND}}));
}

}  // namespace
}  // namespace lw::controls
