#pragma once

#include <windows.h>

namespace lw::platform {

// Repaints what can be seen of a window. One that is hidden, or stands in a hidden one, is
// painted whole when it shows; asking the system to mark it first costs a round trip all the
// same, dozens of them while a form builds its controls.
inline void RedrawShown(HWND window, UINT flags, const RECT* area = nullptr) {
    if (window != nullptr && IsWindowVisible(window)) RedrawWindow(window, area, nullptr, flags);
}

}  // namespace lw::platform
