#include "skin/SkinManagerCore.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "render/Color.h"
#include "skin/ImageDecoders.h"
#include "skin/PackedSkinLoader.h"
#include "skin/SkinError.h"
#include "skin/SkinImageSource.h"
#include "skin/SkinText.h"

namespace lw::skin {

namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";
constexpr int kSysBtnFace = 15, kSysWindow = 5, kSysHighlight = 13, kSysHighlightText = 14;
constexpr std::int32_t kNone = -1, kWhite = 16777215, kMagenta = 16711935;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string WithSeparator(std::string path) {
    if (path.empty() || !IsSeparator(path.back())) path += '\\';
    return path;
}

// Set for the whole of a skin change, and cleared however it ends.
class SkinChangeScope {
public:
    explicit SkinChangeScope(bool& changing) : changing_(changing) { changing_ = true; }
    ~SkinChangeScope() { changing_ = false; }
    SkinChangeScope(const SkinChangeScope&) = delete;
    SkinChangeScope& operator=(const SkinChangeScope&) = delete;

private:
    bool& changing_;
};

// The images of a skin folder, read through the manager's files.
class FilesImageSource final : public SkinImageSource {
public:
    FilesImageSource(const SkinFiles& files, std::string folder) : files_(files), folder_(std::move(folder)) {}
    std::optional<std::span<const std::uint8_t>> Find(const std::string& name) const override {
        const std::string path = name.find(':') != std::string::npos ? name : folder_ + name;
        if (!files_.FileExists(path)) return std::nullopt;
        try {
            last_ = files_.ReadFile(path);
        } catch (const SkinError&) {
            return std::nullopt;  // an unreadable image counts as missing, as an undecodable one does
        }
        return std::span<const std::uint8_t>(last_);
    }

private:
    const SkinFiles& files_;
    std::string folder_;
    mutable ByteBuffer last_;
};

SystemColorTable CurrentSystemColors() {
    SystemColorTable table;
    for (std::size_t i = 0; i < table.Colors.size(); ++i)
        table.Colors[i] = render::ResolveColor(0xFF000000u | static_cast<TColor>(i));
    return table;
}

TColor SystemRgb(int index) { return render::ResolveColor(0xFF000000u | static_cast<TColor>(index)); }

// A skin colour field: -1 means none and magenta means no colour; both are left alone, and a
// system colour is resolved before it is changed.
template <class Change>
void ChangeField(std::int32_t& field, Change change) {
    if (field == kNone || field == kMagenta) return;
    field = static_cast<std::int32_t>(change(render::ResolveColor(static_cast<TColor>(field))));
}

template <class Change>
void ChangePixels(render::Bitmap& bmp, Change change) {
    const int bpp = bmp.BytesPerPixel();
    for (int y = 0; y < bmp.Height(); ++y) {
        std::uint8_t* p = bmp.Row(y);
        for (int x = 0; x < bmp.Width(); ++x, p += bpp) {
            const std::uint8_t b = p[0], g = p[1], r = p[2];
            if (r == g && g == b) continue;
            const TColor c = MakeColor(r, g, b);
            if (c == TransparentKey) continue;
            const TColor n = change(c);
            p[0] = BlueOf(n);
            p[1] = GreenOf(n);
            p[2] = RedOf(n);
        }
    }
}

// A rectangle of a bitmap as a new 32-bit image (opaque when the source has no alpha).
render::Bitmap CopyArea32(const render::Bitmap& src, const TRect& area) {
    const TRect r = Intersect(area, src.Bounds());
    render::Bitmap out(r.Width(), r.Height(), render::PixelFormat::pf32bit);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            const std::uint8_t* s = src.Pixel(r.Left + x, r.Top + y);
            std::uint8_t* d = out.Pixel(x, y);
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            d[3] = src.Format() == render::PixelFormat::pf32bit ? s[3] : 255;
        }
    return out;
}

void CopyBack(render::Bitmap& dst, const render::Bitmap& saved, TPoint at) {
    const std::size_t bytes = static_cast<std::size_t>(saved.Width() * saved.BytesPerPixel());
    for (int y = 0; y < saved.Height(); ++y) std::memcpy(dst.Pixel(at.X, at.Y + y), saved.Row(y), bytes);
}

