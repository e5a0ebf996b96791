#include "controls/base/core/FadeRules.h"

#include "skin/SkinManagerView.h"

namespace lw::controls {

bool ShouldAnimate(TgwAnimatEvent event, TgwAnimatEvents controlEvents, const skin::SkinManagerView* defaultManager) {
    if (controlEvents & AnimatEventBit(event)) return true;
    if (!(controlEvents & AnimatEventBit(aeGlobalDef)) || defaultManager == nullptr || event == aeGlobalDef)
        return false;
    return defaultManager->ButtonEventAnimates(event);
}

std::uint8_t FadeWeight(int stepIndex, int fadeSteps) {
    if (fadeSteps <= 0) return 0;
    const long long w = 255 - static_cast<long long>(stepIndex) * 256 / fadeSteps;
    return static_cast<std::uint8_t>(w < 0 ? 0 : w > 255 ? 255 : w);
}

bool StartFadeState(FadeState& state, bool running, int iterations, bool halfSpeed, int direction) {
    if (!running) {
        state.StepIndex = 1;
        state.FadeDirection = 0;
    } else {
        state.StepIndex = iterations;
    }
    int steps = iterations;
    if (state.FadeDirection == 1)
        steps = state.StepIndex;
    else if (state.FadeDirection == 2)
        steps -= state.StepIndex;
    if (halfSpeed) steps /= 2;
    state.FadeSteps = steps;
    if (state.StepIndex >= steps || state.StepIndex <= 0) state.StepIndex = 1;
    if (steps < 1) {  // nothing to blend: the new look is shown at once
        state.FadeDirection = 0;
        state.FadeSteps = 0;
        return false;
    }
    state.FadeDirection = direction;
    return true;
}

FadeTick NextFadeTick(const FadeState& state, bool controlAlive) {
    if (!controlAlive || state.FadeDirection == 0) return FadeTick::Nothing;
    if (state.StepIndex > state.FadeSteps || state.StepIndex < 0) return FadeTick::Stop;
    return FadeTick::Step;
}

}  // namespace lw::controls
