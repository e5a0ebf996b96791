#include <windows.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Application.h"
#include "platform/Buttons.h"
#include "platform/Containers.h"
#include "platform/Edits.h"
#include "platform/Exception.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/Timer.h"
#include "platform/tests/ToolkitFixture.h"
#include "testsupport/win32/MessagePump.h"
#include "testsupport/win32/TestWindowClass.h"

namespace lw::platform {
namespace {

using testing::Toolkit;

using namespace std::chrono_literals;
using testsupport::PumpFor;
using testsupport::PumpUntil;

TEST_F(Toolkit, AnAdapterInFrontOfWindowProcSeesMessagesFirstAndPassesTheRestOn) {
    TEdit& edit = form.Make<TEdit>(&panel);
    std::vector<UINT> seen;
    auto previous = edit.WindowProc;
    edit.WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_GETTEXTLENGTH) {
            m.Result = 99;  // handled here: the edit never sees it
            return;
        }
        previous(m);
    };
    SetWindowTextW(edit.Handle(), L"abc");
    EXPECT_EQ(GetWindowTextLengthW(edit.Handle()), 99);
    wchar_t text[8] = {};
    GetWindowTextW(edit.Handle(), text, 8);
    EXPECT_STREQ(text, L"abc");
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_SETTEXT)), seen.end());

    edit.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(edit.Handle()));
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_ENABLEDCHANGED), seen.end());
}

TEST_F(Toolkit, NotificationsReachTheChildThatSentThem) {
    TButton& button = form.Make<TButton>(&panel);
    button.SetBounds({0, 0, 80, 25});  // a click lands inside the button
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);

    TMemo& memo = form.Make<TMemo>(&panel);
    memo.SetColor(0x1A1A1A);
    TFont font = memo.Font();
    font.Color = 0x808080;
    memo.SetFont(font);
    HDC dc = GetDC(memo.Handle());
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        panel.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(memo.Handle())));
    EXPECT_EQ(GetBkColor(dc), 0x1A1A1Au);
    EXPECT_EQ(GetTextColor(dc), 0x808080u);
    LOGBRUSH described{};
    GetObjectW(brush, sizeof described, &described);
    EXPECT_EQ(described.lbColor, 0x1A1A1Au);
    ReleaseDC(memo.Handle(), dc);
}

