#include "controls/base/ControlSkinOwner.h"

#include "bridge/LayeredGlowHost.h"
#include "bridge/SkinCommands.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "render/Glow.h"
#include "platform/Redraw.h"

namespace lw::controls {

ControlSkinOwner::ControlSkinOwner(platform::TControl& control, std::string className, bool isEdit)
    : control_(control),
      window_(dynamic_cast<platform::TWinControl*>(&control)),
      className_(std::move(className)),
      isEdit_(isEdit) {}

bool ControlSkinOwner::Destroying() const { return (control_.ComponentState() & platform::csDestroying) != 0; }
bool ControlSkinOwner::Loading() const { return (control_.ComponentState() & platform::csLoading) != 0; }
bool ControlSkinOwner::Creating() const { return window_ != nullptr && window_->Handle() == nullptr; }
bool ControlSkinOwner::HasWindow() const { return window_ != nullptr && window_->Handle() != nullptr; }

bool ControlSkinOwner::ParentHasWindow() const {
    return control_.Parent() != nullptr && control_.Parent()->Handle() != nullptr;
}

bool ControlSkinOwner::HoldsFocus() const { return window_ != nullptr && window_->Focused(); }

TRect ControlSkinOwner::BoundsInParent() const {
    const platform::TBounds& b = control_.Bounds();
    return RectOfSize(b.Left, b.Top, b.Width, b.Height);
}

void ControlSkinOwner::SetFontColor(TColor color) {
    // A new font handle for the same colour would still reach the window and repaint it.
    if (control_.Font().Color == color) return;
    platform::TFont font = control_.Font();
    font.Color = color;
    control_.SetFont(font);
}

TColor ControlSkinOwner::ParentColorProperty() const {
    return control_.Parent() != nullptr ? ResolveColor(control_.Parent()->Color()) : TransparentKey;
}

TColor ControlSkinOwner::ParentColor() const {
    return control_.Parent() != nullptr ? bridge::GetControlColor(control_.Parent()) : 0xFF00000F;
}

bool ControlSkinOwner::RequestParentBackground(render::TsBgRequest& request, bool drawNow) {
    if (control_.Parent() == nullptr) return false;
    return bridge::RequestBackground(request, *control_.Parent(), drawNow);
}

std::intptr_t ControlSkinOwner::SendToParent(unsigned command, unsigned low, std::intptr_t lParam) {
    return control_.Parent() != nullptr ? bridge::SendSkinCommand(control_.Parent(), command, lParam, low) : 0;
}

std::intptr_t ControlSkinOwner::SendToSelf(unsigned command, unsigned low, std::intptr_t lParam) {
    return control_.Perform(skin::SM_ALPHACMD, skin::SkinWParam(command, low), lParam);
}

void ControlSkinOwner::SendToChildren(unsigned command, unsigned low, std::intptr_t lParam) {
    if (window_ == nullptr) return;
    const auto& children = window_->Controls();
    for (std::size_t i = 0; i < children.size(); ++i) {  // the list may change during a send
        platform::TControl* child = children[i];
        if (child->ComponentState() & platform::csDestroying) continue;
        bridge::SendSkinCommand(child, command, lParam, low);
    }
}

void ControlSkinOwner::AnnounceToForm() {
    for (platform::TControl* p = control_.Parent(); p != nullptr; p = p->Parent()) {
        if (dynamic_cast<platform::TForm*>(p) != nullptr) {
            bridge::SendSkinCommand(p, skin::SMC_CONTROLCHANGED, reinterpret_cast<LPARAM>(&control_));
            return;
        }
    }
}

void ControlSkinOwner::InvalidateWithChildren() {
    if (HasWindow()) platform::RedrawShown(window_->Handle(), RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ControlSkinOwner::ResetChildLabelColours() {
    if (window_ == nullptr) return;
    for (platform::TControl* child : window_->Controls())
        if (dynamic_cast<platform::TLabel*>(child) != nullptr) {
            platform::TFont font = child->Font();
            font.Color = platform::clWindowText;
            child->SetFont(font);
        }
}

void ControlSkinOwner::RedrawFrame() {
    if (HasWindow()) platform::RedrawShown(window_->Handle(), RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void ControlSkinOwner::HideGlow(int glowId) { render::HideGlowWindow(bridge::ProcessGlows(), glowId); }

}  // namespace lw::controls