render::TsGradArray ToPaint(const TsGradArray& a) {
    render::TsGradArray out;
    out.reserve(a.size());
    for (const TsGradSegment& s : a) out.push_back({s.Color1, s.Color2, s.Percent, s.Mode});
    return out;
}

std::array<TColor, 5> ToPaint(const std::array<std::int32_t, 5>& a) {
    std::array<TColor, 5> out{};
    for (std::size_t i = 0; i < a.size(); ++i)
        out[i] = a[i] == kNone ? 0xFFFFFFFFu : render::ResolveColor(TColor(a[i]));
    return out;
}

}  // namespace

std::string ResolveSkinDirectory(std::string_view dir, std::string_view exeFolder) {
    const std::string exe = WithSeparator(std::string(exeFolder));
    if (dir.starts_with("..")) {
        std::string parent = exe.substr(0, exe.size() - 1);
        const std::size_t cut = parent.find_last_of("\\/");
        parent = cut == std::string::npos ? std::string() : parent.substr(0, cut + 1);
        return parent + std::string(dir.size() > 3 ? dir.substr(3) : std::string_view());
    }
    if (dir.starts_with(".\\") || dir.starts_with("./")) return exe + std::string(dir.substr(2));
    if (dir.find(':') == std::string_view::npos && dir.find('\\') == std::string_view::npos)
        return exe + std::string(dir);
    return std::string(dir);
}

std::string PackedSkinDirectory(std::string_view dir) {
    std::string d(dir);
    if (!d.empty() && d.back() == '/') {
        d.back() = '\\';
        return d;
    }
    if (d.size() == 1) return d + ":\\";
    if (d.empty() || d.back() != '\\') d += '\\';
    return d;
}

bool WantsVersionNotice(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) { return SameText(a, "/gwver"); });
}

SkinManagerCore::SkinManagerCore(SkinManagerHost& host, const SkinFiles& files)
    : host_(host), files_(files), model_(std::make_unique<TsSkinModel>()) {
    if (DefaultManager() == nullptr) SetDefaultManager(this);
}

SkinManagerCore::~SkinManagerCore() {
    if (IsDefault()) SetDefaultManager(nullptr);
}

void SkinManagerCore::BeginDestruction() {
    destroying_ = true;
    SetActive(false);
}

const render::SkinSource* SkinManagerCore::LoadedSkin() const {
    // Loaded even while the change is still being announced (GlobalInfo().Active false then),
    // so that controls can look their sections up on SMC_SKINLOADED.
    return model_->Sections.empty() ? nullptr : this;
}

const TsGeneralData* SkinManagerCore::GeneralData(int index) const {
    const auto& sections = model_->Sections;
    return index >= 0 && index < static_cast<int>(sections.size()) ? &sections[static_cast<std::size_t>(index)]
                                                                   : nullptr;
}

void SkinManagerCore::SetBuiltInShadows(const render::Bitmap* active, const render::Bitmap* inactive) {
    builtInShadows_ = {active, inactive};
}

bool SkinManagerCore::ButtonEventAnimates(int event) const {
    return event >= 0 && event < 4 && (AnimEffects.ButtonsEvents & (1u << event)) != 0;
}

void SkinManagerCore::SetActive(bool value) {
    active_ = value;
    if (value) {
        SetSkinName(skinName_);
        return;
    }
    if (!reading_) RemoveSkin();
    RebuildCommonIndexes();
    RebuildExtendedBorders();
}

void SkinManagerCore::SetSkinName(std::string_view name) {
    const std::string previous = skinName_;
    skinName_ = name;
    if (!active_) return;
    if (OnBeforeChange) OnBeforeChange(*this);
    {
        SkinChangeScope changing(changing_);
        const bool wasUsable = model_->GlobalInfo.Active;
        model_->GlobalInfo.Active = false;
        try {
            Reload();
        } catch (...) {
            // The skin in use stays, under its own name.
            skinName_ = previous;
            model_->GlobalInfo.Active = wasUsable;
            throw;
        }
        if (!active_)
            RemoveSkin();
        else
            UpdateSkin(true);
    }
    if (OnAfterChange) OnAfterChange(*this);
}

void SkinManagerCore::SetSkinDirectory(std::string_view value) { skinDirectory_ = value; }

