#pragma once
// The form skinning of one toolkit form: its skinned frame and client background, its answers
// to the skin commands, and the manager's broadcasts passed on to its controls.

#include <memory>

#include "controls/forms/SkinnedFrame.h"
#include "platform/Form.h"
#include "platform/MessageHook.h"

namespace lw::controls {

class TFormSkinning;

class TsSkinProvider {
public:
    // Starts at once: the frame is put on the form and its messages are seen first. The form
    // skinning that attached it lets go of it before it goes itself.
    TsSkinProvider(platform::TForm& form, const TFormSkinning& skinning);
    ~TsSkinProvider();
    TsSkinProvider(const TsSkinProvider&) = delete;
    TsSkinProvider& operator=(const TsSkinProvider&) = delete;

    platform::TForm& Form() const { return form_; }
    HWND Window() const { return window_; }
    SkinnedFrame& Frame() { return frame_; }

private:
    void Handle(platform::TMessage& message);
    void HandleSkinCommand(platform::TMessage& message);

    platform::TForm& form_;
    const TFormSkinning& skinning_;
    HWND window_;
    SkinnedFrame frame_;
    platform::TMessageHook hook_;
};

}  // namespace lw::controls
