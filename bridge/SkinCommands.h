#pragma once
// Delivery of the skin commands between Win32 windows and toolkit controls: the only way the
// manager, the skinned controls and their parents talk.

#include <windows.h>

#include "platform/Control.h"
#include "render/CacheInfo.h"
#include "skin/SkinProtocol.h"

namespace lw::bridge {

// A windowed control being destroyed or without a window yet gets nothing and reads 0; a
// windowed control gets the message through its window; a windowless one by direct call.
LRESULT SendSkinCommand(platform::TControl* control, unsigned command, LPARAM lParam, unsigned low = 0);
// Synchronous send to a raw window; 0 for no window.
LRESULT SendSkinCommandToWindow(HWND window, unsigned command, LPARAM lParam, unsigned low = 0);
// True when the window answers SMC_ISSKINNED with exactly 1.
bool IsSkinnedWindow(HWND window);

// Passes an already built message down the container's control tree: skinned windows are sent
// it (they pass it on themselves), windowless children are called, unskinned containers are
// walked through, children being destroyed are skipped.
void BroadcastToChildren(platform::TWinControl& container, UINT message, WPARAM wParam, LPARAM lParam);

// Asks the control (or window) for what lies behind it; true when it answered. When nobody
// answers and the record's DrawNow was set on entry, the control paints Area of Target itself
// (erase and paint messages with Target's device context); otherwise the record gets Kind 1
// and a colour.
bool RequestBackground(render::TsBgRequest& info, platform::TControl& control, bool drawNow);
bool RequestBackground(render::TsBgRequest& info, HWND window, bool drawNow);

// Background colours in RGB; TransparentKey for no control or window.
TColor GetControlColor(platform::TControl* control);
TColor GetWindowColor(HWND window);

}  // namespace lw::bridge
