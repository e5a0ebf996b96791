#include "controls/base/core/GroupBoxGeometry.h"

#include <algorithm>

namespace lw::controls {

int GroupBoxCaptionHeight(int textHeight) { return std::max(4, textHeight) + 2; }

TRect GroupBoxCaptionRect(const CaptionPlacement& p) {
    TRect r;
    r.Top = 0;
    r.Bottom = p.CaptionHeight;
    if (p.Skinned) {
        r.Bottom = p.CaptionHeight + p.YOffset;
        if (p.YOffset < 0) r.Top = p.YOffset;
    }
    const bool nearStart = (p.Layout == TsCaptionLayout::clTopLeft && !p.RightToLeft) ||
                           (p.Layout == TsCaptionLayout::clTopRight && p.RightToLeft);
    if (p.Layout == TsCaptionLayout::clTopCenter)
        r.Left = (p.Width - p.TextWidth - 10) / 2;
    else if (nearStart)
        r.Left = 6;
    else
        r.Left = p.Width - p.TextWidth - 14;
    r.Left = std::max(0, r.Left);
    r.Right = std::min(r.Left + p.TextWidth + 8, p.Width);
    if (r.Right - r.Left < 2 * p.BevelWidth) {
        r.Left -= p.BevelWidth;
        r.Right += p.BevelWidth;
    }
    return r;
}

}  // namespace lw::controls
