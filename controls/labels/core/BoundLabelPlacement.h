#pragma once
// Where the caption label bound to an edit-like control stands beside it.

#include "render/Types.h"

namespace lw::controls {

enum class TsCaptionLayoutKind { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };
enum class TLabelAlignment { taLeftJustify, taRightJustify, taCenter };

struct BoundLabelPlace {
    TRect Bounds;
    TLabelAlignment Alignment = TLabelAlignment::taLeftJustify;
    bool WordWrap = false;
    bool operator==(const BoundLabelPlace&) const = default;
};

// `control` in the parent's coordinates; `labelSize` what the label takes when it sizes itself.
// A non-zero maxWidth fixes the label's width, wraps its text and makes it at least as tall as
// the control.
BoundLabelPlace PlaceBoundLabel(TsCaptionLayoutKind layout, const TRect& control, TPoint labelSize, int indent,
                                int maxWidth);

}  // namespace lw::controls
