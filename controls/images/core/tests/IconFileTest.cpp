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

}  // namespace
}  // namespace lw::controls
