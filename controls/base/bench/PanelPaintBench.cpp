// Painting the main window's two panels (with their group boxes) from a cold and from a warm
// cache, against one BitBlt of the same area, timed in the same run. Ratios are the figures;
// absolute times vary with the machine.

#include <windows.h>

#include <cstdio>
#include <functional>

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "controls/base/GroupBox.h"
#include "controls/base/Panel.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "testsupport/win32/BenchTiming.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace {

using namespace lw;

void PaintAt(platform::TWinControl& control, HDC dc) {
    const platform::TBounds b = control.Bounds();
    POINT previous;
    OffsetViewportOrgEx(dc, b.Left, b.Top, &previous);
    SendMessageW(control.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(control.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

}  // namespace

int main() {
    testsupport::SkinnedFormSetup setup;
    platform::TForm& form = setup.form;
    auto& top = form.Make<controls::TsPanel>(&form);
    top.SetBounds({0, 0, 593, 281});
    auto& box1 = form.Make<controls::TsGroupBox>(&top);
    box1.SetBounds({16, 16, 561, 57});
    box1.SetText("Укажите каталог с картами:");
    auto& box2 = form.Make<controls::TsGroupBox>(&top);
    box2.SetBounds({16, 80, 265, 193});
    box2.SetText("Карты в каталоге:");
    auto& bottom = form.Make<controls::TsPanel>(&form);
    bottom.SetBounds({0, 280, 593, 305});
    form.SetBounds({0, 0, 600, 620});
    form.FinishLoading();
    form.Show();

    bridge::TsDibSection screen(593, 585, render::PixelFormat::pf24bit);
    bridge::TsDibSection source(593, 585, render::PixelFormat::pf24bit);
    auto paintAll = [&] {
        PaintAt(top, screen.Dc());
        PaintAt(box1, screen.Dc());  // the boxes lie inside the top panel at its origin (0, 0)
        PaintAt(box2, screen.Dc());
        PaintAt(bottom, screen.Dc());
        GdiFlush();
    };
    controls::TsCommonData* all[] = {&top.SkinData(), &box1.SkinData(), &box2.SkinData(), &bottom.SkinData()};
    const int runs = 200;
    const int rounds = 9;
    const std::vector<testsupport::TimedWork> works{{runs * 5,
                                                     [&] {
                                                         BitBlt(screen.Dc(), 0, 0, 593, 585, source.Dc(), 0, 0,
                                                                SRCCOPY);
                                                         GdiFlush();
                                                     }},
                                                    {runs,
                                                     [&] {
                                                         for (controls::TsCommonData* d : all) d->MarkStale();
                                                         paintAll();
                                                     }},
                                                    {runs, paintAll},
                                                    // Where the time goes.
                                                    {runs,
                                                     [&] {
                                                         PaintAt(top, screen.Dc());
                                                         PaintAt(bottom, screen.Dc());
                                                         GdiFlush();
                                                     }},
                                                    {runs, [&] {
                                                         PaintAt(box1, screen.Dc());
                                                         PaintAt(box2, screen.Dc());
                                                         GdiFlush();
                                                     }}};
    const std::vector<double> t = testsupport::MedianSecondsPerRun(rounds, works);
    const auto [gdiBefore, gdiAfter] = testsupport::GdiHighWaterAround(works, 20);
    const double blit = t[0], cold = t[1], warm = t[2], panels = t[3], boxes = t[4];
    std::printf("medians of %d alternating rounds; GDI handle high water %d, then %d\n", rounds, gdiBefore, gdiAfter);
    std::printf("BitBlt 593x585:           %9.1f us\n", blit * 1e6);
    std::printf("two panels, cold cache:   %9.1f us  (%.1fx BitBlt)\n", cold * 1e6, cold / blit);
    std::printf("two panels, warm cache:   %9.1f us  (%.1fx BitBlt)\n", warm * 1e6, warm / blit);
    std::printf("  of which the panels:    %9.1f us  (%.1fx BitBlt)\n", panels * 1e6, panels / blit);
    std::printf("  of which the boxes:     %9.1f us  (%.1fx BitBlt)\n", boxes * 1e6, boxes / blit);
    return 0;
}
