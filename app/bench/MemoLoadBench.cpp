// Loading a large entity text, under Wine: (a) a plain word-wrapping EDIT of the memo's size
// taking the text with WM_SETTEXT, against (b) the application's own path from the tool's
// finished .ent to the text shown in the skinned memo (read, line breaks, code page, setting the
// text, change handling, the skinned bar's refresh). Also one step of the skinned bar, scrolled
// and repainted, against a BitBlt of the bar. Ratios are the figures; times vary with the machine.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/EntityBindings.h"
#include "app/EntityFiles.h"
#include "app/core/LineBreaks.h"
#include "bridge/SkinManager.h"
#include "controls/edits/Memo.h"
#include "controls/adapters/ScrollParts.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Text.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace {

using namespace lw;

double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// About `bytes` of entity text as the tool writes it: LF line breaks, Cyrillic in some values.
std::string EntityText(size_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i) {
        text += "{\n\"classname\" \"light\"\n\"origin\" \"" + std::to_string(i % 4096) + " 128 -64\"\n";
        text +=
            "\"targetname\" \"\xEB\xE0\xEC\xEF\xE0_" + std::to_string(i) + "\"\n\"_light\" \"255 255 128 200\"\n}\n";
    }
    return text;
}

}  // namespace

int main() {
    testsupport::SkinnedFormSetup setup;
    platform::TForm& form = setup.form;
    auto& memo = form.Make<controls::TsMemo>(&form, platform::TMemoStyle{.VerticalScrollBar = true, .WordWrap = true});
    memo.SetBounds({16, 16, 561, 257});
    int changes = 0;
    memo.OnChange = [&] { ++changes; };
    form.SetBounds({0, 0, 600, 300});
    form.FinishLoading();
    form.Show();

    HWND plain = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 16, 16, 561, 257,
                                 form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(plain, EM_SETLIMITTEXT, 0, 0);
    // Same font as the memo: word wrapping costs what the glyphs' widths make it cost.
    SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(memo.FontHandle()), FALSE);
    ShowWindow(memo.Handle(), SW_HIDE);

    const std::filesystem::path ent = std::filesystem::temp_directory_path() / "lw-memo-bench.ent";
    const std::string bytes = EntityText(4u << 20);
    std::ofstream(ent, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::wstring wide = platform::AnsiToWide(app::WithCrLfLineBreaks(bytes));

    app::EntityFiles files;
    app::MemoBinding binding{memo};
    const std::string path = platform::WideToUtf8(ent.wstring());
    const int runs = 3;
    double plainTotal = 0, appTotal = 0, memoTotal = 0;
    for (int i = 0; i < runs; ++i) {
        SendMessageW(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        plainTotal += Seconds([&] { SendMessageW(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())); });
        SendMessageW(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        ShowWindow(plain, SW_HIDE);
        ShowWindow(memo.Handle(), SW_SHOW);
        binding.SetText({});
        appTotal += Seconds([&] { binding.SetText(app::WithCrLfLineBreaks(files.Read(path))); });
        // The skinned memo's own share: the same wide text set straight into its window.
        binding.SetText({});
        memoTotal +=
            Seconds([&] { SendMessageW(memo.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())); });
        ShowWindow(memo.Handle(), SW_HIDE);
        ShowWindow(plain, SW_SHOW);
    }
    std::filesystem::remove(ent);
    std::printf("4 MB entity text, %d runs each (%d change notices)\n", runs, changes);
    std::printf("  plain EDIT, WM_SETTEXT:     %8.3f s\n", plainTotal / runs);
    std::printf("  application path to memo:   %8.3f s\n", appTotal / runs);
    std::printf("  skinned memo, WM_SETTEXT:   %8.3f s\n", memoTotal / runs);
    std::printf("  ratio: %.3f (goal at most 1.1)\n", appTotal / plainTotal);

    // One step of the skinned bar: the scroll request and the bar read and painted again.
    ShowWindow(plain, SW_HIDE);
    ShowWindow(memo.Handle(), SW_SHOW);
    auto* adapter = dynamic_cast<controls::TgwScrollWnd*>(memo.Adapter());
    if (adapter == nullptr) {
        std::printf("the memo has no adapter: no scroll figure\n");
        return 1;
    }
    const int steps = 2000;
    const double step = Seconds([&] {
                            for (int i = 0; i < steps; ++i) {
                                SendMessageW(memo.Handle(), WM_VSCROLL, (i & 1) ? SB_LINEUP : SB_LINEDOWN, 0);
                                controls::RefreshScrollBars(*adapter, true);
                            }
                            GdiFlush();
                        }) /
                        steps;
    HDC window = GetWindowDC(memo.Handle());
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bar = CreateCompatibleBitmap(window, 17, 257);
    HGDIOBJ old = SelectObject(memory, bar);
    const double blit = Seconds([&] {
                            for (int i = 0; i < steps; ++i) BitBlt(window, 561 - 19, 2, 17, 253, memory, 0, 0, SRCCOPY);
                            GdiFlush();
                        }) /
                        steps;
    SelectObject(memory, old);
    DeleteObject(bar);
    DeleteDC(memory);
    ReleaseDC(memo.Handle(), window);
    std::printf("one scroll step of the skinned bar: %.1f us; BitBlt of the bar: %.1f us; ratio %.1f\n", step * 1e6,
                blit * 1e6, step / blit);
    return 0;
}
