#include "controls/base/core/CommonData.h"

#include <algorithm>

#include "controls/base/core/BorderPainting.h"
#include "controls/base/core/ControlKinds.h"
#include "render/Color.h"

namespace lw::controls {

namespace {

constexpr TColor clWindowRef = 0xFF000005;
constexpr TColor clWindowTextRef = 0xFF000008;

int ClampPercent(int t) { return std::clamp(t, 0, 100); }

// Hot colours are kept as read: a system colour stays a negative number.
TColor HotColorOf(const skin::TsGeneralData& gd) { return static_cast<TColor>(gd.HotColor); }

bool IsPanelKind(int kind) { return kind == 51 || kind == 52 || kind == 58 || kind == 59 || kind == 68 || kind == 73; }

}  // namespace

TColor MixTransparentColor(TColor c, TColor p, int t) {
    auto channel = [t](int cc, int pc) { return std::clamp((t * (pc - cc) + cc * 256) >> 8, 0, 255); };
    return MakeColor(static_cast<std::uint8_t>(channel(RedOf(c), RedOf(p))),
                     static_cast<std::uint8_t>(channel(GreenOf(c), GreenOf(p))),
                     static_cast<std::uint8_t>(channel(BlueOf(c), BlueOf(p))));
}

TsCommonData::TsCommonData(SkinOwner& owner, bool withCache) : owner_(owner) {
    if (withCache) CacheBmp = std::make_unique<render::Bitmap>();
}

TsCommonData::~TsCommonData() {
    if (GlowId >= 0) owner_.HideGlow(GlowId);
}

// --- properties -------------------------------------------------------------------------------

void TsCommonData::SetCustomColor(bool value) {
    if (value == customColor_) return;
    customColor_ = value;
    if (Skinned() && owner_.IsEdit() && !owner_.Loading()) {
        TakeSectionColours();
        InvalidateSkin();
    }
}

void TsCommonData::SetCustomFont(bool value) {
    if (value == customFont_) return;
    customFont_ = value;
    InvalidateSkin();
}

bool TsCommonData::CanAnnounce() const { return !owner_.Loading() && !owner_.Destroying() && owner_.HasParent(); }

void TsCommonData::SetSkinSection(std::string_view name) {
    std::string value = name.empty() ? std::string("UNKNOWN") : UpperCaseAscii(name);
    if (value == skinSection_) return;
    skinSection_ = std::move(value);
    skin::SkinManagerView* manager = GetSkinManager();
    if (manager == nullptr || manager->LoadedSkin() == nullptr)
        SkinIndex = -1;
    else
        UpdateIndexes();
    if (!CanAnnounce()) return;
    const bool valid = manager != nullptr && manager->GeneralData(SkinIndex) != nullptr;
    owner_.SendToSelf(valid ? skin::SMC_REFRESH : skin::SMC_SKINREMOVED, 0,
                      manager != nullptr ? manager->CommandId() : 0);
}

void TsCommonData::SetSkinManager(skin::SkinManagerView* manager) {
    if (manager == skin::DefaultManager()) manager = nullptr;  // the default is followed implicitly
    if (manager == skinManager_) return;
    skinManager_ = manager;
    if (owner_.Loading()) return;
    skin::SkinManagerView* current = GetSkinManager();
    const bool loaded = current != nullptr && current->LoadedSkin() != nullptr;
    if (loaded)
        UpdateIndexes();
    else
        SkinIndex = -1;
    if (!owner_.HasParent() || owner_.Destroying()) return;
    const bool valid = loaded && current->GeneralData(SkinIndex) != nullptr;
    owner_.SendToSelf(valid ? skin::SMC_REFRESH : skin::SMC_SKINREMOVED, 0,
                      current != nullptr ? current->CommandId() : 0);
}

// --- queries ----------------------------------------------------------------------------------

skin::SkinManagerView* TsCommonData::GetSkinManager() const {
    return skinManager_ != nullptr ? skinManager_ : skin::DefaultManager();
}

const skin::TsGeneralData* TsCommonData::Section() const {
    const skin::SkinManagerView* manager = GetSkinManager();
    return manager != nullptr && SkinIndex >= 0 ? manager->GeneralData(SkinIndex) : nullptr;
}

const render::MaskRef* TsCommonData::BorderMask() const {
    const skin::SkinManagerView* manager = GetSkinManager();
    if (manager == nullptr || BorderIndex < 0 || Section() == nullptr) return nullptr;
    const render::SkinSource* skin = manager->LoadedSkin();
    return skin != nullptr ? skin->Mask(BorderIndex) : nullptr;
}

bool TsCommonData::Skinned(bool checkActive) const {
    const skin::SkinManagerView* manager = GetSkinManager();
    if (manager == nullptr || SkinIndex < 0 || owner_.Destroying() || manager->Destroying()) return false;
    if (manager->LoadedSkin() == nullptr || manager->GeneralData(SkinIndex) == nullptr) return false;
    return !checkActive || manager->SkinActive();
}

bool TsCommonData::IsTransparent() const {
    const skin::TsGeneralData* gd = Section();
    return gd != nullptr && gd->Transparency > 0;
}

int TsCommonData::BorderWidth() const {
    const render::MaskRef* mask = BorderMask();
    if (mask == nullptr || (mask->StretchMode & 2) != 0) return 0;
    return std::max({mask->WL, mask->WT, mask->WR, mask->WB});
}

void TsCommonData::EnsureCache() {
    const TRect b = owner_.BoundsInParent();
    const int w = std::max(0, b.Width()), h = std::max(0, b.Height());
    if (CacheBmp && CacheBmp->Width() == w && CacheBmp->Height() == h &&
        CacheBmp->Format() == render::PixelFormat::pf24bit && (w == 0 || h == 0 || !CacheBmp->Empty()))
        return;
    CacheBmp = std::make_unique<render::Bitmap>(render::CreateBmp24(w, h));
}

render::ControlSkinRef TsCommonData::PaintRef() const {
    const skin::SkinManagerView* manager = GetSkinManager();
    render::ControlSkinRef ref;
    ref.Manager = manager != nullptr ? manager->LoadedSkin() : nullptr;
    ref.SkinIndex = Section() != nullptr ? SkinIndex : -1;
    ref.SkinSection = skinSection_;
    ref.BorderIndex = BorderMask() != nullptr ? BorderIndex : -1;
    ref.Texture = Texture;
    ref.HotTexture = HotTexture;
    ref.CustomColor = customColor_;
    ref.OwnerColor = render::ResolveColor(OwnerColor());
    return ref;
}

// --- behaviour --------------------------------------------------------------------------------

void TsCommonData::UpdateIndexes() {
    MarkStale();
    const skin::SkinManagerView* manager = GetSkinManager();
    const render::SkinSource* skin = manager != nullptr ? manager->LoadedSkin() : nullptr;
    SkinIndex = skin != nullptr ? skin->GetSkinIndex(skinSection_) : -1;
    stateFlags_ = 0;
    const skin::TsGeneralData* gd = Section();
    if (gd == nullptr) {
        SkinIndex = -1;
        BorderIndex = Texture = HotTexture = -1;
        return;
    }
    BorderIndex = gd->BorderIndex;
    Texture = skin->GetPatternIndex(SkinIndex, skinSection_, "PATTERN");
    HotTexture = skin->GetPatternIndex(SkinIndex, skinSection_, "HOTPATTERN");
    UpdateStaticFlag(false);
}

void TsCommonData::TakeSectionColours() {
    const skin::TsGeneralData* gd = Section();
    if (gd == nullptr) return;
    if (!customColor_ && owner_.ColorProperty() != gd->Color) owner_.SetColorProperty(gd->Color);
    const TColor font = static_cast<TColor>(gd->FontColor[0]);
    if (!customFont_ && owner_.FontColor() != font) owner_.SetFontColor(font);
}

void TsCommonData::ControlLoaded() {
    if (skinSection_.empty())
        SetSkinSection(DefaultSectionOfKind(ControlKind, owner_.ClassName()));
    else
        UpdateIndexes();
    if (!Skinned() || !owner_.HasParent() || owner_.Loading()) return;
    if (owner_.Windowed()) owner_.AnnounceToForm();
    if (owner_.IsEdit() || ControlKind == ckListBox) TakeSectionColours();
}

void TsCommonData::InvalidateSkin() {
    if (owner_.Destroying() || owner_.Loading()) return;
    MarkStale();
    if (!owner_.Creating() && owner_.HasParent() && (!owner_.Windowed() || owner_.HasWindow())) owner_.Invalidate();
}

bool TsCommonData::IsUpdating() const {
    if (GetSkinManager() == nullptr) return false;
    if (!UsesCache() || owner_.Destroying()) return updating_;
    if (!updating_ && owner_.HasParent()) return owner_.SendToParent(skin::SMC_ISBGPENDING, 0, 0) != 0;
    return true;
}

bool TsCommonData::UsesCache() const { return (stateFlags_ & StaticBackground) == 0 || IsActive(); }

bool TsCommonData::IsActive() const {
    if (!owner_.IsControl() || owner_.Destroying() || !owner_.Enabled()) return false;
    if (focused_ || (owner_.Windowed() && owner_.HoldsFocus())) return true;
    return mouseInside_ && !IsContainerKind(ControlKind);
}

void TsCommonData::UpdateStaticFlag(bool propagate) {
    stateFlags_ &= static_cast<std::uint16_t>(~StaticBackground);
    if (!owner_.IsControl() || IsPanelKind(ControlKind)) {
        bool isStatic;
        const skin::TsGeneralData* gd = Section();
        const render::MaskRef* mask = BorderMask();
        if (GetSkinManager() == nullptr || gd == nullptr)
            isStatic = true;
        else if (mask != nullptr && (mask->WL + mask->WR > 30 || mask->WT + mask->WB > 30))
            isStatic = false;
        else if (gd->Transparency == 100)
            isStatic = owner_.HasParent() && (owner_.SendToParent(skin::SMC_STATICBG, 0, 0) & 1) != 0;
        else if (gd->Transparency > 0)
            isStatic = false;
        else
            isStatic = gd->ImagePercent == 0 && gd->GradientPercent == 0;
        if (isStatic) stateFlags_ |= StaticBackground;
    }
    if (propagate && owner_.Windowed()) owner_.SendToChildren(skin::SMC_STATICBG, 0, 1);
}

bool TsCommonData::RepaintIfMoved() const {
    if (!Skinned() || (!owner_.Windowed() && !owner_.Visible()) || owner_.Creating()) return true;
    const skin::TsGeneralData* gd = Section();
    if (gd == nullptr) return false;
    const bool dependsOnBehind = !owner_.Enabled() || gd->Transparency > 0;
    if (!dependsOnBehind) return false;
    if (owner_.ParentHasWindow()) return owner_.SendToParent(skin::SMC_ISPOSDEPENDENT, 0, 0) != 0;
    return true;
}

TColor TsCommonData::OwnerColor() const { return owner_.ColorProperty(); }

TColor TsCommonData::SectionColor(bool hot) const {
    const skin::TsGeneralData* gd = Skinned() ? Section() : nullptr;
    if (gd != nullptr) {
        const int t = ClampPercent(hot ? gd->HotTransparency : gd->Transparency);
        const TColor c = hot ? HotColorOf(*gd) : gd->Color;
        if (t == 100) return owner_.HasParent() ? owner_.ParentColor() : clBtnFaceRef;
        if (t > 0) {
            if (!owner_.IsControl()) return 0;
            // T per cent of what lies behind shows through, as in the background colour answer:
            // the look runs smoothly from the section's colour at 0 to the parent's at 100.
            return render::MixColors(owner_.ParentColor(), render::ResolveColor(c), t / 100.0);
        }
        if (!customColor_) return c;
    }
    return OwnerColor();
}

TColor TsCommonData::BackgroundColorAnswer() const {
    const skin::TsGeneralData* gd = Skinned() ? Section() : nullptr;
    if (gd == nullptr) return render::ResolveColor(owner_.ColorProperty());
    const int t = ClampPercent(gd->Transparency);
    if (t == 0) return gd->Color;
    if (!owner_.HasParent()) return render::ResolveColor(owner_.ColorProperty());
    const TColor parent = owner_.ParentColor();
    if (t == 100) return parent == TransparentKey ? owner_.ParentColorProperty() : parent;
    return MixTransparentColor(render::ResolveColor(gd->Color), parent, t);
}

namespace {

TColor GlobalColorOfDefault() {
    const skin::SkinManagerView* manager = skin::DefaultManager();
    const render::SkinSource* skin = manager != nullptr ? manager->LoadedSkin() : nullptr;
    return skin != nullptr ? skin->GlobalColor() : clBtnFaceRef;
}

}  // namespace

void TsCommonData::AnswerBgRequest(render::TsBgRequest& request, bool hot) {
    const skin::TsGeneralData* gd = Skinned() ? Section() : nullptr;
    if (gd == nullptr || customColor_) {
        request.Kind = 1;
        request.Color = OwnerColor();
        return;
    }
    const int t = ClampPercent(hot ? gd->HotTransparency : gd->Transparency);
    const int g = hot ? gd->HotGradientPercent : gd->GradientPercent;
    const int i = hot ? gd->HotImagePercent : gd->ImagePercent;
    if (t == 0 && g < 1 && i < 1) {
        request.Kind = 1;
        request.Bitmap = CacheBmp.get();
        request.Color = SectionColor(hot);
        if (request.DrawNow && request.Target != nullptr)
            render::FillRectSolid(*request.Target, request.Area, render::ResolveColor(request.Color));
        return;
    }
    const render::MaskRef* mask = BorderMask();
    const bool smallBorder = mask == nullptr || (mask->WL + mask->WR < 25 && mask->WT + mask->WB < 25);
    if (t == 100 && smallBorder) {
        if (owner_.HasParent()) {
            // A draw request paints at the offsets it carries, so the position goes in first.
            const TRect b = owner_.BoundsInParent();
            if (request.DrawNow) {
                request.OffsetX += b.Left;
                request.OffsetY += b.Top;
            }
            const bool drawNow = request.DrawNow;
            owner_.RequestParentBackground(request, drawNow);
            if (!drawNow && request.Kind == 2) {
                request.OffsetX += b.Left;
                request.OffsetY += b.Top;
            }
        } else {
            request.Kind = 1;
            request.Color = GlobalColorOfDefault();
        }
        return;
    }
    if (t == 100 && !CacheBmp) {
        request.Kind = 1;
        request.Color = owner_.HasParent() ? owner_.ParentColor() : GlobalColorOfDefault();
        return;
    }
    if (!CacheBmp) {
        request.Kind = 1;
        request.Color = TransparentKey;
        return;
    }
    request.Kind = 2;
    if (request.DrawNow && request.Target != nullptr) {
        request.Target->Copy({request.Area.Left, request.Area.Top}, *CacheBmp,
                             RectOfSize(request.OffsetX, request.OffsetY, request.Area.Width(), request.Area.Height()));
    } else {
        request.Bitmap = CacheBmp.get();
        request.OffsetX = request.OffsetY = 0;
    }
}

render::TsCacheInfo TsCommonData::ParentCacheInfo() {
    if (Skinned() && owner_.HasParent()) {
        render::TsBgRequest request;
        owner_.RequestParentBackground(request, false);
        return render::BgRequestToCacheInfo(request);
    }
    return render::CacheInfoFromColor(render::ResolveColor(SectionColor(false)));
}

void TsCommonData::RestoreCorners(int state, int corners) {
    const render::MaskRef* mask = BorderMask();
    const TRect b = owner_.BoundsInParent();
    if (GetSkinManager() == nullptr || mask == nullptr || !CacheBmp || CacheBmp->Empty() || b.Width() <= 1 ||
        b.Height() <= 1)
        return;
    render::TsCacheInfo background = render::CacheInfoFromColor(render::ResolveColor(SectionColor(false)));
    if (owner_.HasParent()) {
        render::TsBgRequest request;
        owner_.RequestParentBackground(request, false);
        background = render::BgRequestToCacheInfo(request);
        if (background.Ready) {
            background.X += b.Left;
            background.Y += b.Top;
        }
    }
    RestoreMaskCorners(*CacheBmp, *mask, state, corners, background);
}

// --- shared skin commands -----------------------------------------------------------------------

bool TsCommonData::ManagesThis(std::intptr_t lParam) const {
    const skin::SkinManagerView* manager = GetSkinManager();
    return manager != nullptr && manager->CommandId() == lParam;
}

void TsCommonData::SkinRemoved(std::intptr_t) {
    skin::SkinManagerView* manager = GetSkinManager();
    if (manager != nullptr && manager->Destroying() && skinManager_ == manager) skinManager_ = nullptr;
    BorderIndex = SkinIndex = Texture = HotTexture = -1;
    BeginUpdate();
    if (CacheBmp) *CacheBmp = render::Bitmap();
    if (owner_.IsEdit()) {
        if (!customColor_) owner_.SetColorProperty(clWindowRef);
        if (!customFont_) owner_.SetFontColor(clWindowTextRef);
        owner_.RedrawFrame();
    } else if (owner_.Windowed()) {
        owner_.ResetChildLabelColours();
    }
}

bool TsCommonData::HandleSkinCommand(skin::SkinMessage& m) {
    switch (m.Command) {
    case skin::SMC_SKINLOADED:
        if (ManagesThis(m.LParam)) {
            UpdateIndexes();
            UpdateStaticFlag(false);
        }
        return false;
    case skin::SMC_SKINREMOVED:
        if (ManagesThis(m.LParam)) SkinRemoved(m.LParam);
        return false;
    case skin::SMC_REFRESH:
        if (ManagesThis(m.LParam)) {
            MarkStale();
            EndUpdate();
            if (Skinned() && owner_.IsEdit()) {
                TakeSectionColours();
                owner_.RedrawFrame();
            }
            UpdateStaticFlag(false);
        }
        return false;
    case skin::SMC_ISSKINNED:
        m.Result = 1;
        return true;
    case skin::SMC_SETUPDATING:
        updating_ = m.Low == 1;
        return false;
    case skin::SMC_ISBGPENDING:
        m.Result = (bgChanged_ || updating_) ? 1 : 0;
        return true;
    case skin::SMC_ISHALFVISIBLE:
        m.Result = halfVisible_ ? 1 : 0;
        return true;
    case skin::SMC_BGCHANGED:
        MarkStale();
        return false;
    case skin::SMC_ISPOSDEPENDENT: {
        const skin::TsGeneralData* gd = Section();
        if (SkinIndex < 0 || gd == nullptr) return false;
        std::intptr_t answer;
        if (gd->Transparency == 100 && owner_.HasParent())
            answer = owner_.SendToParent(skin::SMC_ISPOSDEPENDENT, 0, 0);
        else
            answer = (gd->GradientPercent + gd->ImagePercent > 0 || RepaintIfMoved()) ? 1 : 0;
        m.LParam = m.Result = answer;
        return true;
    }
    case skin::SMC_BGMOVED:
        bgChanged_ = bgChanged_ || RepaintIfMoved();
        if (owner_.Windowed()) {
            if (m.Low == 1) owner_.InvalidateWithChildren();
            if ((stateFlags_ & StaticBackground) == 0) owner_.SendToChildren(skin::SMC_BGMOVED, 0, 0);
        }
        return false;
    case skin::SMC_GETBGCOLOR:
        if (!owner_.IsControl()) return false;
        m.Result = static_cast<std::intptr_t>(BackgroundColorAnswer());
        return true;
    case skin::SMC_SETHALFVISIBLE:
        halfVisible_ = true;
        return false;
    case skin::SMC_GETSKININDEX:
        m.Result = SkinIndex + 1;
        return true;
    case skin::SMC_GETBG:
        if (m.LParam != 0) AnswerBgRequest(*reinterpret_cast<render::TsBgRequest*>(m.LParam), false);
        return false;
    case skin::SMC_STATICBG:
        if (m.LParam == 1)
            UpdateStaticFlag(true);
        else
            m.Result = stateFlags_;
        return true;
    default:
        return false;
    }
}

}  // namespace lw::controls
