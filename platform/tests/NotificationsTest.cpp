#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Edits.h"
#include "platform/Label.h"
#include "platform/MessageHook.h"
#include "platform/tests/ToolkitFixture.h"
#include "testsupport/win32/MessagePump.h"

namespace lw::platform {
namespace {

using testing::Toolkit;
using testsupport::PumpUntilIdle;

// One message as a hook saw it: the number and, for mouse notices, the control named.
struct Seen {
    UINT Msg;
    LPARAM LParam = 0;
    bool operator==(const Seen&) const = default;
};

// Records the toolkit's notifications a control receives: its own (CM_*) or the reflected ones.
struct Recorder {
    Recorder(TControl& control, std::vector<Seen>& log, bool reflected = false)
        : hook(control, [this, &log, reflected](TMessage& m) {
              if (reflected ? IsReflected(m.Msg) : m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100) {
                  log.push_back({m.Msg, m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE ? m.LParam : 0});
              }
              hook.CallPrevious(m);
          }) {}
    TMessageHook hook;
};

LPARAM Named(const TControl& control) { return reinterpret_cast<LPARAM>(&control); }

TEST_F(Toolkit, NotificationsAboutAChildAreReflectedToItsObject) {
    TEdit& child = form.Make<TEdit>(&panel);
    std::vector<Seen> log;
    Recorder recorder(child, log, true);
    HWND window = child.Handle();
    const auto id = static_cast<UINT>(GetDlgCtrlID(window));
    const auto named = reinterpret_cast<LPARAM>(window);
    MEASUREITEMSTRUCT measure{ODT_LISTBOX, id, 0, 0, 0, 0};
    DELETEITEMSTRUCT deleted{ODT_LISTBOX, id, 0, window, 0};
    COMPAREITEMSTRUCT compared{ODT_LISTBOX, id, window, 0, 0, 0, 0, 0};
    HDC dc = GetDC(window);
    const auto dcParam = reinterpret_cast<WPARAM>(dc);
    struct Case {
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
    };
    const Case cases[] = {
        {WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&measure)},
        {WM_DELETEITEM, id, reinterpret_cast<LPARAM>(&deleted)},
        {WM_COMPAREITEM, id, reinterpret_cast<LPARAM>(&compared)},
        {WM_VKEYTOITEM, VK_DOWN, named},
        {WM_CHARTOITEM, 'a', named},
        {WM_HSCROLL, SB_LINEDOWN, named},
        {WM_VSCROLL, SB_LINEDOWN, named},
        {WM_CTLCOLORMSGBOX, dcParam, named},
        {WM_CTLCOLOREDIT, dcParam, named},
        {WM_CTLCOLORLISTBOX, dcParam, named},
        {WM_CTLCOLORBTN, dcParam, named},
        {WM_CTLCOLORDLG, dcParam, named},
        {WM_CTLCOLORSCROLLBAR, dcParam, named},
        {WM_CTLCOLORSTATIC, dcParam, named},
        {WM_NOTIFY, id, 0},            // no header to read: ignored
        {WM_HSCROLL, SB_LINEDOWN, 0},  // the panel's own bar: not the child's
    };
    std::vector<Seen> expected;
    for (const Case& c : cases) {
        SendMessageW(panel.Handle(), c.Msg, c.WParam, c.LParam);
        if (c.LParam) expected.push_back({CN_BASE + c.Msg});
    }
    ReleaseDC(window, dc);
    EXPECT_EQ(log, expected);
}

TEST_F(Toolkit, ControlsHearOfTheirOwnAndTheirParentsColourFontShowingAndFocus) {
    TEdit& edit = form.Make<TEdit>(&panel);
    TLabel& label = form.Make<TLabel>(&panel);
    TEdit& other = form.Make<TEdit>(&form);
    std::vector<Seen> panelLog, editLog, labelLog;
    Recorder onPanel(panel, panelLog), onEdit(edit, editLog), onLabel(label, labelLog);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);  // over none of them
    form.Show();
    EXPECT_TRUE(PumpUntilIdle());
    other.SetFocus();
    panelLog.clear(), editLog.clear(), labelLog.clear();

    panel.SetColor(0x204060);
    TFont font = panel.Font();
    font.Bold = true;
    panel.SetFont(font);
    panel.SetVisible(false);
    panel.SetVisible(true);
    edit.SetFocus();
    other.SetFocus();

