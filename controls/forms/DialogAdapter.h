#pragma once
// The adapter of a standard dialog (a message box, the find dialog): its frame and background
// from "DIALOG", and the colours its platform-drawn children ask for.

#include <windows.h>

#include "controls/forms/SkinnedFrame.h"
#include "platform/Handles.h"
#include "platform/MessageHook.h"

namespace lw::controls {

class TgwDialogWnd {
public:
    explicit TgwDialogWnd(HWND window);
    ~TgwDialogWnd();
    TgwDialogWnd(const TgwDialogWnd&) = delete;
    TgwDialogWnd& operator=(const TgwDialogWnd&) = delete;

    HWND Handle() const { return window_; }
    // The dialog's window has been destroyed; nothing touches it any more.
    bool Gone() const { return gone_; }

    // Puts the skinned frame on, once the children have their adapters.
    void TakeFrame() { frame_.Take(); }
    SkinnedFrame& Frame() { return frame_; }

private:
    void Handle(platform::TMessage& message);
    void HandleSkinCommand(platform::TMessage& message);
    // The brush children erase with: the dialog's own background, lined up with the child.
    HBRUSH BackgroundBrushFor(HDC dc, HWND child);
    void AnswerColor(platform::TMessage& message);

    HWND window_;
    bool gone_ = false;
    SkinnedFrame frame_;
    platform::BrushHandle pattern_;
    int patternGeneration_ = -1;
    platform::BrushHandle editBrush_;
    platform::TMessageHook hook_;
};

}  // namespace lw::controls
