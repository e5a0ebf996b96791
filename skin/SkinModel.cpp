#include "skin/SkinModel.h"

#include <algorithm>

#include "skin/GradientData.h"
#include "skin/ImageDecoders.h"
#include "skin/ImageReference.h"
#include "skin/SkinError.h"
#include "skin/SkinText.h"

namespace lw::skin {

namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";
constexpr std::int64_t kPatternMinPixels = 90000;

bool IsMasterBitmapKey(const IniSection& section, std::string_view key) {
    return SameText(section.Name, kGlobalInfo) && SameText(key, "MASTERBITMAP");
}

// A decoded skin image: PNGs keep their alpha (with transparent white cleared), other
// images are 24-bit unless the caller keeps them as they are.
std::unique_ptr<render::Bitmap> LoadImage(const SkinImageSource& images, const std::string& name, bool keep32) {
    const auto bytes = images.Find(name);
    if (!bytes) return nullptr;
    auto decoded = DecodeImage(*bytes);
    // A skin with a picture missing from its look is no skin to show: the load fails, naming it.
    if (!decoded) throw SkinError("The image \"" + name + "\" cannot be decoded");
    if (decoded->Width() <= 0) return nullptr;
    if (SniffImage(*bytes) == ImageKind::Png) {
        ClearTransparentWhite(*decoded);
        return std::make_unique<render::Bitmap>(std::move(*decoded));
    }
    if (!keep32 && decoded->Format() != render::PixelFormat::pf24bit)
        return std::make_unique<render::Bitmap>(ConvertTo24(*decoded));
    return std::make_unique<render::Bitmap>(std::move(*decoded));
}

// Frame arithmetic divides by these, so they are kept at 1 and 0 at least.
std::int16_t AtLeast(std::int32_t v, std::int16_t floor) { return std::max(ToInt16(v), floor); }

void ComputeSlices(TsMaskData& m, int width, int height) {
    m.WL = m.WR = ToInt16(width / (m.ImageCount * 3));
    m.WT = m.WB = ToInt16(height / ((m.MaskType + 1) * 3));
}

std::optional<TsMaskData> MakeMask(const ImageReference& ref, const SkinImageSource& images) {
    TsMaskData m;
    m.ImgType = ref.ImgType;
    m.ImageCount = AtLeast(ref.ImageCount, 1);
    m.MaskType = AtLeast(ref.MaskType, 0);
    m.BorderWidth = ToInt16(ref.BorderWidth);
    m.StretchMode = ToInt16(ref.StretchMode);
    if (ref.SlicesGiven) {
        m.WL = ToInt16(ref.WL);
        m.WT = ToInt16(ref.WT);
        m.WR = ToInt16(ref.WR);
        m.WB = ToInt16(ref.WB);
    }
    switch (ref.Form) {
    case ReferenceForm::Glyph:
    case ReferenceForm::Texture:
        m.R = ref.R;
        m.WL = m.WT = m.WR = m.WB = 0;
        return m;
    case ReferenceForm::Border:
    case ReferenceForm::Older:
        m.R = ref.R;
        if (m.WL + m.WT + m.WR + m.WB == 0) {
            if (m.BorderWidth != 0)
                m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
            else
                ComputeSlices(m, m.R.Width(), m.R.Height());
        }
        return m;
    case ReferenceForm::ImageFile:
    case ReferenceForm::BareBitmap: {
        m.Bmp = LoadImage(images, ref.FileName, m.ImgType == TgwImgType::itisaTexture);
        if (!m.Bmp) return std::nullopt;
        m.R = m.Bmp->Bounds();
        if (!ref.SlicesGiven) ComputeSlices(m, m.R.Width(), m.R.Height());
        return m;
    }
    }
    return std::nullopt;
}

void ReadMasks(const IniText& ini, const SkinImageSource& images, const TsSkinModel* owner, TsMaskArray& masks) {
    for (const IniSection& section : ini.Sections()) {
        for (const auto& [key, value] : section.Entries) {
            if (IsMasterBitmapKey(section, key)) continue;
            const auto ref = ParseImageReference(value);
            if (!ref) continue;
            auto mask = MakeMask(*ref, images);
            if (!mask) continue;
            const bool keepCase = ref->Form != ReferenceForm::BareBitmap && ref->Form != ReferenceForm::Older;
            mask->SectionName = keepCase ? section.Name : UpperCase(section.Name);
            mask->PropertyName = keepCase ? key : UpperCase(key);
            mask->Manager = owner;
            masks.push_back(std::move(*mask));
        }
    }
}

// Large JPEGs stay stand-alone patterns; small ones become texture masks.
void ReadPatterns(const IniText& ini, const SkinImageSource& images, const TsSkinModel* owner, TsMaskArray& masks,
                  TsPatternArray& patterns) {
    for (const IniSection& section : ini.Sections()) {
        for (const auto& [key, value] : section.Entries) {
            const std::string upper = UpperCase(value);
            if (upper.find(".JPG") == std::string::npos && upper.find(".JPEG") == std::string::npos) continue;
            const auto bytes = images.Find(value);
            if (!bytes) continue;
            auto jpeg = DecodeJpeg(*bytes);
            if (!jpeg || jpeg->Width() <= 0) continue;
            auto image = std::make_unique<render::Bitmap>(std::move(*jpeg));
            if (std::int64_t(image->Width()) * image->Height() >= kPatternMinPixels) {
                patterns.push_back({std::move(image), UpperCase(section.Name), UpperCase(key)});
            } else {
                TsMaskData m;
                m.Bmp = std::move(image);
                m.SectionName = UpperCase(section.Name);
                m.PropertyName = UpperCase(key);
                m.ImgType = TgwImgType::itisaTexture;
                m.Manager = owner;
                masks.push_back(std::move(m));
            }
        }
    }
}

class GlobalReader {
public:
    explicit GlobalReader(const IniText& ini) : section_(ini.FindSection(kGlobalInfo)) {}

