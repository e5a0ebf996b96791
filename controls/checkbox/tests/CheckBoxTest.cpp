#include <windows.h>

#include <gtest/gtest.h>

#include "bridge/DibSection.h"
#include "bridge/GdiTextEngine.h"
#include "bridge/SkinManager.h"
#include "controls/CommonDataWindow.h"
#include "controls/GroupBox.h"
#include "controls/Panel.h"
#include "controls/checkbox/CheckBox.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "render/Text.h"
#include "testsupport/StoredSkin.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/SilentPrompt.h"

namespace lw::controls {
namespace {

using testsupport::SilentPrompt;

constexpr char kCaption[] = "Запоминать последний используемый каталог";

// The Settings window's check box in the application's own skin: a panel, a group box, the box.
struct SettingsCheckBox : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    bridge::TsSkinManager& manager = MakeManager();
    TsPanel& panel = form.Make<TsPanel>(&form);
    TsGroupBox& group = form.Make<TsGroupBox>(&panel);
    TsCheckBox& box = form.Make<TsCheckBox>(&group);
    int clicks = 0;

    bridge::TsSkinManager& MakeManager() {
        auto& m = form.Make<bridge::TsSkinManager>();
        m.InternalSkins.push_back({"000 (internal)", skin::ByteBuffer(kStoredSkin, kStoredSkin + kStoredSkinSize)});
        m.SetSkinName("000 (internal)");
        return m;
    }
    void SetUp() override {
        form.SetBounds({0, 0, 481, 121});
        panel.SetBounds({0, 0, 481, 121});
        group.SetBounds({16, 16, 449, 57});
        box.SetBounds({8, 24, 268, 20});
        box.SetText(kCaption);
        box.SetChecked(true);  // while the form is being built
        box.OnClick = [this] { ++clicks; };
        form.FinishLoading();
        form.Show();
        ASSERT_TRUE(box.SkinData().Skinned());
        // The containers paint first; until then the box waits for their backgrounds.
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !box.SkinData().IsUpdating(); }));
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(box.Handle(), message, wParam, lParam);
    }
    void Leave() { box.Perform(platform::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&box)); }
};

TEST_F(SettingsCheckBox, ValueSetWhileLoadingIsKeptAndShownToOutsideReaders) {
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(Send(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(clicks, 0);
}

TEST_F(SettingsCheckBox, BoxAndCaptionSitWhereTheSkinPutsThemAndTheCaptionIsNotCut) {
    EXPECT_EQ(box.Box(), (BoxSize{16, 18}));
    EXPECT_EQ(box.BoxRect(), (TRect{2, 1, 18, 19}));
    const platform::TBounds& b = box.Bounds();
    EXPECT_EQ(b.Height, 20);
    EXPECT_EQ((TPoint{b.Left, b.Top}), (TPoint{8, 24}));

    const TPoint text = render::MeasureText(bridge::ProcessTextEngine(), TextFontOf(box), kCaption);
    ASSERT_GT(text.X, 0);
    CheckBoxLayout layout{b.Width, b.Height, 2, 0, true, false};
    const TRect caption = CheckBoxCaptionRect(layout, box.Box(), text.X, text.Y);
    EXPECT_EQ(caption.Left, 22);
    EXPECT_LE(caption.Right, b.Width - 2) << "the whole caption fits inside the control";
}

TColor PixelOf(bridge::TsDibSection& dib, int x, int y) {
    GdiFlush();
    const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
    return MakeColor(p[2], p[1], p[0]);
}

TEST_F(SettingsCheckBox, PaintsTheBoxOfItsStateAtTheBoxRectangleOnly) {
    const int w = box.Bounds().Width, h = box.Bounds().Height;
    bridge::TsDibSection checked(w, h, render::PixelFormat::pf24bit), unchecked(w, h, render::PixelFormat::pf24bit);
    Send(WM_PAINT, reinterpret_cast<WPARAM>(checked.Dc()));
    box.SetChecked(false);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !box.Fading(); })) << "the new mark fades in, then stops";
    Send(WM_PAINT, reinterpret_cast<WPARAM>(unchecked.Dc()));

    const TRect r = box.BoxRect();
    int differing = 0, differingOutside = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (PixelOf(checked, x, y) == PixelOf(unchecked, x, y)) continue;
            const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
            (inside ? differing : differingOutside) += 1;
        }
    EXPECT_GT(differing, 10) << "the check mark shows";
    EXPECT_EQ(differingOutside, 0);
    EXPECT_NE(PixelOf(checked, w - 3, 10), 0u) << "the section's background is painted, not left black";
}

