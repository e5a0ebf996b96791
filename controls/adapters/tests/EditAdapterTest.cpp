#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/ControlSkinOwner.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/adapters/ScrollParts.h"
#include "controls/edits/Memo.h"
#include "platform/Application.h"
#include "platform/Edits.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/MessageSequence.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

// A form away from the screen origin holding a skinned memo of 60 lines, 120 x 100 pixels.
struct SkinnedMemoTest : ::testing::Test, testsupport::SkinnedFormSetup {
    TsMemo& memo = form.Make<TsMemo>(&form, platform::TMemoStyle{.VerticalScrollBar = true, .WordWrap = true});
    void SetUp() override {
        form.SetBounds({210, 160, 300, 220});
        memo.SetBounds({20, 30, 120, 100});
        std::wstring text;
        for (int i = 0; i < 60; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
        memo.SetTextW(text);
        form.FinishLoading();
        form.Show();
        ASSERT_TRUE(manager.GlobalInfo().Active);
        ASSERT_NE(memo.Adapter(), nullptr);
    }
    HWND Memo() const { return memo.Handle(); }
    TgwScrollWnd& Adapter() const { return dynamic_cast<TgwScrollWnd&>(*memo.Adapter()); }
    int FirstLine() const { return int(SendMessageW(Memo(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
    TRect VertBar() const { return ScreenBarRects(Adapter()).Vert; }
    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
    LRESULT HitTest(int x, int y) const { return SendMessageW(Memo(), WM_NCHITTEST, 0, At(x, y)); }
};

TEST_F(SkinnedMemoTest, TheFrameMakesRoomForOurBarWhichHitTestsAsTheVerticalBar) {
    EXPECT_EQ(FindAdapter(Memo()), memo.Adapter());
    EXPECT_EQ(FindScrollBar(Memo(), 1), Adapter().VertBar.get());
    EXPECT_EQ(FindScrollBar(Memo(), 2), nullptr);
    RECT client{};
    GetClientRect(Memo(), &client);
    const TgwScrollWnd& a = Adapter();
    EXPECT_GT(a.EdgeLeft, 0);
    EXPECT_TRUE(a.VertBar->Visible);
    EXPECT_FALSE(a.HorzBar->Visible);
    EXPECT_EQ(client.right, 120 - a.EdgeLeft - a.EdgeRight - 17);
    EXPECT_EQ(client.bottom, 100 - a.EdgeTop - a.EdgeBottom);

    // The bar on the screen, with the form away from the origin.
    RECT w{};
    GetWindowRect(Memo(), &w);
    const TRect bar = VertBar();
    EXPECT_EQ(bar,
              (TRect{w.right - a.EdgeRight - 17, w.top + a.EdgeTop, w.right - a.EdgeRight, w.bottom - a.EdgeBottom}));
    EXPECT_EQ(HitTest(bar.Left + 3, bar.Top + 40), HTVSCROLL);
    EXPECT_EQ(HitTest(bar.Left - 5, bar.Top + 40), HTCLIENT);
}

TEST_F(SkinnedMemoTest, ArrowPressScrollsByLineAndTheRepeatTimerKeepsScrolling) {
    const TRect bar = VertBar();
    const POINT down{bar.Left + 8, bar.Bottom - 5};
    SetCursorPos(down.x, down.y);
    SendMessageW(Memo(), WM_NCLBUTTONDOWN, HTVSCROLL, At(down.x, down.y));
    EXPECT_EQ(FirstLine(), 1);
    EXPECT_EQ(GetCapture(), Memo());
    SendMessageW(Memo(), WM_TIMER, scroll::kFirstDelayTimer, 0);
    EXPECT_EQ(FirstLine(), 1) << "the first delay only starts the repeat";
    SendMessageW(Memo(), WM_TIMER, scroll::kRepeatTimer, 0);
    SendMessageW(Memo(), WM_TIMER, scroll::kRepeatTimer, 0);
    EXPECT_EQ(FirstLine(), 3);
    SendMessageW(Memo(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(Memo(), WM_TIMER, scroll::kRepeatTimer, 0);
    EXPECT_EQ(FirstLine(), 3) << "released: the repeat is over";
    SendMessageW(Memo(), WM_NCLBUTTONDBLCLK, HTVSCROLL, At(bar.Left + 8, bar.Top + 5));
    SendMessageW(Memo(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(FirstLine(), 2) << "a double click acts as a press";
}

TEST_F(SkinnedMemoTest, LosingTheCaptureEndsThePress) {
    const TRect bar = VertBar();
    SetCursorPos(bar.Left + 8, bar.Bottom - 5);
    SendMessageW(Memo(), WM_NCLBUTTONDOWN, HTVSCROLL, At(bar.Left + 8, bar.Bottom - 5));
    SendMessageW(Memo(), WM_TIMER, scroll::kFirstDelayTimer, 0);
    SetCapture(form.Handle());  // a pop-up takes the mouse
    const int line = FirstLine();
    SendMessageW(Memo(), WM_TIMER, scroll::kRepeatTimer, 0);
    EXPECT_EQ(FirstLine(), line);
    ReleaseCapture();
    EXPECT_TRUE(ScrollTrackerOfProcess().ShownPressed(scroll::WindowId(Memo()), 1) == scroll::sbNone);
}

TEST_F(SkinnedMemoTest, DraggingTheSliderMovesTheFirstVisibleLine) {
    const TRect bar = VertBar();
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Memo(), SB_VERT, &info);
    const scroll::ThumbPlace thumb =
        scroll::ThumbGeometry({info.nMin, info.nMax, int(info.nPage), info.nPos}, bar.Top, bar.Height(), 17, 10);
    SendMessageW(Memo(), WM_NCLBUTTONDOWN, HTVSCROLL, At(bar.Left + 8, thumb.Start + 2));
    EXPECT_TRUE(Adapter().ThumbTracking);
    // Moves arrive in client coordinates: down to the bottom end, far below the bar.
    POINT end{bar.Left + 8, bar.Bottom + 200};
    ScreenToClient(Memo(), &end);
    SendMessageW(Memo(), WM_MOUSEMOVE, MK_LBUTTON, At(end.x, end.y));
    const int last = info.nMax - int(info.nPage) + 1;
    EXPECT_EQ(FirstLine(), last);
    POINT middle{bar.Left + 8, bar.Top + bar.Height() / 2};
    ScreenToClient(Memo(), &middle);
    SendMessageW(Memo(), WM_MOUSEMOVE, MK_LBUTTON, At(middle.x, middle.y));
    const int mid = FirstLine();
    EXPECT_GT(mid, 0);
    EXPECT_LT(mid, last);
    SendMessageW(Memo(), WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(Adapter().ThumbTracking);
    EXPECT_EQ(FirstLine(), mid);
    GetScrollInfo(Memo(), SB_VERT, &info);
    EXPECT_EQ(info.nPos, mid);
}

// Which messages reach the memo's own handling once the adapter has looked at them.
TEST_F(SkinnedMemoTest, PressesOffTheBarsAndTheSystemScrollCommandsAreSwallowed) {
    std::vector<UINT> passed;
    // The cases are kept from the memo itself (the platform would start its menu or tracking
    // loops); everything else, the skin's commands too, reaches it.
    platform::TMessageHook below(memo, [&](platform::TMessage& m) {
        if (m.Msg == WM_SYSCOMMAND || m.Msg == WM_NCRBUTTONDOWN || m.Msg == WM_NCMBUTTONUP ||
            m.Msg == WM_NCLBUTTONDOWN) {
            passed.push_back(m.Msg);
            return;
        }
        auto* self = &below;
        self->CallPrevious(m);
    });
    // The adapter must sit in front of the recorder: the skin comes back with a new one.
    manager.SetActive(false);
    manager.SetActive(true);
    const TRect bar = VertBar();
    struct Case {
        UINT msg;
        WPARAM w;
        LPARAM l;
        bool passes;
    };
    const Case cases[] = {
        {WM_SYSCOMMAND, 0xF077, 0, false},
        {WM_SYSCOMMAND, 0xF086, 0, false},
        {WM_SYSCOMMAND, SC_KEYMENU, 0, true},
        {WM_NCRBUTTONDOWN, HTVSCROLL, At(bar.Left + 3, bar.Top + 40), false},
        {WM_NCMBUTTONUP, HTVSCROLL, At(bar.Left + 3, bar.Top + 40), false},
        {WM_NCRBUTTONDOWN, HTBORDER, 0, true},
        {WM_NCLBUTTONDOWN, HTBORDER, 0, true},
    };
    for (const Case& k : cases) {
        passed.clear();
        SendMessageW(Memo(), k.msg, k.w, k.l);
        EXPECT_EQ(!passed.empty(), k.passes) << std::hex << k.msg << " " << k.w;
    }
}

TEST_F(SkinnedMemoTest, SkinRemovalGivesTheWindowBackAndReapplyingTakesItAgain) {
    const TColor skinned = memo.Color();
    EXPECT_EQ(skinned, TColor(1710618)) << "the memo took its section's colour";
    manager.SetActive(false);
    EXPECT_EQ(memo.Adapter(), nullptr);
    EXPECT_EQ(FindAdapter(Memo()), nullptr);
    RECT client{};
    GetClientRect(Memo(), &client);
    EXPECT_EQ(memo.Color(), TColor(0xFF000005)) << "the memo's own window colour is back";
    // The platform's own bar and frame are back: the text still scrolls through them.
    SendMessageW(Memo(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(FirstLine(), 1);

    manager.SetActive(true);
    ASSERT_NE(memo.Adapter(), nullptr);
    EXPECT_EQ(FindAdapter(Memo()), memo.Adapter());
    EXPECT_EQ(memo.Color(), skinned);
    GetClientRect(Memo(), &client);
    const TgwScrollWnd& a = Adapter();
    EXPECT_EQ(client.right, 120 - a.EdgeLeft - a.EdgeRight - 17);

    // The adapter made at re-application met the memo in its section's colours already.
    manager.SetActive(false);
    EXPECT_EQ(memo.Color(), TColor(0xFF000005));
}

// The memo frees its adapter when the skin goes and makes a new one when it comes back.
TEST_F(SkinnedMemoTest, FreeingTheAdapterGivesTheMemoItsOwnColoursBack) {
    manager.SetActive(false);
    memo.SetColor(0xFF000005);
    manager.SetActive(true);
    SendMessageW(Memo(), WM_NCPAINT, 1, 0);  // the first paint applies the section's colours
    EXPECT_EQ(memo.Color(), TColor(1710618));
    manager.SetActive(false);
    EXPECT_EQ(memo.Color(), TColor(0xFF000005));
}

// Without word wrapping the memo has both bars and the size box between them.
TEST_F(SkinnedMemoTest, BothBarsShareTheFrameAndTheHorizontalOneScrollsSideways) {
    auto& wide = form.Make<TsMemo>(&form, platform::TMemoStyle{.VerticalScrollBar = true, .WordWrap = false});
    wide.SetBounds({160, 30, 120, 100});
    std::wstring text;
    for (int i = 0; i < 40; ++i) text += std::wstring(80, wchar_t(L'a' + i % 26)) + L"\r\n";
    wide.SetTextW(text);
    ASSERT_NE(wide.Adapter(), nullptr);
    const TgwScrollWnd& a = dynamic_cast<TgwScrollWnd&>(*wide.Adapter());
    ASSERT_TRUE(a.HorzBar->Visible && a.VertBar->Visible);
    RECT client{};
    GetClientRect(wide.Handle(), &client);
    EXPECT_EQ(client.right, 120 - a.EdgeLeft - a.EdgeRight - 17);
    EXPECT_EQ(client.bottom, 100 - a.EdgeTop - a.EdgeBottom - 17);
    const scroll::BarLayout bars = ScreenBarRects(a);
    EXPECT_EQ(bars.Horz.Right, bars.Vert.Left);
    EXPECT_EQ(bars.SizeBox, (TRect{bars.Vert.Left, bars.Horz.Top, bars.Vert.Right, bars.Horz.Bottom}));
    EXPECT_EQ(SendMessageW(wide.Handle(), WM_NCHITTEST, 0, At(bars.Horz.Left + 30, bars.Horz.Top + 8)), HTHSCROLL);
    EXPECT_NE(SendMessageW(wide.Handle(), WM_NCHITTEST, 0, At(bars.SizeBox.Left + 8, bars.SizeBox.Top + 8)),
              HTBOTTOMRIGHT)
        << "a memo inside the form is not at the grip position";

    const POINT right{bars.Horz.Right - 5, bars.Horz.Top + 8};
    SendMessageW(wide.Handle(), WM_NCLBUTTONDOWN, HTHSCROLL, At(right.x, right.y));
    SendMessageW(wide.Handle(), WM_LBUTTONUP, 0, 0);
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(wide.Handle(), SB_HORZ, &info);
    EXPECT_GT(info.nPos, 0);
    EXPECT_EQ(FirstLine(), 0) << "the other memo did not move";
}

// A list box under the edit adapter: the list reads the tracking position, not the message's.
TEST_F(SkinnedMemoTest, DraggingAListBoxSliderMovesItsTopIndex) {
    struct SkinnedList : platform::TListBox {
        using TListBox::TListBox;
        ControlSkinOwner owner{*this, "TsListBox"};
        TsCommonData data{owner, true};
        AdapterPtr adapter;
    };
    auto& list = form.Make<SkinnedList>(&form);
    list.SetBounds({160, 30, 120, 100});
    for (int i = 0; i < 80; ++i) list.Add("map " + std::to_string(i));
    list.data.SetSkinSection("EDIT");
    AttachEditAdapter(list.data, list.adapter);
    ASSERT_NE(list.adapter, nullptr);
    const TRect bar = ScreenBarRects(dynamic_cast<TgwScrollWnd&>(*list.adapter)).Vert;
    ASSERT_GT(bar.Height(), 0);
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list.Handle(), SB_VERT, &info);
    const scroll::ThumbPlace thumb =
        scroll::ThumbGeometry({info.nMin, info.nMax, int(info.nPage), info.nPos}, bar.Top, bar.Height(), 17, 10);
    SendMessageW(list.Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, At(bar.Left + 8, thumb.Start + 2));
    POINT end{bar.Left + 8, bar.Bottom + 100};
    ScreenToClient(list.Handle(), &end);
    SendMessageW(list.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(end.x, end.y));
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETTOPINDEX, 0, 0), info.nMax - int(info.nPage) + 1);
    SendMessageW(list.Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETTOPINDEX, 0, 0), info.nMax - int(info.nPage) + 1);
}

TColor PixelOf(const render::Bitmap& b, int x, int y) {
    const std::uint8_t* p = b.Pixel(x, y);
    return MakeColor(p[2], p[1], p[0]);
}

// Set LW_ADAPTER_SHOT to a file name to look at what was printed (a 24-bit PPM).
void SaveShot(const render::Bitmap& b, const char* suffix) {
    const char* base = std::getenv("LW_ADAPTER_SHOT");
    if (base == nullptr) return;
    if (FILE* f = std::fopen((std::string(base) + suffix + ".ppm").c_str(), "wb")) {
        std::fprintf(f, "P6\n%d %d\n255\n", b.Width(), b.Height());
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) {
                const std::uint8_t* p = b.Pixel(x, y);
                const std::uint8_t rgb[3] = {p[2], p[1], p[0]};
                std::fwrite(rgb, 1, 3, f);
            }
        std::fclose(f);
    }
}

TEST_F(SkinnedMemoTest, PrintingShowsTheSkinsFrameAndBarAndADisabledBarFaded) {
    SendMessageW(Memo(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 25), 0);
    const auto print = [&](const char* suffix) {
        auto dib = std::make_unique<bridge::TsDibSection>(120, 100, render::PixelFormat::pf24bit);
        SendMessageW(Memo(), WM_PRINT, reinterpret_cast<WPARAM>(dib->Dc()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        SaveShot(dib->Bitmap(), suffix);
        return dib;
    };
    const auto enabled = print("-enabled");
    const TgwScrollWnd& a = Adapter();
    ASSERT_TRUE(memo.SkinData().CacheBmp);
    const render::Bitmap& cache = *memo.SkinData().CacheBmp;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{1, 50}, std::pair{60, 0}, std::pair{60, 99}, std::pair{119, 50}}) {
        EXPECT_EQ(PixelOf(enabled->Bitmap(), x, y), PixelOf(cache, x, y)) << "frame ring at " << x << "," << y;
    }
    const TRect barScreen = VertBar();
    RECT w{};
    GetWindowRect(Memo(), &w);
    const int barX = barScreen.Left - w.left + 8;
    const int trackY = a.EdgeTop + 17 + 3;                           // the track just below the up arrow
    const TColor platformBar = ResolveColor(0xFF000000) & 0xFFFFFF;  // clScrollBar
    EXPECT_NE(PixelOf(enabled->Bitmap(), barX, trackY), platformBar);

    memo.SetEnabled(false);
    const auto disabled = print("-disabled");
    EXPECT_NE(PixelOf(disabled->Bitmap(), barX, trackY), PixelOf(enabled->Bitmap(), barX, trackY))
        << "a disabled bar is drawn faded";
}

// What reaches the screen through the frame painting: the ring from the cache, our bar beside it.
TEST_F(SkinnedMemoTest, TheFramePaintReachesTheScreen) {
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT w{};
    GetWindowRect(Memo(), &w);
    bridge::TsDibSection shot(120, 100, render::PixelFormat::pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Dc(), 0, 0, 120, 100, screen, w.left, w.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    SaveShot(shot.Bitmap(), "-screen");
    ASSERT_TRUE(memo.SkinData().CacheBmp);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{60, 0}, std::pair{0, 50}, std::pair{60, 99}}) {
        EXPECT_EQ(PixelOf(shot.Bitmap(), x, y), PixelOf(*memo.SkinData().CacheBmp, x, y)) << x << "," << y;
    }
    const TRect bar = VertBar();
    const TColor platformBar = ResolveColor(0xFF000000) & 0xFFFFFF;
    EXPECT_NE(PixelOf(shot.Bitmap(), bar.Left - w.left + 8, bar.Top - w.top + 25), platformBar);
}

// A bare tree window that no toolkit control owns (as in a system dialog): the adapter makes
// its own common data, subclasses the window and gives the tree the section's colours.
TEST_F(SkinnedMemoTest, ATreeWindowOfNoControlIsDressedAndGivenBack) {
    HWND tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 160, 30, 120,
                                100, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(tree, nullptr);
    AdapterPtr adapter = TgwMainWnd::Create<TgwTreeViewWnd>(tree, true, "EDIT", &manager, nullptr);
    EXPECT_FALSE(adapter->SkinData().Owner().IsControl()) << "common data of its own, over the bare window";
    EXPECT_EQ(FindAdapter(tree), adapter.get());
    SendMessageW(tree, WM_NCPAINT, 1, 0);
    EXPECT_EQ(COLORREF(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), COLORREF(1710618));
    // Lines and expand buttons in the text's colour, not the platform's light grey.
    EXPECT_EQ(SendMessageW(tree, TVM_GETLINECOLOR, 0, 0), SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0));
    adapter.reset();
    EXPECT_EQ(FindAdapter(tree), nullptr);
    EXPECT_EQ(COLORREF(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), CLR_NONE) << "the platform's colours again";
    EXPECT_EQ(COLORREF(SendMessageW(tree, TVM_GETLINECOLOR, 0, 0)), CLR_DEFAULT);
    DestroyWindow(tree);
}

// An adapter whose window's own handler frees it (the skin removed under it) lives on until
// its handler has returned, and its handler stops touching the window.
class RecordingAdapter : public TgwEditWnd {
public:
    static std::vector<std::string>* Log;
    ~RecordingAdapter() override { Log->push_back("freed"); }
    void HandleMessage(platform::TMessage& message) override {
        const bool removal =
            message.Msg == skin::SM_ALPHACMD && skin::SkinCommandOf(message.WParam) == skin::SMC_SKINREMOVED;
        TgwEditWnd::HandleMessage(message);
        if (removal) Log->push_back(Unhooked ? "handler returned, unhooked" : "handler returned, hooked");
    }

protected:
    using TgwEditWnd::TgwEditWnd;
    friend class TgwMainWnd;
};
std::vector<std::string>* RecordingAdapter::Log = nullptr;

TEST_F(SkinnedMemoTest, AnAdapterFreedInsideItsOwnHandlerIsFreedAfterItReturns) {
    std::vector<std::string> log;
    RecordingAdapter::Log = &log;
    AdapterPtr slot;
    // The window's handling of the removal, beneath the adapter, frees the adapter that passed
    // the command on.
    platform::TMessageHook owner(Memo(), [&](platform::TMessage& m) {
        if (m.Msg == skin::SM_ALPHACMD && skin::SkinCommandOf(m.WParam) == skin::SMC_SKINREMOVED) {
            slot.reset();
            log.push_back(slot ? "slot still full" : "slot emptied");
        }
        auto* self = &owner;
        self->CallPrevious(m);
    });
    slot = TgwMainWnd::Create<RecordingAdapter>(Memo(), true, "EDIT", &manager, &memo.SkinData());
    SendMessageW(Memo(), skin::SM_ALPHACMD, skin::SkinWParam(skin::SMC_SKINREMOVED), manager.CommandId());
    EXPECT_EQ(log, (std::vector<std::string>{"slot emptied", "handler returned, unhooked", "freed"}));
    EXPECT_EQ(FindAdapter(Memo()), nullptr);
    RecordingAdapter::Log = nullptr;
}

TEST_F(SkinnedMemoTest, UnhookingLeavesALaterHookInPlace) {
    int seen = 0;
    platform::TMessageHook later(Memo(), [&](platform::TMessage& m) {
        if (m.Msg == WM_USER + 7) ++seen;
        auto* self = &later;
        self->CallPrevious(m);
    });
    manager.SetActive(false);  // the memo frees its adapter
    EXPECT_EQ(FindAdapter(Memo()), nullptr);
    SendMessageW(Memo(), WM_USER + 7, 0, 0);
    EXPECT_EQ(seen, 1);
    SendMessageW(Memo(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(FirstLine(), 1) << "the memo's own handling is still reached";
}

TEST_F(SkinnedMemoTest, DestroyingTheWindowDuringAPressEndsIt) {
    const TRect bar = VertBar();
    SendMessageW(Memo(), WM_NCLBUTTONDOWN, HTVSCROLL, At(bar.Left + 8, bar.Bottom - 5));
    ASSERT_EQ(GetCapture(), Memo());
    DestroyWindow(Memo());
    ASSERT_NE(memo.Adapter(), nullptr);
    EXPECT_TRUE(memo.Adapter()->Unhooked);
    EXPECT_TRUE(ScrollTrackerOfProcess().Idle());
    EXPECT_EQ(GetCapture(), nullptr);
}

// --- messages ------------------------------------------------------------------------------------

using testsupport::kAnyNumber;
using testsupport::kLParam;
using testsupport::kPassedOn;
using testsupport::kWParam;
using testsupport::MessageSequence;

constexpr WPARAM Command(unsigned command) { return skin::SkinWParam(command); }

// The memo's own handling is watched from before its adapter is hooked, so the log holds what
// arrives at the window and what the adapter lets through to the EDIT.
struct AdapterMessages : SkinnedMemoTest {
    MessageSequence sequence;
    AdapterMessages() { sequence.WatchBeneath(memo.Handle()); }
    void SetUp() override {
        SkinnedMemoTest::SetUp();
        sequence.WatchFront(Memo());
        ASSERT_TRUE(testsupport::PumpUntilIdle());
        sequence.Clear();
    }
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

// Printing: the adapter draws frame and bar itself and has the EDIT draw only its client, once,
// with the platform's frame and erasing left out.
TEST_F(AdapterMessages, PrintingDrawsTheFrameItselfAndAsksTheEditForTheClientOnly) {
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
    }));

    sequence.Clear();
    SendMessageW(Memo(), WM_PRINT, dc, PRF_NONCLIENT | PRF_CLIENT | PRF_OWNED);
    EXPECT_TRUE(sequence.Matches({
        {WM_PRINT, kWParam, dc},
        {WM_ERASEBKGND},
        {WM_ERASEBKGND, kPassedOn},
        {WM_PAINT},
        {WM_PAINT, kPassedOn},
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
// The removal computes the frame and paints it once each; giving the platform its text colour
// back hands the window no font, a colour being no part of one.
TEST_F(AdapterMessages, SkinRemovalGivesTheEditEveryMessageAndReapplyingTakesItsShareAgain) {
    sequence.Only({skin::SM_ALPHACMD, WM_NCCALCSIZE, WM_NCPAINT, WM_SETFONT, WM_ERASEBKGND, WM_PAINT});
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
        {skin::SM_ALPHACMD, kWParam | kPassedOn, Command(skin::SMC_SKINREMOVED)},
        // The platform's frame, computed and painted by the EDIT itself, then its client.
        {WM_NCCALCSIZE},
        {WM_NCCALCSIZE, kPassedOn},
        {WM_NCPAINT},
        {WM_NCPAINT, kPassedOn},
        {WM_ERASEBKGND},
        {WM_ERASEBKGND, kPassedOn},
        {WM_PAINT},
        {WM_PAINT, kPassedOn},
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
            EXPECT_TRUE(sequence.Matches(expected))
                << MessageSequence::NameOf(k.msg) << (skinned ? " skinned" : " plain");
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
