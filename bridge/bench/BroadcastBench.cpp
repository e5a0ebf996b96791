// One SMC_REFRESH broadcast over a control tree shaped like the main window's, against sending
// the same number of plain messages to the same windows. Prints both times and their ratio,
// measured in the same run (best of several rounds, so that a busy machine's noise falls out).

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bridge/SkinCommands.h"
#include "platform/Application.h"
#include "platform/Buttons.h"
#include "platform/Containers.h"
#include "platform/DirectoryEdit.h"
#include "platform/Edits.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/Prompt.h"
#include "skin/BroadcastWalk.h"

using namespace lw;
using namespace lw::platform;

namespace {

int g_delivered = 0;
std::vector<HWND> g_windows;

// Every control answers as a skinned control would: containers pass broadcasts on, in order.
void Skin(TControl& control) {
    auto previous = control.WindowProc;
    control.WindowProc = [&control, previous](TMessage& m) {
        if (m.Msg != skin::SM_ALPHACMD) return previous(m);
        ++g_delivered;
        const unsigned command = skin::SkinCommandOf(m.WParam);
        if (command == skin::SMC_ISSKINNED) {
            m.Result = 1;
            return;
        }
        if (auto* container = dynamic_cast<TWinControl*>(&control);
            container != nullptr && command == skin::SMC_REFRESH)
            skin::HandleBroadcastInOrder(
                false, [] {}, [&] { bridge::BroadcastToChildren(*container, m.Msg, m.WParam, m.LParam); });
    };
    if (auto* windowed = dynamic_cast<TWinControl*>(&control)) g_windows.push_back(windowed->Handle());
}

template <class T, class... A>
T& Add(TForm& form, TWinControl& parent, TBounds bounds, A&&... args) {
    T& control = form.Make<T>(&parent, std::forward<A>(args)...);
    control.SetBounds(bounds);
    Skin(control);
    return control;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
    return double(b.QuadPart - a.QuadPart) / f.QuadPart;
}

}  // namespace

int main() {
    MessageBoxPrompt prompt;
    TApplication application(prompt);
    TForm form(nullptr);
    auto& panel2 = Add<TPanel>(form, form, {0, 0, 593, 281});
    auto& group1 = Add<TGroupBox>(form, panel2, {16, 16, 561, 57});
    Add<TDirectoryEdit>(form, group1, {8, 24, 545, 21});
    auto& group2 = Add<TGroupBox>(form, panel2, {16, 80, 265, 193});
    Add<TListBox>(form, group2, {8, 16, 249, 169});
    for (int i = 0; i < 6; ++i) Add<TButton>(form, panel2, {296, 88 + 32 * i, 265, 25});
    auto& panel1 = Add<TPanel>(form, form, {0, 280, 593, 305});
    Add<TMemo>(form, panel1, {16, 16, 561, 257});
    Add<TLabel>(form, panel1, {224, 280, 128, 13});
    form.FinishLoading();

    const WPARAM refresh = skin::SkinWParam(skin::SMC_REFRESH);
    g_delivered = 0;
    bridge::BroadcastToChildren(form, skin::SM_ALPHACMD, refresh, 1);
    const int perBroadcast = g_delivered;

    constexpr int kRepeats = 2000, kRounds = 7;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double best[2] = {1e9, 1e9};
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < kRepeats; ++i) bridge::BroadcastToChildren(form, skin::SM_ALPHACMD, refresh, 1);
        QueryPerformanceCounter(&t1);
        for (int i = 0; i < kRepeats; ++i)
            for (int k = 0; k < perBroadcast; ++k)
                SendMessageW(g_windows[std::size_t(k) % g_windows.size()], WM_NULL, 0, 0);
        QueryPerformanceCounter(&t2);
        best[0] = std::min(best[0], Seconds(t0, t1, frequency));
        best[1] = std::min(best[1], Seconds(t1, t2, frequency));
    }
    std::printf("controls %zu, messages per broadcast %d\n", g_windows.size() + 1, perBroadcast);
    std::printf("broadcast %.2f us, same number of plain messages %.2f us, ratio %.2f\n", best[0] / kRepeats * 1e6,
                best[1] / kRepeats * 1e6, best[0] / best[1]);
    return 0;
}