TEST_F(SettingsCheckBox, MouseTogglesOnReleaseOnlyWhileStillPressed) {
    struct Step {
        UINT Message;  // 0: the mouse leaves the control
        bool CheckedAfter;
    };
    const struct {
        const char* What;
        std::vector<Step> Steps;
    } cases[] = {
        {"press and release", {{WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, false}}},
        {"press, leave, release", {{WM_LBUTTONDOWN, true}, {0, true}, {WM_LBUTTONUP, true}}},
        {"press, leave, press again, release", {{WM_LBUTTONDOWN, true}, {0, true}, {WM_LBUTTONDOWN, true},
                                                {WM_LBUTTONUP, false}}},
        {"release alone", {{WM_LBUTTONUP, true}}},
    };
    for (const auto& c : cases) {
        box.SetChecked(true);
        clicks = 0;
        int toggles = 0;
        for (const Step& s : c.Steps) {
            const bool before = box.Checked();
            if (s.Message == 0) Leave();
            else Send(s.Message, MK_LBUTTON, MAKELPARAM(5, 5));
            toggles += box.Checked() != before;
            EXPECT_EQ(box.Checked(), s.CheckedAfter) << c.What;
        }
        EXPECT_EQ(clicks, toggles) << c.What << ": one click event per toggle";
        EXPECT_FALSE(box.Pressed()) << c.What;
    }
    EXPECT_EQ(GetCapture(), nullptr) << "the box never captures the mouse";
}

TEST_F(SettingsCheckBox, SpaceKeyTogglesOnTheFirstKeyReleasedAfterIt) {
    Send(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(box.Pressed());
    EXPECT_EQ(GetFocus(), box.Handle()) << "the space key takes the focus as a press does";
    Send(WM_KEYDOWN, 'A');
    EXPECT_TRUE(box.Checked());
    Send(WM_KEYUP, 'A');
    EXPECT_FALSE(box.Checked()) << "the other key's release toggles";
    Send(WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(box.Checked()) << "the space key's own release finds nothing pressed";

    Send(WM_KEYDOWN, VK_RETURN);
    Send(WM_KEYUP, VK_RETURN);
    EXPECT_FALSE(box.Checked()) << "other keys alone do nothing";
}

TEST_F(SettingsCheckBox, ReadOnlyBoxSwallowsClicksAndTheSpaceKeyAndTakesNoFocusByAClick) {
    box.ReadOnly = true;
    SetFocus(nullptr);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_KEYUP, VK_SPACE);
    Send(BM_CLICK);
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(clicks, 0);
    EXPECT_NE(GetFocus(), box.Handle());
}

TEST_F(SettingsCheckBox, PlatformClickAndSetCheckGoThroughTheSkinnedState) {
    Send(BM_CLICK);  // what other programs do: the platform's own press and release
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 1);
    Send(BM_SETCHECK, BST_CHECKED);
    EXPECT_FALSE(box.Checked()) << "the platform's set-check message does not change the skinned box";
}

TEST_F(SettingsCheckBox, WithoutTheSkinThePlatformBoxShowsAndTogglesTheSameState) {
    manager.SetActive(false);
    ASSERT_FALSE(box.SkinData().Skinned());
    EXPECT_EQ(CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(box.Handle(), GCLP_WNDPROC)), box.Handle(),
                              BM_GETCHECK, 0, 0),
              BST_CHECKED);
    Send(BM_CLICK);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace lw::controls
