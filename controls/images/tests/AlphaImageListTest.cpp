#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "controls/images/AlphaImageList.h"
#include "skin/tests/TestImages.h"

namespace lw::controls {
namespace {

using Bytes = std::vector<std::uint8_t>;
// Colour and alpha of a pixel as B, G, R, A, and whether the icon's mask makes it see-through.
using IconPixel = std::function<std::array<std::uint8_t, 4>(int x, int y)>;
using IconMask = std::function<bool(int x, int y)>;

void Put16(Bytes& b, std::uint32_t v) { b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A one-picture icon file, 32 bits a pixel with its mask, as icon editors write them.
Bytes IconFile(int size, const IconPixel& pixel, const IconMask& masked) {
    const int maskStride = (size + 31) / 32 * 4;
    const std::uint32_t imageBytes = 40 + size * size * 4 + maskStride * size;
    Bytes b;
    Put16(b, 0), Put16(b, 1), Put16(b, 1);
    b.insert(b.end(), {std::uint8_t(size), std::uint8_t(size), 0, 0});
    Put16(b, 1), Put16(b, 32), Put32(b, imageBytes), Put32(b, 22);
    Put32(b, 40), Put32(b, size), Put32(b, size * 2), Put16(b, 1), Put16(b, 32);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const auto p = pixel(x, y);
            b.insert(b.end(), p.begin(), p.end());
        }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < size; ++x)
            if (masked(x, y)) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

Bytes SolidPng(int size, std::uint8_t red) {
    return skin::testing::MakePng(size, size, [red](int, int) { return std::array<std::uint8_t, 4>{red, 0, 0, 255}; });
}

TsImgListItem Item(TsImageFormat format, Bytes bytes) {
    return {format, render::PixelFormat::pf32bit, std::move(bytes)};
}

// Blue, half transparent on the left half, opaque on the right: alpha of its own.
Bytes AlphaIcon(int size) {
    return IconFile(
        size,
        [size](int x, int) {
            return std::array<std::uint8_t, 4>{220, 0, 0, std::uint8_t(x < size / 2 ? 128 : 255)};
        },
        [](int, int) { return false; });
}

// Green without any alpha; the top row is see-through by its mask.
Bytes MaskedIcon(int size) {
    return IconFile(
        size,
        [](int, int y) {
            return std::array<std::uint8_t, 4>{0, std::uint8_t(y == 0 ? 0 : 160), 0, 0};
        },
        [](int, int y) { return y == 0; });
}

// Two colours, 1 bit a pixel: white on the left half, and on the right black whose top row the
// mask makes see-through.
Bytes TwoColourIcon(int size) {
    const int stride = (size + 31) / 32 * 4;
    Bytes b;
    Put16(b, 0), Put16(b, 1), Put16(b, 1);
    b.insert(b.end(), {std::uint8_t(size), std::uint8_t(size), 2, 0});
    Put16(b, 1), Put16(b, 1), Put32(b, 40 + 8 + 2 * stride * size), Put32(b, 22);
    Put32(b, 40), Put32(b, size), Put32(b, size * 2), Put16(b, 1), Put16(b, 1);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    Put32(b, 0x000000), Put32(b, 0xFFFFFF);
    for (bool mask : {false, true})
        for (int y = size - 1; y >= 0; --y) {
            Bytes row(stride, 0);
            for (int x = 0; x < size; ++x)
                if (mask ? (x >= size / 2 && y == 0) : x < size / 2) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
            b.insert(b.end(), row.begin(), row.end());
        }
    return b;
}

// B, G, R, A of pixel (x, y) of image `index`.
std::array<int, 4> PixelOf(const TsAlphaImageList& list, int index, int x, int y) {
    render::Bitmap bmp;
    if (!list.GetBitmap32(index, bmp)) return {-1, -1, -1, -1};
    const std::uint8_t* p = bmp.Pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

TEST(AlphaImageList, IconItemsAreReadAsIconsAndAnUnreadableOneLeavesABlankInItsPlace) {
    TsAlphaImageList list(nullptr, 18, 18);
    Bytes truncated = AlphaIcon(18);
    truncated.resize(60);
    list.Items() = {Item(ifPNG, SolidPng(18, 90)), Item(ifICO, AlphaIcon(18)),  Item(ifICO, truncated),
                    Item(ifICO, SolidPng(18, 10)), Item(ifICO, MaskedIcon(18)), Item(ifPNG, SolidPng(18, 30))};
    list.GenerateList();

    ASSERT_EQ(list.Count(), 6) << "the toolkit's list holds one image per item";
    EXPECT_EQ(PixelOf(list, 0, 9, 9), (std::array<int, 4>{0, 0, 90, 255}));
    EXPECT_EQ(PixelOf(list, 1, 2, 5), (std::array<int, 4>{220, 0, 0, 128})) << "the icon's own alpha";
    EXPECT_EQ(PixelOf(list, 1, 15, 5), (std::array<int, 4>{220, 0, 0, 255}));
    for (int blank : {2, 3}) EXPECT_EQ(PixelOf(list, blank, 9, 9)[3], 0) << "item " << blank;
    EXPECT_EQ(PixelOf(list, 4, 9, 0)[3], 0) << "masked pixels are transparent";
    EXPECT_EQ(PixelOf(list, 4, 9, 9), (std::array<int, 4>{0, 160, 0, 255}));
    EXPECT_EQ(PixelOf(list, 5, 9, 9), (std::array<int, 4>{0, 0, 30, 255})) << "later indexes do not shift";
}

TEST(AlphaImageList, ATwoColourIconShowsItsColoursAndItsMask) {
    TsAlphaImageList list(nullptr, 16, 16);
    list.Items() = {Item(ifICO, TwoColourIcon(16))};
    list.GenerateList();
    EXPECT_EQ(PixelOf(list, 0, 3, 8), (std::array<int, 4>{255, 255, 255, 255}));
    EXPECT_EQ(PixelOf(list, 0, 12, 8), (std::array<int, 4>{0, 0, 0, 255}));
    EXPECT_EQ(PixelOf(list, 0, 12, 0)[3], 0) << "masked black is see-through";
}

TEST(AlphaImageList, AnIconOfAnotherSizeIsReadAtTheListsSize) {
    TsAlphaImageList list(nullptr, 18, 18);
    list.Items() = {Item(ifICO, MaskedIcon(32))};
    list.GenerateList();
    render::Bitmap bmp;
    ASSERT_TRUE(list.GetBitmap32(0, bmp));
    EXPECT_EQ(bmp.Width(), 18);
    EXPECT_EQ(bmp.Height(), 18);
    EXPECT_EQ(PixelOf(list, 0, 9, 12), (std::array<int, 4>{0, 160, 0, 255}));
}

struct ListCopy : ::testing::Test {
    TsAlphaImageList source{nullptr, 24, 24};
    TsAlphaImageList target{nullptr, 18, 18};
    int changes = 0;
    int countAtChange = -1;

    void SetUp() override {
        source.Masked = false;
        source.ImageType = platform::TImageType::itMask;
        source.DrawingStyle = platform::TDrawingStyle::dsTransparent;
        source.ShareImages = true;
        source.BlendColor = 0x00FF00;
        source.BkColor = 0x123456;
        source.Items() = {Item(ifICO, AlphaIcon(24)), Item(ifPNG, SolidPng(24, 70))};
        target.Items() = {Item(ifPNG, SolidPng(18, 1)), Item(ifPNG, SolidPng(18, 2)), Item(ifPNG, SolidPng(18, 3))};
        target.GenerateList();
        target.OnChange = [this] {
            ++changes;
            countAtChange = target.Count();
        };
    }

    void ExpectSourceSettingsAndImages() {
        EXPECT_FALSE(target.Masked);
        EXPECT_EQ(target.ImageType, platform::TImageType::itMask);
        EXPECT_EQ(target.DrawingStyle, platform::TDrawingStyle::dsTransparent);
        EXPECT_TRUE(target.ShareImages);
        EXPECT_EQ(target.BlendColor, 0x00FF00u);
        EXPECT_EQ(target.BkColor, 0x123456u);
        EXPECT_EQ(target.Width(), 24);
        EXPECT_EQ(target.Height(), 24);
        ASSERT_EQ(target.Count(), 2);
        EXPECT_EQ(PixelOf(target, 0, 20, 3), (std::array<int, 4>{220, 0, 0, 255}));
        EXPECT_EQ(PixelOf(target, 0, 3, 3)[3], 128);
        EXPECT_EQ(PixelOf(target, 1, 3, 3), (std::array<int, 4>{0, 0, 70, 255}));
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(countAtChange, 2) << "users hear of the copy once it is complete";
    }
};

TEST_F(ListCopy, KeptItemsAreCopiedOneByOneAndTheImagesMadeFromThem) {
    source.GenerateList();
    target.CopyFrom(source);
    ExpectSourceSettingsAndImages();
    ASSERT_EQ(target.Items().size(), 2u);
    EXPECT_EQ(target.Items()[0].ImageFormat, ifICO);
    EXPECT_EQ(target.Items()[1].ImgData, source.Items()[1].ImgData);
}

TEST_F(ListCopy, CopyingToAnotherListIsTheSameCopySeenFromTheSource) {
    source.GenerateList();
    source.CopyTo(target);
    ExpectSourceSettingsAndImages();
}

TEST_F(ListCopy, WithoutKeptItemsTheImagesThemselvesAreCopied) {
    source.SetKeepItems(false);
    source.GenerateList();
    ASSERT_TRUE(source.Items().empty());
    target.CopyFrom(source);
    ExpectSourceSettingsAndImages();
    EXPECT_TRUE(target.Items().empty()) << "the target's old items must not come back";
}

// A toolkit list keeps no image files: its images come over as they are. One that came from a
// bitmap without alpha gets alpha from its key colour (bottom left), one with alpha keeps it.
TEST_F(ListCopy, AToolkitListsImagesComeOverAndThoseWithoutAlphaAreKeyedByTheirCorner) {
    platform::TImageList plain(nullptr, 3, 2);
    plain.DrawingStyle = platform::TDrawingStyle::dsSelected;
    plain.BkColor = 0x654321;
    // Red above, magenta (the key) and blue below; alpha bytes that mean nothing.
    plain.Add({3, 2, {255, 0, 0, 0, 255, 0, 0, 9, 255, 0, 0, 0, 255, 0, 255, 0, 255, 0, 255, 0, 0, 0, 255, 0}}, false);
    plain.Add({3, 2, std::vector<std::uint8_t>(3 * 2 * 4, 0)});  // fully transparent, as it is
    plain.Add({3, 2, {0, 0, 200, 255, 0, 0, 200, 102, 0, 0, 200, 255, 0, 0, 200, 255, 0, 0, 200, 255, 0, 0, 200, 255}});

    target.CopyFrom(plain);
    EXPECT_EQ(target.DrawingStyle, platform::TDrawingStyle::dsSelected);
    EXPECT_EQ(target.BkColor, 0x654321u);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
    EXPECT_TRUE(target.Items().empty()) << "the target's old items must not come back";
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(PixelOf(target, 0, 1, 0), (std::array<int, 4>{0, 0, 255, 255}));
    EXPECT_EQ(PixelOf(target, 0, 0, 1)[3], 0) << "the key colour is see-through";
    EXPECT_EQ(PixelOf(target, 0, 2, 1), (std::array<int, 4>{255, 0, 0, 255})) << "blue is not the key";
    EXPECT_EQ(PixelOf(target, 1, 1, 1)[3], 0) << "a transparent image stays transparent";
    EXPECT_EQ(PixelOf(target, 2, 1, 0), (std::array<int, 4>{200, 0, 0, 102}));
    EXPECT_EQ(PixelOf(target, 2, 0, 0), (std::array<int, 4>{200, 0, 0, 255}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(countAtChange, 3);
}

}  // namespace
}  // namespace lw::controls