void SkinManagerCore::SetCommonSections(std::vector<std::string> lines) {
    // Blanks go from every line but comments, so "COLOR = 1" and "COLOR=1" read alike.
    commonText_.clear();
    for (std::string& line : lines) {
        if (!line.starts_with(';')) std::erase_if(line, [](char c) { return c == ' ' || c == '\t'; });
        commonText_ += line;
        commonText_ += '\n';
    }
    commonSections_ = std::move(lines);
    SetSkinName(std::string(skinName_));
}

void SkinManagerCore::SetHueOffset(int value) {
    if (value == hueOffset_) return;
    hueOffset_ = value;
    ReloadAndRepaint();
}

void SkinManagerCore::SetSaturation(int value) {
    if (value == saturation_) return;
    saturation_ = value;
    ReloadAndRepaint();
}

void SkinManagerCore::SetExtendedBorders(bool value) {
    if (value == extendedBorders_) return;
    extendedBorders_ = value;
    ReloadAndRepaint();
}

void SkinManagerCore::ReloadAndRepaint() {
    if (!model_->GlobalInfo.Active) return;
    {
        SkinChangeScope changing(changing_);
        model_->GlobalInfo.Active = false;
        try {
            Reload();
        } catch (...) {
            model_->GlobalInfo.Active = true;
            throw;
        }
        if (!active_) {
            RemoveSkin();
            return;
        }
        model_->GlobalInfo.Active = true;
    }
    if (!reading_) RepaintForms();
}

std::string SkinManagerCore::ResolvedSkinDirectory() const {
    return ResolveSkinDirectory(skinDirectory_, files_.ExecutableFolder());
}

void SkinManagerCore::Reload() {
    std::string name = skinName_;
    bool packed = false;
    std::unique_ptr<TsSkinModel> model = BuildModel(name, packed);
    if (!model) {
        active_ = false;
        return;
    }
    skinName_ = std::move(name);
    packed_ = packed;
    model->GlobalInfo.Active = false;
    model_ = std::move(model);
    RebuildPaintViews();
    RebuildCommonIndexes();
    RebuildExtendedBorders();
}

std::unique_ptr<TsSkinModel> SkinManagerCore::BuildModel(std::string& name, bool& packed) const {
    const SystemColorTable colors = CurrentSystemColors();
    auto model = std::make_unique<TsSkinModel>();
    const std::string resolved = ResolvedSkinDirectory();
    const std::string source = SkinSource(name);
    if (source.ends_with(".gwz")) {
        packed = true;
        const ByteBuffer bytes = files_.ReadFile(source);
        model->GlobalInfo.SkinFolder = WithSeparator(resolved);
        LoadPackedSkinModel(bytes, *model, colors, commonText_);
    } else if (!source.empty()) {
        packed = false;
        const std::string folder = WithSeparator(WithSeparator(resolved) + name);
        const ByteBuffer text = files_.ReadFile(source);
        model->GlobalInfo.SkinFolder = folder;
        model->LoadSkinModel(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), commonText_,
                             FilesImageSource(files_, folder), colors);
    } else {
        if (InternalSkins.empty()) return nullptr;
        auto stored = std::find_if(InternalSkins.begin(), InternalSkins.end(),
                                   [&](const TsStoredSkin& s) { return s.Name == name; });
        if (stored == InternalSkins.end()) stored = InternalSkins.begin();
        if (stored->Data.empty()) throw SkinError("The stored skin \"" + stored->Name + "\" holds no data");
        name = stored->Name;
        packed = true;
        LoadPackedSkinModel(stored->Data, *model, colors, commonText_);
    }
    if (model->GlobalInfo.Version > 255) host_.ShowNotice(kSkinTooNewText);
    ApplyColorChanges(*model);
    return model;
}

