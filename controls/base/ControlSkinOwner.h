#pragma once
// The common skin data's view of a toolkit control: its state, geometry, colours and the skin
// commands it exchanges with its parent and children.

#include <string>

#include "controls/base/core/SkinOwner.h"
#include "platform/Control.h"

namespace lw::controls {

class ControlSkinOwner final : public SkinOwner {
public:
    ControlSkinOwner(platform::TControl& control, std::string className, bool isEdit = false);

    platform::TControl& Control() const { return control_; }

    bool IsControl() const override { return true; }
    std::string ClassName() const override { return className_; }
    bool Destroying() const override;
    bool Loading() const override;
    bool Creating() const override;
    bool HasParent() const override { return control_.Parent() != nullptr; }
    bool ParentHasWindow() const override;
    bool Windowed() const override { return window_ != nullptr; }
    bool HasWindow() const override;
    bool Visible() const override { return control_.Visible(); }
    bool Enabled() const override { return control_.Enabled(); }
    bool HoldsFocus() const override;
    bool IsEdit() const override { return isEdit_; }
    TRect BoundsInParent() const override;
    TColor ColorProperty() const override { return control_.Color(); }
    void SetColorProperty(TColor color) override { control_.SetColor(color); }
    TColor FontColor() const override { return control_.Font().Color; }
    void SetFontColor(TColor color) override;
    TColor ParentColorProperty() const override;
    TColor ParentColor() const override;
    bool RequestParentBackground(render::TsBgRequest& request, bool drawNow) override;
    std::intptr_t SendToParent(unsigned command, unsigned low, std::intptr_t lParam) override;
    std::intptr_t SendToSelf(unsigned command, unsigned low, std::intptr_t lParam) override;
    void SendToChildren(unsigned command, unsigned low, std::intptr_t lParam) override;
    void AnnounceToForm() override;
    void Invalidate() override { control_.Invalidate(); }
    void InvalidateWithChildren() override;
    void ResetChildLabelColours() override;
    void RedrawFrame() override;
    void HideGlow(int glowId) override;

private:
    platform::TControl& control_;
    platform::TWinControl* window_;
    std::string className_;
    bool isEdit_;
};

}  // namespace lw::controls
