#include "controls/labels/core/BoundLabelPlacement.h"

#include <algorithm>

namespace lw::controls {

BoundLabelPlace PlaceBoundLabel(TsCaptionLayoutKind layout, const TRect& control, TPoint labelSize, int indent,
                                int maxWidth) {
    const int w = labelSize.X, h = labelSize.Y;
    const int above = control.Top - h - indent;
    BoundLabelPlace place;
    TPoint at;
    switch (layout) {
    case TsCaptionLayoutKind::sclLeft:
        at = {control.Left - w - indent - 4, control.Top + (control.Height() - h) / 2 - 1};
        place.Alignment = TLabelAlignment::taRightJustify;
        break;
    case TsCaptionLayoutKind::sclTopLeft:
        at = {control.Left, above};
        place.Alignment = TLabelAlignment::taLeftJustify;
        break;
    case TsCaptionLayoutKind::sclTopCenter:
        at = {control.Left + (control.Width() - w) / 2, above};
        place.Alignment = TLabelAlignment::taCenter;
        break;
    case TsCaptionLayoutKind::sclTopRight:
        at = {control.Left + control.Width() - w, above};
        place.Alignment = TLabelAlignment::taRightJustify;
        break;
    }
    place.Bounds = RectOfSize(at.X, at.Y, w, h);
    // A fixed width is applied after placing, as the label first sized itself.
    if (maxWidth != 0) {
        place.Bounds = RectOfSize(at.X, at.Y, maxWidth, std::max(h, control.Height()));
        place.WordWrap = true;
    }
    return place;
}

}  // namespace lw::controls
