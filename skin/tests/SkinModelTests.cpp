#include <gtest/gtest.h>

#include "TestImages.h"
#include "skin/SkinError.h"
#include "skin/SkinModel.h"

namespace lw::skin {
namespace {

using testing::MapImageSource;

SystemColorTable Colors() {
    SystemColorTable t;
    t.Colors[15] = 0x00C0C0C0;  // button face
    return t;
}

std::array<std::uint8_t, 4> Opaque(int, int) { return {10, 20, 30, 255}; }

class SkinModelTest : public ::testing::Test {
protected:
    TsSkinModel model;
    MapImageSource images;

    void Load(const std::string& text) { model.LoadSkinModel(text, images, Colors()); }
    const TsGeneralData& Section(const char* name) {
        const int i = model.GetSkinIndex(name);
        EXPECT_GE(i, 0) << name;
        return model.Sections.at(static_cast<std::size_t>(i));
    }
    const TsMaskData& Mask(const char* section, const char* key) {
        const int i = model.GetMaskIndexNoParent(section, key);
        EXPECT_GE(i, 0) << section << "." << key;
        return model.Masks.at(static_cast<std::size_t>(i));
    }
};

TEST_F(SkinModelTest, MasksFollowTheTextOrderWithNamesAsWrittenOrUpperCased) {
    images.Files["CLOSE.PNG"] = testing::MakePng(30, 30, Opaque);
    images.Files["FRAME.BMP"] = testing::MakeBmp24(18, 12, Opaque);
    Load(
        "[GLOBALINFO]\nMASTERBITMAP=NONE.BMP\nBiconClose=@0184@0000@0226@0014@3@0\n"
        "[Edit]\nBORDERSMASK=^0036^0021^0039^0024^0001^0001^0001^0001^1^0^1^1\nGLOW0=!CLOSE.PNG!1!0!4\n"
        "frame=frame.bmp\nold=#x (0,0,30,12) (2,1,0)\nNONE=N/A\nMISSING=!GONE.PNG!1!0!4\n");
    ASSERT_EQ(model.Masks.size(), 5u);
    EXPECT_EQ(model.Masks[0].PropertyName, "BiconClose");
    EXPECT_EQ(model.Masks[1].SectionName, "Edit");
    EXPECT_EQ(model.Masks[2].PropertyName, "GLOW0");
    EXPECT_EQ(model.Masks[3].SectionName, "EDIT");  // bare and older forms are stored upper-cased
    EXPECT_EQ(model.Masks[3].PropertyName, "FRAME");
    EXPECT_EQ(model.Masks[4].PropertyName, "OLD");
    for (const auto& m : model.Masks) EXPECT_EQ(m.Manager, &model);
    EXPECT_EQ(model.MasterBitmap, nullptr);  // a missing master bitmap is no error
}

TEST_F(SkinModelTest, SliceSizesGivenOrComputed) {
    images.Files["CLOSE.PNG"] = testing::MakePng(30, 30, Opaque);
    images.Files["WIDE.PNG"] = testing::MakePng(928, 295, Opaque);
    images.Files["FRAME.BMP"] = testing::MakeBmp24(18, 12, Opaque);
    Load(
        "[S]\n"
        "A=^0000^0000^0030^0012^0000^0000^0000^0000^3^1^1^0\n"  // computed from the rectangle
        "B=^0000^0000^0030^0012^0000^0000^0000^0000^3^1^1^4\n"  // all take BorderWidth
        "C=^0000^0000^0030^0012^0000^0000^0000^0000^0^0^1^0\n"  // ImageCount 0 counts as 1
        "D=!CLOSE.PNG!1!0!4\n"
        "E=!WIDE.PNG!2!0!3!0039!0064!0039!0039\n"
        "F=FRAME.BMP\n"
        "G=!CLOSE.PNG!0!-1!2\n"  // counts below 1 and 0 are raised
        "H=@0000@0000@0030@0012@3@0\n");
    auto slices = [&](const char* key) {
        const TsMaskData& m = Mask("S", key);
        return std::array<int, 4>{m.WL, m.WT, m.WR, m.WB};
    };
    EXPECT_EQ(slices("A"), (std::array{3, 2, 3, 2}));
    EXPECT_EQ(slices("B"), (std::array{4, 4, 4, 4}));
    EXPECT_EQ(slices("C"), (std::array{10, 4, 10, 4}));
    EXPECT_EQ(Mask("S", "C").ImageCount, 1);
    EXPECT_EQ(slices("D"), (std::array{10, 10, 10, 10}));
    EXPECT_EQ(slices("E"), (std::array{39, 64, 39, 39}));
    EXPECT_EQ(slices("F"), (std::array{2, 2, 2, 2}));
    EXPECT_EQ(slices("G"), (std::array{10, 10, 10, 10}));
    EXPECT_EQ(Mask("S", "G").MaskType, 0);
    EXPECT_EQ(slices("H"), (std::array{0, 0, 0, 0}));

    const TsMaskData& e = Mask("S", "E");
    ASSERT_TRUE(e.Bmp);
    EXPECT_EQ(e.R, (TRect{0, 0, 928, 295}));
    EXPECT_EQ(e.Bmp->Format(), render::PixelFormat::pf32bit);
    EXPECT_EQ(e.StretchMode, 4);
    EXPECT_EQ(Mask("S", "F").Bmp->Format(), render::PixelFormat::pf24bit);
}

TEST_F(SkinModelTest, PngTransparentWhiteBecomesTransparentBlack) {
    images.Files["G.PNG"] = testing::MakePng(2, 1, [](int x, int) {
        return x == 0 ? std::array<std::uint8_t, 4>{255, 255, 255, 0} : std::array<std::uint8_t, 4>{255, 255, 255, 1};
    });
    Load("[S]\nG=!G.PNG!1!0!4\n");
    const render::Bitmap& bmp = *Mask("S", "G").Bmp;
    EXPECT_EQ((std::array{bmp.Pixel(0, 0)[0], bmp.Pixel(0, 0)[1], bmp.Pixel(0, 0)[2], bmp.Pixel(0, 0)[3]}),
              (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(bmp.Pixel(1, 0)[0], 255);
}

TEST_F(SkinModelTest, InheritedReadsTakeTheParentsValuesAndMasks) {
    Load(
        "[PANEL]\nBORDERSMASK=^0171^0000^0183^0014^0005^0007^0005^0006^1^0^1^1\nCOLOR=3092271\n"
        "FONTCOLOR=8421504\nFADINGENABLED=true\nGRADIENTDATA=1;2;3;4;5\n"
        "[X]\nPARENTCLASS=PANEL\n"
        "[Y]\nPARENTCLASS=X\nCOLOR=-1\nFONTCOLOR=?\nTRANSPARENCY=abc\n"
        "[SELF]\nPARENTCLASS=SELF\n");
    const TsGeneralData& x = Section("X");
    EXPECT_EQ(x.ParentClass, "PANEL");
    EXPECT_EQ(x.Color, 3092271u);
    EXPECT_EQ(x.FontColor[0], 8421504);
    EXPECT_TRUE(x.FadingEnabled);
    EXPECT_EQ(x.GradientArray.size(), 1u);
    EXPECT_EQ(x.BorderIndex, model.GetMaskIndexNoParent("PANEL", "BORDERSMASK"));
    EXPECT_GE(x.BorderIndex, 0);
    // -1, "?" and text that is no number count as missing and go to the parent, twice over.
    const TsGeneralData& y = Section("Y");
    EXPECT_EQ(y.Color, 3092271u);
    EXPECT_EQ(y.Transparency, 0);
    EXPECT_EQ(model.ReadSkinString("Y", "FONTCOLOR", "d"), "8421504");
    EXPECT_EQ(y.BorderIndex, x.BorderIndex);
    // A section naming itself reads its defaults.
    const TsGeneralData& self = Section("SELF");
    EXPECT_EQ(self.Color, 0xFFFFFFu);
    EXPECT_EQ(self.FadingIterations, 5);
    EXPECT_EQ(self.GradientData, " ");
    EXPECT_TRUE(self.GradientArray.empty());
    EXPECT_EQ(self.BorderIndex, -1);
}

TEST_F(SkinModelTest, ParentCyclesEndTheLookup) {
    Load(
        "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\nFONTCOLOR=-1\n"
        "[P]\nPARENTCLASS=Q\n[Q]\nPARENTCLASS=P\nIMG=@0001@0001@0002@0002@1@0\n");
    EXPECT_EQ(Section("A").FontColor[0], 0);
    EXPECT_EQ(Section("B").Color, 0xFFFFFFu);
    EXPECT_EQ(model.ReadSkinString("A", "ANY", "default"), "default");
    EXPECT_EQ(model.GetMaskIndex(model.GetSkinIndex("A"), "A", "BORDERSMASK"), -1);
    EXPECT_EQ(model.GetMaskIndex(model.GetSkinIndex("P"), "P", "IMG"), model.GetMaskIndexNoParent("Q", "IMG"));
}

TEST_F(SkinModelTest, LookupsCompareNamesWithCase) {
    Load(
        "[GLOBALINFO]\n[lower]\nBORDERSMASK=@0001@0001@0002@0002@1@0\n[TEX]\nPATTERN=~0001~0001~0004~0004~00~0\n"
        "GLYPH=@0001@0001@0002@0002@1@0\n");
    EXPECT_EQ(model.GetSkinIndex("LOWER"), -1);
    EXPECT_EQ(model.GetSkinIndex("lower"), 1);
    EXPECT_EQ(model.GetMaskIndexNoParent("LOWER", "BORDERSMASK"), -1);
    EXPECT_EQ(model.GetMaskIndex(1, "lower", "BORDERSMASK"), 0);
    EXPECT_EQ(model.GetMaskIndex(-1, "lower", "BORDERSMASK"), -1);
    EXPECT_EQ(model.GetMaskIndex(1, "", "BORDERSMASK"), -1);
    const int tex = model.GetSkinIndex("TEX");
    EXPECT_EQ(model.GetTextureIndex(tex, "TEX", "PATTERN"), 1);
    EXPECT_EQ(model.GetTextureIndex(tex, "TEX", "GLYPH"), -1);
    EXPECT_EQ(model.GetPatternIndex(tex, "TEX", "PATTERN"), -1);
    EXPECT_EQ(Section("GLOBALINFO").BorderIndex, -1);
}

TEST_F(SkinModelTest, SystemColourIsResolvedUnderColorButNotUnderHotColor) {
    Load("[S]\nCOLOR=-16777201\nHOTCOLOR=-16777201\n");
    EXPECT_EQ(Section("S").Color, 0x00C0C0C0u);
    EXPECT_EQ(Section("S").HotColor, -16777201);
}

TEST_F(SkinModelTest, GlobalValuesWithDefaultsAndStrictKeys) {
    Load("[GLOBALINFO]\nVERSION=6.4\nTITLEHEIGHT=48\nBORDERWIDTH=junk\nSHADOW1BLUR=4\nBIKEEPHUE=65538\n");
    EXPECT_DOUBLE_EQ(model.GlobalInfo.Version, 6.4);
    EXPECT_EQ(model.GlobalInfo.TitleHeight, 48);
    EXPECT_EQ(model.GlobalInfo.MaxTitleHeight, 48);  // 0 takes the title height
    EXPECT_EQ(model.GlobalInfo.FormBorderWidth, 4);  // not a number: the default
    EXPECT_EQ(model.GlobalInfo.Shadow1Blur, 4);
    EXPECT_EQ(model.GlobalInfo.KeepHue, 2);  // 16-bit field
    EXPECT_EQ(model.GlobalInfo.FormOffset, 8);

    Load("[GLOBALINFO]\nVERSION=six\n");
    EXPECT_EQ(model.GlobalInfo.Version, 0);
    EXPECT_EQ(model.GlobalInfo.Shadow1Blur, -1);

    for (const char* key :
         {"SHADOW1OFFSET", "SHADOW1BLUR", "SHADOW1TRANSPARENCY", "BICONCLOSEGLOW", "BICONCLOSEGLOWMARGIN",
          "BICONMAXGLOW", "BICONMAXGLOWMARGIN", "BICONMINGLOW", "BICONMINGLOWMARGIN"}) {
        SCOPED_TRACE(key);
        try {
            Load(std::string("[GLOBALINFO]\n") + key + "=1.5\n");
            ADD_FAILURE() << "no error";
        } catch (const SkinError& e) {
            EXPECT_STREQ(e.what(), "'1.5' is not a valid integer value");
        }
    }
}

TEST_F(SkinModelTest, AFailedLoadKeepsThePreviousModel) {
    Load("[PANEL]\nCOLOR=5\nB=@0001@0001@0002@0002@1@0\n");
    EXPECT_THROW(Load("[OTHER]\nA=@0001@0001@0002@0002@1@0\nB=^12\n"), SkinError);
    ASSERT_EQ(model.Sections.size(), 1u);
    EXPECT_EQ(model.Sections[0].SectionName, "PANEL");
    ASSERT_EQ(model.Masks.size(), 1u);
    EXPECT_EQ(model.Masks[0].SectionName, "PANEL");
}

TEST_F(SkinModelTest, JpegsBecomePatternsFrom90000PixelsAndTexturesBelow) {
    images.Files["BIG.JPG"] = testing::MakeJpeg(300, 300);
    images.Files["small.jpeg"] = testing::MakeJpeg(299, 300);
    Load("[Sec]\nBORDERSMASK=@0001@0001@0002@0002@1@0\nPattern=BIG.JPG\nHotPattern=small.jpeg\n");
    ASSERT_EQ(model.PatternImages.size(), 1u);
    EXPECT_EQ(model.PatternImages[0].SectionName, "SEC");
    EXPECT_EQ(model.PatternImages[0].PropertyName, "PATTERN");
    EXPECT_EQ(model.PatternImages[0].Img->Width(), 300);
    ASSERT_EQ(model.Masks.size(), 2u);  // the texture comes after every other mask
    const TsMaskData& tex = model.Masks[1];
    EXPECT_EQ(tex.PropertyName, "HOTPATTERN");
    EXPECT_EQ(tex.ImgType, TgwImgType::itisaTexture);
    EXPECT_EQ(tex.Bmp->Width(), 299);
    EXPECT_EQ(model.GetSkinIndex("Sec"), 0);
    EXPECT_EQ(model.GetPatternIndex(0, "SEC", "PATTERN"), 0);
}

TEST_F(SkinModelTest, MaskSizesAndSliceFallbacks) {
    images.Files["B.BMP"] = testing::MakeBmp24(96, 40, Opaque);
    Load(
        "[S]\nA=^0000^0000^0033^0040^0005^0000^0000^0012^3^1^1^0\n"
        "W=^0000^0000^0033^0040^0000^0000^0000^0000^3^1^1^4\nB=!B.BMP!1!0!0!0001!0001!0001!0001\n");
    const int a = model.GetMaskIndexNoParent("S", "A");
    EXPECT_EQ(model.GetMaskSize(a).Width, 11);
    EXPECT_EQ(model.GetMaskSize(a).Height, 20);
    EXPECT_EQ(model.GetMaskLeft(a), 5);
    EXPECT_EQ(model.GetMaskTop(a), 20);  // no slice, no border width: the frame height
    EXPECT_EQ(model.GetMaskRight(a), 11);
    EXPECT_EQ(model.GetMaskBottom(a), 12);
    EXPECT_EQ(model.GetMaskTop(model.GetMaskIndexNoParent("S", "W")), 4);
    const TsMaskSize own = model.GetMaskSize(model.GetMaskIndexNoParent("S", "B"));
    EXPECT_EQ(own.Width, 32);
    EXPECT_EQ(own.Height, 20);
    EXPECT_EQ(model.GetMaskSize(-1).Width, 0);
}

}  // namespace
}  // namespace lw::skin
