#include <gtest/gtest.h>

#include "skin/GradientData.h"
#include "skin/ImageReference.h"
#include "skin/IniText.h"
#include "skin/SkinError.h"
#include "skin/SkinText.h"

namespace lw::skin {
namespace {

TEST(IniText, SectionsAndKeysKeepTheirOrderAndIgnoreCaseOnLookup) {
    const IniText ini = IniText::Parse(
        "ignored=before any section\r\n"
        "  [ Panel ]  \n"
        "; a comment\r"
        "Color = 12 \r\n"
        "\r\n"
        "NoValue\n"
        "[EDIT]\n"
        "a=1=2\n"
        "[panel]\n"
        "LATE=3\n"
        "color=99");
    ASSERT_EQ(ini.Sections().size(), 2u);
    EXPECT_EQ(ini.Sections()[0].Name, "Panel");
    const auto& entries = ini.Sections()[0].Entries;
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], (std::pair<std::string, std::string>{"Color", "12"}));
    EXPECT_EQ(entries[1], (std::pair<std::string, std::string>{"NoValue", ""}));
    EXPECT_EQ(entries[2].first, "LATE");
    EXPECT_EQ(ini.Read("PANEL", "COLOR"), "12");  // the first of a repeated key
    EXPECT_EQ(ini.Read("edit", "A"), "1=2");
    EXPECT_FALSE(ini.Read("EDIT", "B"));
    EXPECT_FALSE(ini.Read("NOPE", "A"));
}

TEST(SkinText, IntegersAreDecimalOrHexadecimal) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"-16777201", -16777201},
        {"+7", 7},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$FF", 255},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"0x100000000", std::nullopt},
        {"", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"TRUE", std::nullopt},
        {"0x", std::nullopt},
        {"-", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TryParseInt(c.text), c.value);
    }
    EXPECT_EQ(ParseIntStrict("0042"), 42);
    try {
        ParseIntStrict("4x");
        FAIL();
    } catch (const SkinError& e) {
        EXPECT_STREQ(e.what(), "'4x' is not a valid integer value");
    }
}

TEST(GradientData, GroupsOfFiveWithEmptyFieldsSkippedAndPartialGroupsIgnored) {
    EXPECT_TRUE(ParseGradientData("").empty());
    EXPECT_TRUE(ParseGradientData("1;2;3;4").empty());

    const TsGradArray two = ParseGradientData("3881787;5395026;97;1;0;5395026;5395026;0;1;0");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], (TsGradSegment{3881787, 5395026, 97, 1}));
    EXPECT_EQ(two[1], (TsGradSegment{5395026, 5395026, 0, 1}));

    // Empty fields do not count; colours below 0 become 0, percents are limited to 0..100.
    const TsGradArray clamped = ParseGradientData(";;-5;;7;150;2;9;1;x;3;-4;0");
    ASSERT_EQ(clamped.size(), 2u);
    EXPECT_EQ(clamped[0], (TsGradSegment{0, 7, 100, 2}));
    EXPECT_EQ(clamped[1], (TsGradSegment{1, 0, 3, -4}));
    const TsGradArray negative = ParseGradientData("1;2;-1;-3;0");
    EXPECT_EQ(negative.at(0), (TsGradSegment{1, 2, 0, -3}));
}

