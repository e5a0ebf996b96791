#pragma once
// The skin manager's logic without windows: where a skin comes from, loading it into a model
// built aside, the colour changes, the index cache, the colour queries and the order of the
// broadcasts. The Win32 component (TsSkinManager) supplies the seams below and the windows.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/SkinSource.h"
#include "skin/SkinManagerView.h"
#include "skin/SkinModel.h"
#include "skin/gwSkinPack.h"

namespace lw::skin {

// The files a manager looks at. Paths are UTF-8 in the platform's own syntax ("c:\Skins\x.gwz").
class SkinFiles {
public:
    virtual ~SkinFiles() = default;
    virtual bool FileExists(const std::string& path) const = 0;
    virtual bool DirectoryExists(const std::string& path) const = 0;
    // The whole file; throws SkinError with the reason when it cannot be read.
    virtual ByteBuffer ReadFile(const std::string& path) const = 0;
    struct Entry {
        std::string Name;
        bool IsDirectory = false;
    };
    virtual std::vector<Entry> List(const std::string& directory) const = 0;
    // The running program's folder, ending in a separator.
    virtual std::string ExecutableFolder() const = 0;
};

// The real files, through std::filesystem.
class DiskSkinFiles final : public SkinFiles {
public:
    bool FileExists(const std::string& path) const override;
    bool DirectoryExists(const std::string& path) const override;
    ByteBuffer ReadFile(const std::string& path) const override;
    std::vector<Entry> List(const std::string& directory) const override;
    std::string ExecutableFolder() const override;
    std::string ExeFolder;  // set by the host (the toolkit knows the executable)
};

// The manager's announcements; the windowing side sends each as its skin command
// (SMC_SKINLOADED, SMC_SKINREMOVED, SMC_STOPANIM, SMC_REFRESH).
enum class SkinBroadcast { SkinLoaded, SkinRemoved, StopAnim, Refresh };

// What the manager asks of the windowing side.
class SkinManagerHost {
public:
    virtual ~SkinManagerHost() = default;
    // The command with this manager as LParam, to every form and down its controls.
    virtual void Broadcast(SkinBroadcast what) = 0;
    // A plain message box with an OK button.
    virtual void ShowNotice(std::string_view text) = 0;
    // Hides every glow window, so none outlives the look it was made for.
    virtual void HideAllGlows() = 0;
    // Around a repaint of every form: while suspended the forms show nothing of the change,
    // and resuming draws each of them once, whole, in the new look.
    virtual void SuspendDrawing() = 0;
    virtual void ResumeDrawing() = 0;
    // The window hook through which forms and standard dialogs get skinned: put in place once
    // the default manager's skin is loaded, taken away (freeing what it attached) on removal.
    virtual void InstallFormHook() {}
    virtual void RemoveFormHook() {}
};

// Directory rules. `exeFolder` ends in a separator.
std::string ResolveSkinDirectory(std::string_view skinDirectory, std::string_view exeFolder);
// The directory as written with a trailing separator, where a packed file is looked for.
std::string PackedSkinDirectory(std::string_view skinDirectory);

struct TsStoredSkin {
    std::string Name;
    ByteBuffer Data;  // a complete packed skin
};

// Each entry -1 when not found.
struct TsScrollPartIndexes {
    int Section = -1, BorderMask = -1, GlyphMask = -1, Pattern = -1, HotPattern = -1;
};
struct TsCommonIndexes {
    int GlobalSection = -1;
    int ExBorder = -1;
    // BOXCHECKED, BOXUNCHECKED, BOXGRAYED, RADIOCHECKED, RADIOUNCHECKED, RADIOGRAYED,
    // SMALLCHECKED, SMALLUNCHECKED, SMALLGRAYED
    std::array<int, 9> CheckGlyphs{-1, -1, -1, -1, -1, -1, -1, -1, -1};
    TsScrollPartIndexes ComboBtn;  // GlyphMask unused
    int ComboGlyph = -1;
    std::array<TsScrollPartIndexes, 4> Tabs;  // TOP, BOTTOM, LEFT, RIGHT: Section and BorderMask
    // SCROLLBTNTOP, SCROLLBTNBOTTOM, SCROLLBTNLEFT, SCROLLBTNRIGHT, SCROLLSLIDERV, SCROLLSLIDERH
    std::array<TsScrollPartIndexes, 6> ScrollButtons;
    // SCROLLBAR1H, SCROLLBAR1V, SCROLLBAR2H, SCROLLBAR2V: GlyphMask unused
    std::array<TsScrollPartIndexes, 4> ScrollBars;
};

struct TsExtBorderMargins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TsExtBorderMargins&, const TsExtBorderMargins&) = default;
};

