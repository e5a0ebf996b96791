#pragma once
// The skinned scroll bar's arithmetic: part sizes, slider geometry, which part a point is
// over, and the position a dragged slider stands for. Integer rounding follows the platform's
// MulDiv so that bars agree with the controls they drive.

#include "render/Types.h"

namespace lw::controls::scroll {

// Part codes; they equal the platform's scroll request codes.
enum Part : int { sbNone = -1, sbFirstArrow = 0, sbSecondArrow = 1, sbPageBefore = 2, sbPageAfter = 3, sbThumb = 5 };

// a·b/c rounded half away from zero; -1 when c is 0 or the result does not fit.
int MulDiv(int a, int b, int c);

// The scroll information a bar was last read with.
struct ScrollRange {
    int Min = 0, Max = 0, Page = 0, Pos = 0;
};

struct ThumbPlace {
    int Start = 0;   // along the bar's axis, in the bar rectangle's coordinates
    int Length = 0;
};

// The slider of a bar whose extent along its axis is [barStart, barStart + barLength).
ThumbPlace ThumbGeometry(const ScrollRange& info, int barStart, int barLength, int arrow, int minThumb);

}  // namespace lw::controls::scroll
