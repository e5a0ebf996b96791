// One cache rebuild of a main-window button, one step of its fade and a whole fade against one
// BitBlt of the button onto its window, and making the image list's ten glyphs against only
// decoding their PNG files, each group timed in alternating rounds of the same run. Ratios are
// the figures.

#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "controls/base/FadeTimer.h"
#include "controls/base/Panel.h"
#include "controls/buttons/BitBtn.h"
#include "controls/images/AlphaImageList.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/ImageDecoders.h"
#include "testsupport/win32/BenchTiming.h"
#include "testsupport/win32/SkinnedFormSetup.h"

extern const std::uint8_t* const kGlyphFiles[10];
extern const std::size_t kGlyphFileSizes[10];

namespace {

using namespace lw;

}  // namespace

int main() {
    testsupport::SkinnedFormSetup setup;
    platform::TForm& form = setup.form;
    auto& panel = form.Make<controls::TsPanel>(&form);
    panel.SetBounds({0, 0, 593, 281});
    auto& images = form.Make<controls::TsAlphaImageList>(18, 18);
    for (int i = 0; i < 10; ++i) images.AddPng({kGlyphFiles[i], kGlyphFileSizes[i]});
    auto& button = form.Make<controls::TsBitBtn>(&panel);
    button.SetBounds({296, 152, 265, 25});
    button.SetText("Настройки");
    button.SetImages(&images);
    button.SetImageIndex(3);
    form.SetBounds({0, 0, 600, 320});
    form.FinishLoading();
    form.Show();
    RedrawWindow(button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    bridge::TsDibSection source(265, 25, render::PixelFormat::pf24bit);
    HDC window = GetDC(button.Handle());
    // One fade kept running for the steps: each timing repeats its steps from the first, so
    // every step blends two cached looks as a real fade does, without starting anew.
    controls::FadeTimerSlot running = nullptr;
    button.SkinData().MarkFresh();
    controls::StartFade(running, button, button.SkinData(), false, 1);
    running->SetEnabled(false);  // its steps are driven here, not by its timer
    const int steps = running->State.FadeSteps;
    const int runs = 200;
    const int rounds = 9;
    const std::vector<testsupport::TimedWork> works{
        {runs * 10,
         [&] {
             BitBlt(window, 0, 0, 265, 25, source.Dc(), 0, 0, SRCCOPY);
             GdiFlush();
         }},
        {runs, [&] { button.PrepareButtonCache(); }},
        // A frame on the screen: the device context released, so the window shows it.
        {runs * 2,
         [&] {
             HDC shown = GetDC(button.Handle());
             BitBlt(shown, 0, 0, 265, 25, source.Dc(), 0, 0, SRCCOPY);
             ReleaseDC(button.Handle(), shown);
         }},
        {runs * 5,
         [&] {
             if (running->State.StepIndex > steps) running->State.StepIndex = 1;
             running->FadeStep();
             GdiFlush();
         }},
        {runs / 4, [&] {
             controls::FadeTimerSlot slot = nullptr;
             button.SkinData().MarkFresh();
             controls::StartFade(slot, button, button.SkinData(), false, 1);
             for (int step = 0; step < steps; ++step) slot->FadeStep();
             GdiFlush();
             controls::StopFade(slot);
         }}};
    const std::vector<double> t = testsupport::MedianSecondsPerRun(rounds, works);
    const auto [gdiBefore, gdiAfter] = testsupport::GdiHighWaterAround(works, 20);
    controls::StopFade(running);
    ReleaseDC(button.Handle(), window);
    const double blit = t[0], rebuild = t[1], shown = t[2], step = t[3], fade = t[4];

    const std::vector<double> g =
        testsupport::MedianSecondsPerRun(rounds, {{runs / 4,
                                                   [&] {
                                                       for (int i = 0; i < 10; ++i)
                                                           skin::DecodePng({kGlyphFiles[i], kGlyphFileSizes[i]});
                                                   }},
                                                  {runs / 4, [&] { images.GenerateList(); }}});
    const double decode = g[0], generate = g[1];

    std::printf("medians of %d alternating rounds; GDI handle high water %d, then %d\n", rounds, gdiBefore, gdiAfter);
    std::printf("BitBlt 265x25:            %9.1f us\n", blit * 1e6);
    std::printf("cache rebuild:            %9.1f us  (%.1fx BitBlt)\n", rebuild * 1e6, rebuild / blit);
    std::printf("BitBlt 265x25 shown:      %9.1f us  (its device context got and released)\n", shown * 1e6);
    std::printf("one fade step:            %9.1f us  (%.1fx BitBlt shown, %.1fx BitBlt)\n", step * 1e6, step / shown,
                step / blit);
    std::printf("whole fade, %2d steps:     %9.1f us  (%.1fx BitBlt; with its start and one rebuild)\n", steps,
                fade * 1e6, fade / blit);
    std::printf("decoding ten glyph PNGs:  %9.1f us\n", decode * 1e6);
    std::printf("generating ten glyphs:    %9.1f us  (%.2fx decoding)\n", generate * 1e6, generate / decode);
    return 0;
}
