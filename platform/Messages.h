#pragma once
#include <windows.h>

namespace lw::platform {

// One message on its way through a control's WindowProc; a handler sets Result.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result = 0;
};

// Toolkit notifications that user32 does not send. They come from the WM_APP range, well below
// 0xA100, which the skinning layer's own message takes.
constexpr UINT CM_BASE = WM_APP + 0x100;
// The mouse came over or left a control, windowed or not, client or non-client area. The
// control gets it with LParam naming itself (a TControl*), then its parent with the same LParam,
// so a container learns which child the mouse is over.
constexpr UINT CM_MOUSEENTER = CM_BASE + 1;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 2;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 4;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;
constexpr UINT CM_FONTCHANGED = CM_BASE + 6;
constexpr UINT CM_COLORCHANGED = CM_BASE + 7;
// Whether the control can be seen changed (its own or an ancestor's visibility); WParam is
// the new state.
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 8;
// The keyboard focus came to or left this windowed control.
constexpr UINT CM_ENTER = CM_BASE + 9;
constexpr UINT CM_EXIT = CM_BASE + 10;
// Sent to every child when its parent's colour or font changed.
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 11;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 12;
// The form and all its controls are built: sent once to each control after construction.
constexpr UINT CM_LOADED = CM_BASE + 13;
// The control is about to be freed; everything around it is still whole. Hooks and adapters
// detach here.
constexpr UINT CM_DESTROYING = CM_BASE + 14;
// Posted to the toolkit's own window: free the components whose release was asked for.
constexpr UINT CM_RELEASE = CM_BASE + 15;

// Notifications a parent receives about a child are sent on to the child as CN_BASE + the
// original message number, with the original parameters. Messages below WM_USER fit
// between 0x9000 and 0x9400.
constexpr UINT CN_BASE = WM_APP + 0x1000;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;  // from a scroll-bar child: LParam is its window
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

constexpr bool IsReflected(UINT message) { return message >= CN_BASE && message < CN_BASE + WM_USER; }

static_assert(CN_BASE + WM_USER <= 0xA100 && CM_BASE > WM_APP);

}  // namespace lw::platform
