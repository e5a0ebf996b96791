#include <gtest/gtest.h>

#include <vector>

#include "controls/base/core/FadeRules.h"
#include "CoreFakes.h"

namespace lw::controls {
namespace {

std::vector<int> Weights(int steps) {
    std::vector<int> w;
    for (int i = 1; i <= steps; ++i) w.push_back(FadeWeight(i, steps));
    return w;
}

TEST(FadeRules, OldImageWeightsPerStep) {
    EXPECT_EQ(Weights(10), (std::vector<int>{230, 204, 179, 153, 127, 102, 76, 51, 25, 0}));
    EXPECT_EQ(Weights(5), (std::vector<int>{204, 153, 102, 51, 0}));
    EXPECT_EQ(FadeWeight(0, 10), 255);  // limited, not 255 + ...
    EXPECT_EQ(FadeWeight(12, 10), 0);   // past the end: never negative
    EXPECT_EQ(FadeWeight(1, 0), 0);
}

TEST(FadeRules, StartComputesStepsForFullAndHalfSpeedAndRestarts) {
    FadeState s;
    ASSERT_TRUE(StartFadeState(s, false, 10, false, 1));
    EXPECT_EQ(s.FadeSteps, 10);
    EXPECT_EQ(s.StepIndex, 1);
    EXPECT_EQ(s.FadeDirection, 1);

    s.StepIndex = 4;  // a new look change while fading restarts from step 1
    ASSERT_TRUE(StartFadeState(s, true, 10, true, 1));
    EXPECT_EQ(s.FadeSteps, 5);
    EXPECT_EQ(s.StepIndex, 1);
}

TEST(FadeRules, FewerThanOneStepIsNoFadeAtAll) {
    for (auto [iterations, half] : {std::pair{1, true}, std::pair{0, false}, std::pair{-3, false}}) {
        FadeState s;
        EXPECT_FALSE(StartFadeState(s, false, iterations, half, 1)) << iterations;
        EXPECT_EQ(s.FadeDirection, 0);
        EXPECT_EQ(NextFadeTick(s, true), FadeTick::Nothing);
    }
    FadeState one;
    EXPECT_TRUE(StartFadeState(one, false, 1, false, 1));
    EXPECT_EQ(one.FadeSteps, 1);
}

TEST(FadeRules, TickStepsUntilPastTheLastStepThenStops) {
    FadeState s;
    ASSERT_TRUE(StartFadeState(s, false, 5, false, 1));
    int steps = 0;
    while (NextFadeTick(s, true) == FadeTick::Step) {
        ++steps;
        ++s.StepIndex;
    }
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(NextFadeTick(s, true), FadeTick::Stop);
    EXPECT_EQ(NextFadeTick(s, false), FadeTick::Nothing);  // control gone: nothing more is painted
}

TEST(FadeRules, ShouldAnimateTakesTheControlsSetOrTheDefaultManagersEvents) {
    testing::FakeManager manager;
    manager.Events = 0b0101;  // enter and down
    EXPECT_TRUE(ShouldAnimate(aeMouseLeave, AnimatEventBit(aeMouseLeave), nullptr));
    EXPECT_TRUE(ShouldAnimate(aeMouseEnter, DefaultAnimatEvents, &manager));
    EXPECT_FALSE(ShouldAnimate(aeMouseLeave, DefaultAnimatEvents, &manager));
    EXPECT_TRUE(ShouldAnimate(aeMouseDown, DefaultAnimatEvents, &manager));
    EXPECT_FALSE(ShouldAnimate(aeMouseEnter, DefaultAnimatEvents, nullptr));
    EXPECT_FALSE(ShouldAnimate(aeMouseEnter, 0, &manager));  // an empty set never fades
}

}  // namespace
}  // namespace lw::controls
