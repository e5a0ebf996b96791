#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/CommonDataWindow.h"
#include "controls/ControlSkinOwner.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/scrollbars/ScrollParts.h"
#include "platform/Application.h"
#include "platform/Edits.h"
#include "platform/Form.h"
#include "testsupport/StoredSkin.h"

namespace lw::controls {
namespace {

class SilentPrompt : public platform::Prompt {
public:
    int Show(HWND, std::string_view, std::string_view, UINT) override { return IDOK; }
};

// A memo dressed as the skinned memo will be: common data bound to it, and the edit adapter
// attached whenever the skin is loaded, refreshed or removed.
class SkinnedMemo : public platform::TMemo {
public:
    SkinnedMemo(platform::TComponent* owner, platform::TWinControl* parent)
        : TMemo(owner, parent, DefaultCreateParams({.VerticalScrollBar = true, .WordWrap = true})) {
        data.SetSkinSection("EDIT");
    }
    ControlSkinOwner owner{*this, "TsMemo", true};
    TsCommonData data{owner, true};
    AdapterPtr adapter;
    std::function<void(unsigned command)> OnSkinCommand;

protected:
    void WndProc(platform::TMessage& m) override {
        if (m.Msg == SM_ALPHACMD) {
            const unsigned command = SkinCommandOf(m.WParam);
            HandleSkinCommand(data, m);
            if (command == SMC_SKINLOADED || command == SMC_REFRESH || command == SMC_SKINREMOVED) {
                AttachEditAdapter(data, adapter);
            }
            if (OnSkinCommand) OnSkinCommand(command);
            return;
        }
        TMemo::WndProc(m);
    }
};

// A form away from the screen origin holding a skinned memo of 60 lines, 120 x 100 pixels.
struct SkinnedMemoTest : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    bridge::TsSkinManager& manager = MakeManager();
    SkinnedMemo& memo = form.Make<SkinnedMemo>(&form);

    bridge::TsSkinManager& MakeManager() {
        auto& m = form.Make<bridge::TsSkinManager>();
        m.InternalSkins.push_back({"000 (internal)", skin::ByteBuffer(kStoredSkin, kStoredSkin + kStoredSkinSize)});
        m.SetSkinName("000 (internal)");
        return m;
    }
    void SetUp() override {
        form.SetBounds({210, 160, 300, 220});
        memo.SetBounds({20, 30, 120, 100});
        std::wstring text;
        for (int i = 0; i < 60; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
        memo.SetTextW(text);
        form.FinishLoading();
        form.Show();
        ASSERT_TRUE(manager.GlobalInfo().Active);
        AttachEditAdapter(memo.data, memo.adapter);
        ASSERT_NE(memo.adapter, nullptr);
    }
    HWND Memo() const { return memo.Handle(); }
    TgwScrollWnd& Adapter() const { return dynamic_cast<TgwScrollWnd&>(*memo.adapter); }
    int FirstLine() const { return int(SendMessageW(Memo(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
    TRect VertBar() const { return ScreenBarRects(Adapter()).Vert; }
    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
    LRESULT HitTest(int x, int y) const { return SendMessageW(Memo(), WM_NCHITTEST, 0, At(x, y)); }
};

TEST_F(SkinnedMemoTest, TheFrameMakesRoomForOurBarWhichHitTestsAsTheVerticalBar) {
    EXPECT_EQ(FindAdapter(Memo()), memo.adapter.get());
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
    EXPECT_EQ(bar, (TRect{w.right - a.EdgeRight - 17, w.top + a.EdgeTop, w.right - a.EdgeRight, w.bottom - a.EdgeBottom}));
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
    const scroll::ThumbPlace thumb = scroll::ThumbGeometry({info.nMin, info.nMax, int(info.nPage), info.nPos}, bar.Top,
                                                           bar.Height(), 17, 10);
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
    platform::TMessageHook below(memo, [&](platform::TMessage& m) {
        if (m.Msg == WM_SYSCOMMAND || m.Msg == WM_NCRBUTTONDOWN || m.Msg == WM_NCMBUTTONUP ||
            m.Msg == WM_NCLBUTTONDOWN)
            passed.push_back(m.Msg);
    });
    // The adapter must sit in front of the recorder: hook it anew.
    memo.adapter.reset();
    AttachEditAdapter(memo.data, memo.adapter);
    const TRect bar = VertBar();
    struct Case { UINT msg; WPARAM w; LPARAM l; bool passes; };
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
    manager.SetActive(false);
    EXPECT_EQ(memo.adapter, nullptr);
    EXPECT_EQ(FindAdapter(Memo()), nullptr);
    RECT client{};
    GetClientRect(Memo(), &client);
    EXPECT_EQ(memo.Color(), TColor(0xFF000005)) << "the memo's own window colour is back";
    // The platform's own bar and frame are back: the text still scrolls through them.
    SendMessageW(Memo(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(FirstLine(), 1);

    manager.SetActive(true);
    ASSERT_NE(memo.adapter, nullptr);
    EXPECT_EQ(FindAdapter(Memo()), memo.adapter.get());
    EXPECT_EQ(memo.Color(), skinned);
    GetClientRect(Memo(), &client);
    const TgwScrollWnd& a = Adapter();
    EXPECT_EQ(client.right, 120 - a.EdgeLeft - a.EdgeRight - 17);
}

// An adapter whose window's own handler frees it (the skin removed under it) lives on until
// its handler has returned, and its handler stops touching the window.
class RecordingAdapter : public TgwEditWnd {
public:
    static std::vector<std::string>* Log;
    ~RecordingAdapter() override { Log->push_back("freed"); }
    void HandleMessage(platform::TMessage& message) override {
        const bool removal = message.Msg == SM_ALPHACMD && SkinCommandOf(message.WParam) == SMC_SKINREMOVED;
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
    memo.adapter = TgwMainWnd::Create<RecordingAdapter>(Memo(), true, "EDIT", &manager, &memo.data);
    memo.OnSkinCommand = [&](unsigned command) {
        if (command == SMC_SKINREMOVED) log.push_back(memo.adapter ? "slot still full" : "slot emptied");
    };
    // The control's handling of the removal frees the adapter that passed the command on.
    SendMessageW(Memo(), SM_ALPHACMD, SkinWParam(SMC_SKINREMOVED), manager.CommandLParam());
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
    memo.adapter.reset();
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
    ASSERT_NE(memo.adapter, nullptr);
    EXPECT_TRUE(memo.adapter->Unhooked);
    EXPECT_TRUE(ScrollTrackerOfProcess().Idle());
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace lw::controls
