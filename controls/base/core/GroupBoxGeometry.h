#pragma once
// Where a group box's caption sits in its top edge.

#include "render/Types.h"

namespace lw::controls {

enum class TsCaptionLayout { clTopLeft, clTopCenter, clTopRight };

// The strip height of a caption whose letters are textHeight pixels high.
int GroupBoxCaptionHeight(int textHeight);

struct CaptionPlacement {
    int Width = 0;  // the group box's width
    int TextWidth = 0;
    int CaptionHeight = 0;
    int YOffset = 0;
    bool Skinned = true;
    bool RightToLeft = false;
    int BevelWidth = 1;
    TsCaptionLayout Layout = TsCaptionLayout::clTopLeft;
};

TRect GroupBoxCaptionRect(const CaptionPlacement& p);

}  // namespace lw::controls
