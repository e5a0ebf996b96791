#include <gtest/gtest.h>

#include <vector>

#include "controls/checkbox/core/CheckBoxInput.h"

namespace lw::controls {
namespace {

using enum CheckBoxInput;

TEST(CheckBoxInput, SequencesThatToggleAndThatDoNot) {
    struct Case {
        const char* What;
        std::vector<CheckBoxInput> Inputs;
        bool ReadOnly;
        int ExpectedToggles;
        bool PressedAfter;
    };
    const Case cases[] = {
        {"press and release", {ButtonDown, ButtonUp}, false, 1, false},
        {"press, leave, release", {ButtonDown, MouseLeave, ButtonUp}, false, 0, false},
        {"release without a press", {ButtonUp}, false, 0, false},
        {"double click counts as a press", {ButtonDown, ButtonUp, ButtonDown, ButtonUp}, false, 2, false},
        {"space down and up", {SpaceDown, KeyUp}, false, 1, false},
        // Another key's release toggles, the space key's own release then finds nothing pressed.
        {"space with another key", {SpaceDown, KeyUp, KeyUp}, false, 1, false},
        {"leaving while the space key is held", {SpaceDown, MouseLeave, KeyUp}, false, 0, false},
        {"held, not yet released", {ButtonDown}, false, 0, true},
        {"read-only ignores clicks", {ButtonDown, ButtonUp}, true, 0, false},
        {"read-only ignores the space key", {SpaceDown, KeyUp}, true, 0, false},
    };
    for (const Case& c : cases) {
        CheckBoxPress press;
        int toggles = 0;
        for (CheckBoxInput input : c.Inputs) toggles += press.Apply(input, c.ReadOnly) ? 1 : 0;
        EXPECT_EQ(toggles, c.ExpectedToggles) << c.What;
        EXPECT_EQ(press.Pressed, c.PressedAfter) << c.What;
    }
}

TEST(CheckBoxInput, NextStateGoesThroughGrayedOnlyWhenAllowed) {
    using enum TCheckBoxState;
    EXPECT_EQ(NextCheckState(cbUnchecked, false), cbChecked);
    EXPECT_EQ(NextCheckState(cbChecked, false), cbUnchecked);
    EXPECT_EQ(NextCheckState(cbChecked, true), cbGrayed);
    EXPECT_EQ(NextCheckState(cbGrayed, true), cbUnchecked);
    EXPECT_EQ(NextCheckState(cbGrayed, false), cbUnchecked);
}

}  // namespace
}  // namespace lw::controls
