#include "controls/scrollbars/core/ScrollTracker.h"

namespace lw::controls::scroll {

namespace {

bool Inside(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

int HitTest(const BarView& bar, int orientation, TPoint screen) {
    return HitTestBar(bar.Info, bar.Rect, orientation == 1, screen, bar.Arrow, bar.MinThumb);
}

}  // namespace

bool ScrollTracker::Idle() const {
    return hotWindow_ == 0 && pressedPart_ == sbNone && !dragging_ && hoverTimer_ == 0 && repeatTimer_ == 0;
}

int ScrollTracker::ShownPressed(WindowId window, int orientation) const {
    return hotWindow_ == window && pressOrientation_ == orientation ? shownPressed_ : sbNone;
}

int ScrollTracker::HoverPart(WindowId window, int orientation) const {
    return hoverWindow_ == window && hoverOrientation_ == orientation ? hoverPart_ : sbNone;
}

void ScrollTracker::NcMouseMove(WindowId window, int orientation) {
    hotWindow_ = window;
    if (orientation < 0) return;
    // Keyed by window as well: the same bar of another window is a new hover.
    if (hoverWindow_ == window && hoverOrientation_ == orientation) return;
    if (hoverTimer_ != 0 && hoverWindow_ != window) ports_.KillTimer(hoverWindow_, kHoverTimer);
    hoverPart_ = lastHoverPart_ = sbNone;
    hoverBarRect_ = ports_.Bar(window, orientation).Rect;
    hoverWindow_ = window;
    hoverOrientation_ = orientation;
    hoverTimer_ = kHoverTimer;
    ports_.SetTimer(window, kHoverTimer, kHoverPeriod);
    ports_.PaintBars(window);
}

void ScrollTracker::StopHover() {
    const WindowId window = hoverWindow_;
    ports_.KillTimer(window, kHoverTimer);
    hoverTimer_ = 0;
    hoverWindow_ = 0;
    hoverOrientation_ = -1;
    hoverPart_ = lastHoverPart_ = sbNone;
    ports_.PaintBars(window);
}

bool ScrollTracker::Press(WindowId window, int orientation, TPoint screen) {
    hotWindow_ = window;
    const BarView bar = ports_.Bar(window, orientation);
    const int part = HitTest(bar, orientation, screen);
    if (part == sbNone || !bar.Enabled) return part != sbNone;
    pressedPart_ = part;
    pressOrientation_ = orientation;
    if (part == sbThumb) {
        const ThumbPlace thumb =
            ThumbGeometry(bar.Info, orientation == 1 ? bar.Rect.Top : bar.Rect.Left,
                          orientation == 1 ? bar.Rect.Height() : bar.Rect.Width(), bar.Arrow, bar.MinThumb);
        dragBarRect_ = bar.Rect;
        dragThumbLength_ = thumb.Length;
        dragGrabOffset_ = (orientation == 1 ? screen.Y : screen.X) - thumb.Start;
        lastTrackPos_ = bar.Info.Pos;
        dragging_ = true;
        ports_.SetThumbTracking(window, true);
    } else {
        shownPressed_ = part;
        ports_.PaintBars(window);
        ports_.SendScroll(window, orientation, part, 0);
        shownPressed_ = pressedPart_;
        repeatTimer_ = kFirstDelayTimer;
        ports_.SetTimer(window, kFirstDelayTimer, kFirstDelay);
    }
    ports_.SetCapture(window);
    return true;
}

bool ScrollTracker::Timer(WindowId window, unsigned id) {
    if (id == kHoverTimer && hoverTimer_ != 0 && window == hoverWindow_) {
        if (dragging_) return true;
        const TPoint cursor = ports_.CursorPos();
        if (Inside(hoverBarRect_, cursor)) {
            hoverPart_ = HitTest(ports_.Bar(window, hoverOrientation_), hoverOrientation_, cursor);
            if (hoverPart_ != lastHoverPart_) {
                lastHoverPart_ = hoverPart_;
                ports_.PaintBars(window);
            }
        } else {
            StopHover();
        }
        return true;
    }
    if (window != hotWindow_ || repeatTimer_ == 0) return false;
    if (id == kFirstDelayTimer && repeatTimer_ == kFirstDelayTimer) {
        ports_.KillTimer(window, kFirstDelayTimer);
        repeatTimer_ = kRepeatTimer;
        ports_.SetTimer(window, kRepeatTimer, kRepeatPeriod);
        return true;
    }
    if (id == kRepeatTimer && repeatTimer_ == kRepeatTimer) {
        ShowPressedAt(ports_.CursorPos());
        if (shownPressed_ != sbNone) ports_.SendScroll(window, pressOrientation_, shownPressed_, 0);
        return true;
    }
    return false;
}

void ScrollTracker::ShowPressedAt(TPoint screen) {
    const int part = HitTest(ports_.Bar(hotWindow_, pressOrientation_), pressOrientation_, screen);
    const int shown = part == pressedPart_ ? pressedPart_ : sbNone;
    if (shown == shownPressed_) return;
    shownPressed_ = shown;
    ports_.PaintBars(hotWindow_);
}

bool ScrollTracker::MouseMove(WindowId window, TPoint screen) {
    if (window != hotWindow_ || pressedPart_ == sbNone) return false;
    if (dragging_) {
        Drag(screen);
    } else {
        ShowPressedAt(screen);
    }
    return true;
}

void ScrollTracker::Drag(TPoint screen) {
    const bool vertical = pressOrientation_ == 1;
    const BarView bar = ports_.Bar(hotWindow_, pressOrientation_);
    const int trackStart = (vertical ? dragBarRect_.Top : dragBarRect_.Left) + bar.Arrow;
    const int trackEnd = (vertical ? dragBarRect_.Bottom : dragBarRect_.Right) - bar.Arrow;
    const int start =
        DragThumbStart(vertical ? screen.Y : screen.X, dragGrabOffset_, trackStart, trackEnd, dragThumbLength_);
    ports_.PaintDrag(hotWindow_, pressOrientation_, start, dragThumbLength_);
    const int pos = DragPosition(bar.Info, start - trackStart, trackEnd - trackStart, dragThumbLength_);
    if (pos != lastTrackPos_) {
        lastTrackPos_ = pos;
        ports_.SendScroll(hotWindow_, pressOrientation_, sbThumbTrack, pos);
    }
}

void ScrollTracker::EndPress(bool releaseCapture) {
    // Idle first: releasing the capture tells the window at once, and that notice must find
    // nothing left to end.
    const WindowId window = hotWindow_;
    const int part = pressedPart_;
    const int orientation = pressOrientation_;
    const bool dragged = dragging_;
    if (repeatTimer_ != 0) ports_.KillTimer(window, repeatTimer_);
    pressedPart_ = shownPressed_ = sbNone;
    pressOrientation_ = -1;
    repeatTimer_ = 0;
    dragging_ = false;
    if (releaseCapture) ports_.ReleaseCapture();
    if (dragged) {
        ports_.SendScroll(window, orientation, sbThumbPosition, lastTrackPos_);
        ports_.SetThumbTracking(window, false);
        ports_.SendScroll(window, orientation, sbEndScroll, lastTrackPos_);
    } else if (part != sbNone) {
        ports_.SendScroll(window, orientation, sbEndScroll, 0);
    }
    ports_.PaintBars(window);
}

bool ScrollTracker::Release(WindowId window) {
    if (window != hotWindow_ || pressedPart_ == sbNone) return false;
    EndPress(true);
    return true;
}

void ScrollTracker::CaptureChanged(WindowId window) {
    if (window == hotWindow_ && pressedPart_ != sbNone) EndPress(false);
}

void ScrollTracker::WindowDestroyed(WindowId window) {
    if (window == hotWindow_) {
        // Nothing is sent to a window on its way out; its capture goes with it.
        const bool pressed = pressedPart_ != sbNone;
        if (repeatTimer_ != 0) ports_.KillTimer(window, repeatTimer_);
        pressedPart_ = shownPressed_ = sbNone;
        pressOrientation_ = -1;
        repeatTimer_ = 0;
        dragging_ = false;
        hotWindow_ = 0;
        if (pressed) ports_.ReleaseCapture();
    }
    if (window == hoverWindow_) {
        if (hoverTimer_ != 0) ports_.KillTimer(window, kHoverTimer);
        hoverTimer_ = 0;
        hoverWindow_ = 0;
        hoverOrientation_ = -1;
        hoverPart_ = lastHoverPart_ = sbNone;
    }
}

}  // namespace lw::controls::scroll
