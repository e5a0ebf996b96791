// Extension blocks after the last lump, and telling the two layouts of version 30 apart.
#include "tools/ripent/Bsp.h"
#include "tools/ripent/tests/MapBuilder.h"

#include <cstring>
#include <gtest/gtest.h>

namespace lw::ripent {
namespace {

using namespace testing;

struct ExtensionSpec {
    const char* name;
    std::vector<std::uint8_t> bytes;
};

// Appends an extension block where readers look for it: right after the last lump, on a
// 4-byte boundary; each extension's bytes after the list, 4-aligned.
std::vector<std::uint8_t> WithExtensions(std::vector<std::uint8_t> map, const std::vector<ExtensionSpec>& extensions) {
    map.resize((map.size() + 3) / 4 * 4, 0);
    const std::size_t at = map.size();
    map.resize(at + 8 + 32 * extensions.size(), 0);
    std::memcpy(map.data() + at, "BSPX", 4);
    SetInt32(map, at + 4, std::int32_t(extensions.size()));
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        map.resize((map.size() + 3) / 4 * 4, 0);
        const std::size_t entry = at + 8 + 32 * i;
        std::strncpy(reinterpret_cast<char*>(map.data() + entry), extensions[i].name, 24);
        SetInt32(map, entry + 24, std::int32_t(map.size()));
        SetInt32(map, entry + 28, std::int32_t(extensions[i].bytes.size()));
        map.insert(map.end(), extensions[i].bytes.begin(), extensions[i].bytes.end());
    }
    return map;
}

std::vector<std::uint8_t> Joined(const ImportedMap& imported) {
    std::vector<std::uint8_t> bytes;
    for (const auto& piece : imported.Pieces()) bytes.insert(bytes.end(), piece.begin(), piece.end());
    return bytes;
}

std::uint64_t LastLumpEnd(const BspLayout& layout) {
    std::uint64_t end = kHeaderSize;
    for (const Lump& lump : layout.lumps)
        if (lump.length > 0) end = std::max<std::uint64_t>(end, std::uint64_t(lump.offset) + lump.length);
    return end;
}

TEST(BspExtensionsTest, AGrownOrShrunkEntityLumpKeepsEveryExtensionIntact) {
    const std::vector<ExtensionSpec> extensions = {
        {"LIGHTGRID_OCTREE", DataLump(37, 9)}, {"EMPTY", {}}, {"DECOUPLED_LM", DataLump(64, 7)}};
    const std::vector<std::vector<std::uint8_t>> maps = {
        WithExtensions(BuildMap(30, {{1, PlanesLump(4)}, {0, EntityLump(2)}, {2, DataLump(21, 2)}}), extensions),
        // The entity lump last, its end not on a 4-byte boundary: the block must follow it closely.
        WithExtensions(BuildMap(30, {{1, PlanesLump(4)}, {2, DataLump(21, 2)}, {0, EntityLump(2)}}), extensions),
        WithExtensions(BuildMap(29, {{1, PlanesLump(2)}, {0, EntityLump(0)}}), extensions),
    };
    for (const auto& map : maps) {
        const BspLayout layout = ParseBsp(map);
        ASSERT_NE(layout.extensionsAt, 0u);
        const std::string oldText(EntityText(layout, map));
        for (int change = -9; change <= 9; ++change) {
            SCOPED_TRACE("characters added: " + std::to_string(change));
            const std::string text = change < 0 ? oldText.substr(0, oldText.size() + change) + "\n"
                                                : oldText + std::string(std::size_t(change), '\n');
            const auto imported = Joined(ReplaceEntities(layout, map, text));
            const BspLayout after = ParseBsp(imported);
            EXPECT_EQ(EntityText(after, imported), text);
            EXPECT_EQ(after.extensionsAt, (LastLumpEnd(after) + 3) / 4 * 4);
            const auto now = Extensions(after, imported);
            const auto old = Extensions(layout, map);
            ASSERT_EQ(now.size(), extensions.size());
            for (std::size_t i = 0; i < now.size(); ++i) {
                EXPECT_EQ(now[i].name, extensions[i].name);
                EXPECT_TRUE(std::ranges::equal(std::span(imported).subspan(now[i].lump.offset, now[i].lump.length),
                                               std::span(map).subspan(old[i].lump.offset, old[i].lump.length)))
                    << extensions[i].name;
            }
        }
        EXPECT_EQ(Joined(ReplaceEntities(layout, map, oldText)), map) << "unchanged text, unchanged map";
    }
}

TEST(BspExtensionsTest, BytesThatMakeNoBlockAreKeptAsTheyAre) {
    const auto plain = BuildMap(30, {{1, PlanesLump(4)}, {2, DataLump(21, 2)}, {0, EntityLump(1)}});
    auto claimsTooMuch = WithExtensions(plain, {{"A", DataLump(8, 1)}});
    SetInt32(claimsTooMuch, (plain.size() + 3) / 4 * 4 + 4, 1000);  // more entries than the file holds
    auto pointsBack = WithExtensions(plain, {{"A", DataLump(8, 1)}});
    SetInt32(pointsBack, (plain.size() + 3) / 4 * 4 + 8 + 24, 200);  // into the lumps
    for (const auto& map : {claimsTooMuch, pointsBack}) {
        const BspLayout layout = ParseBsp(map);
        EXPECT_EQ(layout.extensionsAt, 0u);
        const auto imported = Joined(ReplaceEntities(layout, map, std::string(EntityText(layout, map)) + "\n"));
        const std::size_t trailing = map.size() - plain.size();
        EXPECT_TRUE(
            std::equal(map.end() - std::ptrdiff_t(trailing), map.end(), imported.end() - std::ptrdiff_t(trailing)));
    }
}

TEST(BspExtensionsTest, TellsTheLayoutsApartByBothCandidateLumps) {
    // Entity text saved with a byte-order mark, in a map without planes: still the entity lump.
    auto text = EntityLump(1);
    text.insert(text.begin(), {0xEF, 0xBB, 0xBF});
    const auto withMark = BuildMap(30, {{0, text}, {2, DataLump(30, 2)}});
    const BspLayout layout = ParseBsp(withMark);
    EXPECT_EQ(layout.entityLump, 0u);
    EXPECT_EQ(EntityText(layout, withMark).size(), text.size() - 1);
    const auto imported = Joined(ReplaceEntities(layout, withMark, "{\n\"classname\" \"worldspawn\"\n}\n"));
    EXPECT_EQ(GetInt32(imported, LengthField(1)), 0);
}

}  // namespace
}  // namespace lw::ripent
