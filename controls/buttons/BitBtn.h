#pragma once
// The skinned push button: a "BUTTON" section background and border with the transparent
// corners carved out of its window, an 18 x 18 glyph from a PNG image list beside the caption,
// hot and pressed looks that cross-fade, and the glow while the mouse is over it.

#include <windows.h>

#include <functional>
#include <string>
#include <memory>

#include "controls/base/FadeTimer.h"
#include "controls/base/Skinned.h"
#include "controls/buttons/core/ButtonGeometry.h"
#include "controls/base/core/FadeRules.h"
#include "platform/Buttons.h"
#include "platform/Handles.h"
#include "platform/MessageHook.h"
#include "render/Disabled.h"

namespace lw::controls {

class TsBitBtn : public TsSkinned<platform::TButton> {
public:
    TsBitBtn(platform::TComponent* owner, platform::TWinControl* parent);
    ~TsBitBtn() override;

    // Called with the finished cache before it is shown.
    std::function<void(TsBitBtn& sender, render::Bitmap& cache)> OnPaint;
    std::function<void(TsBitBtn& sender)> OnMouseEnter;
    std::function<void(TsBitBtn& sender)> OnMouseLeave;
    TgwAnimatEvents AnimatEvents = DefaultAnimatEvents;

    TButtonAlignment Alignment() const { return alignment_; }
    void SetAlignment(TButtonAlignment value) { Set(alignment_, value); }
    int Blend() const { return blend_; }
    void SetBlend(int value) { Set(blend_, ClampBlend(value)); }
    // The disabled look of a glyph from a list without alpha.
    render::TsDisabledKinds DisabledGlyphKind() const { return disabledGlyphKind_; }
    void SetDisabledGlyphKind(render::TsDisabledKinds value) { Set(disabledGlyphKind_, value); }
    render::TsDisabledKinds DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(render::TsDisabledKinds value) { Set(disabledKind_, value); }
    bool Down() const { return down_; }
    void SetDown(bool value);
    int FocusMargin() const { return focusMargin_; }
    void SetFocusMargin(int value) { Set(focusMargin_, value); }
    bool Grayed() const { return grayed_; }
    void SetGrayed(bool value) { Set(grayed_, value); }
    bool Reflected() const { return reflected_; }
    void SetReflected(bool value) { Set(reflected_, value); }
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value) { Set(showCaption_, value); }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value) { Set(showFocus_, value); }
    bool DrawOverBorder() const { return drawOverBorder_; }
    void SetDrawOverBorder(bool value) { Set(drawOverBorder_, value); }
    int TextOffset() const { return textOffset_; }
    void SetTextOffset(int value) { Set(textOffset_, value); }
    TButtonAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TButtonAlignment value) { Set(textAlignment_, value); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { Set(wordWrap_, value); }

    // The toolkit bit button's layout of glyph and caption.
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value) { Set(layout_, value); }
    int Margin() const { return margin_; }
    void SetMargin(int value) { Set(margin_, value); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) { Set(spacing_, value); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value) { Set(numGlyphs_, value); }
    // The button's own glyph, NumGlyphs frames side by side; shown when no list glyph applies.
    // A 32-bit single frame keeps its alpha; other glyphs are transparent where they have the
    // colour of their bottom-left pixel.
    const render::Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(const render::Bitmap& glyph);

    // Enter clicks the form's default button, Escape its cancel button; a click sets the
    // form's modal result to the button's.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    void Click() override;

    TButtonState CurrentState() const;
    int GlyphWidth() const;
    int GlyphHeight() const;
    TPoint TextSize() const;
    TRect GlyphRect() const;
    TRect CaptionRect() const;

    // Into the cache, in the look of state; r is where the caption or glyph goes.
    void PaintCaption(int state, TRect r);
    void DrawButtonGlyph(int state, const TRect& r);
    void PrepareButtonCache();
    // Paints onto dc, or the window's own device context when none is given.
    void PaintButton(HDC dc);

    // The region the last cache rebuild carved and no window has taken yet; null when none.
    HRGN PendingRegion() const { return pendingRegion_.get(); }
    bool Fading() const { return fadeTimer_ != nullptr; }

protected:
    void SkinCommand(platform::TMessage& message) override;
    bool SkinLoaded(platform::TMessage& message) override;
    void SkinnedMessage(platform::TMessage& message) override;
    void UnskinnedMessage(platform::TMessage& message) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    template <class T>
    void Set(T& field, T value) {
        if (field == value) return;
        field = value;
        SkinData().InvalidateSkin();
    }
    ButtonGeometry Geometry() const;
    // Geometry with the caption measured in the button's font.
    ButtonGeometry MeasuredGeometry() const;
    bool HasListGlyph() const;
    void DrawPlainGlyph(const platform::TImageList& images, const TRect& r, int state);
    void DrawBitmapGlyph(render::Bitmap& target, const TRect& r, int state);
    // Lays a 24-bit glyph, transparent where it has the key colour, into target at r with the
    // greying and blending the state asks for.
    void DrawKeyedGlyph(render::Bitmap& target, const render::Bitmap& glyph, TColor key, const TRect& r, int state,
                        bool disabledFrame);
    void PaintButtonOn(HDC dc);
    void RepaintNow();
    void StopFading() { StopFade(fadeTimer_); }
    void ChangeLookFor(TgwAnimatEvent event, bool halfSpeed);
    void WithoutRedraw(platform::TMessage& message);
    void MouseDown(platform::TMessage& message);
    void MouseUp(platform::TMessage& message);
    void HoldHints(bool hold);
    void MouseEntered();
    void MouseLeft();
    void ApplyRegion();
    void WatchFormKeys();
    void FormCommand(platform::TMessage& message);

    FadeTimerSlot fadeTimer_ = nullptr;

    TButtonAlignment alignment_ = TButtonAlignment::taCenter;
    int blend_ = 0;
    render::TsDisabledKinds disabledGlyphKind_ = render::DefaultDisabledKinds;
    render::TsDisabledKinds disabledKind_ = render::DefaultDisabledKinds;
    bool down_ = false;
    int focusMargin_ = 1;
    bool grayed_ = false;
    bool reflected_ = false;
    bool showCaption_ = true;
    bool showFocus_ = true;
    bool drawOverBorder_ = true;
    int textOffset_ = 0;
    TButtonAlignment textAlignment_ = TButtonAlignment::taCenter;
    bool wordWrap_ = true;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    int numGlyphs_ = 1;
    render::Bitmap glyph_;
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;

    // Run-time state.
    struct CaptionMeasure {
        std::wstring Caption;
        int Width = 0;
        UINT Flags = 0;
        HFONT Font = nullptr;
        TPoint Size;
    };
    mutable CaptionMeasure measured_;
    platform::GdiObject<HRGN> pendingRegion_;
    platform::TBounds regionBounds_{};
    bool pressedByMouse_ = false;
    bool hintsHeld_ = false;
    bool hintsWereActive_ = true;
    bool forcePressed_ = false;   // the release repaint shows the pressed look once more
    bool forceReleased_ = false;  // the release fade's new look, made while the platform still pushes
    std::unique_ptr<platform::TMessageHook> formKeys_;
};

}  // namespace lw::controls
