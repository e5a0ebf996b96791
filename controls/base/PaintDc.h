#pragma once
// The device context a paint message brings, or a fresh one.

#include <windows.h>

#include "platform/Handles.h"

namespace lw::controls {

// Paints with the device context a paint message brings (its wParam), or between BeginPaint
// and EndPaint of the window when it brings none.
template <class Paint>
void WithPaintDc(HWND window, WPARAM given, Paint&& paint) {
    if (given != 0) {
        paint(reinterpret_cast<HDC>(given));
        return;
    }
    platform::PaintScope scope(window);
    paint(scope.Dc());
}

}  // namespace lw::controls
