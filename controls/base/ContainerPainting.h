#pragma once
// What skinned containers share: painting their windowless children over the container's
// background through one off-screen bitmap, and ending their children's deferred painting.

#include <windows.h>

#include "platform/Control.h"

namespace lw::controls {

// Paints the container's visible windowless children into dc at origin + their position.
void PaintGraphicChildren(HDC dc, platform::TWinControl& container, POINT origin);

// Sends SMC_ENDUPDATE to every shown windowed child, unless a form-animation capture runs.
void RefreshChildren(platform::TWinControl& container);

}  // namespace lw::controls
