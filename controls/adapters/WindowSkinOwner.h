#pragma once
// The common skin data's view of a bare window that no toolkit control owns (a system dialog's
// child): what an adapter gives the common data it makes for such a window.

#include <windows.h>

#include "controls/base/core/SkinOwner.h"

namespace lw::controls {

class WindowSkinOwner final : public SkinOwner {
public:
    explicit WindowSkinOwner(HWND window) : window_(window) {}

    bool IsControl() const override { return false; }
    std::string ClassName() const override;
    bool Destroying() const override { return !IsWindow(window_); }
    bool Loading() const override { return false; }
    bool Creating() const override { return false; }
    bool HasParent() const override { return GetParent(window_) != nullptr; }
    bool ParentHasWindow() const override { return HasParent(); }
    bool Windowed() const override { return true; }
    bool HasWindow() const override { return IsWindow(window_) != FALSE; }
    bool Visible() const override { return IsWindowVisible(window_) != FALSE; }
    bool Enabled() const override { return IsWindowEnabled(window_) != FALSE; }
    bool HoldsFocus() const override { return GetFocus() == window_; }
    bool IsEdit() const override { return false; }
    TRect BoundsInParent() const override;
    // A bare window has no colour properties of ours: the platform paints it.
    TColor ColorProperty() const override { return TransparentKey; }
    void SetColorProperty(TColor) override {}
    TColor FontColor() const override { return TransparentKey; }
    void SetFontColor(TColor) override {}
    TColor ParentColorProperty() const override;
    TColor ParentColor() const override;
    bool RequestParentBackground(render::TsBgRequest& request, bool drawNow) override;
    std::intptr_t SendToParent(unsigned command, unsigned low, std::intptr_t lParam) override;
    std::intptr_t SendToSelf(unsigned command, unsigned low, std::intptr_t lParam) override;
    void SendToChildren(unsigned command, unsigned low, std::intptr_t lParam) override;
    void AnnounceToForm() override {}
    void Invalidate() override { InvalidateRect(window_, nullptr, TRUE); }
    void InvalidateWithChildren() override;
    void ResetChildLabelColours() override {}
    void RedrawFrame() override;
    void HideGlow(int) override {}

private:
    HWND window_;
};

}  // namespace lw::controls