    std::optional<std::string_view> Text(std::string_view key) const {
        return section_ ? section_->Find(key) : std::nullopt;
    }
    std::int32_t Int(std::string_view key, std::int32_t def) const {
        const auto t = Text(key);
        return t ? TryParseInt(*t).value_or(def) : def;
    }
    std::int16_t Int16(std::string_view key, std::int16_t def) const { return ToInt16(Int(key, def)); }
    // Keys that must be numbers: a value that is not one fails the load.
    std::int32_t Strict(std::string_view key, std::int32_t def) const {
        const auto t = Text(key);
        return t ? ParseIntStrict(*t) : def;
    }
    std::string String(std::string_view key) const { return std::string(Text(key).value_or("")); }

private:
    const IniSection* section_;
};

TsSkinData ReadGlobalInfo(const IniText& ini, const TsSkinData& previous) {
    const GlobalReader g(ini);
    TsSkinData d;
    d.SkinFolder = previous.SkinFolder;
    d.Active = previous.Active;
    d.Version = g.Text("VERSION") ? TryParseDecimal(*g.Text("VERSION")).value_or(0) : 0;
    d.Author = g.String("AUTHOR");
    d.Description = g.String("DESCRIPTION");
    d.FormBorderWidth = g.Int16("BORDERWIDTH", 4);
    d.TitleHeight = g.Int16("TITLEHEIGHT", 30);
    d.MaxTitleHeight = g.Int16("MAXHEIGHT", 0);
    if (d.MaxTitleHeight == 0) d.MaxTitleHeight = d.TitleHeight;
    d.FormOffset = g.Int16("FORMOFFSET", 8);
    d.CenterOffset = g.Int16("CENTEROFFSET", 0);
    d.BorderMode = g.Int16("BORDERMODE", 0);
    d.Shadow1Color = g.Int("SHADOW1COLOR", 0);
    d.Shadow1Offset = ToInt16(g.Strict("SHADOW1OFFSET", 0));
    d.Shadow1Blur = ToInt16(g.Strict("SHADOW1BLUR", -1));
    d.Shadow1Transparency = ToInt16(g.Strict("SHADOW1TRANSPARENCY", 0));
    d.BorderColor = g.Int("BORDERCOLOR", 0);
    d.ButtonSpace = g.Int16("BISPACE", 0);
    d.ButtonVAlign = g.Int16("BIVALIGN", 0);
    d.ButtonRight = g.Int16("BIRIGHT", 0);
    d.ButtonLeft = g.Int16("BILEFT", 0);
    d.KeepHue = g.Int16("BIKEEPHUE", 0);
    d.CloseGlow = g.Strict("BICONCLOSEGLOW", 0);
    d.CloseGlowMargin = g.Strict("BICONCLOSEGLOWMARGIN", 0);
    d.MaxGlow = g.Strict("BICONMAXGLOW", 0);
    d.MaxGlowMargin = g.Strict("BICONMAXGLOWMARGIN", 0);
    d.MinGlow = g.Strict("BICONMINGLOW", 0);
    d.MinGlowMargin = g.Strict("BICONMINGLOWMARGIN", 0);
    return d;
}

TsGeneralData ReadSection(const IniText& ini, const IniSection& section, const SystemColorTable& colors) {
    const std::string_view name = section.Name;
    auto readInt = [&](std::string_view key, std::int32_t def) { return ReadSkinInt(ini, name, key, def); };
    auto readBool = [&](std::string_view key) { return SameText(ReadSkinString(ini, name, key, "FALSE"), "TRUE"); };

    TsGeneralData g;
    g.SectionName = section.Name;
    g.ParentClass = std::string(section.Find("PARENTCLASS").value_or(""));
    g.Color = colors.Resolve(readInt("COLOR", 0xFFFFFF));
    g.FontColor[0] = readInt("FONTCOLOR", 0);
    g.FontColor[1] = readInt("TCLEFT", -1);
    g.FontColor[2] = readInt("TCTOP", -1);
    g.FontColor[3] = readInt("TCRIGHT", -1);
    g.FontColor[4] = readInt("TCBOTTOM", -1);
    g.HotFontColor[0] = readInt("HOTFONTCOLOR", 0);
    g.HotFontColor[1] = readInt("HOTTCLEFT", -1);
    g.HotFontColor[2] = readInt("HOTTCTOP", -1);
    g.HotFontColor[3] = readInt("HOTTCRIGHT", -1);
    g.HotFontColor[4] = readInt("HOTTCBOTTOM", -1);
    g.Transparency = readInt("TRANSPARENCY", 0);
    g.GradientPercent = readInt("GRADIENTPERCENT", 0);
    g.GradientData = ReadSkinString(ini, name, "GRADIENTDATA", " ");
    if (g.GradientData != " ") g.GradientArray = ParseGradientData(g.GradientData);
    g.ImagePercent = readInt("IMAGEPERCENT", 0);
    g.HotColor = readInt("HOTCOLOR", 0xFFFFFF);
    g.HotTransparency = readInt("HOTTRANSPARENCY", 0);
    g.HotGradientPercent = readInt("HOTGRADIENTPERCENT", 0);
    g.HotGradientData = ReadSkinString(ini, name, "HOTGRADIENTDATA", "");
    g.HotGradientArray = ParseGradientData(g.HotGradientData);
    g.HotImagePercent = readInt("HOTIMAGEPERCENT", 0);
    g.ShowFocus = readBool("SHOWFOCUS");
    g.FadingEnabled = readBool("FADINGENABLED");
    g.FadingIterations = readInt("FADINGITERATIONS", 5);
    g.GlowCount = readInt("GLOW", 0);
    g.GlowMargin = readInt("GLOWMARGIN", 0);
    g.GiveOwnFont = readBool("GIVEOWNFONT");
    g.ReservedBoolean = readBool("RESERVEDBOOLEAN");
    return g;
}

}  // namespace

