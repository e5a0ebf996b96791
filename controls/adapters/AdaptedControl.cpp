#include "controls/adapters/AdaptedControl.h"
#include "platform/Redraw.h"

namespace lw::controls {

void RedrawWholeWindow(HWND window) { platform::RedrawShown(window, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE); }

}  // namespace lw::controls