    const std::vector<Seen> childSequence{
        {CM_PARENTCOLORCHANGED}, {CM_FONTCHANGED}, {CM_PARENTFONTCHANGED}, {CM_SHOWINGCHANGED}, {CM_SHOWINGCHANGED}};
    EXPECT_EQ(panelLog, (std::vector<Seen>{{CM_COLORCHANGED},
                                           {CM_FONTCHANGED},
                                           {CM_VISIBLECHANGED},
                                           {CM_SHOWINGCHANGED},
                                           {CM_VISIBLECHANGED},
                                           {CM_SHOWINGCHANGED}}));
    EXPECT_EQ(labelLog, childSequence);
    std::vector<Seen> editSequence = childSequence;
    editSequence.insert(editSequence.end(), {{CM_ENTER}, {CM_EXIT}});
    EXPECT_EQ(editLog, editSequence);
    EXPECT_TRUE(edit.Showing());

    LOGFONTW described{};
    GetObjectW(edit.FontHandle(), sizeof described, &described);
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    font.Bold = false;
    font.Italic = font.Underline = true;
    edit.SetFont(font);
    GetObjectW(edit.FontHandle(), sizeof described, &described);
    EXPECT_EQ(described.lfWeight, FW_NORMAL);
    EXPECT_TRUE(described.lfItalic && described.lfUnderline);
}

TEST_F(Toolkit, MouseEnterAndLeaveNameTheControlAlsoWindowlessAndNonClient) {
    panel.SetBounds({0, 0, 200, 100});
    TLabel& label = form.Make<TLabel>(&panel);
    label.SetBounds({10, 10, 50, 20});
    TEdit& edit = form.Make<TEdit>(&form);
    edit.SetBounds({0, 120, 100, 24});
    std::vector<Seen> log;
    Recorder onPanel(panel, log), onLabel(label, log), onForm(form, log), onEdit(edit, log);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);  // over none of them
    form.Show();
    EXPECT_TRUE(PumpUntilIdle());
    log.clear();

    SendMessageW(panel.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 50));
    SendMessageW(panel.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));
    SendMessageW(panel.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 50));
    SendMessageW(panel.Handle(), WM_MOUSELEAVE, 0, 0);
    RECT frame;
    GetWindowRect(edit.Handle(), &frame);
    SendMessageW(edit.Handle(), WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(frame.left, frame.top));
    SendMessageW(edit.Handle(), WM_NCMOUSELEAVE, 0, 0);

    const LPARAM p = Named(panel), l = Named(label), e = Named(edit);
    EXPECT_EQ(log, (std::vector<Seen>{
                       {CM_MOUSEENTER, p},
                       {CM_MOUSEENTER, p},  // panel, then its form
                       {CM_MOUSEENTER, l},
                       {CM_MOUSEENTER, l},  // label, then the panel
                       {CM_MOUSELEAVE, l},
                       {CM_MOUSELEAVE, l},
                       {CM_MOUSELEAVE, p},
                       {CM_MOUSELEAVE, p},
                       {CM_MOUSEENTER, e},
                       {CM_MOUSEENTER, e},  // non-client area
                       {CM_MOUSELEAVE, e},
                       {CM_MOUSELEAVE, e},
                   }));
}

TEST_F(Toolkit, BoundsFollowTheWindowHoweverItIsMoved) {
    TEdit& edit = form.Make<TEdit>(&panel);
    edit.SetBounds({1, 2, 30, 40});
    SetWindowPos(edit.Handle(), nullptr, 15, 25, 60, 22, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(edit.Bounds(), (TBounds{15, 25, 60, 22}));
    MoveWindow(edit.Handle(), 7, 8, 60, 22, FALSE);
    EXPECT_EQ(edit.Bounds(), (TBounds{7, 8, 60, 22}));
    EXPECT_EQ(TForm::AllForms(), (std::vector<TForm*>{&form}));
    {
        TForm second(nullptr);
        EXPECT_EQ(TForm::AllForms(), (std::vector<TForm*>{&form, &second}));
    }
    EXPECT_EQ(TForm::AllForms(), (std::vector<TForm*>{&form}));
}

}  // namespace
}  // namespace lw::platform
