#pragma once
// Records of the in-memory skin model. Painters and controls read only these.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/Bitmap.h"
#include "render/Types.h"

namespace lw::skin {

class TsSkinModel;

struct TsGradSegment {
    TColor Color1 = 0;
    TColor Color2 = 0;
    std::uint8_t Percent = 0;
    std::int32_t Mode = 0;
    friend bool operator==(const TsGradSegment&, const TsGradSegment&) = default;
};
using TsGradArray = std::vector<TsGradSegment>;

enum class TgwImgType : std::uint8_t {
    itisaBorder = 0,
    itisaTexture = 1,
    itisaGlyph = 2,
    itisaGlow = 3,
    itisaPngGlyph = 4
};

struct TsGeneralData {
    std::string ParentClass;
    std::string SectionName;
    TColor Color = 0xFFFFFF;
    std::array<std::int32_t, 5> FontColor{0, -1, -1, -1, -1};
    std::array<std::int32_t, 5> HotFontColor{0, -1, -1, -1, -1};
    bool GiveOwnFont = false;
    std::int32_t GlowCount = 0;
    std::int32_t GlowMargin = 0;
    bool ReservedBoolean = false;
    std::int32_t Transparency = 0;
    std::int32_t GradientPercent = 0;
    std::string GradientData = " ";
    TsGradArray GradientArray;
    std::int32_t ImagePercent = 0;
    bool ShowFocus = false;
    bool FadingEnabled = false;
    std::int32_t FadingIterations = 5;
    std::int32_t HotColor = 0xFFFFFF;  // not resolved: a system colour stays negative
    std::int32_t HotTransparency = 0;
    std::int32_t HotGradientPercent = 0;
    std::string HotGradientData;
    TsGradArray HotGradientArray;
    std::int32_t HotImagePercent = 0;
    std::int32_t BorderIndex = -1;
    std::int32_t ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

struct TsMaskData {
    // The mask's own image; none when the mask is a rectangle of the master bitmap.
    std::unique_ptr<render::Bitmap> Bmp;
    std::string SectionName;
    std::string PropertyName;
    TRect R;
    std::int16_t ImageCount = 1;  // never below 1: frame arithmetic divides by it
    std::int16_t MaskType = 0;    // never below 0, for the same reason
    std::int16_t BorderWidth = 0;
    std::int16_t StretchMode = 0;
    TgwImgType ImgType = TgwImgType::itisaBorder;
    const TsSkinModel* Manager = nullptr;  // the model owning this mask
    std::int16_t WL = 0, WT = 0, WR = 0, WB = 0;

    int FrameWidth() const { return ImageCount > 0 ? R.Width() / ImageCount : 0; }
    int FrameHeight() const { return MaskType >= 0 ? R.Height() / (MaskType + 1) : 0; }
};
using TsMaskArray = std::vector<TsMaskData>;

struct TsPatternData {
    std::unique_ptr<render::Bitmap> Img;
    std::string SectionName;
    std::string PropertyName;
};
using TsPatternArray = std::vector<TsPatternData>;

// Values of "GLOBALINFO". SkinFolder and Active belong to the skin manager.
struct TsSkinData {
    double Version = 0;
    std::string Author;
    std::string Description;
    std::int16_t FormBorderWidth = 4;
    std::int16_t TitleHeight = 30;
    std::int16_t MaxTitleHeight = 30;
    std::int16_t FormOffset = 8;
    std::int16_t CenterOffset = 0;
    std::int16_t BorderMode = 0;
    std::int32_t Shadow1Color = 0;
    std::int16_t Shadow1Offset = 0;
    std::int16_t Shadow1Blur = -1;
    std::int16_t Shadow1Transparency = 0;
    std::int32_t BorderColor = 0;
    std::int16_t ButtonSpace = 0;
    std::int16_t ButtonVAlign = 0;
    std::int16_t ButtonRight = 0;
    std::int16_t ButtonLeft = 0;
    std::int16_t KeepHue = 0;
    std::int32_t CloseGlow = 0;
    std::int32_t CloseGlowMargin = 0;
    std::int32_t MaxGlow = 0;
    std::int32_t MaxGlowMargin = 0;
    std::int32_t MinGlow = 0;
    std::int32_t MinGlowMargin = 0;
    std::string SkinFolder;
    bool Active = false;
};

}  // namespace lw::skin
