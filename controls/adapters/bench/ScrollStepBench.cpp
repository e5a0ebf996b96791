// One scroll step of a skinned memo under Wine: the skinned bar repainted, and the whole step
// (the memo scrolls its text, then the bar follows), against one BitBlt onto the bar's place,
// timed in the same run. Ratios are the figures; absolute times vary with the machine.

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "controls/adapters/ScrollParts.h"
#include "controls/edits/Memo.h"
#include "testsupport/win32/BenchTiming.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace {

using namespace lw;

}  // namespace

int main() {
    testsupport::SkinnedFormSetup setup;
    platform::TForm& form = setup.form;
    auto& memo = form.Make<controls::TsMemo>(&form, platform::TMemoStyle{.VerticalScrollBar = true, .WordWrap = true});
    form.SetBounds({0, 0, 600, 620});
    memo.SetBounds({288, 16, 290, 560});  // the main window's memo
    std::wstring text;
    for (int i = 0; i < 5000; ++i) text += L"\"classname\" \"info_player_start\" " + std::to_wstring(i) + L"\r\n";
    memo.SetTextW(text);
    form.FinishLoading();
    form.Show();
    auto& adapter = dynamic_cast<controls::TgwScrollWnd&>(*memo.Adapter());
    const TRect bar = controls::ScreenBarRects(adapter).Vert;

    HDC window = GetWindowDC(memo.Handle());
    RECT frame{};
    GetWindowRect(memo.Handle(), &frame);
    const POINT at{bar.Left - frame.left, bar.Top - frame.top};  // the bar's own pixels of the frame
    bridge::TsDibSection source(bar.Width(), bar.Height(), render::PixelFormat::pf24bit);
    const int runs = 300;
    const int rounds = 9;
    bool down = true;
    auto step = [&] {
        SendMessageW(memo.Handle(), WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
        down = !down;
        GdiFlush();
    };
    const std::vector<testsupport::TimedWork> works{{runs * 10,
                                                     [&] {
                                                         BitBlt(window, at.x, at.y, bar.Width(), bar.Height(),
                                                                source.Dc(), 0, 0, SRCCOPY);
                                                         GdiFlush();
                                                     }},
                                                    {runs,
                                                     [&] {
                                                         controls::RefreshScrollBars(adapter, true);
                                                         GdiFlush();
                                                     }},
                                                    {runs, step}};
    const std::vector<double> t = testsupport::MedianSecondsPerRun(rounds, works);
    const auto [gdiBefore, gdiAfter] = testsupport::GdiHighWaterAround(works, 20);
    ReleaseDC(memo.Handle(), window);
    // The same step of the memo without its adapter: what the platform's EDIT costs alone.
    // Switching the skin off and on for each round would time the switch, so the two steps
    // are compared in rounds of their own.
    setup.manager.SetActive(false);
    const double plain = testsupport::MedianSecondsPerRun(rounds, {{runs, step}})[0];
    const double blit = t[0], repaint = t[1], skinned = t[2];
    std::printf("medians of %d alternating rounds; GDI handle high water %d, then %d\n", rounds, gdiBefore, gdiAfter);
    std::printf("BitBlt of the bar %dx%d:      %9.1f us\n", bar.Width(), bar.Height(), blit * 1e6);
    std::printf("skinned bar repainted:         %9.1f us  (%.1fx BitBlt)\n", repaint * 1e6, repaint / blit);
    std::printf("whole scroll step (text + bar): %8.1f us  (%.1fx BitBlt)\n", skinned * 1e6, skinned / blit);
    std::printf("plain memo's scroll step:       %8.1f us  (skinned step %.2fx of it)\n", plain * 1e6, skinned / plain);
    return 0;
}
