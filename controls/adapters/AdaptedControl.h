#pragma once
#include <windows.h>

#include <functional>

#include "controls/adapters/WindowAdapters.h"
#include "platform/Messages.h"

namespace lw::controls {

class TsCommonData;

// Frame, background and client of `window` painted anew; nothing without a window.
void RedrawWholeWindow(HWND window);

// Hands the frame back to the platform after the adapter that drew it is gone.
void GiveBackPlatformFrame(HWND window);

// The skin commands of a control whose look is drawn by a window adapter (the memo, the tree):
// a refresh attaches the adapter again through `attach`, a removal drops it and gives the
// platform's frame back. False when the message is left for the control's platform class.
bool HandleAdaptedSkinCommand(TsCommonData& data, AdapterPtr& adapter, HWND window, platform::TMessage& message,
                              const std::function<void()>& attach);

}  // namespace lw::controls
