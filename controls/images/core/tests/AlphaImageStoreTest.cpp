#include <gtest/gtest.h>

#include "controls/images/core/AlphaImageStore.h"
#include "render/Resample.h"
#include "skin/ImageDecoders.h"
#include "skin/tests/TestImages.h"

extern const std::uint8_t kGearGlyph[];
extern const std::size_t kGearGlyphSize;

namespace lw::controls {
namespace {

using skin::testing::MakePng;

std::vector<std::uint8_t> SolidPng(int size, std::uint8_t red) {
    return MakePng(size, size, [red](int, int) { return std::array<std::uint8_t, 4>{red, 0, 0, 255}; });
}

TsImgListItem PngItem(std::vector<std::uint8_t> bytes) {
    return {ifPNG, render::PixelFormat::pf32bit, std::move(bytes)};
}

render::Bitmap Grey24(int w, int h, std::uint8_t v) {
    render::Bitmap bmp = render::CreateBmp24(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) std::fill_n(bmp.Pixel(x, y), 3, v);
    return bmp;
}

TEST(AlphaImageStore, AnUndecodablePngTakesItsPlaceAsABlankImageSoLaterIndexesDoNotShift) {
    AlphaImageStore list(18, 18);
    list.Items = {PngItem(SolidPng(24, 10)), PngItem({'n', 'o', 't', ' ', 'p', 'n', 'g'}), PngItem({}),
                  PngItem(SolidPng(18, 30))};
    list.GenerateList();
    ASSERT_EQ(list.Count(), 4);
    EXPECT_TRUE(list.ListGenerated);
    EXPECT_EQ(list.Image(3).Width(), 18);
    EXPECT_EQ(list.Image(3).Pixel(9, 9)[2], 30);
    for (int broken : {1, 2}) {
        render::Bitmap bmp;
        ASSERT_TRUE(list.GetBitmap32(broken, bmp));
        EXPECT_EQ(bmp.Width(), 18);
        EXPECT_EQ(bmp.Pixel(9, 9)[3], 0) << "image " << broken << " is blank";
    }
    render::Bitmap last;
    ASSERT_TRUE(list.GetBitmap32(3, last));
    EXPECT_EQ(last.Pixel(9, 9)[2], 30);
}

TEST(AlphaImageStore, AnIndexOutsideTheListGivesNoImageAndDrawsNothing) {
    AlphaImageStore list(18, 18);
    list.Items = {PngItem(SolidPng(18, 200))};
    list.GenerateList();
    for (int index : {-1, 1}) {
        render::Bitmap bmp;
        EXPECT_FALSE(list.GetBitmap32(index, bmp)) << index;
        render::Bitmap target = Grey24(20, 20, 0);
        EXPECT_EQ(list.DrawGlyph(target, 0, 0, false, 1, 0, NoTone, 0, index), (TPoint{18, 18}));
        EXPECT_EQ(target.Pixel(5, 5)[2], 0) << index;
    }
}

TEST(AlphaImageStore, WithoutKeptItemsImagesComeFromTheGeneratedList) {
    AlphaImageStore list(18, 18);
    list.KeepItems = false;
    list.Items = {PngItem(SolidPng(18, 90))};
    list.GenerateList();
    EXPECT_TRUE(list.Items.empty());
    render::Bitmap bmp;
    ASSERT_TRUE(list.GetBitmap32(0, bmp));
    EXPECT_EQ(bmp.Pixel(3, 3)[2], 90);
}

TEST(AlphaImageStore, ImagesAddedWithoutAlphaGetItOnceTheListIsGenerated) {
    AlphaImageStore list(2, 1);
    list.KeepItems = false;
    list.Items = {PngItem(SolidPng(2, 1))};
    list.GenerateList();
    render::Bitmap noAlpha = render::CreateBmp32(2, 1);
    noAlpha.Pixel(1, 0)[0] = 200;  // pixel 0 is the key colour (black, bottom left)
    list.AddImage(std::move(noAlpha));
    EXPECT_EQ(list.Image(1).Pixel(0, 0)[3], 0);
    EXPECT_EQ(list.Image(1).Pixel(1, 0)[3], 255);
}

TEST(AlphaImageStore, ACopyKeepsImagesTheSourceGotBesidesItsItems) {
    AlphaImageStore source(2, 1);
    source.Items = {PngItem(MakePng(2, 1, [](int, int) { return std::array<std::uint8_t, 4>{40, 0, 0, 255}; }))};
    source.GenerateList();
    render::Bitmap extra = render::CreateBmp32(2, 1);
    extra.Pixel(1, 0)[2] = 250;
    extra.Pixel(1, 0)[3] = 255;
    source.AddImage(std::move(extra));

    AlphaImageStore copy(5, 5);
    copy.CopyFrom(source, {});
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.Image(0).Pixel(0, 0)[2], 40);
    EXPECT_EQ(copy.Image(1).Pixel(1, 0)[2], 250);
}

TEST(AlphaImageStore, IconItemsGoThroughTheIconReaderAndAFailedReadIsBlank) {
    AlphaImageStore list(3, 3);
    list.Items = {{ifICO, render::PixelFormat::pf32bit, {1}},
                  {ifICO, render::PixelFormat::pf32bit, {2}},
                  {ifICO, render::PixelFormat::pf32bit, {3}}};
    list.GenerateList([](const std::vector<std::uint8_t>& file, int w, int h, render::Bitmap& out) {
        if (file[0] == 2) return false;
        out = render::CreateBmp32(file[0] == 3 ? w + 1 : w, h);  // a reader that ignores the size asked
        out.Pixel(0, 0)[3] = 77;
        return true;
    });
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Image(0).Pixel(0, 0)[3], 77);
    for (int blank : {1, 2}) {
        EXPECT_EQ(list.Image(blank).Width(), 3) << blank;
        EXPECT_EQ(list.Image(blank).Pixel(0, 0)[3], 0) << blank;
    }
}

TEST(AlphaImageStore, TheApplicationsGlyphIsMitchellResampledTo18AndBlendedByItsAlpha) {
    const std::vector<std::uint8_t> gear(kGearGlyph, kGearGlyph + kGearGlyphSize);
    AlphaImageStore list(18, 18);
    list.Items = {PngItem(gear)};
    list.GenerateList();

    std::optional<render::Bitmap> decoded = skin::DecodePng(gear);
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->Width(), 24);
    render::Bitmap expected;
    render::ResampleBitmap(*decoded, expected, 18, 18, render::ResampleFilter::Mitchell);

    render::Bitmap target = Grey24(30, 30, 100);
    EXPECT_EQ(list.DrawGlyph(target, 5, 6, false, 1, 0, NoTone, 0, 0), (TPoint{18, 18}));
    int opaque = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 18; ++x) {
            const std::uint8_t* s = expected.Pixel(x, y);
            opaque += s[3] == 255;
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(target.Pixel(x + 5, y + 6)[c], ((s[c] - 100) * s[3] + 100 * 256) >> 8)
                    << x << "," << y << " channel " << c;
        }
    }
    EXPECT_GT(opaque, 20) << "the glyph is not blank";
    EXPECT_EQ(target.Pixel(4, 6)[0], 100);
    EXPECT_EQ(target.Pixel(23, 6)[0], 100);
}

}  // namespace
}  // namespace lw::controls