TEST(ImageReference, FixedPositionForms) {
    const auto border = ParseImageReference("^0036^0021^0039^0024^0001^0002^0003^0004^1^0^1^5");
    ASSERT_TRUE(border);
    EXPECT_EQ(border->Form, ReferenceForm::Border);
    EXPECT_EQ(border->R, (TRect{36, 21, 39, 24}));
    EXPECT_EQ((std::array{border->WL, border->WT, border->WR, border->WB}), (std::array{1, 2, 3, 4}));
    EXPECT_EQ(border->ImageCount, 1);
    EXPECT_EQ(border->MaskType, 0);
    EXPECT_EQ(border->StretchMode, 1);
    EXPECT_EQ(border->BorderWidth, 5);

    const auto glyph = ParseImageReference("@0184@0058@0212@0073@2@1");
    ASSERT_TRUE(glyph);
    EXPECT_EQ(glyph->ImgType, TgwImgType::itisaGlyph);
    EXPECT_EQ(glyph->R, (TRect{184, 58, 212, 73}));
    EXPECT_EQ(glyph->ImageCount, 2);
    EXPECT_EQ(glyph->MaskType, 1);

    const auto plain = ParseImageReference("~0078~0126~0240~0236~00~0");
    const auto masked = ParseImageReference("~0095~0058~0098~0064~10~1");
    const auto shortTexture = ParseImageReference("~0095~0058~0098~0064~10");
    ASSERT_TRUE(plain && masked && shortTexture);
    EXPECT_EQ(plain->ImgType, TgwImgType::itisaTexture);
    EXPECT_EQ(plain->StretchMode, 0);
    EXPECT_EQ(plain->MaskType, 0);
    EXPECT_EQ(masked->StretchMode, 10);
    EXPECT_EQ(masked->MaskType, 1);
    EXPECT_EQ(shortTexture->MaskType, 0);
}

TEST(ImageReference, FileForms) {
    const auto full = ParseImageReference("!EXBOR.PNG!2!0!3!0039!0064!0039!0039");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->FileName, "EXBOR.PNG");
    EXPECT_EQ(full->ImgType, TgwImgType::itisaGlow);
    EXPECT_TRUE(full->SlicesGiven);
    EXPECT_EQ(full->WT, 64);
    EXPECT_EQ(full->StretchMode, 4);

    const auto four = ParseImageReference("!!CLOSE.PNG!!1!0!!9");  // repeated separators make no empty words
    ASSERT_TRUE(four);
    EXPECT_EQ(four->FileName, "CLOSE.PNG");
    EXPECT_FALSE(four->SlicesGiven);
    EXPECT_EQ(four->ImgType, TgwImgType::itisaPngGlyph);  // above 4 counts as 4
    EXPECT_EQ(ParseImageReference("!A.BMP!1!0!-2")->ImgType, TgwImgType::itisaBorder);

    const auto bare = ParseImageReference("frame.bmp");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->Form, ReferenceForm::BareBitmap);
    EXPECT_EQ(bare->FileName, "FRAME.BMP");
    EXPECT_EQ(bare->ImageCount, 3);
    EXPECT_EQ(bare->MaskType, 1);

    const auto older = ParseImageReference("#BORDER (1,2,30,40) (0,-1,-3)");
    ASSERT_TRUE(older);
    EXPECT_EQ(older->Form, ReferenceForm::Older);
    EXPECT_EQ(older->R, (TRect{1, 2, 30, 40}));
    EXPECT_EQ(older->ImageCount, 1);
    EXPECT_EQ(older->MaskType, 0);
    EXPECT_EQ(older->BorderWidth, 0);
    EXPECT_EQ(older->StretchMode, 1);
}

TEST(ImageReference, ValuesThatAreNoReference) {
    for (const char* v : {"", "N/A", "TRUE", "12", "#", "picture.png", "!close.png!1!0!4", "!NAME!1!0!4", "x.jpg"}) {
        SCOPED_TRACE(v);
        EXPECT_FALSE(ParseImageReference(v));
    }
}

TEST(ImageReference, BrokenNumbersFailWithTheOffendingText) {
    struct Case {
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {"^00x6^0021^0039^0024^0001^0001^0001^0001^1^0^1^1", "'00x6' is not a valid integer value"},
        {"^0036^0021^0039^0024^0001^0001^0001^0001^1^0^1", "'' is not a valid integer value"},
        {"^0036^00", "'' is not a valid integer value"},
        {"@0184@0000@0226@0014@3", "'' is not a valid integer value"},
        {"!A.PNG!1!0!3!0006", "'' is not a valid integer value"},
        {"!A.PNG!1!0!3!6!6!6", "'' is not a valid integer value"},
        {"!A.PNG!x!0!3", "'x' is not a valid integer value"},
        {"!A.PNG!1!0", "'' is not a valid integer value"},
        {"#B (1,2,3) (1)", "'' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        try {
            ParseImageReference(c.value);
            ADD_FAILURE() << "no error";
        } catch (const SkinError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

}  // namespace
}  // namespace lw::skin
