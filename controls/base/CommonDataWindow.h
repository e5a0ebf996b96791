#pragma once
// The window side of the common skin data: the window messages every skinned control handles
// alike, the glow, and copying a finished cache to the screen around the control's children.

#include <windows.h>

#include "controls/base/core/CommonData.h"
#include "render/Text.h"
#include "platform/Control.h"

namespace lw::controls {

// Turns an SM_ALPHACMD into the shared command handling; true when fully handled.
bool HandleSkinCommand(TsCommonData& data, platform::TMessage& message);

// The shared handling of a message the control did not fully handle itself; true when the
// message is fully handled. Controls call it before their default processing.
bool HandleWindowMessage(TsCommonData& data, platform::TControl& control, platform::TMessage& message);

// Shows the section's glow around the control while the mouse is over it.
void ShowGlow(TsCommonData& data, platform::TControl& control, bool hidePrevious);
void HideGlow(TsCommonData& data);

// Copies the cache to destRect of dc, leaving out the control's windowless and opaque children
// (shifted by the offsets); with restoreCorners the border corners first get the parent's
// background back.
void CopyCacheToDC(TsCommonData& data, platform::TWinControl& control, POINT sourceOrigin, int offsetY, int offsetX,
                   bool restoreCorners, HDC dc, const RECT& destRect);

// The text font of a control as the core's text writers take it.
render::TextFont TextFontOf(const platform::TControl& control);

}  // namespace lw::controls
