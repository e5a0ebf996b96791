// What the window adapters send, pass on to the window and keep to themselves.
#include <windows.h>

#include <cstring>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "controls/adapters/ScrollParts.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/edits/Memo.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/MessageSequence.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

using testsupport::kAnyNumber;
using testsupport::kLParam;
using testsupport::kOptional;
using testsupport::kPassedOn;
using testsupport::kWParam;
using testsupport::MessageSequence;

constexpr WPARAM Command(unsigned command) { return skin::SkinWParam(command); }

// A skinned form with a memo of 60 lines. With a log, the memo's own handling is watched from
// before its adapter is hooked, so the log holds what arrives at the window and what the adapter
// lets through to the EDIT.
struct AdapterMessages : ::testing::Test, testsupport::SkinnedFormSetup {
    TsMemo& memo = form.Make<TsMemo>(&form, platform::TMemoStyle{.VerticalScrollBar = true, .WordWrap = true});

    void Show(MessageSequence* memoLog = nullptr) {
        // The adapter goes on when the memo is loaded.
        if (memoLog) memoLog->WatchBeneath(memo.Handle());
        form.SetBounds({210, 160, 300, 220});
        memo.SetBounds({20, 30, 120, 100});
        std::wstring text;
        for (int i = 0; i < 60; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
        memo.SetTextW(text);
        form.FinishLoading();
        form.Show();
        ASSERT_NE(memo.Adapter(), nullptr);
        if (memoLog) memoLog->WatchFront(memo.Handle());
        ASSERT_TRUE(testsupport::PumpUntilIdle());
        if (memoLog) memoLog->Clear();
    }
    HWND Memo() const { return memo.Handle(); }
    int FirstLine() const { return int(SendMessageW(Memo(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
};

// The vertical bar's pixels on the screen.
std::unique_ptr<bridge::TsDibSection> ScreenBar(const TgwScrollWnd& adapter) {
    const TRect bar = ScreenBarRects(adapter).Vert;
    auto shot = std::make_unique<bridge::TsDibSection>(bar.Width(), bar.Height(), render::PixelFormat::pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(shot->Dc(), 0, 0, bar.Width(), bar.Height(), screen, bar.Left, bar.Top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    return shot;
}

// The same bar as printing the window draws it.
std::unique_ptr<bridge::TsDibSection> PrintedBar(const TgwScrollWnd& adapter) {
    RECT w{};
    GetWindowRect(adapter.Handle(), &w);
    bridge::TsDibSection window(w.right - w.left, w.bottom - w.top, render::PixelFormat::pf24bit);
    SendMessageW(adapter.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(window.Dc()), PRF_NONCLIENT);
    const TRect bar = ScreenBarRects(adapter).Vert;
    auto shot = std::make_unique<bridge::TsDibSection>(bar.Width(), bar.Height(), render::PixelFormat::pf24bit);
    BitBlt(shot->Dc(), 0, 0, bar.Width(), bar.Height(), window.Dc(), bar.Left - w.left, bar.Top - w.top, SRCCOPY);
    GdiFlush();
    return shot;
}

bool SamePixels(const bridge::TsDibSection& a, const bridge::TsDibSection& b) {
    const render::Bitmap &x = a.Bitmap(), &y = b.Bitmap();
    for (int row = 0; row < x.Height(); ++row)
        if (std::memcmp(x.Pixel(0, row), y.Pixel(0, row), std::size_t(x.Width()) * 3) != 0) return false;
    return true;
}

// One line down: the EDIT scrolls, repaints its client once, and our bar shows the new place
// straight away, drawn by the adapter without any frame message.
TEST_F(AdapterMessages, AScrollStepReachesTheEditAndRepaintsOnlyTheClientAndOurBar) {
    MessageSequence sequence;
    Show(&sequence);
    auto& adapter = dynamic_cast<TgwScrollWnd&>(*memo.Adapter());
    const auto before = ScreenBar(adapter);
    // What scrolls or paints, and the skin's commands between windows.
    sequence.Only({WM_VSCROLL, WM_PAINT, WM_ERASEBKGND, WM_NCPAINT, WM_NCCALCSIZE, WM_WINDOWPOSCHANGING, WM_PRINT,
                   WM_PRINTCLIENT, skin::SM_ALPHACMD});
    SendMessageW(Memo(), WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_TRUE(testsupport::PumpUntilIdle());
    EXPECT_TRUE(sequence.Matches({
        {WM_VSCROLL, kWParam, SB_LINEDOWN},
        {WM_VSCROLL, kWParam | kPassedOn, SB_LINEDOWN},
        {WM_PAINT},
        {WM_PAINT, kPassedOn},
    }));
    EXPECT_EQ(FirstLine(), 1);

    const auto after = ScreenBar(adapter);
    EXPECT_FALSE(SamePixels(*after, *before)) << "the slider moved on the screen";
    EXPECT_TRUE(SamePixels(*after, *PrintedBar(adapter))) << "the bar on the screen is the one the adapter draws";
}

// Printing: the adapter draws frame and bar itself and has the EDIT draw only its client, with
// the platform's frame and erasing left out.
TEST_F(AdapterMessages, PrintingDrawsTheFrameItselfAndAsksTheEditForTheClientOnly) {
    MessageSequence sequence;
    Show(&sequence);
    sequence.Only({WM_PRINT, WM_PRINTCLIENT, WM_PAINT, WM_ERASEBKGND, WM_NCPAINT});
    bridge::TsDibSection dib(120, 100, render::PixelFormat::pf24bit);
    const auto dc = reinterpret_cast<WPARAM>(dib.Dc());
    SendMessageW(Memo(), WM_PRINT, dc, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_TRUE(sequence.Matches({
        {WM_PRINT, kWParam, dc},
        {WM_ERASEBKGND, kWParam, dc},
        {WM_ERASEBKGND, kWParam | kPassedOn, dc},
        {WM_PAINT, kWParam, dc},
        {WM_PAINT, kWParam | kPassedOn, dc},
        {WM_PRINTCLIENT, kWParam | kLParam, dc, PRF_CLIENT | PRF_OWNED},
        {WM_PRINTCLIENT, kWParam | kLParam | kPassedOn, dc, PRF_CLIENT | PRF_OWNED},
    }));

    sequence.Clear();
    SendMessageW(Memo(), WM_PRINT, dc, PRF_NONCLIENT | PRF_CLIENT | PRF_OWNED);
    EXPECT_TRUE(sequence.Matches({
        {WM_PRINT, kWParam, dc},
        {WM_ERASEBKGND, kAnyNumber},
        {WM_ERASEBKGND, kPassedOn | kAnyNumber},
        {WM_PAINT},
        {WM_PAINT, kPassedOn},
        {WM_PRINTCLIENT},
        {WM_PRINTCLIENT, kPassedOn},
        {WM_PRINT, kWParam | kLParam | kPassedOn, dc, PRF_OWNED},  // only what the adapter did not print
    }));

    sequence.Clear();
    SendMessageW(Memo(), WM_PRINTCLIENT, dc, PRF_CLIENT);
    EXPECT_TRUE(sequence.Matches({
        {WM_PRINTCLIENT, kWParam | kLParam, dc, PRF_CLIENT},
        {WM_PRINTCLIENT, kWParam | kLParam | kPassedOn, dc, PRF_CLIENT},
    }));
}

// Removing the skin unhooks the adapter: the platform computes and paints the frame again and
// gets every message whole; loading the skin again hooks a new adapter that keeps its share.
TEST_F(AdapterMessages, SkinRemovalGivesTheEditEveryMessageAndReapplyingTakesItsShareAgain) {
    MessageSequence sequence;
    Show(&sequence);
    sequence.Only({skin::SM_ALPHACMD, WM_NCCALCSIZE, WM_NCPAINT});
    const TRect bar = ScreenBarRects(dynamic_cast<TgwScrollWnd&>(*memo.Adapter())).Vert;
    const LPARAM onBar = MAKELPARAM(bar.Left + 3, bar.Top + 40);
    bridge::TsDibSection dib(120, 100, render::PixelFormat::pf24bit);
    const auto dc = reinterpret_cast<WPARAM>(dib.Dc());
    const LPARAM print = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND;

    manager.SetActive(false);
    ASSERT_TRUE(testsupport::PumpUntilIdle());
    ASSERT_EQ(memo.Adapter(), nullptr);
    EXPECT_TRUE(sequence.Matches({
        {skin::SM_ALPHACMD, kWParam, Command(skin::SMC_ISSKINNED)},  // answered by the adapter
        {skin::SM_ALPHACMD, kWParam, Command(skin::SMC_SKINREMOVED)},
        // The adapter gives the colours back while it still owns the frame: our frame once more.
        {WM_NCCALCSIZE, kOptional},
        {WM_NCCALCSIZE, kPassedOn | kOptional},
        {WM_NCPAINT, kOptional},
        {skin::SM_ALPHACMD, kWParam | kPassedOn, Command(skin::SMC_SKINREMOVED)},
        // The platform's frame, computed and painted by the EDIT itself.
        {WM_NCCALCSIZE},
        {WM_NCCALCSIZE, kPassedOn},
        {WM_NCPAINT},
        {WM_NCPAINT, kPassedOn},
        // Unhooking, restoring the colours and giving the frame back each do it again today;
        // once would do.
        {WM_NCCALCSIZE, kOptional},
        {WM_NCCALCSIZE, kPassedOn | kOptional},
        {WM_NCPAINT, kOptional},
        {WM_NCPAINT, kPassedOn | kOptional},
        {WM_NCCALCSIZE, kOptional},
        {WM_NCCALCSIZE, kPassedOn | kOptional},
        {WM_NCPAINT, kOptional},
        {WM_NCPAINT, kPassedOn | kOptional},
        {WM_NCPAINT, kOptional},
        {WM_NCPAINT, kPassedOn | kOptional},
    }));

    struct Case {
        UINT msg;
        WPARAM w;
        LPARAM l;
        bool passedWhenSkinned;
    };
    const Case cases[] = {
        {WM_PRINT, dc, print, false},
        {WM_NCPAINT, 1, 0, false},
        {WM_NCRBUTTONDOWN, HTVSCROLL, onBar, false},
        {WM_NCRBUTTONDOWN, HTBORDER, 0, true},
    };
    const auto sendAll = [&](bool skinned) {
        for (const Case& k : cases) {
            sequence.Only({k.msg});
            sequence.Clear();
            SendMessageW(Memo(), k.msg, k.w, k.l);
            std::vector<testsupport::ExpectedMessage> expected{{k.msg, kWParam | kLParam, k.w, k.l}};
            if (!skinned || k.passedWhenSkinned) expected.push_back({k.msg, kWParam | kLParam | kPassedOn, k.w, k.l});
            EXPECT_TRUE(sequence.Matches(expected)) << MessageSequence::NameOf(k.msg) << (skinned ? " skinned" : " plain");
        }
    };
    sendAll(false);

    manager.SetActive(true);
    ASSERT_TRUE(testsupport::PumpUntilIdle());
    ASSERT_NE(memo.Adapter(), nullptr);
    sendAll(true);
}

// A bare list of 80 items under the plain scroll adapter, watched from before it was hooked.
TEST_F(AdapterMessages, TheScrollAdapterTurnsPressesOnItsBarIntoScrollRequestsAndKeepsThePlatformsTrackingOut) {
    Show();
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER, 160, 30, 120, 100,
                                form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < 80; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"map"));
    MessageSequence seen;
    seen.WatchBeneath(list);
    AdapterPtr adapter = TgwMainWnd::Create<TgwScrollWnd>(list, true, "EDIT", &manager, nullptr);
    seen.WatchFront(list);
    ASSERT_TRUE(testsupport::PumpUntilIdle());
    const TRect bar = ScreenBarRects(dynamic_cast<TgwScrollWnd&>(*adapter)).Vert;
    const LPARAM downArrow = MAKELPARAM(bar.Left + 8, bar.Bottom - 5);
    seen.Only({WM_NCLBUTTONDOWN, WM_LBUTTONUP, WM_VSCROLL, WM_SYSCOMMAND, WM_NCPAINT, WM_UPDATEUISTATE, WM_MOUSEWHEEL,
               WM_CAPTURECHANGED});

    struct Row {
        const char* what;
        std::function<void()> send;
        std::vector<testsupport::ExpectedMessage> expected;
    };
    const Row rows[] = {
        {"press on the down arrow",
         [&] { SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, downArrow); },
         {{WM_NCLBUTTONDOWN, kWParam, HTVSCROLL},
          {WM_VSCROLL, kWParam, SB_LINEDOWN},
          {WM_VSCROLL, kWParam | kPassedOn, SB_LINEDOWN}}},
        {"release",
         [&] { SendMessageW(list, WM_LBUTTONUP, 0, 0); },
         {{WM_LBUTTONUP},
          {WM_CAPTURECHANGED, kAnyNumber},
          {WM_CAPTURECHANGED, kPassedOn | kAnyNumber},
          {WM_VSCROLL, kWParam, SB_ENDSCROLL},
          {WM_VSCROLL, kWParam | kPassedOn, SB_ENDSCROLL},
          {WM_LBUTTONUP, kPassedOn}}},
        {"the platform's own tracking of the vertical bar",
         [&] { SendMessageW(list, WM_SYSCOMMAND, 0xF077, downArrow); },
         {{WM_SYSCOMMAND, kWParam, 0xF077}}},
        {"the frame: the platform's first, ours over it",
         [&] { SendMessageW(list, WM_NCPAINT, 1, 0); },
         {{WM_NCPAINT}, {WM_NCPAINT, kPassedOn}}},
        {"keyboard cues", [&] { SendMessageW(list, WM_UPDATEUISTATE, 0, 0); }, {{WM_UPDATEUISTATE}}},
        {"the wheel scrolls the list and the bar follows without a frame message",
         [&] { SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), downArrow); },
         {{WM_MOUSEWHEEL}, {WM_MOUSEWHEEL, kPassedOn}}},
    };
    for (const Row& row : rows) {
        seen.Clear();
        row.send();
        EXPECT_TRUE(seen.Matches(row.expected)) << row.what;
    }
    EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
    adapter.reset();
    DestroyWindow(list);
}

}  // namespace
}  // namespace lw::controls
