// The stored skin as the build generated it, read back through the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "skin/PackedSkinLoader.h"
#include "skin/gwSkinPack.h"

extern const std::uint8_t kStoredSkin[];
extern const std::size_t kStoredSkinSize;

namespace lw::skin {
namespace {

std::span<const std::uint8_t> StoredSkin() { return {kStoredSkin, kStoredSkinSize}; }

TEST(StoredSkin, HoldsTheOptionsTextAndEightImagesInOrder) {
    const auto pack = UnpackSkinFromMemory(StoredSkin());
    EXPECT_EQ(pack->ImageFileCount, 8);
    std::vector<std::string> names;
    for (const auto& f : pack->Files) names.push_back(f.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"ButtonHuge.bmp", "Master.bmp", "Close.png", "Edit.png", "Exbor.png",
                                               "GlowBtn.png", "Max.png", "Min.png"}));
    EXPECT_EQ(pack->Files[1].Data.size(), 93894u);
    EXPECT_EQ(pack->Files[0].Data.size(), 165942u);
}

class StoredSkinModel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        model_ = new TsSkinModel;
        LoadPackedSkinModel(StoredSkin(), *model_, SystemColorTable{});
    }
    static void TearDownTestSuite() {
        delete model_;
        model_ = nullptr;
    }
    static const TsSkinModel& M() { return *model_; }
    static const TsGeneralData& Section(const char* name) {
        const int i = M().GetSkinIndex(name);
        EXPECT_GE(i, 0) << name;
        return M().Sections.at(static_cast<std::size_t>(i));
    }
    static const TsMaskData& Mask(const char* section, const char* key) {
        const int i = M().GetMaskIndex(M().GetSkinIndex(section), section, key);
        EXPECT_GE(i, 0) << section << "." << key;
        return M().Masks.at(static_cast<std::size_t>(i));
    }

private:
    static inline TsSkinModel* model_ = nullptr;
};

TEST_F(StoredSkinModel, SixtyFiveSectionsInOrderAndTheMasterBitmap) {
    ASSERT_EQ(M().Sections.size(), 65u);
    EXPECT_EQ(M().Sections.front().SectionName, "GLOBALINFO");
    EXPECT_EQ(M().Sections[9].SectionName, "PANEL");
    EXPECT_EQ(M().Sections.back().SectionName, "COLHEADER");
    ASSERT_TRUE(M().MasterBitmap);
    EXPECT_EQ(M().MasterBitmap->Width(), 306);
    EXPECT_EQ(M().MasterBitmap->Height(), 102);
    EXPECT_EQ(M().MasterBitmap->Format(), render::PixelFormat::pf24bit);
    const std::uint8_t* corner = M().MasterBitmap->Pixel(300, 100);  // unused area: transparent colour
    EXPECT_EQ((std::array{corner[0], corner[1], corner[2]}), (std::array<std::uint8_t, 3>{255, 0, 255}));
}

TEST_F(StoredSkinModel, GlobalValues) {
    const TsSkinData& g = M().GlobalInfo;
    EXPECT_DOUBLE_EQ(g.Version, 6.4);
    EXPECT_EQ(g.Description, "");
    EXPECT_EQ(g.FormBorderWidth, 23);
    EXPECT_EQ(g.TitleHeight, 48);
    EXPECT_EQ(g.MaxTitleHeight, 34);
    EXPECT_EQ(g.FormOffset, 17);
    EXPECT_EQ(g.CenterOffset, 4);
    EXPECT_EQ(g.BorderMode, 1);
    EXPECT_EQ(g.Shadow1Offset, 1);
    EXPECT_EQ(g.Shadow1Blur, 4);
    EXPECT_EQ(g.ButtonSpace, 2);
    EXPECT_EQ(g.ButtonLeft, 1);
    EXPECT_EQ(g.KeepHue, 2);
    EXPECT_EQ((std::array{g.CloseGlow, g.CloseGlowMargin, g.MaxGlow, g.MaxGlowMargin, g.MinGlow, g.MinGlowMargin}),
              (std::array{1, 8, 1, 8, 1, 8}));
    const TsGeneralData& info = Section("GLOBALINFO");
    EXPECT_EQ(info.Color, 3092271u);
    EXPECT_EQ(info.FontColor, (std::array<std::int32_t, 5>{8421504, 8421504, 5789951, -1, 16777088}));
}

