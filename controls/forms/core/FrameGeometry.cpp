#include "controls/forms/core/FrameGeometry.h"

#include <algorithm>

namespace lw::controls {

namespace {

bool Inside(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

}  // namespace

FrameMetrics MetricsFromSkin(int formBorderWidth, int titleHeight, int formOffset, int minimumBorder,
                             int minimumTitle) {
    FrameMetrics m;
    m.Border = std::max(formBorderWidth - formOffset, minimumBorder);
    m.TitleHeight = std::max(titleHeight - formOffset, minimumTitle);
    return m;
}

FrameLayout LayOutFrame(int width, int height, const FrameMetrics& m) {
    FrameLayout l;
    width = std::max(width, 0);
    height = std::max(height, 0);
    l.Window = {0, 0, width, height};
    const int right = std::max(width - m.Border, m.Border);
    const int titleBottom = std::min(m.TitleHeight, height);
    l.Title = {m.Border, m.Border, right, std::max(titleBottom, m.Border)};
    l.Client = {m.Border, titleBottom, right, std::max(height - m.Border, titleBottom)};
    if (m.CloseWidth > 0 && m.CloseHeight > 0) {
        const int top = l.Title.Top + (l.Title.Height() - m.CloseHeight) / 2;
        const int closeRight = l.Title.Right - m.ButtonMargin;
        l.Close = {closeRight - m.CloseWidth, top, closeRight, top + m.CloseHeight};
    }
    if (m.Sizable && m.GripWidth > 0 && m.GripHeight > 0)
        l.Grip = {l.Client.Right - m.GripWidth, l.Client.Bottom - m.GripHeight, l.Client.Right, l.Client.Bottom};
    return l;
}

std::array<TRect, 4> FrameBands(const FrameLayout& l) {
    const TRect& w = l.Window;
    const TRect& c = l.Client;
    return {TRect{w.Left, w.Top, w.Right, c.Top}, TRect{w.Left, c.Bottom, w.Right, w.Bottom},
            TRect{w.Left, c.Top, c.Left, c.Bottom}, TRect{c.Right, c.Top, w.Right, c.Bottom}};
}

int FrameHitTest(const FrameLayout& l, const FrameMetrics& m, TPoint at) {
    if (!Inside(l.Window, at)) return kHitNowhere;
    if (!l.Close.IsEmpty() && Inside(l.Close, at)) return kHitClose;
    if (Inside(l.Grip, at)) return kHitBottomRight;
    if (Inside(l.Client, at)) return kHitClient;
    const bool left = at.X < l.Client.Left, right = at.X >= l.Client.Right;
    const bool top = at.Y < m.Border, bottom = at.Y >= l.Client.Bottom;
    if (!left && !right && !top && !bottom) return kHitCaption;
    if (!m.Sizable) return kHitBorder;
    // Corners take a title's height along the sides, as the platform's own frames do.
    const int corner = std::max(m.TitleHeight, m.Border);
    const bool nearTop = at.Y < corner, nearBottom = at.Y >= l.Window.Bottom - corner;
    const bool nearLeft = at.X < corner, nearRight = at.X >= l.Window.Right - corner;
    if ((top && nearLeft) || (left && nearTop)) return kHitTopLeft;
    if ((top && nearRight) || (right && nearTop)) return kHitTopRight;
    if ((bottom && nearLeft) || (left && nearBottom)) return kHitBottomLeft;
    if ((bottom && nearRight) || (right && nearBottom)) return kHitBottomRight;
    if (left) return kHitLeft;
    if (right) return kHitRight;
    return top ? kHitTop : kHitBottom;
}

}  // namespace lw::controls
