#pragma once
// A skin manager over plain tables and a control whose answers a test sets, for the common
// skin data's rules without windows.

#include <string>
#include <tuple>
#include <vector>

#include "controls/base/core/CommonData.h"
#include "skin/SkinManagerView.h"
#include "controls/base/core/SkinOwner.h"
#include "render/tests/FakeSkin.h"

namespace lw::controls::testing {

class FakeManager : public skin::SkinManagerView {
public:
    render::testing::FakeSkin Skin;
    std::vector<skin::TsGeneralData> General;
    bool Loaded = true, Active = true, Dying = false, Changing = false, Glowing = true;
    unsigned Events = 0xF;

    // A section both as the painters see it and as the full record.
    int AddSection(const std::string& name, TColor color, int transparency, int gradient = 0, int image = 0,
                   int border = -1) {
        render::SectionPaint paint;
        paint.SectionName = name;
        paint.Color = color;
        paint.Transparency = transparency;
        paint.GradientPercent = gradient;
        paint.ImagePercent = image;
        paint.BorderIndex = border;
        skin::TsGeneralData gd;
        gd.SectionName = name;
        gd.Color = color;
        gd.Transparency = transparency;
        gd.GradientPercent = gradient;
        gd.ImagePercent = image;
        gd.BorderIndex = border;
        General.push_back(gd);
        return Skin.AddSection(paint);
    }

    std::intptr_t CommandId() const override { return 0x5151; }
    const render::SkinSource* LoadedSkin() const override { return Loaded ? &Skin : nullptr; }
    const skin::TsGeneralData* GeneralData(int i) const override {
        return Loaded && i >= 0 && i < int(General.size()) ? &General[i] : nullptr;
    }
    bool SkinActive() const override { return Active; }
    bool Destroying() const override { return Dying; }
    bool SkinChangeInProgress() const override { return Changing; }
    bool GlowingAllowed() const override { return Glowing; }
    bool ButtonEventAnimates(int e) const override { return (Events >> e) & 1; }
};

// Registers a manager as the default for one test.
struct DefaultManagerScope {
    explicit DefaultManagerScope(skin::SkinManagerView* m) { skin::SetDefaultManager(m); }
    ~DefaultManagerScope() { skin::SetDefaultManager(nullptr); }
};

class FakeOwner : public SkinOwner {
public:
    bool Control = true, Dying = false, IsLoading = false, IsCreating = false, Parent = true, ParentWindow = true,
         Windowed_ = true, Window = true, Visible_ = true, Enabled_ = true, Focus = false, Edit = false;
    TRect Bounds{10, 20, 110, 70};
    TColor Color = 0x123456, Font = 0, ParentProperty = 0xABCDEF;
    TColor ParentAnswer = 0xFFFFFF;  // what GetControlColor of the parent gives
    // The parent's answer to a background request; Kind 0 leaves the request unanswered.
    render::TsBgRequest ParentBg;
    std::intptr_t ParentStaticBg = 0, ParentPosDependent = 0, ParentBgPending = 0;
    std::vector<std::tuple<unsigned, unsigned, std::intptr_t>> ToSelf, ToChildren;
    int Invalidations = 0, HiddenGlows = 0;

    bool IsControl() const override { return Control; }
    std::string ClassName() const override { return "TsThing"; }
    bool Destroying() const override { return Dying; }
    bool Loading() const override { return IsLoading; }
    bool Creating() const override { return IsCreating; }
    bool HasParent() const override { return Parent; }
    bool ParentHasWindow() const override { return Parent && ParentWindow; }
    bool Windowed() const override { return Windowed_; }
    bool HasWindow() const override { return Window; }
    bool Visible() const override { return Visible_; }
    bool Enabled() const override { return Enabled_; }
    bool HoldsFocus() const override { return Focus; }
    bool IsEdit() const override { return Edit; }
    TRect BoundsInParent() const override { return Bounds; }
    TColor ColorProperty() const override { return Color; }
    void SetColorProperty(TColor c) override { Color = c; }
    TColor FontColor() const override { return Font; }
    void SetFontColor(TColor c) override { Font = c; }
    TColor ParentColorProperty() const override { return Parent ? ParentProperty : TransparentKey; }
    TColor ParentColor() const override { return Parent ? ParentAnswer : clBtnFaceRef; }
    bool RequestParentBackground(render::TsBgRequest& r, bool drawNow) override {
        if (!Parent) return false;
        ParentDrawNow = drawNow;
        OffsetsSeenByParent = {r.OffsetX, r.OffsetY};
        if (ParentBg.Kind == 0) return false;
        r.Kind = ParentBg.Kind;
        r.Color = ParentBg.Color;
        r.Bitmap = ParentBg.Bitmap;
        if (!drawNow) {
            r.OffsetX = ParentBg.OffsetX;
            r.OffsetY = ParentBg.OffsetY;
        }
        return true;
    }
    std::intptr_t SendToParent(unsigned command, unsigned, std::intptr_t) override {
        if (!Parent) return 0;
        switch (command) {
        case skin::SMC_STATICBG:
            return ParentStaticBg;
        case skin::SMC_ISPOSDEPENDENT:
            return ParentPosDependent;
        case skin::SMC_ISBGPENDING:
            return ParentBgPending;
        default:
            return 0;
        }
    }
    std::intptr_t SendToSelf(unsigned command, unsigned low, std::intptr_t lParam) override {
        ToSelf.emplace_back(command, low, lParam);
        return 0;
    }
    void SendToChildren(unsigned command, unsigned low, std::intptr_t lParam) override {
        ToChildren.emplace_back(command, low, lParam);
    }
    void AnnounceToForm() override {}
    void Invalidate() override { ++Invalidations; }
    void InvalidateWithChildren() override { ++Invalidations; }
    void ResetChildLabelColours() override {}
    void RedrawFrame() override {}
    void HideGlow(int) override { ++HiddenGlows; }

    bool ParentDrawNow = false;
    TPoint OffsetsSeenByParent;
};

}  // namespace lw::controls::testing
