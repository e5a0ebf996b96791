#include "controls/scrollbars/core/ScrollGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace lw::controls::scroll {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    std::int64_t n = std::int64_t(a) * b;
    const bool negative = (n < 0) != (c < 0);
    const std::int64_t an = n < 0 ? -n : n;
    const std::int64_t ac = c < 0 ? -std::int64_t(c) : c;
    std::int64_t q = (an + ac / 2) / ac;
    if (negative) q = -q;
    if (q > INT_MAX || q < INT_MIN) return -1;
    return static_cast<int>(q);
}

ThumbPlace ThumbGeometry(const ScrollRange& info, int barStart, int barLength, int arrow, int minThumb) {
    const int track = barLength - 2 * arrow;
    const std::int64_t range = std::int64_t(info.Max) - info.Min + 1;
    ThumbPlace thumb;
    if (info.Page == 0) {
        thumb.Length = arrow;
    } else if (range > 0) {
        thumb.Length = std::max(MulDiv(info.Page, track, static_cast<int>(range)), minThumb);
    }
    int offset = 0;
    if (range > 0) {
        offset = MulDiv(info.Pos - info.Min, track - thumb.Length, static_cast<int>(range) - std::max(info.Page, 1));
        // A slider longer than its track leaves it no room at all.
        offset = std::max(0, std::min(offset, track - thumb.Length));
    }
    thumb.Start = barStart + arrow + offset;
    return thumb;
}

}  // namespace lw::controls::scroll
