#include <array>
#include <functional>

#include <gtest/gtest.h>

#include "controls/images/core/IconFile.h"

namespace lw::controls {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Entry {
    std::uint8_t width, height;
    std::uint16_t depth;
    std::uint32_t size, offset;
};

// An icon directory with the given entries, followed by `tail` bytes of picture data.
Bytes Directory(const std::vector<Entry>& entries, std::size_t tail, std::uint16_t type = 1) {
    Bytes b{0, 0, std::uint8_t(type), std::uint8_t(type >> 8), std::uint8_t(entries.size()), 0};
    for (const Entry& e : entries) {
        b.insert(b.end(), {e.width, e.height, 0, 0, 1, 0, std::uint8_t(e.depth), std::uint8_t(e.depth >> 8)});
        for (std::uint32_t v : {e.size, e.offset})
            b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
    }
    for (std::size_t i = 0; i < tail; ++i) b.push_back(std::uint8_t(i));
    return b;
}

TEST(IconFile, PicksTheNearestSizeThenTheDeepestColourAndPassesOverEntriesOutsideTheFile) {
    constexpr std::uint32_t kData = 6 + 16 * 4;  // where pictures start with four entries
    struct Case {
        const char* what;
        std::vector<Entry> entries;
        std::optional<std::uint32_t> offset;  // of the picked picture
    } cases[] = {
        {"nearest size",
         {{16, 16, 32, 4, kData}, {18, 18, 8, 4, kData + 4}, {32, 32, 32, 4, kData + 8}, {0, 0, 32, 4, kData + 12}},
         kData + 4},
        {"deeper colour at the same size",
         {{18, 18, 4, 4, kData}, {18, 18, 32, 4, kData + 4}, {18, 18, 8, 4, kData + 8}, {48, 48, 32, 4, kData + 12}},
         kData + 4},
        {"past the end",
         {{18, 18, 32, 4, kData + 14}, {16, 16, 32, 4, kData}, {1, 1, 1, 1, 0xFFFFFFFF}, {18, 18, 32, 0, kData}},
         kData},
        {"none inside",
         {{18, 18, 32, 17, kData},
          {18, 18, 32, 4, 0xFFFFFFFE},
          {18, 18, 32, 0xFFFFFFFF, 2},
          {18, 18, 32, 4, kData + 13}},
         std::nullopt},
    };
    for (const Case& c : cases) {
        const Bytes file = Directory(c.entries, 16);
        const auto picked = PickIconImage(file, 18, 18);
        ASSERT_EQ(picked.has_value(), c.offset.has_value()) << c.what;
        if (picked) {
            EXPECT_EQ(picked->data() - file.data(), std::ptrdiff_t(*c.offset)) << c.what;
        }
    }
}

TEST(IconFile, DataThatIsNoIconDirectoryGivesNothing) {
    const Entry one{18, 18, 32, 4, 22};
    Bytes shortDirectory = Directory({one, one}, 0);
    shortDirectory.resize(30);  // two entries announced, one and a half present
    for (const Bytes& bad : {Bytes{}, Bytes{0, 0, 1, 0}, Directory({one}, 4, 2), Directory({}, 4), shortDirectory,
                             Bytes{0x89, 'P', 'N', 'G', 0, 0, 0, 0}})
        EXPECT_FALSE(PickIconImage(bad, 18, 18).has_value()) << bad.size() << " bytes";
}

// A two-colour picture as icon files hold it: the bitmap header (height doubled), the two
// colours, the colour bits and the mask, rows bottom up. `pixel` gives the colour index and the
// mask bit of (x, y).
struct TwoColourPixel {
    bool colour, mask;
};
Bytes TwoColourPicture(int w, int h, std::array<std::uint32_t, 2> colours,
                       const std::function<TwoColourPixel(int, int)>& pixel) {
    Bytes b;
    const auto put32 = [&b](std::uint32_t v) {
        b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
    };
    put32(40), put32(std::uint32_t(w)), put32(std::uint32_t(h * 2));
    b.insert(b.end(), {1, 0, 1, 0});  // one plane, one bit
    for (int i = 0; i < 6; ++i) put32(0);
    for (std::uint32_t c : colours) put32(c);
    const std::size_t stride = (std::size_t(w) + 31) / 32 * 4;
    for (bool mask : {false, true})
        for (int y = h - 1; y >= 0; --y) {
            Bytes row(stride, 0);
            for (int x = 0; x < w; ++x) {
                const TwoColourPixel p = pixel(x, y);
                if (mask ? p.mask : p.colour) row[std::size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
            }
            b.insert(b.end(), row.begin(), row.end());
        }
    return b;
}

std::array<int, 4> At(const render::Bitmap& bmp, int x, int y) {
    const std::uint8_t* p = bmp.Pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

// Columns 0-3 of a 9 x 2 picture: each pairing of colour bit and mask bit, on row 1 over
// colours of their own; column 8 lies past the first byte of its row.
TEST(TwoColourIcon, ColourBitsPickTheColourAndTheMaskClearsOnlyWhatWouldLeaveTheScreenAlone) {
    const auto pixel = [](int x, int) { return TwoColourPixel{x % 2 == 1, x >= 2 && x < 4}; };
    struct Case {
        std::array<std::uint32_t, 2> colours;  // 0x00RRGGBB as the file stores them, blue first
        int y;
        std::array<std::array<int, 4>, 5> expected;  // columns 0, 1, 2, 3 and 8, as B, G, R, A
    } cases[] = {
        {{0x000000, 0xFFFFFF},
         0,
         {{{0, 0, 0, 255}, {255, 255, 255, 255}, {0, 0, 0, 0}, {255, 255, 255, 255}, {0, 0, 0, 255}}}},
        {{0x102030, 0x000000},
         1,
         {{{0x30, 0x20, 0x10, 255}, {0, 0, 0, 255}, {0x30, 0x20, 0x10, 255}, {0, 0, 0, 0}, {0x30, 0x20, 0x10, 255}}}},
    };
    for (const Case& c : cases) {
        const auto read = ReadTwoColourIcon(TwoColourPicture(9, 2, c.colours, pixel), 9, 2);
        ASSERT_TRUE(read.has_value());
        ASSERT_EQ(read->Format(), render::PixelFormat::pf32bit);
        const int columns[] = {0, 1, 2, 3, 8};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(At(*read, columns[i], c.y), c.expected[i]) << "column " << columns[i];
    }
}

TEST(TwoColourIcon, ItComesAtTheSizeAskedAndOtherPicturesAreNotTakenForOne) {
    const auto white = [](int, int) { return TwoColourPixel{true, false}; };
    const Bytes picture = TwoColourPicture(32, 32, {0x000000, 0xFFFFFF}, white);
    const auto sized = ReadTwoColourIcon(picture, 18, 18);
    ASSERT_TRUE(sized.has_value());
    EXPECT_EQ(sized->Width(), 18);
    EXPECT_EQ(sized->Height(), 18);
    EXPECT_EQ(At(*sized, 9, 9), (std::array<int, 4>{255, 255, 255, 255}));

    Bytes deeper = picture;
    deeper[14] = 4;
    Bytes oddHeight = picture;
    oddHeight[8] = 63;
    Bytes cut = picture;
    cut.resize(cut.size() - 1);
    for (const Bytes& bad : {deeper, oddHeight, cut, Bytes{0x89, 'P', 'N', 'G', 0, 0, 0, 0}})
        EXPECT_FALSE(ReadTwoColourIcon(bad, 18, 18).has_value()) << bad.size() << " bytes";
    EXPECT_FALSE(ReadTwoColourIcon(TwoColourPicture(1, 1, {0, 0xFFFFFF}, white), 18, 18).has_value())
        << "a 1-pixel picture cannot be resampled";
}

}  // namespace
}  // namespace lw::controls
