#pragma once
// The stored skin's images, drawn procedurally at the sizes and places its options
// text refers to.

#include "Canvas.h"
#include "Palette.h"

namespace skingen {

Canvas DrawMaster(const Palette& p);      // 306 x 102, every rectangle the options text names
Canvas DrawButtonHuge(const Palette& p);  // 288 x 192: three 96-pixel frames above their masks

Canvas DrawTitleGlow(Rgba colour);   // 30 x 30, the title buttons' glows
Canvas DrawEditGlow(Rgba colour);    // 13 x 13, nine-slice glow of edits
Canvas DrawButtonGlow(Rgba colour);  // 32 x 32, nine-slice glow of buttons
Canvas DrawExtendedBorder();         // 928 x 295: active and inactive window shadows

}  // namespace skingen
