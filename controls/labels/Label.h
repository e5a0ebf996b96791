#pragma once
// The skinned text labels: windowless lines of text painted on their parent whose colour
// follows the skin, and the edit label that a bound label places beside an edit-like control.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "controls/labels/core/BoundLabelPlacement.h"
#include "platform/Label.h"

namespace lw::controls {

class TsBoundLabel;

class TsCustomLabel : public platform::TLabel {
public:
    TsCustomLabel(platform::TComponent* owner, platform::TWinControl* parent);

    // A section whose background is painted under the text and whose font colour it takes.
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(std::string_view section);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TLabelAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLabelAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    bool ShowAccelChar = true;

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    void Paint(HDC dc) override;
    // Sizes the label to its text in the font it paints with.
    void AdjustBounds();
    // The font the label paints its text with now: its current font in the colour the skin
    // gives it. Painting never changes the label's own font.
    platform::TFont PaintFont() const;

protected:
    void WndProc(platform::TMessage& message) override;
    // Override to paint with another font than the label's own; evaluated at every paint. The
    // label's own font takes the colour of the parents' skin.
    virtual platform::TFont CurrentFont() const;
    // Override to keep the label's own colour under a skin.
    virtual bool TakesSkinColor() const { return true; }

private:
    // The system's font object for the face of `font`.
    HFONT FontHandleOf(platform::TFont font) const;
    void PaintSectionBackground(HDC dc);
    void DrawCaption(HDC dc);
    UINT TextFlags() const;

    std::string skinSection_;
    bool autoSize_ = true;
    TLabelAlignment alignment_ = TLabelAlignment::taLeftJustify;
    bool wordWrap_ = false;
    mutable platform::TFont paintFontFace_;
    mutable platform::FontHandle paintFontObject_;
};

class TsLabel : public TsCustomLabel {
public:
    TsLabel(platform::TComponent* owner, platform::TWinControl* parent) : TsCustomLabel(owner, parent) {}
    // Take the text colour from the skin.
    bool UseSkinColor = true;

protected:
    bool TakesSkinColor() const override { return UseSkinColor; }
};

// The label a bound label creates; it tells the bound label when it goes.
class TsEditLabel : public TsLabel {
public:
    TsEditLabel(platform::TComponent* owner, platform::TWinControl* parent, TsBoundLabel* boundLabel)
        : TsLabel(owner, parent), boundLabel_(boundLabel) {}
    TsBoundLabel* BoundLabel() const { return boundLabel_; }
    void Unbind() { boundLabel_ = nullptr; }

protected:
    void Destroying() override;

private:
    TsBoundLabel* boundLabel_;
};

}  // namespace lw::controls
