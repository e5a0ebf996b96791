// A 4 MB entity text, under Wine, from the selection in the list to the whole text painted in the
// main window's memo: (a) the application's path (the selection notice, the tool's export run,
// the .ent read, line breaks, code page, the skinned memo and its change handling) against
// (b) its floor: the tool's export of the same map run on its own, plus a plain EDIT with the
// memo's styles, font and place taking the same text by WM_SETTEXT. Both sides start from a
// small map's text on screen and stop once what they asked to paint is painted. The map is a
// copy of a real one whose entity lump the tool itself grew to 4 MB. The sides alternate, and
// every run is printed: times vary with the machine, the ratios are the figures.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "app/AppServices.h"
#include "app/MainWindow.h"
#include "app/core/LineBreaks.h"
#include "controls/forms/FormSkinning.h"
#include "platform/Application.h"
#include "platform/IniStore.h"
#include "platform/Launcher.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "testsupport/ChildProcess.h"
#include "testsupport/RealMaps.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/SilentPrompt.h"

namespace {

using namespace lw;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Wall time, and the CPU time of this thread, which the other programs on a shared machine
// disturb far less: the in-process share of both sides compares better by it.
struct Time {
    double wall = 0, cpu = 0;
};

double ThreadCpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto Ticks = [](FILETIME t) { return double(std::uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime); };
    return (Ticks(kernel) + Ticks(user)) * 1e-7;
}

Time Measure(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const double cpu = ThreadCpuSeconds();
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return {double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart), ThreadCpuSeconds() - cpu};
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path kTool = fs::path(platform::ExecutableFolder()) / L"ripent.exe";

bool Export(const fs::path& ent) {
    return testsupport::RunProgram(kTool, {"-export", "texdata", "1", platform::WideToUtf8(ent.wstring())}) == 0;
}

