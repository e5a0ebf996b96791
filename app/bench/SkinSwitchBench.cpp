// Switching the look of every open window, under Wine: the main window and the Settings window
// shown, as when the user chooses in Settings. (a) one full repaint of both windows in the skin
// in use, against (b) a switch between the two stored skins (the skin loaded and both windows
// repainted in it) and (c) one step of a hue drag (the skin loaded again with the new hue, both
// windows repainted). Ratios against (a) are the figures; the hue step is also given in
// milliseconds, since a drag must keep up with the hand.

#include <windows.h>

#include <cstdio>
#include <filesystem>

#include "app/AppServices.h"
#include "app/MainWindow.h"
#include "app/SettingsWindow.h"
#include "app/core/SkinChoice.h"
#include "controls/forms/FormSkinning.h"
#include "platform/Application.h"
#include "platform/IniStore.h"
#include "platform/Launcher.h"
#include "testsupport/win32/BenchTiming.h"
#include "testsupport/win32/SilentPrompt.h"

int main() {
    using namespace lw;
    testsupport::SilentPrompt prompt;
    platform::TApplication application{prompt};
    // No file there: the windows start in the dark stored skin and nothing is written.
    platform::ProfileIniStore configuration{(std::filesystem::temp_directory_path() / "lw-skin-bench.ini").wstring()};
    platform::SystemLauncher programs;
    app::AppServices services{configuration, programs};
    platform::TComponent forms(nullptr);
    auto& main = forms.Make<app::TMainForm>(services);
    // Title bars and borders are repainted with the rest, as in the program.
    controls::EnableFormSkinning(main.skinManager);
    auto& settings = forms.Make<app::TSettingsForm>(services);
    main.Show();
    settings.Show();
    bridge::TsSkinManager& manager = main.skinManager;

    // Every paint the change asked for, done before the clock stops.
    const auto painted = [&] {
        for (HWND window : {main.Handle(), settings.Handle()})
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
    };
    const int runs = 20;
    const double repaint = testsupport::SecondsPerRun(runs, [&] {
        for (HWND window : {main.Handle(), settings.Handle()})
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        painted();
    });
    bool light = false;
    const double change = testsupport::SecondsPerRun(runs, [&] {
        light = !light;
        manager.SetSkinName(light ? app::kLightSkinName : app::kDarkSkinName);
        painted();
    });
    int hue = 0;
    const double hueStep = testsupport::SecondsPerRun(runs, [&] {
        hue = hue >= app::kHueLimit ? -app::kHueLimit : hue + 9;
        manager.SetHueOffset(hue);
        painted();
    });
    std::printf("main window and Settings shown, %d runs each\n", runs);
    std::printf("  full repaint, same skin:   %8.2f ms\n", repaint * 1e3);
    std::printf("  skin switch, dark/light:   %8.2f ms  ratio %.2f (goal at most 3)\n", change * 1e3, change / repaint);
    std::printf("  hue step of a drag:        %8.2f ms  ratio %.2f (goal under 100 ms)\n", hueStep * 1e3,
                hueStep / repaint);
    return 0;
}
