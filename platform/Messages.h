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
constexpr UINT CM_MOUSEENTER = CM_BASE + 1;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 2;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 4;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;
constexpr UINT CM_FONTCHANGED = CM_BASE + 6;

// Notifications a parent receives about a child are sent on to the child as CN_BASE + the
// original message number, with the original parameters. Messages below WM_USER fit
// between 0x9000 and 0x9400.
constexpr UINT CN_BASE = WM_APP + 0x1000;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

constexpr bool IsReflected(UINT message) { return message >= CN_BASE && message < CN_BASE + WM_USER; }

static_assert(CN_BASE + WM_USER <= 0xA100 && CM_BASE > WM_APP);

}  // namespace lw::platform