enum class TgwBtnEvent : std::uint8_t { beMouseEnter = 1, beMouseLeave = 2, beMouseDown = 4, beMouseUp = 8 };
struct TgwAnimEffects {
    std::uint8_t ButtonsEvents = 15;  // TgwBtnEvent bits; all four by default
};

// The kind of names GetSkinNames collects.
enum class TSkinNamesKind { Folders = 0, PackedFiles = 1, Both = 2 };

// "Gildwork v6.48" shown at start when any argument is "/gwver" in any case.
bool WantsVersionNotice(const std::vector<std::string>& arguments);
inline constexpr const char* kLibraryVersionText = "Gildwork v6.48";
inline constexpr const char* kSkinTooNewText =
    "This version of the skin have not complete support by used Gildwork package release.\n"
    "Components must be updated up to latest version for using this skin.";

class SkinManagerCore : public render::SkinSource, public SkinManagerView {
public:
    SkinManagerCore(SkinManagerHost& host, const SkinFiles& files);
    ~SkinManagerCore() override;
    SkinManagerCore(const SkinManagerCore&) = delete;
    SkinManagerCore& operator=(const SkinManagerCore&) = delete;

    // Properties. Setters that load throw what the load throws; the skin in use then stays.
    bool Active() const { return active_; }
    void SetActive(bool value);
    const std::string& SkinName() const { return skinName_; }
    void SetSkinName(std::string_view name);
    const std::string& SkinDirectory() const { return skinDirectory_; }
    // Sections of options text merged into every skin this manager loads (see LoadSkinModel);
    // setting them loads the current skin again.
    const std::vector<std::string>& CommonSections() const { return commonSections_; }
    void SetCommonSections(std::vector<std::string> lines);
    void SetSkinDirectory(std::string_view value);
    std::vector<TsStoredSkin> InternalSkins;
    int HueOffset() const { return hueOffset_; }
    void SetHueOffset(int value);
    int Saturation() const { return saturation_; }
    void SetSaturation(int value);
    bool ExtendedBorders() const { return extendedBorders_ && layeredWindows_; }
    void SetExtendedBorders(bool value);
    bool AllowGlowing() const { return allowGlowing_ && layeredWindows_; }
    void SetAllowGlowing(bool value) { allowGlowing_ = value; }
    bool SkinnedPopups = true;
    // Which windows the window hook skins: 1 the application's forms, 2 message boxes and the
    // other standard dialogs, 4 third-party controls.
    unsigned SkinningRules = 7;
    TgwAnimEffects AnimEffects;
    std::string SkinInfo() const;
    static std::string Version() { return "6.48"; }
    std::function<void(SkinManagerCore&)> OnBeforeChange, OnAfterChange;

    // Whether the platform offers layered windows (glows, extended borders).
    void SetLayeredWindowsAvailable(bool value) { layeredWindows_ = value; }

    // Start-up: properties are being applied (no broadcasts) until Loaded.
    void BeginReading() { reading_ = true; }
    bool Reading() const { return reading_; }
    void Loaded();

    bool IsDefault() const;
    void SetIsDefault(bool value);

    // The model and the state derived from it.
    const TsSkinModel& Model() const { return *model_; }
    const TsSkinData& GlobalInfo() const { return model_->GlobalInfo; }
    bool Packed() const { return packed_; }
    const TsCommonIndexes& CommonIndexes() const { return commonIndexes_; }
    const TsExtBorderMargins& ExtBorderMargins() const { return extBorderMargins_; }
    const render::Bitmap* ShadowImage(int which) const;  // 0 or 1; null when none
    // The images of the active and the inactive window's shadow used for extended borders when
    // a skin has no "EXBORDER"; both or none. The host keeps them for the manager's life and
    // gives them before the first skin is loaded.
    void SetBuiltInShadows(const render::Bitmap* active, const render::Bitmap* inactive);

