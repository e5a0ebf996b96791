#include "controls/adapters/AdaptedControl.h"

namespace lw::controls {

void RedrawWholeWindow(HWND window) {
    if (window != nullptr) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
}

}  // namespace lw::controls
