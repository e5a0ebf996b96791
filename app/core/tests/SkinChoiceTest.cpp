#include "app/core/SkinChoice.h"

#include <gtest/gtest.h>

namespace lw::app {
namespace {

TEST(SkinChoiceTest, ConfigurationTextsAreClampedAndAnUnknownNameGivesTheDarkSkin) {
    const std::vector<std::string> available = {kDarkSkinName, kLightSkinName, "Ocean"};
    struct Case {
        const char *name, *hue, *saturation;
        SkinChoice expected;
    } cases[] = {
        {"Ocean", "120", "-40", {"Ocean", 120, -40}},
        {kLightSkinName, "-180", "100", {kLightSkinName, -180, 100}},
        {"", "", "", {kDarkSkinName, 0, 0}},
        {"Gone", "181", "-101", {kDarkSkinName, 180, -100}},
        {"ocean", "-999999", "0x7FFFFFFF", {kDarkSkinName, -180, 100}},  // names compare exactly
        {"Ocean", "ten", "$10", {"Ocean", 0, 16}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSkinChoice(c.name, c.hue, c.saturation, available), c.expected) << c.name << ' ' << c.hue;
}

TEST(SkinChoiceTest, StoredSkinsComeFirstThenTheOthersOnce) {
    EXPECT_EQ(
        SkinListNames({kDarkSkinName, kLightSkinName}, {"000 (internal)", "Amber", "001 (internal, light)", "Zinc"}),
        (std::vector<std::string>{kDarkSkinName, kLightSkinName, "Amber", "Zinc"}));
}

}  // namespace
}  // namespace lw::app