TEST_F(StoredSkinModel, TheDarkLookOfTheApplicationsSections) {
    EXPECT_EQ(Section("PANEL").Color, 3092271u);
    EXPECT_EQ(Section("PANEL").FontColor[0], 8421504);
    EXPECT_EQ(Section("EDIT").Color, 1710618u);
    EXPECT_EQ(Section("GROUPBOX").Transparency, 100);
    const TsGeneralData& button = Section("BUTTON");
    EXPECT_EQ(button.GradientArray,
              (TsGradArray{{5000268, 2302755, 20, 0}, {2302755, 3618615, 77, 0}, {3618615, 3618615, 0, 0}}));
    EXPECT_EQ(button.HotGradientArray.size(), 3u);
    EXPECT_TRUE(button.FadingEnabled);
    EXPECT_EQ(button.FadingIterations, 10);
    EXPECT_EQ(button.GlowCount, 1);
    EXPECT_EQ(button.GlowMargin, 8);
    EXPECT_EQ(button.HotColor, 0);
    EXPECT_EQ(Section("CHECKBOX").FadingIterations, 20);
    EXPECT_EQ(Section("CHECKBOX").BorderIndex, -1);  // "N/A"
    EXPECT_EQ(Section("WEBBUTTON").HotFontColor[0], 16767072);
    EXPECT_EQ(Section("SPEEDBUTTON_SMALL").HotGradientArray.size(), 5u);
    EXPECT_EQ(Section("FORMTITLE").HotFontColor[2], 0);
    EXPECT_EQ(Section("FORM").GradientArray.size(), 5u);
    EXPECT_EQ(Section("FORM").GradientArray[0].Mode, 2);
    EXPECT_EQ(Section("SCROLLBAR1V").GradientArray[0], (TsGradSegment{1710618, 3092271, 97, 1}));
    EXPECT_EQ(Section("SCROLLBAR2H").HotGradientArray[0], (TsGradSegment{1710618, 3092271, 97, 0}));
}

TEST_F(StoredSkinModel, BordersGlyphsAndGlowsThroughTheLookups) {
    const TsGeneralData& edit = Section("EDIT");
    const TsMaskData& editBorder = M().Masks.at(static_cast<std::size_t>(edit.BorderIndex));
    EXPECT_EQ(editBorder.R, (TRect{36, 21, 39, 24}));
    EXPECT_EQ((std::array{editBorder.WL, editBorder.WT, editBorder.WR, editBorder.WB}),
              (std::array<std::int16_t, 4>{1, 1, 1, 1}));
    EXPECT_EQ(editBorder.ImageCount, 1);
    EXPECT_EQ(editBorder.MaskType, 0);
    EXPECT_EQ(editBorder.StretchMode, 1);
    EXPECT_EQ(editBorder.BorderWidth, 1);
    EXPECT_EQ(editBorder.Bmp, nullptr);

    const TsMaskData& button = Mask("BUTTON", "BORDERSMASK");
    EXPECT_EQ(M().GetMaskSize(Section("BUTTON").BorderIndex).Width, 11);
    EXPECT_EQ(M().GetMaskSize(Section("BUTTON").BorderIndex).Height, 20);
    EXPECT_EQ(button.MaskType, 1);

    const TsMaskData& huge = Mask("BUTTON_HUGE", "BORDERSMASK");
    ASSERT_TRUE(huge.Bmp);
    EXPECT_EQ(huge.Bmp->Width(), 288);
    EXPECT_EQ(huge.Bmp->Format(), render::PixelFormat::pf24bit);
    EXPECT_EQ(huge.ImageCount, 3);
    EXPECT_EQ(huge.MaskType, 1);
    EXPECT_EQ((std::array{huge.WL, huge.WT, huge.WR, huge.WB}), (std::array<std::int16_t, 4>{47, 47, 47, 47}));

    const TsMaskData& exbor = Mask("GLOBALINFO", "EXBORDER");
    ASSERT_TRUE(exbor.Bmp);
    EXPECT_EQ(exbor.Bmp->Width(), 928);
    EXPECT_EQ(exbor.Bmp->Height(), 295);
    EXPECT_EQ(exbor.ImgType, TgwImgType::itisaGlow);
    EXPECT_EQ(exbor.FrameWidth(), 464);

    const TsMaskData& close = Mask("GLOBALINFO", "BICONCLOSEGLOW0");
    EXPECT_EQ(close.ImgType, TgwImgType::itisaPngGlyph);
    EXPECT_EQ((std::array{close.WL, close.WT}), (std::array<std::int16_t, 2>{10, 10}));
    EXPECT_EQ(Mask("EDIT", "GLOW0").Bmp->Width(), 13);
    EXPECT_EQ(Mask("SPEEDBUTTON", "GLOW0").Bmp->Width(), 32);

    const TsMaskData& boxChecked = Mask("GLOBALINFO", "BOXCHECKED");
    EXPECT_EQ(boxChecked.R, (TRect{122, 18, 170, 36}));
    EXPECT_EQ(boxChecked.FrameWidth(), 16);
    EXPECT_EQ(Mask("GLOBALINFO", "CHECK").FrameHeight(), 14);
    EXPECT_EQ(Mask("SCROLLBTNLEFT", "GLYPHMASK").R, (TRect{104, 14, 119, 23}));
    EXPECT_EQ(Mask("SCROLLSLIDERV", "BORDERSMASK").StretchMode, 5);
}

