#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Edits.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/MessageHook.h"
#include "platform/tests/ToolkitFixture.h"
#include "testsupport/win32/TestWindowClass.h"

namespace lw::platform {
namespace {

using testing::Toolkit;
using Log = std::vector<std::string>;

constexpr UINT kProbe = WM_USER + 7;

// Hooks named "A", "B", ... that log the probe message and pass it on; `during` runs inside a
// hook's handler before it passes the message on.
struct HookSet {
    Log log;
    std::vector<std::unique_ptr<TMessageHook>> hooks;
    std::function<void(size_t)> during;

    template <class Target>
    void Add(Target&& target) {
        const size_t index = hooks.size();
        hooks.push_back(std::make_unique<TMessageHook>(target, [this, index](TMessage& m) {
            if (m.Msg == kProbe) {
                log.push_back(std::string(1, static_cast<char>('A' + index)));
                if (during) during(index);
            }
            hooks[index]->CallPrevious(m);
        }));
    }
    TMessageHook& operator[](size_t index) { return *hooks[index]; }
    Log Take() { return std::exchange(log, {}); }
};

// A window the toolkit does not own, with a procedure that logs the probe and answers 42.
LRESULT CALLBACK ForeignProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        reinterpret_cast<Log*>(GetWindowLongPtrW(window, GWLP_USERDATA))->push_back("window");
        return 42;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeForeignWindow(HWND parent, Log& log) {
    HWND window = CreateWindowExW(0, testsupport::TestWindowClass(L"LwForeignTest", ForeignProc), L"", WS_CHILD, 0, 0,
                                  10, 10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
    return window;
}

// The same chain rules hold in a control's WindowProc slot and on a subclassed foreign window.
struct HookChains : Toolkit, ::testing::WithParamInterface<bool> {
    Log log;
    TEdit* edit = nullptr;
    HWND window = nullptr;
    HookSet set;

    void SetUp() override {
        if (GetParam()) {
            window = MakeForeignWindow(panel.Handle(), set.log);
        } else {
            edit = &form.Make<TEdit>(&panel);
            window = edit->Handle();
            auto previous = edit->WindowProc;
            edit->WindowProc = [this, previous](TMessage& m) {
                if (m.Msg == kProbe) {
                    set.log.push_back("window");
                    m.Result = 42;
                    return;
                }
                previous(m);
            };
        }
        for (int i = 0; i < 3; ++i) set.Add(window);
    }
    void TearDown() override {
        if (GetParam()) DestroyWindow(window);
    }
    LRESULT Probe() { return SendMessageW(window, kProbe, 0, 0); }
};

TEST_P(HookChains, NewestHookFirstAndRemovalInAnyOrderKeepsTheRestOfTheChain) {
    const WNDPROC original = GetParam() ? &ForeignProc : nullptr;
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(set.Take(), (Log{"C", "B", "A", "window"}));
    set[1].Remove();  // out of order: the middle one
    EXPECT_FALSE(set[1].Attached());
    EXPECT_TRUE(set[0].Attached());
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(set.Take(), (Log{"C", "A", "window"}));
    set[2].Remove();
    set.Add(window);  // "D" goes in front of what is left
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(set.Take(), (Log{"D", "A", "window"}));
    set[0].Remove();
    set[3].Remove();
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(set.Take(), (Log{"window"}));
    // The last hook off a foreign window gives the window its own procedure back.
    if (original) {
        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(original));
    }
}

TEST_P(HookChains, HooksRemovedWhileAMessageIsPassingDoNotBreakIt) {
    // B takes itself and A out while the probe is inside B: the probe still reaches the
    // window, and the next one sees only C.
    set.during = [&](size_t index) {
        if (index != 1) return;
        set[1].Remove();
        set[0].Remove();
    };
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(set.Take(), (Log{"C", "B", "window"}));
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(set.Take(), (Log{"C", "window"}));
}

INSTANTIATE_TEST_SUITE_P(ControlAndForeignWindow, HookChains, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ForeignWindow" : "ToolkitControl"; });

TEST_F(Toolkit, HooksComeOffWhenTheWindowOrTheControlDies) {
    Log log;
    HWND window = MakeForeignWindow(panel.Handle(), log);
    std::vector<UINT> seen;
    std::optional<TMessageHook> onWindow;
    onWindow.emplace(window, [&](TMessage& m) {
        seen.push_back(m.Msg);
        onWindow->CallPrevious(m);
    });
    DestroyWindow(window);
    EXPECT_FALSE(onWindow->Attached());
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
    onWindow.reset();  // removing a hook of a dead window is harmless

    // The window of a toolkit control dies before the control: its hooks come off, the
    // control still answers.
    TEdit& edit = form.Make<TEdit>(&panel);
    int hooked = 0;
    TMessageHook onEdit(edit, [&](TMessage& m) {
        ++hooked;
        onEdit.CallPrevious(m);
    });
    DestroyWindow(edit.Handle());
    EXPECT_FALSE(onEdit.Attached());
    hooked = 0;
    edit.Perform(CM_TEXTCHANGED);
    EXPECT_EQ(hooked, 0);

    // A control's hooks see the destroying notice while it is whole, then come off.
    TLabel& label = form.Make<TLabel>(&panel);
    label.Name = "label";
    seen.clear();
    std::string nameAtNotice;
    TMessageHook onControl(label, [&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == CM_DESTROYING) nameAtNotice = label.Name;
    });
    label.Free();
    EXPECT_EQ(seen, (std::vector<UINT>{CM_DESTROYING}));
    EXPECT_EQ(nameAtNotice, "label");
    EXPECT_FALSE(onControl.Attached());
    TMessage late{kProbe, 0, 0, 5};
    onControl.CallPrevious(late);
    EXPECT_EQ(late.Result, 0);
}

// A procedure put over a toolkit window after the toolkit's own: it must go on seeing the
// window's messages to the end, also once the control object is gone.
WNDPROC g_underOuter = nullptr;
std::vector<UINT>* g_outerSeen = nullptr;
LRESULT g_limitWhileDestroyed = 0;
LRESULT CALLBACK OuterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_outerSeen->push_back(message);
    // Answered by the edit's class only: the window's default procedure knows no limit.
    if (message == WM_DESTROY) g_limitWhileDestroyed = SendMessageW(window, EM_GETLIMITTEXT, 0, 0);
    return CallWindowProcW(g_underOuter, window, message, wParam, lParam);
}

TEST_F(Toolkit, TheToolkitTakesItsSubclassOffOnlyWhileItIsTheCurrentOne) {
    TEdit& edit = form.Make<TEdit>(&panel);
    edit.SetText("kept");
    std::vector<UINT> seen;
    g_outerSeen = &seen;
    g_underOuter = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
    HWND window = edit.Handle();
    edit.Free();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_NCDESTROY)), seen.end());
    EXPECT_NE(g_limitWhileDestroyed, 0) << "the class still answers once the object is gone";
}

