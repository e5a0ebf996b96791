#include "controls/scrollbars/ScrollBar.h"

namespace lw::controls {

TgwScrollBar::TgwScrollBar(TgwScrollWnd* owner, int orientation)
    : Orientation(static_cast<std::uint16_t>(orientation)), Owner(owner) {}

void TgwScrollBar::ReadInfo(HWND window) {
    Info.cbSize = sizeof(SCROLLINFO);
    Info.fMask = SIF_ALL;
    if (!GetScrollInfo(window, SelectorOf(), &Info)) {
        Info = SCROLLINFO{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    }
}

}  // namespace lw::controls