// The map's own entities after its worldspawn, repeated until the text holds `bytes`, written
// back into the map by the tool, which checks it as it checks any edit.
bool GrowEntityLump(const fs::path& map, size_t bytes) {
    const fs::path ent = fs::path(map).replace_extension(L".ent");
    if (!Export(ent)) return false;
    std::string text = ReadBytes(ent);
    const size_t worldEnd = text.find("}\r\n");
    if (worldEnd == std::string::npos || worldEnd + 3 >= text.size()) return false;
    const std::string others = text.substr(worldEnd + 3);
    while (text.size() < bytes) text += others;
    std::ofstream(ent, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    const bool imported =
        testsupport::RunProgram(kTool, {"-import", "texdata", "1", platform::WideToUtf8(ent.wstring())}) == 0;
    fs::remove(ent);
    return imported;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / L"lw-memo-bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path source = testsupport::RealMapFolders().front();
    fs::copy_file(source / L"he_tennis2.bsp", folder / L"grown.bsp");
    fs::copy_file(source / L"fy_mini.bsp", folder / L"small.bsp");
    for (const auto& map : fs::directory_iterator(folder))
        fs::permissions(map.path(), fs::perms::owner_write, fs::perm_options::add);
    if (!GrowEntityLump(folder / L"grown.bsp", 4u << 20)) {
        std::printf("the tool could not grow the map's entity lump (is ripent.exe beside this program?)\n");
        return 1;
    }

    testsupport::SilentPrompt prompt;
    platform::TApplication application{prompt};
    // No file there: the window starts in the dark stored skin and nothing is written.
    platform::ProfileIniStore configuration{(folder / L"configuration.ini").wstring()};
    platform::SystemLauncher programs;
    app::AppServices services{configuration, programs};
    platform::TComponent forms(nullptr);
    auto& main = forms.Make<app::TMainForm>(services);
    controls::EnableFormSkinning(main.skinManager);
    main.Show();
    main.OpenPath(folder.wstring());
    const auto IndexOf = [&](const std::string& entry) {
        for (int i = 0; i < main.maps.Count(); ++i)
            if (main.maps.Item(i) == entry) return i;
        return -1;
    };
    const int grownIndex = IndexOf("grown.bsp");
    const int smallIndex = IndexOf("small.bsp");
    HWND memo = main.console.Handle();

    const platform::TBounds& place = main.console.Bounds();
    HWND plain = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                 WS_CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
                                 place.Left, place.Top, place.Width, place.Height, main.textPanel.Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(plain, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(main.console.FontHandle()), FALSE);

    const auto Painted = [&] {
        RedrawWindow(main.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
    };
    // As a click does: the selection moves, then the list tells its parent.
    const auto Select = [&](int index) {
        HWND list = main.maps.Handle();
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
    // Selects entry `index` and waits until the memo holds its text and has painted it; false
    // when the text did not come.
    const auto Load = [&](int index) {
        Select(index);
        const bool loaded =
            testsupport::PumpUntil([&] { return main.LastIndex() == index && GetWindowTextLengthW(memo) > 0; }, 120s);
        Painted();
        return loaded;
    };

    // The texts as the memo shows them, from one export each.
    Load(smallIndex);
    const std::wstring smallText = platform::AnsiToWide(app::WithCrLfLineBreaks(ReadBytes(folder / L"small.ent")));
    Load(grownIndex);
    const std::wstring grownText = platform::AnsiToWide(app::WithCrLfLineBreaks(ReadBytes(folder / L"grown.ent")));
    const int grownLength = static_cast<int>(grownText.size());
    if (GetWindowTextLengthW(memo) != grownLength) {
        std::printf("the memo does not show the grown map's text\n");
        return 1;
    }

    // The application's time, or none when its memo did not get the text.
    const auto ApplicationRun = [&]() -> std::optional<Time> {
        ShowWindow(plain, SW_HIDE);
        ShowWindow(memo, SW_SHOW);
        Load(smallIndex);
        bool loaded = false;
        const Time time = Measure([&] { loaded = Load(grownIndex); });
        if (!loaded || GetWindowTextLengthW(memo) != grownLength) return std::nullopt;
        return time;
    };
    struct Floor {
        double tool;
        Time edit;
    };
    const auto FloorRun = [&] {
        ShowWindow(memo, SW_HIDE);
        ShowWindow(plain, SW_SHOW);
        SendMessageW(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(smallText.c_str()));
        Painted();
        const fs::path ent = folder / L"grown.ent";
        fs::remove(ent);
        Floor floor{};
        floor.tool = Measure([&] { Export(ent); }).wall;
        floor.edit = Measure([&] {
            SendMessageW(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(grownText.c_str()));
            Painted();
        });
        return floor;
    };

    const int runs = 5;
    std::printf("4 MB entity text (%zu bytes shown as %d characters), %d alternating runs\n",
                fs::file_size(folder / L"grown.ent"), grownLength, runs);
    std::printf(
        "wall time: the application | the tool alone + the plain EDIT = the floor | ratio;\n"
        "CPU time of this thread (the tool's process not in it): the application | the plain EDIT | ratio\n");
    std::vector<double> ratios, cpuRatios;
    for (int i = 0; i < runs; ++i) {
        std::optional<Time> application;
        Floor floor{};
        if (i % 2 == 0) {
            application = ApplicationRun();
            floor = FloorRun();
        } else {
            floor = FloorRun();
            application = ApplicationRun();
        }
        if (!application) {
            std::printf("run %d: the memo did not show the grown map's text\n", i + 1);
            return 1;
        }
        const double floorSeconds = floor.tool + floor.edit.wall;
        ratios.push_back(application->wall / floorSeconds);
        cpuRatios.push_back(application->cpu / floor.edit.cpu);
        std::printf("  run %d: %7.3f s | %.3f s + %.3f s = %.3f s | %.3f;   CPU %.3f s | %.3f s | %.3f\n", i + 1,
                    application->wall, floor.tool, floor.edit.wall, floorSeconds, ratios.back(), application->cpu,
                    floor.edit.cpu, cpuRatios.back());
    }
    std::printf("median ratio %.3f (highest %.3f; goal at most 1.1); CPU median %.3f (highest %.3f)\n", Median(ratios),
                *std::max_element(ratios.begin(), ratios.end()), Median(cpuRatios),
                *std::max_element(cpuRatios.begin(), cpuRatios.end()));
    DestroyWindow(plain);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
    return 0;
}
