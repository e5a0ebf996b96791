#include "controls/base/FadeTimer.h"

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "controls/base/CommonDataWindow.h"
#include "platform/Application.h"
#include "render/Blend.h"
#include "render/Blit.h"

namespace lw::controls {

namespace {

constexpr UINT kFadeInterval = 10;

bool Gone(const platform::TControl& control) { return (control.ComponentState() & platform::csDestroying) != 0; }

// Once the loop is ending, frames would only hold up the windows going away.
bool ApplicationTerminating() { return platform::Application != nullptr && platform::Application->Terminated(); }

std::intptr_t Send(platform::TControl& control, unsigned command, std::intptr_t lParam, unsigned low = 0) {
    return control.Perform(skin::SM_ALPHACMD, skin::SkinWParam(command, low), lParam);
}

std::unique_ptr<render::Bitmap> CopyOf(const render::Bitmap* bmp) {
    if (bmp == nullptr) return std::make_unique<render::Bitmap>();
    auto copy = std::make_unique<render::Bitmap>(render::CreateBmp24(bmp->Width(), bmp->Height()));
    render::CopyPixels(*copy, {0, 0}, *bmp, bmp->Bounds());
    return copy;
}

void RepaintNow(platform::TControl& control) {
    control.Invalidate();
    if (auto* window = dynamic_cast<platform::TWinControl*>(&control); window && window->Handle())
        UpdateWindow(window->Handle());
}

bool Blendable(const render::Bitmap* oldImage, const render::Bitmap* cache) {
    return oldImage != nullptr && cache != nullptr && !oldImage->Empty() && cache->Width() == oldImage->Width() &&
           cache->Height() == oldImage->Height();
}

// old * w + new * (255 - w) into `frame`, 24 bits of the old image's size. The frame is kept
// from step to step: a fade's frames all have one size, and making them anew cost more than
// blending them.
void Blend(render::Bitmap& frame, const render::Bitmap& oldImage, const render::Bitmap& cache, int step, int steps) {
    render::CopyPixels(frame, {0, 0}, oldImage, oldImage.Bounds());
    const std::uint8_t weight = FadeWeight(step, steps);
    if (cache.Format() == render::PixelFormat::pf24bit)
        render::SumBitmaps(frame, cache, weight);
    else
        render::SumBitmaps(frame, *CopyOf(&cache), weight);
}

}  // namespace

TsFadeTimer::TsFadeTimer(platform::TComponent* owner, platform::TControl& control) : TTimer(owner), control_(control) {
    OnTimer = [this] { Tick(); };
}

void TsFadeTimer::Tick() {
    if (TargetData == nullptr || (ComponentState() & platform::csDestroying)) return;
    if (Gone(control_) || ApplicationTerminating()) {
        State.FadeDirection = 0;
        return;
    }
    switch (NextFadeTick(State, true)) {
    case FadeTick::Stop:
        Send(control_, skin::SMC_STOPANIM, 0);  // the control ends its fade, which releases this timer
        return;
    case FadeTick::Step:
        FadeStep();
        return;
    case FadeTick::Nothing:
        return;
    }
}

void TsFadeTimer::FadeStep() {
    if (Gone(control_) || State.FadeSteps == 0 || TargetData == nullptr) return;
    if (!control_.Enabled()) {  // a disabled control shows its normal look at once
        SetEnabled(false);
        State.FadeSteps = 0;
        TargetData->InvalidateSkin();
        return;
    }
    const render::Bitmap* cache = TargetData->CacheBmp.get();
    const bool blended = Blendable(OldImage.get(), cache);
    if (blended) {
        frame_.Resize(OldImage->Width(), OldImage->Height(), render::PixelFormat::pf24bit);
        Blend(frame_.Bitmap(), *OldImage, *cache, State.StepIndex, State.FadeSteps);
    }
    if (blended && Send(control_, skin::SMC_FADEFRAME, reinterpret_cast<std::intptr_t>(&frame_.Bitmap())) == 0) {
        if (auto* window = dynamic_cast<platform::TWinControl*>(&control_); window && window->Handle()) {
            HDC dc = GetDC(window->Handle());
            BitBlt(dc, 0, 0, frame_.Width(), frame_.Height(), frame_.Dc(), 0, 0, SRCCOPY);
            ReleaseDC(window->Handle(), dc);
        }
    }
    ++State.StepIndex;
}

void StopFade(FadeTimerSlot& slot) {
    if (slot == nullptr) return;
    TsFadeTimer* timer = slot;
    slot = nullptr;
    if (timer->ComponentState() & platform::csDestroying) return;
    timer->SetEnabled(false);
    timer->State.FadeDirection = 0;
    timer->TargetData = nullptr;
    timer->Release();
}

void StartFade(FadeTimerSlot& slot, platform::TControl& control, TsCommonData& data, bool halfSpeed, int direction) {
    const skin::TsGeneralData* gd = data.Section();
    if (gd == nullptr || !gd->FadingEnabled) return;
    const bool running = slot != nullptr;
    if (!running) slot = &control.Make<TsFadeTimer>(control);
    TsFadeTimer& timer = *slot;
    timer.TargetData = &data;
    if (data.BGChanged() && (!data.CacheBmp || data.CacheBmp->Empty())) Send(control, skin::SMC_PREPARECACHE, 0);
    timer.OldImage = CopyOf(data.CacheBmp.get());
    timer.SetInterval(kFadeInterval);
    if (!StartFadeState(timer.State, running, gd->FadingIterations, halfSpeed, direction)) {
        StopFade(slot);  // fewer than one step: the new look is shown at once
        RepaintNow(control);
        return;
    }
    Send(control, skin::SMC_PREPARECACHE, 0);
    timer.SetEnabled(true);
}

void ChangeLook(FadeTimerSlot& slot, platform::TControl& control, TsCommonData& data, bool halfSpeed, int direction,
                bool animate) {
    if (!data.Skinned()) return;
    const skin::SkinManagerView* manager = data.GetSkinManager();
    const skin::TsGeneralData* gd = data.Section();
    const bool fade =
        animate && !manager->SkinChangeInProgress() && gd->FadingEnabled && data.CacheBmp && !data.BGChanged();
    data.MarkStale();
    if (fade) {
        StartFade(slot, control, data, halfSpeed, direction);
    } else {
        StopFade(slot);
        RepaintNow(control);
    }
    ShowGlow(data, control, halfSpeed);
}

TsAnimTimer::TsAnimTimer(platform::TComponent* owner, platform::TControl& control) : TTimer(owner), control_(control) {
    OnTimer = [this] { Tick(); };
}

void TsAnimTimer::InitAnim(TsCommonData& data) {
    TargetData = &data;
    SetInterval(kFadeInterval);
    const skin::TsGeneralData* gd = data.Section();
    FadeSteps = gd != nullptr ? gd->FadingIterations : 0;
}

void TsAnimTimer::Tick() {
    if ((ComponentState() & platform::csDestroying) || Gone(control_) || ApplicationTerminating()) return;
    if (StepIndex < 0 || StepIndex > FadeSteps) {
        Send(control_, skin::SMC_STOPANIM, 0);
        return;
    }
    AnimStep();
}

void TsAnimTimer::AnimStep() {
    if (!inProgress_ && !Gone(control_) && FadeSteps != 0 && StepIndex >= 0 && TargetData != nullptr && OldImage) {
        inProgress_ = true;
        if (const render::Bitmap* cache = TargetData->CacheBmp.get(); Blendable(OldImage.get(), cache)) {
            if (!FrameImage || FrameImage->Width() != cache->Width() || FrameImage->Height() != cache->Height())
                FrameImage = std::make_unique<render::Bitmap>(render::CreateBmp24(cache->Width(), cache->Height()));
            Blend(*FrameImage, *OldImage, *cache, StepIndex, FadeSteps);
            Send(control_, skin::SMC_SETUPDATING, 0, 0);
            Send(control_, skin::SMC_REPAINT, 0);
        }
        inProgress_ = false;
    }
    ++StepIndex;
}

}  // namespace lw::controls
