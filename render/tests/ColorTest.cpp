#include <gtest/gtest.h>

#include "render/Color.h"

namespace lw::render {
namespace {

struct ColorCase {
    const char* Name;
    TColor Got;
    TColor Want;
};

void ExpectAll(std::initializer_list<ColorCase> cases) {
    for (const ColorCase& c : cases) EXPECT_EQ(c.Got, c.Want) << c.Name;
}

TEST(ColorTest, MixAndAverage) {
    ExpectAll({
        {"disabled caption 0.4 text / 0.6 colour", MixColors(0x808080, 0x2F2F2F, 0.4), 0x4F4F4F},
        {"halves tie to even: 0.5 -> 0, 1.5 -> 2", MixColors(0x000301, 0, 0.5), 0x000200},
        {"top byte of the first colour kept", MixColors(0x12000001, 0, 1.0), 0x12000001},
        {"system colour resolved before mixing", MixColors(0xFF00000F, 0, 1.0), 0xF0F0F0},
        {"average weights 127 / 129", AverageColors(0x0000FF, 0xFF0000), 0x80007E},
        {"average of equal bytes", AverageColors(0xC8C8C8, 0xC8C8C8), 0xC8C8C8},
        {"average drops the top byte", AverageColors(0x12000000, 0x34000000), 0},
    });
}

TEST(ColorTest, Saturation) {
    ExpectAll({
        {"100 turns red grey", ChangeSaturation(0x0000FF, 100), 0x555555},
        {"0 leaves the value as it is", ChangeSaturation(0xFF00000F, 0), 0xFF00000F},
        {"negative pushes away from grey, clamped", ChangeSaturation(0x0064C8, -100), 0x0064FF},
        {"50 halves the way to grey, 42.5 ties to 42", ChangeSaturation(0x0000FF, 50), 0x2A2AAA},
    });
}

TEST(ColorTest, Hue) {
    ExpectAll({
        {"grey unchanged", ChangeHue(0x808080, 77), 0x808080},
        {"black unchanged", ChangeHue(0, 120), 0},
        {"red +120 is green", ChangeHue(0x0000FF, 120), 0x00FF00},
        {"red -120 wraps to blue", ChangeHue(0x0000FF, -120), 0xFF0000},
        {"red +480 wraps to green", ChangeHue(0x0000FF, 480), 0x00FF00},
        {"orange 0 keeps itself (127.5 rounds to 128)", ChangeHue(0x0080FF, 0), 0x0080FF},
        {"orange +60", ChangeHue(0x0080FF, 60), 0x00FF80},
    });
}

TEST(ColorTest, ArgbWordAndSystemColours) {
    EXPECT_EQ(ColorToArgb(0x332211), 0xFF112233u);
    SetSystemColorSource([](int index) -> TColor { return index == 15 ? 0x123456 : 0; });
    EXPECT_EQ(ResolveColor(0xFF00000F), 0x123456u);
    EXPECT_EQ(ColorToArgb(0xFF00000F), 0xFF563412u);
    SetSystemColorSource(nullptr);
    EXPECT_EQ(ResolveColor(0xFF00000F), 0xF0F0F0u);
    EXPECT_EQ(ResolveColor(0x00FF00FF), 0x00FF00FFu);
}

}  // namespace
}  // namespace lw::render
