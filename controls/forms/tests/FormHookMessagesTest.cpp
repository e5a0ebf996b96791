// What the form hook adds to a skinned form's first activation and what its provider keeps.
#include <windows.h>

#include <gtest/gtest.h>

#include "bridge/SkinManager.h"
#include "controls/forms/FormSkinning.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/SkinProtocol.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/MessageSequence.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinManagerSetup.h"

namespace lw::controls {
namespace {

using testsupport::kLParam;
using testsupport::kPassedOn;
using testsupport::kWParam;

constexpr WPARAM Command(unsigned command) { return skin::SkinWParam(command); }

TEST(FormHookMessages, FirstActivationAsksOnceTakesTheFrameAndKeepsTheFramesPaintingToItself) {
    testsupport::SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TComponent owner{nullptr};
    auto& main = owner.Make<platform::TForm>();
    auto& manager = testsupport::MakeSkinManager(main, testsupport::StoredSkinBytes());
    EnableFormSkinning(manager);
    main.FinishLoading();
    ASSERT_TRUE(dynamic_cast<TFormSkinning&>(*manager.FormSkinning()).HookInstalled());
    auto& form = owner.Make<platform::TForm>();
    form.SetBounds({40, 40, 320, 200});
    form.SetText("window");

    testsupport::MessageSequence sequence;
    sequence.WatchBeneath(form.Handle());
    sequence.WatchFront(form.Handle());
    sequence.Only({skin::SM_ALPHACMD, WM_ACTIVATE, WM_NCACTIVATE, WM_NCCALCSIZE, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT});
    form.Show();
    ASSERT_TRUE(testsupport::PumpUntilIdle());
    // The hook asks whether the window is skinned (the form itself answers no), then the provider
    // takes the frame: the frame's size, its painting and the client's erasing are its own from
    // then on and never reach the form. The platform keeps its activation state but is asked to
    // paint nothing of the frame (lParam -1). Frame and client are painted once.
    EXPECT_TRUE(sequence.Matches({
        {skin::SM_ALPHACMD, kWParam, Command(skin::SMC_ISSKINNED)},
        {skin::SM_ALPHACMD, kWParam | kPassedOn, Command(skin::SMC_ISSKINNED)},
        {WM_NCCALCSIZE},
        {WM_NCPAINT},
        {WM_ERASEBKGND},
        {skin::SM_ALPHACMD, kWParam, Command(skin::SMC_REPAINT)},
        {skin::SM_ALPHACMD, kWParam | kPassedOn, Command(skin::SMC_REPAINT)},
        {WM_NCACTIVATE, kWParam | kLParam, TRUE, 0},
        {WM_NCACTIVATE, kWParam | kLParam | kPassedOn, TRUE, -1},
        {WM_ACTIVATE, kWParam, WA_ACTIVE},
        {WM_ACTIVATE, kWParam | kPassedOn, WA_ACTIVE},
        {WM_PAINT},
        {WM_PAINT, kPassedOn},
    }));

    // Activated again: the provider answers for the window, and no second one is made.
    sequence.Clear();
    main.Show();
    form.Show();
    ASSERT_TRUE(testsupport::PumpUntilIdle());
    EXPECT_TRUE(sequence.Matches({
        {WM_NCACTIVATE, kWParam, FALSE},
        {WM_NCACTIVATE, kWParam | kLParam | kPassedOn, FALSE, -1},
        {WM_ACTIVATE, kWParam, WA_INACTIVE},
        {WM_ACTIVATE, kWParam | kPassedOn, WA_INACTIVE},
        {skin::SM_ALPHACMD, kWParam, Command(skin::SMC_ISSKINNED)},
        {WM_NCACTIVATE, kWParam, TRUE},
        {WM_NCACTIVATE, kWParam | kLParam | kPassedOn, TRUE, -1},
        {WM_ACTIVATE, kWParam, WA_ACTIVE},
        {WM_ACTIVATE, kWParam | kPassedOn, WA_ACTIVE},
    }));
}

}  // namespace
}  // namespace lw::controls
