#pragma once
// The small flat button inside the right end of a combo edit: no caption, an arrow pointer,
// a glyph in its normal, hot or pressed state. Skinned, it shows the field's own image behind
// the glyph (it draws no frame of its "SPEEDBUTTON_SMALL" section) and cross-fades on mouse
// entry and exit; without a skin it is a flat button with the same glyph.

#include <functional>
#include <memory>
#include <optional>

#include "controls/base/FadeTimer.h"
#include "controls/base/Skinned.h"
#include "controls/base/core/FadeRules.h"
#include "controls/images/AlphaImageList.h"
#include "platform/Buttons.h"

namespace lw::controls {

// The glyph to show in one state: image `Index` of `List`, a strip of StateCount states of
// which `State` is shown. No list or a negative index: no glyph.
struct EditButtonGlyph {
    const controls::TsAlphaImageList* List = nullptr;
    int Index = -1;
    int StateCount = 1;
    int State = 0;
};

class TsEditButton : public controls::TsSkinned<platform::TButton> {
public:
    TsEditButton(platform::TComponent* owner, platform::TWinControl* parent);
    ~TsEditButton() override;

    // Set by the edit: the glyph for a state, and what lies behind the button (the field's own
    // image at the button's place) painted into the button's cache.
    std::function<EditButtonGlyph(int state)> Glyph;
    std::function<void(render::Bitmap& cache)> PaintBackground;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    controls::TgwAnimatEvents AnimatEvents = controls::DefaultAnimatEvents;

    // How transparent the glyph is in the normal state, per cent (clamped to 0-100), and
    // whether the normal glyph is toned with the section's colour.
    int Blend() const { return blend_; }
    void SetBlend(int value);
    bool Grayed() const { return grayed_; }
    void SetGrayed(bool value);

    // 0 normal, 1 under the mouse, 2 held down.
    int State() const;
    bool Fading() const { return fadeTimer_ != nullptr; }
    // The button's image in its current state, into its cache.
    void PrepareCache();

protected:
    void SkinCommand(platform::TMessage& message) override;
    bool SkinLoaded(platform::TMessage& message) override;
    void Dispatch(platform::TMessage& message) override;
    void SkinnedMessage(platform::TMessage& message) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    void MouseMoved(bool entered);
    bool Inside(LPARAM point) const;
    void SetPushed(bool pushed);
    void RepaintNow();
    void Paint(HDC dc);
    // The glyph for `state` when its list holds it.
    std::optional<EditButtonGlyph> GlyphToDraw(int state) const;
    void DrawGlyph(render::Bitmap& target, int state) const;

    controls::FadeTimerSlot fadeTimer_ = nullptr;
    int blend_ = 0;
    bool grayed_ = false;
    bool tracking_ = false;  // the left button went down here and is still held
};

}  // namespace lw::controls