TEST_F(Toolkit, EditsReportEveryChangeOnceTypedOrSetAndMemosTakeLongTexts) {
    for (bool multiLine : {false, true}) {
        SCOPED_TRACE(multiLine ? "memo" : "edit");
        TCustomEdit& edit = multiLine ? static_cast<TCustomEdit&>(form.Make<TMemo>(&panel))
                                      : static_cast<TCustomEdit&>(form.Make<TEdit>(&panel));
        int changes = 0;
        edit.OnChange = [&] { ++changes; };
        edit.SetText("first");
        EXPECT_EQ(changes, 1);
        edit.SetText("first");
        EXPECT_EQ(changes, 1);
        SendMessageW(edit.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed"));
        EXPECT_EQ(changes, 2);
        edit.Clear();
        EXPECT_EQ(changes, 3);
        EXPECT_EQ(edit.TextW(), L"");
    }
    TMemo& memo = form.Make<TMemo>(&panel);
    const std::wstring longText(40000, L'x');
    SendMessageW(memo.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(longText.c_str()));
    EXPECT_EQ(GetWindowTextLengthW(memo.Handle()), 40000);
}

// The object outlives a window that went with its parent: it keeps what the window last held,
// including what was typed after the program last set it.
TEST_F(Toolkit, AnEditWhoseWindowWentWithItsParentKeepsItsLastText) {
    TPanel& holder = form.Make<TPanel>(&panel);
    TMemo& memo = form.Make<TMemo>(&holder);
    memo.SetText("set by the program");
    SendMessageW(memo.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed by the user"));
    DestroyWindow(holder.Handle());
    ASSERT_EQ(memo.Handle(), nullptr);
    EXPECT_EQ(memo.TextW(), L"typed by the user");
    memo.SetText("set again");
    EXPECT_EQ(memo.TextW(), L"set again");
}

TEST_F(Toolkit, ListBoxReportsUserSelectionsAndRejectsIndexesOutsideTheList) {
    TListBox& list = form.Make<TListBox>(&panel);
    list.Add("b.bsp");
    list.Add("a.bsp");
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    list.SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list.Item(0), "b.bsp");  // kept unsorted
    try {
        list.Item(-1);
        FAIL() << "no error for -1";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
    SendMessageW(panel.Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list.Handle()));
    EXPECT_EQ(clicks, 1);
}

TEST_F(Toolkit, TimerKeepsItsScheduleWhenEnabledAgainAndErrorsInHandlersAreReported) {
    TTimer& timer = form.Make<TTimer>();
    timer.SetInterval(30);
    int ticks = 0;
    timer.OnTimer = [&] {
        ++ticks;
        timer.SetEnabled(false);
        throw Exception("File not found");
    };
    // Enabled again every 10 ms while messages are served: a timer that restarted on each
    // enable would never reach its 30 ms.
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (ticks == 0 && std::chrono::steady_clock::now() < end) {
        timer.SetEnabled(true);
        PumpFor(10ms);
    }
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(prompt.texts, (std::vector<std::string>{"File not found"}));
    EXPECT_FALSE(application.Terminated());
}

TEST_F(Toolkit, ShortCutsSeeKeysBeforeTheControlAndTakenKeysNeverReachIt) {
    TMemo& memo = form.Make<TMemo>(&panel);
    std::vector<std::pair<WORD, bool>> offered;
    form.OnShortCut = [&](WORD key, bool control) {
        offered.emplace_back(key, control);
        if (key == 'E') throw Exception("shortcut failed");
        return key == 'S';
    };
    std::vector<WPARAM> reached;
    memo.WindowProc = [&, previous = memo.WindowProc](TMessage& message) {
        if (message.Msg == WM_KEYDOWN) reached.push_back(message.WParam);
        previous(message);
    };
    struct Case {
        bool ctrl, alt;
        WORD key;
        bool control, reachesMemo;
    };
    const Case cases[] = {
        {false, false, 'S', false, false},
        {true, false, 'S', true, false},
        {true, true, 'S', false, false},  // AltGr types letters
        {true, false, 'K', true, true},
    };
    BYTE saved[256];
    GetKeyboardState(saved);
    for (const Case& c : cases) {
        offered.clear();
        reached.clear();
        BYTE keys[256] = {};
        keys[VK_CONTROL] = c.ctrl ? 0x80 : 0;
        keys[VK_MENU] = c.alt ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(memo.Handle(), WM_KEYDOWN, c.key, 1);
        application.ProcessMessages();
        ASSERT_EQ(offered.size(), 1u);
        EXPECT_EQ(offered[0], std::make_pair(c.key, c.control));
        EXPECT_EQ(!reached.empty(), c.reachesMemo) << char(c.key);
    }
    SetKeyboardState(saved);

    // A handler that fails is reported, and the key goes no further.
    reached.clear();
    PostMessageW(memo.Handle(), WM_KEYDOWN, 'E', 1);
    application.ProcessMessages();
    EXPECT_TRUE(reached.empty());
    ASSERT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(prompt.texts[0], "shortcut failed");
}

TEST_F(Toolkit, FormHasTheClientSizeAskedForAndFocusGoesToTheFirstStopInTabOrder) {
    form.SetClientSize(300, 200);
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));

    TEdit& second = form.Make<TEdit>(&panel);
    TEdit& first = form.Make<TEdit>(&panel);
    first.SetTabOrder(0);
    EXPECT_EQ(second.TabOrder(), 1);
    form.Show();
    EXPECT_TRUE(PumpUntil([&] { return first.Focused(); }));
    EXPECT_EQ(GetNextDlgTabItem(form.Handle(), first.Handle(), FALSE), second.Handle());
}

// Whatever order the children are made and moved in, and with a window of no object among them,
// the Z order (which dialog keys and painting follow) lists the windows in tab order.
TEST_F(Toolkit, TheZOrderFollowsTheTabOrderThroughAnyMakesAndMoves) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        TPanel& parent = form.Make<TPanel>(&panel);
        std::vector<TEdit*> edits;
        HWND foreign = nullptr;
        for (int step = 0; step < 40; ++step) {
            const unsigned choice = random() % 4;
            if (choice == 0 || edits.empty()) {
                edits.push_back(&form.Make<TEdit>(&parent));
            } else if (choice == 1 && !foreign) {
                foreign = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, parent.Handle(), nullptr,
                                          GetModuleHandleW(nullptr), nullptr);
            } else {
                edits[random() % edits.size()]->SetTabOrder(static_cast<int>(random() % (edits.size() + 1)));
            }
            std::vector<HWND> inTabOrder(edits.size());
            for (TEdit* edit : edits) inTabOrder[edit->TabOrder()] = edit->Handle();
            std::vector<HWND> inZOrder;
            for (HWND child = GetWindow(parent.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (child != foreign) inZOrder.push_back(child);
            ASSERT_EQ(inZOrder, inTabOrder) << "seed " << seed << ", step " << step;
        }
    }
}

