#pragma once
// Where a check box puts its box and its caption, and how large it makes itself.

#include "render/SkinSource.h"
#include "render/Types.h"

namespace lw::controls {

// right: the box stands left of the caption; left: the box stands right of it.
enum class TsCheckAlignment { taLeftJustify, taRightJustify };

struct BoxSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const BoxSize&) const = default;
};

// The box of the skin's check images: the "BOXCHECKED" mask decides it for every state. A skin
// without that mask gets a 16 x 16 box with nothing painted in it.
BoxSize SkinBoxSize(const render::MaskRef* boxChecked);
// The box of own glyphs or list images: three frames side by side, the image in the upper half.
BoxSize GlyphBoxSize(int imageWidth, int imageHeight);

struct CheckBoxLayout {
    int Width = 0;
    int Height = 0;
    int Margin = 2;
    int TextIndent = 0;
    bool BoxOnLeft = true;  // the effective alignment is right
    bool WordWrap = false;
};

// `placed` false: the skin has no box image, which leaves the box at the top-left corner.
TRect CheckBoxRect(const CheckBoxLayout& l, BoxSize box, bool placed);
// The width the caption is measured in.
int CaptionAvailableWidth(const CheckBoxLayout& l, BoxSize box);
// The caption's rectangle for a text measured as textWidth x textHeight.
TRect CheckBoxCaptionRect(const CheckBoxLayout& l, BoxSize box, int textWidth, int textHeight);
// The dotted frame drawn around the caption while the control has the focus.
TRect CaptionFocusRect(const TRect& caption, bool wordWrap);

// The size an auto-sized skinned check box takes; a caption of 0 x 0 counts as none.
TPoint CheckBoxAutoSize(BoxSize box, int margin, int textIndent, bool hasCaption, int textWidth, int textHeight);

}  // namespace lw::controls