// A control that creates its own window and logs what reaches it while CreateWindowEx runs.
class CreationProbe : public TWinControl {
public:
    // A system class, subclassed as it is made, or the toolkit's own (null).
    CreationProbe(TComponent* owner, TWinControl* parent, const wchar_t* className) : TWinControl(owner, parent) {
        CreateHandle({.ClassName = className, .Style = className ? LBS_OWNERDRAWFIXED | LBS_HASSTRINGS : 0u});
    }
    std::vector<UINT> seen;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_NCCREATE || m.Msg == WM_CREATE || m.Msg == CN_MEASUREITEM) seen.push_back(m.Msg);
        if (m.Msg == CN_MEASUREITEM) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = 23;
            m.Result = TRUE;
            return;
        }
        TWinControl::WndProc(m);
    }
};

TEST_F(Toolkit, MessagesSentWhileTheWindowIsCreatedReachItsObject) {
    CreationProbe& probe = form.Make<CreationProbe>(&panel, L"LISTBOX");
    EXPECT_EQ(probe.seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, CN_MEASUREITEM}));
    EXPECT_EQ(SendMessageW(probe.Handle(), LB_GETITEMHEIGHT, 0, 0), 23);
    EXPECT_EQ(TWinControl::FromHandle(probe.Handle()), &probe);

    CreationProbe& own = form.Make<CreationProbe>(&panel, nullptr);
    EXPECT_EQ(own.seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
    EXPECT_EQ(TWinControl::FromHandle(own.Handle()), &own);
}

}  // namespace
}  // namespace lw::platform
