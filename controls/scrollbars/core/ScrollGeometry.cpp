#include "controls/scrollbars/core/ScrollGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace lw::controls::scroll {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t n = std::int64_t(a) * b;
    const bool negative = (n < 0) != (c < 0);
    const std::int64_t an = n < 0 ? -n : n;
    const std::int64_t ac = c < 0 ? -std::int64_t(c) : c;
    std::int64_t q = (an + ac / 2) / ac;
    if (negative) q = -q;
    if (q > INT_MAX || q < INT_MIN) return -1;
    return static_cast<int>(q);
}

int PartSize(int field, int unit) { return field >= 0 ? field : -field * unit; }

int SkinnedArrowLength(int field, int metric, int frameSize) {
    if (field >= 0) return field;
    return -field * std::max(metric, frameSize);
}

BarLayout BarRects(const TRect& w, const FrameEdges& e, int th, int tv, bool hv, bool vv, bool left) {
    const int h = hv ? th : 0;
    const int v = vv ? tv : 0;
    BarLayout r;
    r.Horz.Bottom = w.Bottom - e.Bottom;
    r.Horz.Top = r.Horz.Bottom - h;
    r.Horz.Left = w.Left + e.Left + (left ? v : 0);
    r.Horz.Right = w.Right - e.Right - (left ? 0 : v);
    r.Vert.Top = w.Top + e.Top;
    r.Vert.Bottom = w.Bottom - e.Bottom - h;
    if (left) {
        r.Vert.Left = w.Left + e.Left;
        r.Vert.Right = r.Vert.Left + v;
    } else {
        r.Vert.Right = w.Right - e.Right;
        r.Vert.Left = r.Vert.Right - v;
    }
    if (hv && vv) {
        r.SizeBox.Bottom = w.Bottom - e.Bottom;
        r.SizeBox.Top = r.SizeBox.Bottom - th;
        if (left) {
            r.SizeBox.Left = w.Left + e.Left;
            r.SizeBox.Right = r.SizeBox.Left + tv;
        } else {
            r.SizeBox.Right = w.Right - e.Right;
            r.SizeBox.Left = r.SizeBox.Right - tv;
        }
    }
    return r;
}

ThumbPlace ThumbGeometry(const ScrollRange& info, int barStart, int barLength, int arrow, int minThumb) {
    const int track = barLength - 2 * arrow;
    const std::int64_t range = std::int64_t(info.Max) - info.Min + 1;
    ThumbPlace thumb;
    if (info.Page == 0) {
        thumb.Length = arrow;
    } else if (range > 0 && range <= INT_MAX) {
        thumb.Length = std::max(MulDiv(info.Page, track, static_cast<int>(range)), minThumb);
    }
    int offset = 0;
    if (range > 0 && range <= INT_MAX) {
        offset = MulDiv(info.Pos - info.Min, track - thumb.Length, static_cast<int>(range) - std::max(info.Page, 1));
        // A slider longer than its track leaves it no room at all.
        offset = std::max(0, std::min(offset, track - thumb.Length));
    }
    thumb.Start = barStart + arrow + offset;
    return thumb;
}

int HitTestBar(const ScrollRange& info, const TRect& bar, bool vertical, TPoint point, int arrow, int minThumb) {
    // Along the axis: a..b; across it: the other pair.
    const int along = vertical ? point.Y : point.X;
    const int across = vertical ? point.X : point.Y;
    const int a = vertical ? bar.Top : bar.Left;
    const int b = vertical ? bar.Bottom : bar.Right;
    const int c = vertical ? bar.Left : bar.Top;
    const int d = vertical ? bar.Right : bar.Bottom;
    if (across < c || across >= d || along < a || along >= b) return sbNone;
    const int length = b - a;
    const int button = 2 * arrow < length ? arrow : length / 2;
    if (along < a + button) return sbFirstArrow;
    if (along >= b - button) return sbSecondArrow;
    const ThumbPlace thumb = ThumbGeometry(info, a, length, arrow, minThumb);
    if (thumb.Length >= length - 2 * arrow) return sbNone;
    if (along >= thumb.Start && along < thumb.Start + thumb.Length) return sbThumb;
    if (along < thumb.Start) return sbPageBefore;
    if (along < b - button) return sbPageAfter;
    return sbNone;
}

int DragPosition(const ScrollRange& info, int offset, int trackLength, int thumbLength) {
    const std::int64_t range = std::int64_t(info.Max) - info.Min;
    const std::int64_t highest = std::int64_t(info.Max) - std::max(info.Page, 1) + 1;
    std::int64_t pos;
    if (range < 1) {
        pos = std::int64_t(info.Min) + offset;
    } else {
        const int mapped = MulDiv(offset, static_cast<int>(std::min<std::int64_t>(range - info.Page + 1, INT_MAX)),
                                  trackLength - thumbLength);
        pos = std::int64_t(info.Min) + std::max(mapped, 0);
    }
    pos = std::min(pos, highest);
    pos = std::max<std::int64_t>(pos, info.Min);
    return static_cast<int>(pos);
}

int DragThumbStart(int pointer, int grab, int trackStart, int trackEnd, int thumbLength) {
    const int highest = trackEnd - thumbLength;
    if (highest < trackStart) return trackStart;
    return std::clamp(pointer - grab, trackStart, highest);
}

}  // namespace lw::controls::scroll
