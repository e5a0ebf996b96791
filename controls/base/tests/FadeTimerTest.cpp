#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "bridge/SkinManager.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/ControlSkinOwner.h"
#include "controls/base/FadeTimer.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "render/Surface.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinManagerSetup.h"

namespace lw::controls {
namespace {

using testsupport::SilentPrompt;

skin::ByteBuffer FadingSkin(int iterations) {
    const std::string options =
        "[GLOBALINFO]\nCOLOR=0\n[FADER]\nCOLOR=0\nFADINGENABLED=TRUE\nFADINGITERATIONS=" + std::to_string(iterations) +
        "\n[STILL]\nCOLOR=0\nFADINGENABLED=FALSE\n";
    return skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}});
}

// A control whose look is one colour: its cache is rebuilt in Look on SMC_PREPARECACHE, and it
// records the blended frames it is offered instead of letting them reach its window.
class FadingControl : public platform::TCustomControl {
public:
    FadingControl(platform::TComponent* owner, platform::TWinControl* parent)
        : TCustomControl(owner, parent, {.Style = WS_CHILD | WS_VISIBLE}) {
        SetBounds({0, 0, 8, 8});
        data.ControlKind = 94;
        data.SetSkinSection("FADER");
        data.EnsureCache();
        Rebuild();
        data.MarkFresh();
    }
    ~FadingControl() override { StopFade(slot); }

    TColor Look = 0;
    std::vector<int> Frames;  // red of each frame's first pixel
    ControlSkinOwner owner{*this, "FadingControl"};
    TsCommonData data{owner, true};
    FadeTimerSlot slot = nullptr;

protected:
    void WndProc(platform::TMessage& m) override {
        if (m.Msg == skin::SM_ALPHACMD) {
            switch (skin::SkinCommandOf(m.WParam)) {
            case skin::SMC_PREPARECACHE:
                Rebuild();
                return;
            case skin::SMC_FADEFRAME:
                Frames.push_back(reinterpret_cast<render::Bitmap*>(m.LParam)->Pixel(0, 0)[2]);
                m.Result = 1;
                return;
            case skin::SMC_STOPANIM:
                StopFade(slot);
                return;
            default:
                if (HandleSkinCommand(data, m)) return;
            }
        }
        TCustomControl::WndProc(m);
    }

private:
    void Rebuild() {
        data.EnsureCache();
        render::Surface s(*data.CacheBmp);
        render::FillRectSolid(s, {0, 0, 8, 8}, Look);
    }
};

struct Fading : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    bridge::TsSkinManager* manager = nullptr;

    FadingControl& MakeControl(int iterations) {
        manager = &form.Make<bridge::TsSkinManager>();
        testsupport::LoadInternalSkin(*manager, FadingSkin(iterations));
        form.FinishLoading();
        return form.Make<FadingControl>(&form);
    }
    // Serves messages until the fade ended (or a second passed).
    void PumpUntilIdle(FadingControl& c, std::function<void()> eachTurn = nullptr) {
        testsupport::PumpUntil(
            [&] {
                if (eachTurn) eachTurn();
                return c.slot == nullptr;
            },
            std::chrono::seconds(1));
        platform::Application->ProcessMessages();  // lets the released timer go
    }
};

TEST_F(Fading, ALookChangeFadesInTheSectionsStepsFromOldToNew) {
    FadingControl& c = MakeControl(10);
    c.Look = 0xFFFFFF;
    ChangeLook(c.slot, c, c.data, false, 1, true);
    ASSERT_NE(c.slot, nullptr);
    EXPECT_EQ(c.slot->Interval(), 10u);
    PumpUntilIdle(c);
    EXPECT_EQ(c.slot, nullptr);
    ASSERT_EQ(c.Frames.size(), 10u);
    for (std::size_t i = 1; i < c.Frames.size(); ++i) EXPECT_GT(c.Frames[i], c.Frames[i - 1]);
    EXPECT_LT(c.Frames.front(), 40);  // step 1 keeps 230/255 of the old black
    EXPECT_GE(c.Frames.back(), 254);  // the last step is the new look alone (weight 0 of the old)

    c.Frames.clear();
    c.data.MarkFresh();
    c.Look = 0;
    ChangeLook(c.slot, c, c.data, true, 1, true);  // a press fades at half speed
    PumpUntilIdle(c);
    EXPECT_EQ(c.Frames.size(), 5u);
}

TEST_F(Fading, NoFramesOnceTheApplicationIsTerminating) {
    FadingControl& c = MakeControl(10);
    c.Look = 0xFFFFFF;
    ChangeLook(c.slot, c, c.data, false, 1, true);
    ASSERT_NE(c.slot, nullptr);
    application.Terminate();
    testsupport::PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_TRUE(c.Frames.empty());
}

TEST_F(Fading, NoFadeWithoutFadingWithTooFewStepsOrWhenNotAsked) {
    FadingControl& c = MakeControl(1);
    ChangeLook(c.slot, c, c.data, true, 1, true);  // one iteration at half speed: no step at all
    EXPECT_EQ(c.slot, nullptr);
    EXPECT_TRUE(c.data.BGChanged()) << "the new look is painted at once";

    c.data.MarkFresh();
    ChangeLook(c.slot, c, c.data, false, 1, false);
    EXPECT_EQ(c.slot, nullptr);

    c.data.SetSkinSection("STILL");
    c.data.MarkFresh();
    ChangeLook(c.slot, c, c.data, false, 1, true);
    EXPECT_EQ(c.slot, nullptr);
    EXPECT_TRUE(c.Frames.empty());
}

TEST_F(Fading, ADisabledControlStopsFadingAndPaintsNormally) {
    FadingControl& c = MakeControl(10);
    c.Look = 0xFFFFFF;
    ChangeLook(c.slot, c, c.data, false, 1, true);
    testsupport::PumpUntil(
        [&] {
            if (c.Frames.size() == 3 && c.Enabled()) c.SetEnabled(false);
            return false;
        },
        std::chrono::milliseconds(300));
    ASSERT_NE(c.slot, nullptr);
    EXPECT_FALSE(c.slot->Enabled());
    EXPECT_EQ(c.Frames.size(), 3u);
    EXPECT_TRUE(c.data.BGChanged());
}

}  // namespace
}  // namespace lw::controls
