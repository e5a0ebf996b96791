#pragma once
// Grey and disabled looks of a control's painted image.

#include <cstdint>
#include <functional>

#include "render/Bitmap.h"
#include "render/CacheInfo.h"
#include "render/Types.h"

namespace lw::render {

// Every pixel becomes (B + G + R) div 3 in all three channels; alpha is left alone.
void GrayscaleBitmap(Bitmap& bmp);
// The same, leaving pixels of the key colour as they are.
void GrayscaleExceptKey(Bitmap& bmp, TColor key);

enum TsDisabledKind : std::uint8_t { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKinds = std::uint8_t;  // a set of TsDisabledKind bits
inline constexpr TsDisabledKinds DefaultDisabledKinds = dkBlended;

// Answers the control's background colour (TransparentKey when there is none). It is asked only
// when the background source has neither bitmap nor colour.
using ControlColorQuery = std::function<TColor()>;

// Greys the image and/or blends it with what lies behind the control: 60 % background and 40 %
// control over a background bitmap (offset by `offset`), otherwise half and half with a colour.
void PaintDisabled(Bitmap& bmp, TsDisabledKinds kinds, const ControlColorQuery& controlColor, TPoint offset,
                   const TsCacheInfo& bg);

}  // namespace lw::render
