#pragma once
// One skinned scroll bar of a window whose platform bars a scroll adapter has taken over: its
// style bit, whether it takes room in the frame now, the platform's scroll information it was
// last read with, and its part sizes.

#include <windows.h>

#include <cstdint>

namespace lw::controls {

class TgwScrollWnd;

class TgwScrollBar {
public:
    TgwScrollBar(TgwScrollWnd* owner, int orientation);
    TgwScrollBar(const TgwScrollBar&) = delete;
    TgwScrollBar& operator=(const TgwScrollBar&) = delete;

    // 8 when the window has the bar's style bit (WS_HSCROLL / WS_VSCROLL), else 0.
    std::uint16_t BarStyleFlag = 0;
    // The bar takes room in the non-client area now.
    bool Visible = false;
    SCROLLINFO Info{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    // Negative: that many times the automatic length (arrows) or the platform metric (thickness).
    int ArrowLength = -1;
    int Thickness = -1;
    std::uint16_t Orientation = 0;  // 0 horizontal, 1 vertical
    int MinThumbLength = 0;
    TgwScrollWnd* Owner = nullptr;

    // Re-reads Info from the platform (range, page, position and track position).
    void ReadInfo(HWND window);
    int SelectorOf() const { return Orientation == 0 ? SB_HORZ : SB_VERT; }
};

}  // namespace lw::controls
