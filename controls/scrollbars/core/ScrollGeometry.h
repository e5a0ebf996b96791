#pragma once
// The skinned scroll bar's arithmetic: part sizes, bar rectangles, slider geometry, which part
// a point is over, and the position a dragged slider stands for. Integer rounding follows the
// platform's MulDiv so that bars agree with the controls they drive.

#include "render/Types.h"

namespace lw::controls::scroll {

// Part codes; they equal the platform's scroll request codes, so a press sends its code.
enum Part : int { sbNone = -1, sbFirstArrow = 0, sbSecondArrow = 1, sbPageBefore = 2, sbPageAfter = 3, sbThumb = 5 };

// a·b/c rounded half away from zero; -1 when c is 0 or the result does not fit.
int MulDiv(int a, int b, int c);

// The scroll information a bar was last read with.
struct ScrollRange {
    int Min = 0, Max = 0, Page = 0, Pos = 0;
};

// A length field of a bar: ≥ 0 is pixels, -n is n times `unit`.
int PartSize(int field, int unit);

// The arrow length painting uses: the skin's arrow frame when it asks for it (and is larger
// than the platform's), else the automatic one. frameSize ≤ 0: the skin does not ask.
int SkinnedArrowLength(int field, int metric, int frameSize);

// The widths of the window's own border on each side.
struct FrameEdges {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct BarLayout {
    TRect Horz, Vert, SizeBox;
};

// Where the bars sit in a window rectangle (any coordinates), given their thicknesses and
// whether each takes room now; the size box is empty unless both do.
BarLayout BarRects(const TRect& window, const FrameEdges& edges, int horzThickness, int vertThickness, bool horzVisible,
                   bool vertVisible, bool leftScrollBar);

struct ThumbPlace {
    int Start = 0;  // along the bar's axis, in the bar rectangle's coordinates
    int Length = 0;
};

// The slider of a bar whose extent along its axis is [barStart, barStart + barLength).
ThumbPlace ThumbGeometry(const ScrollRange& info, int barStart, int barLength, int arrow, int minThumb);

// The part of the bar under `point` (same coordinates as `bar`).
int HitTestBar(const ScrollRange& info, const TRect& bar, bool vertical, TPoint point, int arrow, int minThumb);

// The position a slider dragged to `offset` pixels from the track's start stands for: nMin
// plus the mapping, kept within [nMin, nMax - max(nPage, 1) + 1], which is the largest
// position the platform itself lets a control reach.
int DragPosition(const ScrollRange& info, int offset, int trackLength, int thumbLength);

// The slider's start for a pointer at `pointer` that grabbed it `grab` pixels from its start,
// kept on the track [trackStart, trackEnd - thumbLength] (at trackStart when it does not fit).
int DragThumbStart(int pointer, int grab, int trackStart, int trackEnd, int thumbLength);

}  // namespace lw::controls::scroll