void TsSkinModel::LoadSkinModel(std::string_view optionsText, const SkinImageSource& images,
                                const SystemColorTable& colors) {
    LoadSkinModel(optionsText, {}, images, colors);
}

void TsSkinModel::LoadSkinModel(std::string_view optionsText, std::string_view commonSections,
                                const SkinImageSource& images, const SystemColorTable& colors) {
    // Everything is built aside and only published once nothing can fail any more.
    IniText ini = IniText::Parse(optionsText);
    if (!commonSections.empty()) ini.Merge(IniText::Parse(commonSections));

    std::unique_ptr<render::Bitmap> master;
    if (const auto name = ini.Read(kGlobalInfo, "MASTERBITMAP"); name && !name->empty()) {
        master = LoadImage(images, std::string(*name), false);
        if (master && master->Format() != render::PixelFormat::pf24bit)
            master = std::make_unique<render::Bitmap>(ConvertTo24(*master));
    }
    TsMaskArray masks;
    ReadMasks(ini, images, this, masks);
    TsPatternArray patterns;
    ReadPatterns(ini, images, this, masks, patterns);
    TsSkinData global = ReadGlobalInfo(ini, GlobalInfo);
    TsGeneralDataArray sections;
    sections.reserve(ini.Sections().size());
    for (const IniSection& section : ini.Sections()) sections.push_back(ReadSection(ini, section, colors));

    options_ = std::move(ini);
    MasterBitmap = std::move(master);
    Masks = std::move(masks);
    PatternImages = std::move(patterns);
    GlobalInfo = std::move(global);
    Sections = std::move(sections);
    CacheMaskIndexes();
}

void TsSkinModel::CacheMaskIndexes() {
    for (std::size_t i = 0; i < Sections.size(); ++i) {
        TsGeneralData& s = Sections[i];
        if (s.SectionName == kGlobalInfo) continue;
        const int index = static_cast<int>(i);
        s.BorderIndex = GetMaskIndex(index, s.SectionName, "BORDERSMASK");
        s.ImgTL = GetMaskIndex(index, s.SectionName, "IMGTOPLEFT");
        s.ImgTR = GetMaskIndex(index, s.SectionName, "IMGTOPRIGHT");
        s.ImgBL = GetMaskIndex(index, s.SectionName, "IMGBTMLEFT");
        s.ImgBR = GetMaskIndex(index, s.SectionName, "IMGBTMRIGHT");
    }
}

void TsSkinModel::Clear() {
    Masks.clear();
    PatternImages.clear();
    MasterBitmap.reset();
    Sections.clear();
    options_ = IniText();
    TsSkinData empty;
    empty.SkinFolder = GlobalInfo.SkinFolder;
    empty.Active = GlobalInfo.Active;
    GlobalInfo = std::move(empty);
}

}  // namespace lw::skin
