#pragma once
// The one scroll-bar interaction of the process: hovering a bar, pressing an arrow or the track
// (with its auto-repeat), dragging a slider. At most one runs at a time, since a press captures
// the mouse. Everything it does to windows goes through TrackerPorts, so the rules (timers,
// capture, what is sent when) are tested without windows.

#include <cstdint>

#include "controls/scrollbars/core/ScrollGeometry.h"

namespace lw::controls::scroll {

using WindowId = std::uintptr_t;

constexpr unsigned kHoverTimer = 0xFFF2;
constexpr unsigned kFirstDelayTimer = 0xFFFD;
constexpr unsigned kRepeatTimer = 0xFFFE;
constexpr unsigned kHoverPeriod = 20;
constexpr unsigned kFirstDelay = 300;
constexpr unsigned kRepeatPeriod = 55;

// The platform's scroll request codes the tracker sends besides the part codes.
constexpr int sbThumbPosition = 4;
constexpr int sbThumbTrack = 5;
constexpr int sbEndScroll = 8;

// A bar as the tracker needs it: where it is on the screen, what it was last read with, the
// automatic arrow length and minimum slider, and whether it takes input.
struct BarView {
    TRect Rect;
    ScrollRange Info;
    int Arrow = 0;
    int MinThumb = 0;
    bool Enabled = false;
};

class TrackerPorts {
public:
    virtual ~TrackerPorts() = default;
    virtual void SetTimer(WindowId window, unsigned id, unsigned milliseconds) = 0;
    virtual void KillTimer(WindowId window, unsigned id) = 0;
    virtual void SetCapture(WindowId window) = 0;
    virtual void ReleaseCapture() = 0;
    // The pointer in screen coordinates.
    virtual TPoint CursorPos() const = 0;
    virtual BarView Bar(WindowId window, int orientation) = 0;
    // A scroll request to the window as from its own bar (orientation 0: horizontal).
    virtual void SendScroll(WindowId window, int orientation, int code, int pos) = 0;
    // Both bars and the size box as the tracker's state shows them now.
    virtual void PaintBars(WindowId window) = 0;
    // The bar with the slider dragged to `thumbStart` (screen coordinate along the bar).
    virtual void PaintDrag(WindowId window, int orientation, int thumbStart, int thumbLength) = 0;
    virtual void SetThumbTracking(WindowId window, bool tracking) = 0;
};

class ScrollTracker {
public:
    explicit ScrollTracker(TrackerPorts& ports) : ports_(ports) {}

    // The pointer moved over the window's frame; orientation of the bar under it, or -1.
    void NcMouseMove(WindowId window, int orientation);
    // A left press on a bar; false when nothing was hit (the caller passes the press on).
    bool Press(WindowId window, int orientation, TPoint screen);
    // One of our timers; false for any other (the caller passes it on).
    bool Timer(WindowId window, unsigned id);
    // The pointer moved while the window has the capture; false when no press of this
    // window runs.
    bool MouseMove(WindowId window, TPoint screen);
    // The button came up; false when no press of this window runs.
    bool Release(WindowId window);
    // The window lost the capture (a pop-up, task switch): the press ends as on release.
    void CaptureChanged(WindowId window);
    // The window is going away: nothing of it may stay in the tracker.
    void WindowDestroyed(WindowId window);

    // What painting shows for a bar of `window`.
    bool IsHot(WindowId window) const { return hotWindow_ == window; }
    int ShownPressed(WindowId window, int orientation) const;
    int HoverPart(WindowId window, int orientation) const;
    bool Dragging(WindowId window) const { return dragging_ && hotWindow_ == window; }
    bool Idle() const;

private:
    void ShowPressedAt(TPoint screen);
    void Drag(TPoint screen);
    void EndPress(bool releaseCapture);
    void StopHover();

    TrackerPorts& ports_;
    WindowId hotWindow_ = 0;
    int pressedPart_ = sbNone;
    int shownPressed_ = sbNone;
    int pressOrientation_ = -1;
    unsigned repeatTimer_ = 0;
    bool dragging_ = false;
    TRect dragBarRect_;
    int dragThumbLength_ = 0;
    int dragGrabOffset_ = 0;
    int lastTrackPos_ = 0;
    WindowId hoverWindow_ = 0;
    unsigned hoverTimer_ = 0;
    int hoverOrientation_ = -1;
    int hoverPart_ = sbNone;
    int lastHoverPart_ = sbNone;
    TRect hoverBarRect_;
};

}  // namespace lw::controls::scroll
