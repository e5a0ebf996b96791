#include <gtest/gtest.h>

#include <zlib.h>

#include "TestImages.h"
#include "skin/ImageDecoders.h"

namespace lw::skin {
namespace {

using testing::Bytes;

std::array<std::uint8_t, 4> Pattern(int x, int y) {
    return {std::uint8_t(x * 40), std::uint8_t(y * 60), std::uint8_t(x + y), std::uint8_t(100 + x)};
}

void ExpectPattern(const render::Bitmap& bmp, bool withAlpha) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const auto p = Pattern(x, y);
            const std::uint8_t* px = bmp.Pixel(x, y);
            EXPECT_EQ((std::array{px[2], px[1], px[0]}), (std::array{p[0], p[1], p[2]})) << x << "," << y;
            if (withAlpha) {
                EXPECT_EQ(px[3], p[3]);
            }
        }
}

void PutLe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

TEST(ImageDecoders, BitmapsBottomUpAndTopDown) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown);
        const auto bmp = DecodeImage(testing::MakeBmp24(5, 3, Pattern, topDown));
        ASSERT_TRUE(bmp);
        EXPECT_EQ(bmp->Format(), render::PixelFormat::pf24bit);
        EXPECT_EQ(bmp->Width(), 5);
        ExpectPattern(*bmp, false);
    }
}

TEST(ImageDecoders, PaletteBitmap) {
    // 3 x 2, 4 bits per pixel, two palette entries, bottom-up.
    Bytes b(14 + 40 + 8 + 2 * 4, 0);
    b[0] = 'B', b[1] = 'M';
    PutLe32(b, 10, 14 + 40 + 8);
    PutLe32(b, 14, 40);
    PutLe32(b, 18, 3);
    PutLe32(b, 22, 2);
    b[26] = 1, b[28] = 4;
    PutLe32(b, 46, 2);
    const std::uint8_t palette[8] = {255, 0, 0, 0, 0, 0, 255, 0};  // blue, red
    std::copy(palette, palette + 8, b.begin() + 54);
    b[62] = 0x01, b[63] = 0x00;  // bottom row: blue, red, blue
    b[66] = 0x10, b[67] = 0x10;  // top row: red, blue, red
    const auto bmp = DecodeBmp(b);
    ASSERT_TRUE(bmp);
    auto red = [&](int x, int y) { return bmp->Pixel(x, y)[2] == 255 && bmp->Pixel(x, y)[0] == 0; };
    EXPECT_TRUE(red(0, 0));
    EXPECT_FALSE(red(1, 0));
    EXPECT_TRUE(red(2, 0));
    EXPECT_FALSE(red(0, 1));
    EXPECT_TRUE(red(1, 1));
}

TEST(ImageDecoders, PngKeepsItsAlpha) {
    const auto png = DecodeImage(testing::MakePng(4, 3, Pattern));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->Format(), render::PixelFormat::pf32bit);
    ExpectPattern(*png, true);
}

TEST(ImageDecoders, JpegDecodesTo24Bits) {
    const auto jpeg = DecodeImage(testing::MakeJpeg(17, 9));
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->Format(), render::PixelFormat::pf24bit);
    EXPECT_EQ(jpeg->Width(), 17);
    EXPECT_NEAR(jpeg->Pixel(8, 4)[1], 200, 3);
}

TEST(ImageDecoders, BrokenOrOversizedImagesAreMissing) {
    const Bytes png = testing::MakePng(8, 8, Pattern);
    const Bytes jpeg = testing::MakeJpeg(16, 16);
    const Bytes bmp = testing::MakeBmp24(8, 8, Pattern);
    std::vector<std::pair<const char*, Bytes>> cases;
    cases.push_back({"unknown", Bytes{1, 2, 3, 4}});
    cases.push_back({"png cut", Bytes(png.begin(), png.begin() + 40)});
    cases.push_back({"jpeg cut in the header", Bytes(jpeg.begin(), jpeg.begin() + 20)});
    cases.push_back({"bmp cut in the pixels", Bytes(bmp.begin(), bmp.end() - 1)});
    Bytes crc = png;
    crc[20] ^= 0xFF;  // inside IHDR: its check fails
    cases.push_back({"png with a bad header check", crc});
    Bytes huge = bmp;
    PutLe32(huge, 18, kMaxImageSide + 1);
    cases.push_back({"bmp wider than the cap", huge});
    Bytes tall = png;  // a well-formed header whose height is beyond the cap
    tall[20] = 0x00, tall[21] = 0x01, tall[22] = 0x00, tall[23] = 0x00;
    const auto crcValue = static_cast<std::uint32_t>(crc32(0, tall.data() + 12, 17));
    for (int i = 0; i < 4; ++i) tall[29 + std::size_t(i)] = std::uint8_t(crcValue >> (24 - 8 * i));
    cases.push_back({"png taller than the cap", tall});
    Bytes rle = bmp;
    PutLe32(rle, 30, 1);
    cases.push_back({"compressed bmp", rle});
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(DecodeImage(bytes));
    }
}

TEST(ImageDecoders, SizeCaps) {
    EXPECT_TRUE(ImageSizeAllowed(928, 295));
    EXPECT_TRUE(ImageSizeAllowed(kMaxImageSide, 2048));
    EXPECT_FALSE(ImageSizeAllowed(kMaxImageSide, kMaxImageSide));
    EXPECT_FALSE(ImageSizeAllowed(0, 5));
    EXPECT_FALSE(ImageSizeAllowed(5, -1));
}

TEST(ImageDecoders, ConvertTo24DropsAlpha) {
    auto png = DecodeImage(testing::MakePng(3, 2, Pattern));
    ASSERT_TRUE(png);
    const render::Bitmap rgb = ConvertTo24(*png);
    EXPECT_EQ(rgb.Format(), render::PixelFormat::pf24bit);
    ExpectPattern(rgb, false);
}

}  // namespace
}  // namespace lw::skin
