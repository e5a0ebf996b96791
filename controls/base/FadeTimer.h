#pragma once
// Cross-fading a control's old look into its new one over 10 ms steps: TsFadeTimer for
// controls whose frames are copied onto their window, TsAnimTimer for controls that paint the
// blended frame themselves.

#include <memory>

#include "bridge/DibSection.h"
#include "controls/base/core/CommonData.h"
#include "controls/base/core/FadeRules.h"
#include "platform/Control.h"
#include "platform/Timer.h"
#include "render/Bitmap.h"

namespace lw::controls {

class TsFadeTimer : public platform::TTimer {
public:
    // Owned by the control it animates.
    TsFadeTimer(platform::TComponent* owner, platform::TControl& control);

    FadeState State;
    TsCommonData* TargetData = nullptr;
    std::unique_ptr<render::Bitmap> OldImage;

    // Paints one blended frame.
    void FadeStep();

private:
    void Tick();
    platform::TControl& control_;
    bridge::TsDibSection frame_{0, 0, render::PixelFormat::pf24bit};
};

// The control's own reference to its running fade; null while idle.
using FadeTimerSlot = TsFadeTimer*;

// What a control calls when its look changes (mouse entry or exit, press, release).
void ChangeLook(FadeTimerSlot& slot, platform::TControl& control, TsCommonData& data, bool halfSpeed, int direction,
                bool animate);
void StartFade(FadeTimerSlot& slot, platform::TControl& control, TsCommonData& data, bool halfSpeed, int direction);
// Stops the fade; the timer goes once the message being handled has returned, so a tick may
// end its own fade.
void StopFade(FadeTimerSlot& slot);

class TsAnimTimer : public platform::TTimer {
public:
    TsAnimTimer(platform::TComponent* owner, platform::TControl& control);

    std::unique_ptr<render::Bitmap> OldImage;
    std::unique_ptr<render::Bitmap> FrameImage;
    TsCommonData* TargetData = nullptr;
    int FadeSteps = 0;
    int StepIndex = 0;

    void InitAnim(TsCommonData& data);
    void AnimStep();

private:
    void Tick();
    platform::TControl& control_;
    bool inProgress_ = false;
};

}  // namespace lw::controls