// A window with a frame must still have it painted; one without gives its class nothing to do.
int g_framePaints[2];
LRESULT CALLBACK CountingFramePaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT) ++g_framePaints[(GetWindowLongW(window, GWL_STYLE) & WS_BORDER) ? 1 : 0];
    return DefWindowProcW(window, message, wParam, lParam);
}

struct CountedPanel : TPanel {
    CountedPanel(TComponent* owner, TWinControl* parent, DWORD style)
        : TPanel(owner, parent,
                 TCreateParams{.ClassName = testsupport::TestWindowClass(L"LwFramePaintCounter", CountingFramePaints),
                               .Style = style}) {}
};

TEST_F(Toolkit, OnlyAWindowWithAFrameHasItPainted) {
    TPanel& bare = form.Make<CountedPanel>(&panel, DWORD{0});
    TPanel& framed = form.Make<CountedPanel>(&panel, DWORD{WS_BORDER});
    form.SetClientSize(300, 200);
    panel.SetBounds({0, 0, 200, 100});
    bare.SetBounds({0, 0, 40, 40});
    framed.SetBounds({50, 0, 40, 40});
    g_framePaints[0] = g_framePaints[1] = 0;
    form.Show();
    UpdateWindow(form.Handle());
    EXPECT_GT(g_framePaints[1], 0) << "the bordered window's frame";
    EXPECT_EQ(g_framePaints[0], 0) << "the bare window has no frame";
}

// A new colour alone is told to the control but not to its window as a new font, which an
// edit would lay its whole text out for; a new face or size is.
TEST_F(Toolkit, OnlyAFontThatDrawsDifferentlyIsHandedToTheWindow) {
    TEdit& edit = form.Make<TEdit>(&panel);
    std::vector<UINT> seen;
    auto previous = edit.WindowProc;
    edit.WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SETFONT || m.Msg == CM_FONTCHANGED) seen.push_back(m.Msg);
        previous(m);
    };
    TFont font = edit.Font();
    font.Color = RGB(200, 10, 10);
    edit.SetFont(font);
    EXPECT_EQ(seen, std::vector<UINT>{CM_FONTCHANGED});
    EXPECT_EQ(edit.Font().Color, font.Color);
    seen.clear();
    font.Height = -15;
    edit.SetFont(font);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_SETFONT, CM_FONTCHANGED}));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit.Handle(), WM_GETFONT, 0, 0)), edit.FontHandle());
    edit.WindowProc = previous;  // before what the recorder holds goes
}

TEST_F(Toolkit, FocusedFollowsTheFocusIntoOtherWindowsAndBack) {
    TEdit& first = form.Make<TEdit>(&panel);
    TEdit& second = form.Make<TEdit>(&panel);
    first.SetTabOrder(0);
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == first.Handle(); }));
    // A window that is none of ours: taking the focus it tells none of our objects.
    HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, form.Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    const HWND path[] = {second.Handle(), plain, first.Handle(), nullptr, second.Handle(), form.Handle()};
    for (HWND to : path) {
        ::SetFocus(to);
        EXPECT_EQ(first.Focused(), GetFocus() == first.Handle()) << "after focusing " << to;
        EXPECT_EQ(second.Focused(), GetFocus() == second.Handle()) << "after focusing " << to;
        EXPECT_EQ(form.Focused(), GetFocus() == form.Handle()) << "after focusing " << to;
    }
    ::SetFocus(second.Handle());
    DestroyWindow(second.Handle());
    TEdit& third = form.Make<TEdit>(&panel);
    EXPECT_FALSE(second.Focused());
    EXPECT_EQ(third.Focused(), GetFocus() == third.Handle()) << "a new window is not taken for the lost one";
    DestroyWindow(plain);
}

}  // namespace
}  // namespace lw::platform
