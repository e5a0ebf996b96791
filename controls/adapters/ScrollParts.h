#pragma once
// The scroll adapter's bar operations on a real window: the frame's room for the bars, hit
// tests, painting into the window's frame, refreshing from the platform, sending scroll
// requests, and the process's one tracker wired to windows, timers and the mouse capture.

#include <windows.h>

#include "controls/scrollbars/ScrollBar.h"
#include "controls/scrollbars/core/ScrollGeometry.h"
#include "controls/scrollbars/core/ScrollTracker.h"
#include "platform/Messages.h"

namespace lw::controls {

class TgwScrollWnd;

// Thickness and automatic arrow length of a bar in pixels.
int BarThickness(const TgwScrollBar& bar);
int AutoArrowLength(const TgwScrollBar& bar);
// The bars' and size box's rectangles on the screen, as the frame holds them now.
scroll::BarLayout ScreenBarRects(const TgwScrollWnd& adapter);
// The bar takes input (the platform does not report it unavailable).
bool BarEnabled(const TgwScrollWnd& adapter, const TgwScrollBar& bar);
// The bar is at the parent's corner where a size grip belongs.
bool AtSizeGripPosition(const TgwScrollWnd& adapter);

// WM_NCCALCSIZE: the previous handler computes the client area without the platform's bars,
// then ours take their room.
void FrameCalculation(TgwScrollWnd& adapter, platform::TMessage& message);
// WM_NCHITTEST; false when the point is not ours (the caller passes the message on).
bool WindowHitTest(TgwScrollWnd& adapter, platform::TMessage& message);
// Re-reads both bars from the platform; with repaint they are painted again.
void RefreshScrollBars(TgwScrollWnd& adapter, bool repaint);
// Both bars and the size box into the window's frame (dc null: the window's own).
void PaintScrollParts(TgwScrollWnd& adapter, HDC dc);
// A scroll request as from the window's own bar; the control may ask for the full position.
void SendScroll(HWND window, UINT message, int code, int pos);

// The process's one scroll-bar interaction.
scroll::ScrollTracker& ScrollTrackerOfProcess();

}  // namespace lw::controls