TEST_F(StoredSkinModel, SectionsWithoutDetailInheritFromTheirParents) {
    EXPECT_EQ(Section("RADIOBUTTON").FadingIterations, 20);
    EXPECT_EQ(Section("PANEL_LOW").BorderIndex, Section("PANEL").BorderIndex);
    EXPECT_EQ(Section("COMBOBOX").Color, 1710618u);
    EXPECT_EQ(Section("BUTTON_BIG").BorderIndex, Section("BUTTON").BorderIndex);
    EXPECT_NE(Section("BUTTON_HUGE").BorderIndex, Section("BUTTON").BorderIndex);
    EXPECT_GE(M().GetMaskIndexNoParent("COMBOBTN", "BORDERSMASK"), 0);
}

}  // namespace
}  // namespace lw::skin

extern const std::uint8_t kLightSkin[];
extern const std::size_t kLightSkinSize;

namespace lw::skin {
namespace {

// Relative luminance of a colour (red in the low byte), 0 black to 1 white.
double Luminance(TColor c) {
    const auto channel = [](unsigned v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c & 0xFF) + 0.7152 * channel((c >> 8) & 0xFF) + 0.0722 * channel((c >> 16) & 0xFF);
}

double Contrast(TColor a, TColor b) {
    const double x = Luminance(a), y = Luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The light skin is the dark one's shapes in other colours: the same sections, the same masks
// at the same places with images of the same sizes, light faces and text that reads on them.
TEST(LightSkin, TheDarkSkinsSectionsAndMasksInLightColoursWithReadableText) {
    TsSkinModel dark, light;
    LoadPackedSkinModel(StoredSkin(), dark, SystemColorTable{});
    LoadPackedSkinModel({kLightSkin, kLightSkinSize}, light, SystemColorTable{});
    ASSERT_EQ(light.Sections.size(), dark.Sections.size());
    for (std::size_t i = 0; i < dark.Sections.size(); ++i)
        EXPECT_EQ(light.Sections[i].SectionName, dark.Sections[i].SectionName);
    ASSERT_EQ(light.Masks.size(), dark.Masks.size());
    for (std::size_t i = 0; i < dark.Masks.size(); ++i) {
        const TsMaskData &d = dark.Masks[i], &l = light.Masks[i];
        SCOPED_TRACE(d.SectionName + "." + d.PropertyName);
        EXPECT_EQ(l.SectionName, d.SectionName);
        EXPECT_EQ(l.PropertyName, d.PropertyName);
        EXPECT_EQ(l.R, d.R);
        EXPECT_EQ(l.ImageCount, d.ImageCount);
        EXPECT_EQ(l.MaskType, d.MaskType);
        ASSERT_EQ(l.Bmp != nullptr, d.Bmp != nullptr);
        if (d.Bmp) {
            EXPECT_EQ(std::pair(l.Bmp->Width(), l.Bmp->Height()), std::pair(d.Bmp->Width(), d.Bmp->Height()));
        }
    }
    ASSERT_TRUE(light.MasterBitmap);
    EXPECT_EQ(light.MasterBitmap->Width(), dark.MasterBitmap->Width());

    const auto section = [&](const char* name) -> const TsGeneralData& {
        return light.Sections.at(static_cast<std::size_t>(light.GetSkinIndex(name)));
    };
    for (const char* name : {"PANEL", "EDIT", "FORM", "DIALOG"}) {
        SCOPED_TRACE(name);
        const TsGeneralData& s = section(name);
        EXPECT_GT(Luminance(s.Color), 0.7) << "a light face";
        EXPECT_GE(Contrast(static_cast<TColor>(s.FontColor[0]), s.Color), 7.0) << "text that reads on it";
    }
    const TsGeneralData& button = section("BUTTON");
    for (const TsGradSegment& g : button.GradientArray)
        EXPECT_GE(Contrast(static_cast<TColor>(button.FontColor[0]), g.Color1), 7.0);
    for (const TsGradSegment& g : button.HotGradientArray)
        EXPECT_GE(Contrast(static_cast<TColor>(button.HotFontColor[0]), g.Color1), 7.0);
    EXPECT_FALSE(button.GradientArray.empty());
}

}  // namespace
}  // namespace lw::skin
