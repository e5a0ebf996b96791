#pragma once
// The skinned check box: its box is a frame of the skin's check images painted over the
// "CHECKBOX" section with the caption beside it, all drawn off-screen and copied to the window;
// state changes cross-fade. The mouse and the space key toggle it on release while it is still
// pressed; there is no mouse capture.

#include <windows.h>

#include <functional>
#include <memory>

#include "controls/base/FadeTimer.h"
#include "controls/base/Skinned.h"
#include "controls/checkbox/core/CheckBoxGeometry.h"
#include "controls/checkbox/core/CheckBoxInput.h"
#include "platform/Buttons.h"
#include "platform/ImageList.h"
#include "render/Bitmap.h"
#include "render/Disabled.h"

namespace lw::controls {

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

class TsCheckBox : public TsSkinned<platform::TCheckBox> {
public:
    TsCheckBox(platform::TComponent* owner, platform::TWinControl* parent);
    ~TsCheckBox() override;

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    // Hide the platform's own: the skinned box keeps its state itself.
    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    void SetChecked(bool checked);
    bool AllowGrayed = false;

    TsCheckAlignment Alignment() const { return alignment_; }
    void SetAlignment(TsCheckAlignment alignment);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    TgwAnimatEvents AnimatEvents = DefaultAnimatEvents;
    render::TsDisabledKinds DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(render::TsDisabledKinds kinds);
    // The box cannot be changed by mouse or keyboard and shows no hot look.
    bool ReadOnly = false;
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool show);
    int TextIndent() const { return textIndent_; }
    void SetTextIndent(int indent);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);

    // Own box images instead of the skin's: three frames side by side (normal, hot, pressed),
    // each in the upper half; magenta pixels are transparent.
    const render::Bitmap& GlyphChecked() const { return glyphChecked_; }
    void SetGlyphChecked(const render::Bitmap& glyph);
    const render::Bitmap& GlyphUnChecked() const { return glyphUnChecked_; }
    void SetGlyphUnChecked(const render::Bitmap& glyph);
    // Box images from a list, laid out like the own glyphs; they come before the own glyphs
    // when both indexes are set.
    const platform::TImageList* Images() const { return images_; }
    void SetImages(const platform::TImageList* images);
    int ImgChecked() const { return imgChecked_; }
    void SetImgChecked(int index);
    int ImgUnchecked() const { return imgUnchecked_; }
    void SetImgUnchecked(int index);

    // Input on the control, told after the box has dealt with it; nothing while read-only.
    std::function<void(TsCheckBox& sender, WORD key)> OnKeyDown;
    std::function<void(TsCheckBox& sender, WORD key)> OnKeyUp;
    std::function<void(TsCheckBox& sender, TMouseButton button, TPoint at)> OnMouseDown;
    std::function<void(TsCheckBox& sender, TMouseButton button, TPoint at)> OnMouseUp;
    std::function<void(TsCheckBox& sender)> OnDblClick;

    // The left button or the space key is held down on the box.
    bool Pressed() const { return press_.Pressed; }
    // A cross-fade to a new look is running.
    bool Fading() const { return fade_ != nullptr; }

    BoxSize Box() const;
    TRect BoxRect() const;
    // The mask of the state's image in the skin's "GLOBALINFO"; -1 when there is none.
    int SkinBoxIndex(TCheckBoxState state) const;
    void PrepareCheckBoxCache();
    void PaintCheckBox(HDC dc);
    // Sizes the control to its box and caption when AutoSize is set and the skin is on.
    void AdjustSize();

protected:
    void SkinCommand(platform::TMessage& message) override;
    bool SkinLoaded(platform::TMessage& message) override;
    // The box goes through stages of its own: focus and hover while skinned, then the shared
    // window messages, then its skinned or plain handling.
    void Dispatch(platform::TMessage& message) override;

private:
    // The four stages of message processing; each returns true when the message is done.
    bool SkinCommandStage(platform::TMessage& message);
    bool FocusAndHoverStage(platform::TMessage& message);
    bool SkinnedControlStage(platform::TMessage& message);
    bool UnskinnedControlStage(platform::TMessage& message);
    void PaintHandler(HDC dc);
    void PaintCaption();
    void PaintBox();
    void PaintOwnBox(const TRect& box, int frame);
    enum class BoxSource { Skin, Glyphs, Images };
    BoxSource Source() const;
    // Tells the input events for a message the box passes on.
    void NotifyInput(const platform::TMessage& message);
    // The caption's size measured in the width it may take.
    TPoint CaptionSize() const;
    CheckBoxLayout Layout() const;
    bool Active() const;
    bool Loading() const { return (ComponentState() & platform::csLoading) != 0; }
    void Repaint();
    void Toggle();
    void StateChanged();
    void ChangeLookOn(TgwAnimatEvent event, bool halfSpeed);
    void SetPlatformCheck();

    FadeTimerSlot fade_ = nullptr;
    CheckBoxPress press_;
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    TsCheckAlignment alignment_ = TsCheckAlignment::taRightJustify;
    bool autoSize_ = true;
    int margin_ = 2;
    render::TsDisabledKinds disabledKind_ = render::DefaultDisabledKinds;
    bool showFocus_ = true;
    int textIndent_ = 0;
    bool wordWrap_ = false;
    render::Bitmap glyphChecked_;
    render::Bitmap glyphUnChecked_;
    const platform::TImageList* images_ = nullptr;
    int imgChecked_ = 0;
    int imgUnchecked_ = 0;
};

}  // namespace lw::controls
