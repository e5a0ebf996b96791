#pragma once
// The skin binding every skinned control owns and publishes as SkinData: which manager and
// section it paints from, its off-screen cache and the flags that say when the cache is stale,
// its mouse and focus state, and the answers to the skin commands every control gives alike.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "skin/SkinProtocol.h"
#include "skin/SkinManagerView.h"
#include "controls/base/core/SkinOwner.h"
#include "render/Background.h"
#include "render/Bitmap.h"
#include "render/CacheInfo.h"

namespace lw::controls {

// Bit 0 of StateFlags: the background does not depend on where the control sits.
constexpr std::uint16_t StaticBackground = 1;

// The platform's button-face system colour: the last fallback of colour answers.
constexpr TColor clBtnFaceRef = 0xFF00000F;

class TsCommonData {
public:
    // With `withCache` an empty 24-bit cache bitmap exists from the start.
    TsCommonData(SkinOwner& owner, bool withCache);
    ~TsCommonData();
    TsCommonData(const TsCommonData&) = delete;
    TsCommonData& operator=(const TsCommonData&) = delete;

    // Published properties.
    bool CustomColor() const { return customColor_; }
    void SetCustomColor(bool value);
    bool CustomFont() const { return customFont_; }
    void SetCustomFont(bool value);
    // None means: follow the default manager.
    skin::SkinManagerView* SkinManager() const { return skinManager_; }
    void SetSkinManager(skin::SkinManagerView* manager);
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(std::string_view name);

    // Run-time state.
    int GlowId = -1;
    int SkinIndex = -1;
    int BorderIndex = -1;
    int Texture = -1;
    int HotTexture = -1;
    std::unique_ptr<render::Bitmap> CacheBmp;
    int ControlKind = 0;

    // Updating: what lies behind is not finished, so the control shows nothing yet.
    bool Updating() const { return updating_; }
    void BeginUpdate() { updating_ = true; }
    // True when an update was running.
    bool EndUpdate() { return std::exchange(updating_, false); }
    // Takes IsUpdating's answer as the control's own and returns it.
    bool RefreshUpdating() {
        updating_ = IsUpdating();
        return updating_;
    }
    // The cache no longer shows the control as it looks now.
    bool BGChanged() const { return bgChanged_; }
    void MarkStale() { bgChanged_ = true; }
    void MarkFresh() { bgChanged_ = false; }
    // Part of the control lies outside its parent's client area.
    bool HalfVisible() const { return halfVisible_; }
    void SetHalfVisible(bool value) { halfVisible_ = value; }
    bool Focused() const { return focused_; }
    void SetFocused(bool value) { focused_ = value; }
    bool MouseInside() const { return mouseInside_; }
    void SetMouseInside(bool value) { mouseInside_ = value; }
    // Neither focused nor under the mouse any more.
    void ForgetActivity() { focused_ = mouseInside_ = false; }
    std::uint16_t StateFlags() const { return stateFlags_; }

    SkinOwner& Owner() const { return owner_; }

    // Queries.
    skin::SkinManagerView* GetSkinManager() const;
    bool Skinned(bool checkActive = false) const;
    bool IsTransparent() const;
    int BorderWidth() const;
    void EnsureCache();
    // The section's record and border mask when SkinIndex is valid in the current skin.
    const skin::TsGeneralData* Section() const;
    const render::MaskRef* BorderMask() const;
    // The painters' view of this binding.
    render::ControlSkinRef PaintRef() const;

    // Behaviour.
    void UpdateIndexes();
    void ControlLoaded();
    void InvalidateSkin();
    bool IsUpdating() const;
    bool UsesCache() const;
    bool IsActive() const;
    void UpdateStaticFlag(bool propagate);
    bool RepaintIfMoved() const;
    TColor SectionColor(bool hot) const;
    TColor OwnerColor() const;
    // SMC_GETBGCOLOR's answer.
    TColor BackgroundColorAnswer() const;
    void AnswerBgRequest(render::TsBgRequest& request, bool hot);
    render::TsCacheInfo ParentCacheInfo();
    // Gives the border corners of the cache back to the parent's background.
    void RestoreCorners(int state, int corners);

    // The shared skin commands; true when the command is fully handled.
    bool HandleSkinCommand(skin::SkinMessage& message);

private:
    bool CanAnnounce() const;
    bool ManagesThis(std::intptr_t lParam) const;
    void SkinRemoved(std::intptr_t lParam);
    void TakeSectionColours();

    SkinOwner& owner_;
    bool customColor_ = false;
    bool customFont_ = false;
    skin::SkinManagerView* skinManager_ = nullptr;
    std::string skinSection_;
    bool updating_ = false;
    bool bgChanged_ = true;
    bool halfVisible_ = true;
    bool focused_ = false;
    bool mouseInside_ = false;
    std::uint16_t stateFlags_ = 0;
};

// Section colour T per cent transparent over the parent colour p, per channel in integer
// arithmetic with T as a fraction of 256: (T*(p - c) + c*256) >> 8, clamped to 0..255.
TColor MixTransparentColor(TColor c, TColor p, int t);

}  // namespace lw::controls