    // Model queries, -1 when not found.
    int GetSkinIndex(std::string_view name) const override;
    int GetMaskIndex(int skinIndex, std::string_view section, std::string_view property) const override;
    int GetMaskIndexNoParent(std::string_view section, std::string_view property) const override;
    int GetTextureIndex(int skinIndex, std::string_view section, std::string_view property) const;
    int GetPatternIndex(int skinIndex, std::string_view section, std::string_view property) const override;
    TsMaskSize GetMaskSize(int maskIndex) const { return model_->GetMaskSize(maskIndex); }
    int GetMaskLeft(int maskIndex) const { return model_->GetMaskLeft(maskIndex); }
    int GetMaskTop(int maskIndex) const { return model_->GetMaskTop(maskIndex); }
    int GetMaskRight(int maskIndex) const { return model_->GetMaskRight(maskIndex); }
    int GetMaskBottom(int maskIndex) const { return model_->GetMaskBottom(maskIndex); }

    // Colours in RGB, with the fallbacks for a missing section.
    TColor GetGlobalColor() const;
    TColor GetGlobalFontColor() const;
    TColor GetGlobalHotColor() const;
    TColor GetEditHotFontColor() const;
    TColor GetHighlightColor() const;
    TColor GetHighlightTextColor() const;

    // The painters' view of the model.
    const render::SectionPaint* Section(int index) const override;
    const render::MaskRef* Mask(int index) const override;
    const render::Bitmap* PatternImage(int index) const override;
    TColor GlobalColor() const override { return GetGlobalColor(); }

    // The controls' view of this manager.
    std::intptr_t CommandId() const override { return reinterpret_cast<std::intptr_t>(this); }
    const render::SkinSource* LoadedSkin() const override;
    const TsGeneralData* GeneralData(int index) const override;
    bool SkinActive() const override { return GlobalInfo().Active; }
    bool Destroying() const override { return destroying_; }
    // From the moment a skin starts changing until the change is announced, however it ends.
    bool SkinChangeInProgress() const override { return changing_; }
    bool GlowingAllowed() const override { return AllowGlowing(); }
    bool ButtonEventAnimates(int event) const override;

    // Fills `names` and answers the first name found, before sorting ("" when none).
    std::string GetSkinNames(std::vector<std::string>& names, TSkinNamesKind kind) const;

    // The file a skin of this name is read from: its packed file or its folder's options text;
    // "" when it comes from the stored skins.
    std::string SkinSource(std::string_view name) const;
    // Names taken from the stored skins even when the skin directory holds one of that name: a
    // name whose file could not be read keeps the program's own look, on every later load too.
    std::vector<std::string> StoredOnly;

    // The broadcasts.
    void UpdateSkin(bool repaint);
    void RemoveSkin();
    void RepaintForms();

    std::string ResolvedSkinDirectory() const;

protected:
    // The skin goes while every form and control is still whole, so each of them has handled
    // SMC_SKINREMOVED before the tables are released.
    void BeginDestruction();

private:
    // Finds the skin again and builds its model aside; the model in use is replaced only once
    // the new one is complete. Active becomes false when no skin can be found.
    void Reload();
    void ReloadAndRepaint();
    // Null when no skin of any source exists; `name` becomes the name of the skin found.
    std::unique_ptr<TsSkinModel> BuildModel(std::string& name, bool& packed) const;
    void ApplyColorChanges(TsSkinModel& model) const;
    void RebuildCommonIndexes();
    void RebuildExtendedBorders();
    void RebuildPaintViews();

    SkinManagerHost& host_;
    const SkinFiles& files_;
    std::vector<std::string> commonSections_;
    std::string commonText_;  // the lines above as one text
    std::unique_ptr<TsSkinModel> model_;
    std::vector<render::SectionPaint> sectionViews_;
    std::vector<render::MaskRef> maskViews_;
    bool active_ = true;
    bool destroying_ = false;
    bool reading_ = false;
    bool changing_ = false;
    bool packed_ = false;
    bool layeredWindows_ = true;
    bool extendedBorders_ = false;
    bool allowGlowing_ = true;
    int hueOffset_ = 0;
    int saturation_ = 0;
    std::string skinName_;
    std::string skinDirectory_ = "c:\\Skins";
    TsCommonIndexes commonIndexes_;
    TsExtBorderMargins extBorderMargins_;
    std::array<std::optional<render::Bitmap>, 2> shadows_;
    std::array<const render::Bitmap*, 2> builtInShadows_{};
};

}  // namespace lw::skin
