#pragma once
// What a control's common skin data asks of the control that owns it. The Win32 layer
// implements it over a toolkit control (or a form-skinning provider); portable tests use a fake.

#include <cstdint>
#include <string>

#include "render/CacheInfo.h"
#include "render/Types.h"

namespace lw::controls {

class SkinOwner {
public:
    virtual ~SkinOwner() = default;

    // False for an owner that is not a control (a form-skinning provider).
    virtual bool IsControl() const = 0;
    virtual std::string ClassName() const = 0;

    virtual bool Destroying() const = 0;
    // Loading or being read from a stored form.
    virtual bool Loading() const = 0;
    virtual bool Creating() const = 0;
    virtual bool HasParent() const = 0;
    virtual bool ParentHasWindow() const = 0;
    virtual bool Windowed() const = 0;
    virtual bool HasWindow() const = 0;
    virtual bool Visible() const = 0;
    virtual bool Enabled() const = 0;
    // A windowed control that holds the keyboard focus.
    virtual bool HoldsFocus() const = 0;
    virtual bool IsEdit() const = 0;

    // Position and size in the parent's client coordinates.
    virtual TRect BoundsInParent() const = 0;

    // The colour property, unresolved (a form-skinning provider answers its form's colour).
    virtual TColor ColorProperty() const = 0;
    virtual void SetColorProperty(TColor color) = 0;
    virtual TColor FontColor() const = 0;
    virtual void SetFontColor(TColor color) = 0;
    // The parent's colour property resolved to RGB; TransparentKey without a parent.
    virtual TColor ParentColorProperty() const = 0;
    // What the parent answers for its colour (an unskinned parent: its colour property), in RGB;
    // the platform's button-face colour without a parent.
    virtual TColor ParentColor() const = 0;

    // Delivers a background request to the parent; false (request untouched) without one.
    virtual bool RequestParentBackground(render::TsBgRequest& request, bool drawNow) = 0;
    // Skin commands to the parent (0 without one), to the control itself by direct call, and
    // to every child not being destroyed.
    virtual std::intptr_t SendToParent(unsigned command, unsigned low, std::intptr_t lParam) = 0;
    virtual std::intptr_t SendToSelf(unsigned command, unsigned low, std::intptr_t lParam) = 0;
    virtual void SendToChildren(unsigned command, unsigned low, std::intptr_t lParam) = 0;
    // A windowed control announces itself to its parent form (SMC_CONTROLCHANGED).
    virtual void AnnounceToForm() = 0;

    virtual void Invalidate() = 0;
    // Invalidates the window and all its children without erasing.
    virtual void InvalidateWithChildren() = 0;
    // Plain toolkit labels among the children go back to the window-text colour.
    virtual void ResetChildLabelColours() = 0;
    // Edits redraw their frame when its look changes.
    virtual void RedrawFrame() = 0;
    // Hides the glow `glowId` around the control.
    virtual void HideGlow(int glowId) = 0;
};

}  // namespace lw::controls
