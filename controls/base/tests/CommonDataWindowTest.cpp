#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/SkinManager.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/ControlSkinOwner.h"
#include "controls/base/core/ControlKinds.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/StoredSkin.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinManagerSetup.h"

namespace lw::controls {
namespace {

using testsupport::SilentPrompt;

// A skinned control whose only message handling is the shared one; it records what reaches
// its default handling and every skin command it is sent.
class SharedOnly : public platform::TCustomControl {
public:
    SharedOnly(platform::TComponent* owner, platform::TWinControl* parent, const char* section, int kind,
               std::vector<std::string>& log, std::string name)
        : TCustomControl(owner, parent, {.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP}),
          log_(log),
          name_(std::move(name)) {
        SetTabStop(true);
        data.ControlKind = kind;
        data.SetSkinSection(section);
    }
    ControlSkinOwner owner{*this, "SharedOnly"};
    TsCommonData data{owner, true};

protected:
    void WndProc(platform::TMessage& m) override {
        if (m.Msg == skin::SM_ALPHACMD) log_.push_back(name_ + " " + std::to_string(skin::SkinCommandOf(m.WParam)));
        if (HandleWindowMessage(data, *this, m)) return;
        if (m.Msg == WM_UPDATEUISTATE) log_.push_back(name_ + " default uistate");
        TCustomControl::WndProc(m);
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

skin::ByteBuffer GradientSkin() {
    const std::string options =
        "[GLOBALINFO]\nCOLOR=0\n"
        "[FLAT]\nCOLOR=0\n"
        "[SHADED]\nCOLOR=0\nGRADIENTPERCENT=100\nGRADIENTDATA=255;16777215;100;0\n"
        "[MOVING]\nCOLOR=0\nTRANSPARENCY=50\n";
    return skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}});
}

struct SharedMessages : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    std::vector<std::string> log;

    bridge::TsSkinManager& Manager(skin::ByteBuffer skin) {
        auto& m = testsupport::MakeSkinManager(form, std::move(skin));
        form.SetBounds({0, 0, 300, 200});
        form.FinishLoading();
        form.Show();
        return m;
    }
};

// Each row: a message sent to the control, and what the control and its child were told
// (skin commands by number) or what reached the control's default handling.
TEST_F(SharedMessages, MessageSequencesOfTheSharedHandling) {
    Manager(GradientSkin());
    SharedOnly& shaded = form.Make<SharedOnly>(&form, "SHADED", ckPanel, log, "box");
    shaded.SetBounds({10, 10, 120, 100});
    SharedOnly& flat = form.Make<SharedOnly>(&form, "FLAT", ckPanel, log, "flat");
    flat.SetBounds({140, 10, 120, 100});
    SharedOnly& child = form.Make<SharedOnly>(&shaded, "MOVING", ckPanel, log, "child");
    child.SetBounds({5, 5, 20, 20});
    SharedOnly& flatChild = form.Make<SharedOnly>(&flat, "MOVING", ckPanel, log, "flatChild");
    flatChild.SetBounds({5, 5, 20, 20});
    ASSERT_TRUE(shaded.data.Skinned());

    struct Row {
        const char* what;
        std::function<void()> send;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        // A shaded container tells its windowed children they moved against its gradient.
        {"resize shaded",
         [&] {
             shaded.SetBounds({10, 10, 130, 110});
         },
         {"child 20"}},
        {"resize flat",
         [&] {
             flat.SetBounds({140, 10, 130, 110});
         },
         {}},
        // A see-through control moved over a gradient tells itself it moved.
        // It asks its container whether the move matters there first.
        {"move child",
         [&] {
             child.SetBounds({8, 8, 20, 20});
         },
         {"box 19", "child 20"}},
        {"skinned swallows ui state", [&] { SendMessageW(shaded.Handle(), WM_UPDATEUISTATE, 0, 0); }, {}},
        {"mouse enters",
         [&] { shaded.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&shaded)); },
         {"box 29"}},
        {"mouse enters another",
         [&] { flat.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&flat)); },
         {"box 30", "flat 29"}},
        {"mouse enter naming another control",
         [&] { flat.Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(&child)); },
         {}},
    };
    for (const Row& row : rows) {
        log.clear();
        row.send();
        EXPECT_EQ(log, row.expected) << row.what;
    }

    shaded.data.SetSkinSection("NONE");  // unskinned: the platform sees the ui state again
    log.clear();
    SendMessageW(shaded.Handle(), WM_UPDATEUISTATE, 0, 0);
    EXPECT_EQ(log, std::vector<std::string>{"box default uistate"});
}

TEST_F(SharedMessages, FocusAndEnablingMoveTheFlags) {
    Manager(GradientSkin());
    SharedOnly& c = form.Make<SharedOnly>(&form, "FLAT", ckPanel, log, "c");
    c.data.MarkFresh();
    SetFocus(c.Handle());
    EXPECT_TRUE(c.data.Focused());
    EXPECT_TRUE(c.data.BGChanged());
    c.data.MarkFresh();
    SetFocus(nullptr);
    EXPECT_FALSE(c.data.Focused());
    EXPECT_TRUE(c.data.BGChanged());

    c.data.SetFocused(true);
    c.data.SetMouseInside(true);
    c.SetEnabled(false);
    EXPECT_FALSE(c.data.MouseInside());
    EXPECT_FALSE(c.data.Focused());
}

std::vector<HWND> ShownGlows() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM data) {
            if (IsWindowVisible(w) && (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED))
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The stored skin's edit section glows: the glow appears around the control under the mouse and
// goes when the mouse leaves, when asked to, or when glowing is not allowed.
TEST_F(SharedMessages, AGlowShowsAroundTheControlUnderTheMouseOnly) {
    bridge::TsSkinManager& manager = Manager(skin::ByteBuffer(kStoredSkin, kStoredSkin + kStoredSkinSize));
    SharedOnly& c = form.Make<SharedOnly>(&form, "EDIT", ckEdit, log, "edit");
    c.SetBounds({40, 40, 100, 24});
    ASSERT_TRUE(c.data.Skinned());
    ASSERT_GE(c.data.Section()->GlowCount, 1);

    ShowGlow(c.data, c, false);
    EXPECT_EQ(c.data.GlowId, -1) << "the mouse is not over it";
    EXPECT_TRUE(ShownGlows().empty());

    c.data.SetMouseInside(true);
    ShowGlow(c.data, c, false);
    ASSERT_GE(c.data.GlowId, 0);
    const std::vector<HWND> shown = ShownGlows();
    ASSERT_EQ(shown.size(), 1u);
    RECT glow, control;
    GetWindowRect(shown[0], &glow);
    GetWindowRect(c.Handle(), &control);
    EXPECT_TRUE(glow.left < control.left && glow.top < control.top && glow.right > control.right &&
                glow.bottom > control.bottom)
        << "the glow lies around the control";

    ShowGlow(c.data, c, true);  // asked to hide the glow shown
    EXPECT_EQ(c.data.GlowId, -1);
    EXPECT_TRUE(ShownGlows().empty());

    manager.SetAllowGlowing(false);
    ShowGlow(c.data, c, false);
    EXPECT_EQ(c.data.GlowId, -1);
    EXPECT_TRUE(ShownGlows().empty());
    manager.SetAllowGlowing(true);

    ShowGlow(c.data, c, false);
    ASSERT_GE(c.data.GlowId, 0);
    c.Perform(platform::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(&c));
    EXPECT_EQ(c.data.GlowId, -1);
    EXPECT_TRUE(ShownGlows().empty());
}

}  // namespace
}  // namespace lw::controls