void SkinManagerCore::ApplyColorChanges(TsSkinModel& model) const {
    const auto changeAll = [&model](auto change, const std::vector<std::string_view>& keep) {
        std::vector<const TsMaskData*> keptOwn;
        struct Saved {
            TPoint At;
            render::Bitmap Pixels;
        };
        std::vector<Saved> keptMaster;
        for (std::string_view key : keep) {
            const int index = model.GetMaskIndexNoParent(kGlobalInfo, key);
            if (index < 0) continue;
            const TsMaskData& m = model.Masks[static_cast<std::size_t>(index)];
            if (m.Bmp) {
                keptOwn.push_back(&m);
            } else if (model.MasterBitmap) {
                const TRect r = Intersect(m.R, model.MasterBitmap->Bounds());
                if (r.IsEmpty()) continue;
                render::Bitmap saved(r.Width(), r.Height(), model.MasterBitmap->Format());
                const std::size_t bytes = static_cast<std::size_t>(r.Width() * saved.BytesPerPixel());
                for (int y = 0; y < r.Height(); ++y)
                    std::memcpy(saved.Row(y), model.MasterBitmap->Pixel(r.Left, r.Top + y), bytes);
                keptMaster.push_back({{r.Left, r.Top}, std::move(saved)});
            }
        }
        if (model.MasterBitmap) ChangePixels(*model.MasterBitmap, change);
        for (const Saved& s : keptMaster) CopyBack(*model.MasterBitmap, s.Pixels, s.At);
        for (TsMaskData& m : model.Masks) {
            if (!m.Bmp || std::find(keptOwn.begin(), keptOwn.end(), &m) != keptOwn.end()) continue;
            if (m.Bmp->Format() != render::PixelFormat::pf32bit)
                m.Bmp = std::make_unique<render::Bitmap>(ConvertTo24(*m.Bmp));
            ChangePixels(*m.Bmp, change);
        }
        for (TsGeneralData& s : model.Sections) {
            if (s.Color != TransparentKey) s.Color = change(render::ResolveColor(s.Color));
            ChangeField(s.HotColor, change);
            for (std::int32_t& c : s.FontColor) ChangeField(c, change);
            for (std::int32_t& c : s.HotFontColor) ChangeField(c, change);
            for (TsGradArray* a : {&s.GradientArray, &s.HotGradientArray})
                for (TsGradSegment& g : *a) {
                    g.Color1 = change(render::ResolveColor(g.Color1));
                    g.Color2 = change(render::ResolveColor(g.Color2));
                }
        }
        ChangeField(model.GlobalInfo.Shadow1Color, change);
        ChangeField(model.GlobalInfo.BorderColor, change);
    };
    if (hueOffset_ != 0) {
        std::vector<std::string_view> keep;
        if (model.GlobalInfo.KeepHue != 0) keep = {"BICONCLOSE", "SICONCLOSE"};
        if (model.GlobalInfo.KeepHue == 1)
            keep.insert(keep.end(),
                        {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX", "SICONMIN", "SICONNORM"});
        const int offset = hueOffset_;
        changeAll([offset](TColor c) { return render::ChangeHue(c, offset); }, keep);
    }
    if (saturation_ != 0) {
        const int amount = saturation_;
        changeAll([amount](TColor c) { return render::ChangeSaturation(c, amount); }, {});
    }
}

void SkinManagerCore::RebuildCommonIndexes() {
    const TsSkinModel& m = *model_;
    TsCommonIndexes c;
    c.GlobalSection = m.GetSkinIndex(kGlobalInfo);
    if (c.GlobalSection >= 0) {
        c.ExBorder = m.GetMaskIndex(c.GlobalSection, kGlobalInfo, "EXBORDER");
        static constexpr std::string_view kChecks[] = {"BOXCHECKED",   "BOXUNCHECKED",   "BOXGRAYED",
                                                       "RADIOCHECKED", "RADIOUNCHECKED", "RADIOGRAYED",
                                                       "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
        for (std::size_t i = 0; i < c.CheckGlyphs.size(); ++i)
            c.CheckGlyphs[i] = m.GetMaskIndex(c.GlobalSection, kGlobalInfo, kChecks[i]);
    }
    c.ComboBtn.Section = m.GetSkinIndex("COMBOBTN");
    c.ComboBtn.BorderMask = m.GetMaskIndexNoParent("COMBOBTN", "BORDERSMASK");
    c.ComboBtn.Pattern = m.GetTextureIndex(c.ComboBtn.Section, "COMBOBTN", "PATTERN");
    c.ComboBtn.HotPattern = m.GetTextureIndex(c.ComboBtn.Section, "COMBOBTN", "HOTPATTERN");
    c.ComboGlyph = m.GetMaskIndexNoParent("COMBOBOX", "GLYPHMASK");
    static constexpr std::string_view kTabs[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
    for (std::size_t i = 0; i < c.Tabs.size(); ++i) {
        c.Tabs[i].Section = m.GetSkinIndex(kTabs[i]);
        c.Tabs[i].BorderMask = m.GetMaskIndex(c.Tabs[i].Section, kTabs[i], "BORDERSMASK");
    }
    static constexpr std::string_view kButtons[] = {"SCROLLBTNTOP",   "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
                                                    "SCROLLBTNRIGHT", "SCROLLSLIDERV",   "SCROLLSLIDERH"};
    for (std::size_t i = 0; i < c.ScrollButtons.size(); ++i) {
        TsScrollPartIndexes& p = c.ScrollButtons[i];
        p.Section = m.GetSkinIndex(kButtons[i]);
        p.BorderMask = m.GetMaskIndex(p.Section, kButtons[i], "BORDERSMASK");
        p.GlyphMask = p.Section < 0 ? -1 : m.GetMaskIndex(p.Section, kButtons[i], "GLYPHMASK");
        p.Pattern = m.GetMaskIndex(p.Section, kButtons[i], "PATTERN");
        p.HotPattern = m.GetMaskIndex(p.Section, kButtons[i], "HOTPATTERN");
    }
    static constexpr std::string_view kBars[] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
    for (std::size_t i = 0; i < c.ScrollBars.size(); ++i) {
        TsScrollPartIndexes& p = c.ScrollBars[i];
        p.Section = m.GetSkinIndex(kBars[i]);
        p.BorderMask = m.GetMaskIndex(p.Section, kBars[i], "BORDERSMASK");
        p.Pattern = m.GetMaskIndex(p.Section, kBars[i], "PATTERN");
        p.HotPattern = m.GetMaskIndex(p.Section, kBars[i], "HOTPATTERN");
    }
    commonIndexes_ = c;
}

void SkinManagerCore::RebuildExtendedBorders() {
    extBorderMargins_ = {};
    shadows_[0].reset();
    shadows_[1].reset();
    if (!active_ || !ExtendedBorders()) return;
    const TsSkinData& g = model_->GlobalInfo;
    const int exBorder = commonIndexes_.ExBorder;
    if (exBorder >= 0 && model_->Masks[static_cast<std::size_t>(exBorder)].Bmp) {
        const TsMaskData& m = model_->Masks[static_cast<std::size_t>(exBorder)];
        if (g.BorderMode != 0)
            extBorderMargins_ = {g.FormOffset, g.FormOffset, g.FormOffset, g.FormOffset};
        else
            extBorderMargins_ = {m.WL - g.FormOffset, m.WT - g.FormOffset, m.WR - g.FormOffset, m.WB - g.FormOffset};
        const int w = m.FrameWidth(), h = m.FrameHeight();
        shadows_[1] = CopyArea32(*m.Bmp, {0, 0, w, h});
        shadows_[0] = CopyArea32(*m.Bmp, m.ImageCount > 1 ? TRect{w, 0, 2 * w, h} : TRect{0, 0, w, h});
    } else if (builtInShadows_[0] != nullptr && builtInShadows_[1] != nullptr) {
        extBorderMargins_ = {11, 7, 11, 11};
        shadows_[0] = builtInShadows_[0]->Clone();
        shadows_[1] = builtInShadows_[1]->Clone();
    }
    for (auto& s : shadows_)
        if (s) ClearTransparentWhite(*s);
}

const render::Bitmap* SkinManagerCore::ShadowImage(int which) const {
    if (which < 0 || which > 1 || !shadows_[static_cast<std::size_t>(which)]) return nullptr;
    return &*shadows_[static_cast<std::size_t>(which)];
}

void SkinManagerCore::RebuildPaintViews() {
    const TsSkinModel& m = *model_;
    sectionViews_.clear();
    sectionViews_.reserve(m.Sections.size());
    for (const TsGeneralData& s : m.Sections) {
        render::SectionPaint p;
        p.SectionName = s.SectionName;
        p.Color = render::ResolveColor(s.Color);
        p.HotColor = render::ResolveColor(static_cast<TColor>(s.HotColor));
        p.Transparency = s.Transparency;
        p.HotTransparency = s.HotTransparency;
        p.GradientPercent = s.GradientPercent;
        p.HotGradientPercent = s.HotGradientPercent;
        p.ImagePercent = s.ImagePercent;
        p.HotImagePercent = s.HotImagePercent;
        p.GradientArray = ToPaint(s.GradientArray);
        p.HotGradientArray = ToPaint(s.HotGradientArray);
        p.FontColor = ToPaint(s.FontColor);
        p.HotFontColor = ToPaint(s.HotFontColor);
        p.GiveOwnFont = s.GiveOwnFont;
        p.BorderIndex = s.BorderIndex;
        p.ImgTL = s.ImgTL;
        p.ImgTR = s.ImgTR;
        p.ImgBL = s.ImgBL;
        p.ImgBR = s.ImgBR;
        sectionViews_.push_back(std::move(p));
    }
    maskViews_.clear();
    maskViews_.reserve(m.Masks.size());
    for (const TsMaskData& s : m.Masks) {
        render::MaskRef r;
        r.Bmp = s.Bmp.get();
        r.Master = m.MasterBitmap.get();
        r.HasManager = true;
        r.R = s.R;
        r.ImageCount = s.ImageCount;
        r.MaskType = s.MaskType;
        r.StretchMode = s.StretchMode;
        r.BorderWidth = s.BorderWidth;
        r.WL = s.WL;
        r.WT = s.WT;
        r.WR = s.WR;
        r.WB = s.WB;
        maskViews_.push_back(r);
    }
}

void SkinManagerCore::Loaded() {
    reading_ = false;
    if (skinDirectory_.empty()) skinDirectory_ = "c:\\Skins";
    if (active_ && !skinName_.empty()) UpdateSkin(false);
}

std::string SkinManagerCore::SkinInfo() const {
    if (!model_->GlobalInfo.Active) return "N/A";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, model_->GlobalInfo.Version).ptr;
    return std::string(text, end);
}

bool SkinManagerCore::IsDefault() const { return DefaultManager() == this; }

void SkinManagerCore::SetIsDefault(bool value) {
    if (!value && DefaultManager() != nullptr) return;
    SetDefaultManager(this);
    if (!active_) {
        RemoveSkin();
    } else {
        UpdateSkin(true);
        RepaintForms();
    }
}

void SkinManagerCore::UpdateSkin(bool repaint) {
    if (reading_) return;
    host_.HideAllGlows();
    model_->GlobalInfo.Active = false;
    RebuildCommonIndexes();
    host_.Broadcast(SkinBroadcast::SkinLoaded);
    model_->GlobalInfo.Active = true;
    if (IsDefault()) host_.InstallFormHook();
    if (repaint) RepaintForms();
}

void SkinManagerCore::RepaintForms() {
    host_.Broadcast(SkinBroadcast::StopAnim);
    if (reading_) {
        host_.Broadcast(SkinBroadcast::Refresh);
        return;
    }
    struct Suspended {
        SkinManagerHost& Host;
        explicit Suspended(SkinManagerHost& host) : Host(host) { Host.SuspendDrawing(); }
        ~Suspended() { Host.ResumeDrawing(); }
    } suspended(host_);
    host_.Broadcast(SkinBroadcast::Refresh);
}

void SkinManagerCore::RemoveSkin() {
    host_.HideAllGlows();
    host_.RemoveFormHook();
    model_->GlobalInfo.Active = false;
    host_.Broadcast(SkinBroadcast::SkinRemoved);
    model_->Clear();
    sectionViews_.clear();
    maskViews_.clear();
    RebuildCommonIndexes();
}

int SkinManagerCore::GetSkinIndex(std::string_view name) const { return model_->GetSkinIndex(name); }
int SkinManagerCore::GetMaskIndex(int skinIndex, std::string_view section, std::string_view property) const {
    return model_->GetMaskIndex(skinIndex, section, property);
}
int SkinManagerCore::GetMaskIndexNoParent(std::string_view section, std::string_view property) const {
    return model_->GetMaskIndexNoParent(section, property);
}
int SkinManagerCore::GetTextureIndex(int skinIndex, std::string_view section, std::string_view property) const {
    return model_->GetTextureIndex(skinIndex, section, property);
}
int SkinManagerCore::GetPatternIndex(int skinIndex, std::string_view section, std::string_view property) const {
    return model_->GetPatternIndex(skinIndex, section, property);
}

const render::SectionPaint* SkinManagerCore::Section(int index) const {
    return index >= 0 && index < static_cast<int>(sectionViews_.size())
               ? &sectionViews_[static_cast<std::size_t>(index)]
               : nullptr;
}
const render::MaskRef* SkinManagerCore::Mask(int index) const {
    return index >= 0 && index < static_cast<int>(maskViews_.size()) ? &maskViews_[static_cast<std::size_t>(index)]
                                                                     : nullptr;
}
const render::Bitmap* SkinManagerCore::PatternImage(int index) const {
    const auto& p = model_->PatternImages;
    return index >= 0 && index < static_cast<int>(p.size()) ? p[static_cast<std::size_t>(index)].Img.get() : nullptr;
}

namespace {
const TsGeneralData* Named(const TsSkinModel& m, std::string_view name) {
    const int i = m.GetSkinIndex(name);
    return i >= 0 ? &m.Sections[static_cast<std::size_t>(i)] : nullptr;
}
TColor Rgb(std::int32_t c) { return render::ResolveColor(static_cast<TColor>(c)); }
}  // namespace

TColor SkinManagerCore::GetGlobalColor() const {
    const TsGeneralData* s = Named(*model_, kGlobalInfo);
    return s ? render::ResolveColor(s->Color) : SystemRgb(kSysBtnFace);
}
TColor SkinManagerCore::GetGlobalFontColor() const {
    const TsGeneralData* s = Named(*model_, kGlobalInfo);
    return s ? Rgb(s->FontColor[0]) : TColor(kMagenta);
}
TColor SkinManagerCore::GetGlobalHotColor() const {
    const TsGeneralData* s = Named(*model_, kGlobalInfo);
    return s ? Rgb(s->HotColor) : SystemRgb(kSysWindow);
}
TColor SkinManagerCore::GetEditHotFontColor() const {
    const TsGeneralData* s = Named(*model_, "EDIT");
    return s ? Rgb(s->HotFontColor[0]) : TColor(kMagenta);
}
TColor SkinManagerCore::GetHighlightColor() const {
    const TsGeneralData* s = Named(*model_, "MENUITEM");
    if (s && s->HotColor != kNone && s->HotColor != kMagenta && s->HotColor != kWhite) return Rgb(s->HotColor);
    return SystemRgb(kSysHighlight);
}
TColor SkinManagerCore::GetHighlightTextColor() const {
    const TsGeneralData* s = Named(*model_, "MENUITEM");
    if (s) {
        const std::int32_t f = s->HotFontColor[0], h = s->HotColor;
        if (f != kNone && f != kMagenta && f != kWhite && f != 0 && h != kNone && h != kMagenta && h != kWhite)
            return Rgb(f);
    }
    return SystemRgb(kSysHighlightText);
}

std::string SkinManagerCore::SkinSource(std::string_view name) const {
    if (std::find(StoredOnly.begin(), StoredOnly.end(), name) != StoredOnly.end()) return {};
    std::string packedFile = PackedSkinDirectory(skinDirectory_) + std::string(name) + ".gwz";
    if (files_.FileExists(packedFile)) return packedFile;
    std::string options = WithSeparator(WithSeparator(ResolvedSkinDirectory()) + std::string(name)) + "Options.dat";
    if (files_.FileExists(options)) return options;
    return {};
}

std::string SkinManagerCore::GetSkinNames(std::vector<std::string>& names, TSkinNamesKind kind) const {
    names.clear();
    for (const TsStoredSkin& s : InternalSkins) names.push_back(s.Name);
    const std::string dir = ResolvedSkinDirectory();
    if (files_.DirectoryExists(dir)) {
        const bool folders = kind != TSkinNamesKind::PackedFiles, packedFiles = kind != TSkinNamesKind::Folders;
        for (const SkinFiles::Entry& e : files_.List(dir)) {
            if (e.Name.empty() || e.Name.front() == '.') continue;
            if (e.IsDirectory) {
                if (folders && files_.FileExists(WithSeparator(WithSeparator(dir) + e.Name) + "Options.dat"))
                    names.push_back(e.Name);
            } else if (packedFiles) {
                const std::size_t dot = e.Name.rfind('.');
                if (dot != std::string::npos && e.Name.compare(dot, std::string::npos, ".gwz") == 0)
                    names.push_back(e.Name.substr(0, e.Name.find('.')));
            }
        }
    }
    std::string first = names.empty() ? std::string() : names.front();
    std::sort(names.begin(), names.end());
    return first;
}

}  // namespace lw::skin
