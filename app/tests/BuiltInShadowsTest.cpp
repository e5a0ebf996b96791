#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "bridge/SkinManager.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/SkinPackWriter.h"

namespace lw::app {
namespace {

std::uint8_t AlphaAt(const render::Bitmap& b, int x, int y) { return b.Pixel(x, y)[3]; }

// The program carries its own window shadows: a skin without an extended-border image still
// gets extended borders from them, with the built-in margins.
TEST(BuiltInShadows, TheProgramsShadowsServeASkinWithoutItsOwnBorderImage) {
    app::testing::RecordingPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    auto& manager = form.Make<bridge::TsSkinManager>();
    ASSERT_TRUE(bridge::LoadBuiltInShadows(manager));
    const std::string options = "[GLOBALINFO]\nCOLOR=0\n[PANEL]\nCOLOR=0\n";
    manager.InternalSkins.push_back(
        {"plain", skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}})});
    manager.SetSkinName("plain");
    form.FinishLoading();
    EXPECT_EQ(manager.ExtBorderMargins(), skin::TsExtBorderMargins{});

    manager.SetExtendedBorders(true);
    EXPECT_EQ(manager.ExtBorderMargins(), (skin::TsExtBorderMargins{11, 7, 11, 11}));
    for (int slot : {0, 1}) {
        SCOPED_TRACE(slot);
        const render::Bitmap* shadow = manager.ShadowImage(slot);
        ASSERT_NE(shadow, nullptr);
        ASSERT_EQ(shadow->Format(), render::PixelFormat::pf32bit);
        EXPECT_EQ(shadow->Width(), 32);
        // The window covers (11, 7)-(21, 21): its shadow fades outwards and reaches further below
        // the window than above it.
        EXPECT_GT(AlphaAt(*shadow, 16, 25), AlphaAt(*shadow, 16, 31));
        EXPECT_GT(AlphaAt(*shadow, 16, 25), AlphaAt(*shadow, 16, 3));
        EXPECT_EQ(AlphaAt(*shadow, 0, 0), 0);
    }
    // The active window's shadow (slot 0) is the darker one.
    EXPECT_GT(AlphaAt(*manager.ShadowImage(0), 16, 25), AlphaAt(*manager.ShadowImage(1), 16, 25));
}

}  // namespace
}  // namespace lw::app
