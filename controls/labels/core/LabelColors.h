#pragma once
// The colours a skinned label takes from the skin: the text colour found by climbing the
// parents, the web label's two colours, and the faded colour of a disabled caption.

#include <optional>
#include <span>

#include "render/SkinSource.h"
#include "render/Types.h"

namespace lw::controls {

// The label's text colour under the skin. `ancestorSections` are the sections the label's
// parents paint from, nearest first (-1 for an ancestor without one). A mostly transparent
// parent (above 50 %) that has a parent of its own shows that parent's colours; a section
// gives its font colour only with "GIVEOWNFONT"; otherwise "GLOBALINFO" gives it. Nothing when
// the skin has neither.
std::optional<TColor> LabelSkinColor(std::span<const int> ancestorSections, const render::SkinSource& skin);

// The web label's font colour: "GLOBALINFO"'s "TCTOP" under the mouse and "TCBOTTOM" otherwise
// while the skin is used, else the font's own; a missing value is red under the mouse and blue
// otherwise.
TColor WebLabelColor(bool hovered, const render::SkinSource* activeSkin, TColor ownColor);

// A disabled label's caption under a skin: 40 % of its font colour over 60 % of the background.
TColor DisabledLabelColor(TColor fontColor, TColor backgroundColor);

}  // namespace lw::controls
