#pragma once
// The arithmetic and conditions of cross-fading a control's old look into its new one, kept
// apart from the timers that drive it.

#include <cstdint>

namespace lw::skin {
class SkinManagerView;
}

namespace lw::controls {

// The events after which a control's look may fade (TgwAnimatEvents).
enum TgwAnimatEvent : int { aeMouseEnter = 0, aeMouseLeave = 1, aeMouseDown = 2, aeMouseUp = 3, aeGlobalDef = 4 };
using TgwAnimatEvents = std::uint8_t;  // bit n: event n
constexpr TgwAnimatEvents AnimatEventBit(TgwAnimatEvent e) { return TgwAnimatEvents(1u << e); }
constexpr TgwAnimatEvents DefaultAnimatEvents = AnimatEventBit(aeGlobalDef);

// Whether `event` fades for a control choosing `controlEvents`; aeGlobalDef defers to the
// default manager's button events.
bool ShouldAnimate(TgwAnimatEvent event, TgwAnimatEvents controlEvents, const skin::SkinManagerView* defaultManager);

// Weight kept by the old image at step `stepIndex` of `fadeSteps`: 255 - step*256 div steps,
// limited to 0..255 (10 steps: 230, 204, ..., 0).
std::uint8_t FadeWeight(int stepIndex, int fadeSteps);

// The fade of one control: direction 0 idle, 1 fading, 2 handled but requested by nothing.
struct FadeState {
    int FadeDirection = 0;
    int FadeSteps = 0;
    int StepIndex = 1;
};

// Starts or restarts a fade. `running`: a fade timer already exists. Returns false when the
// fade would have fewer than one step: the caller then shows the new look at once.
bool StartFadeState(FadeState& state, bool running, int iterations, bool halfSpeed, int direction);

// What a tick does next.
enum class FadeTick { Nothing, Stop, Step };
FadeTick NextFadeTick(const FadeState& state, bool controlAlive);

}  // namespace lw::controls
