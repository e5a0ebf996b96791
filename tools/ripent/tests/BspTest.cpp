#include "tools/ripent/Bsp.h"
#include "tools/ripent/ToolError.h"
#include "tools/ripent/tests/MapBuilder.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lw::ripent {
namespace {

using namespace testing;
using ::testing::HasSubstr;

// Entity lump in the middle of the file, as compilers write it, so that lumps follow it.
std::vector<std::uint8_t> TypicalMap(std::vector<std::uint8_t> entities = EntityLump(),
                                     const std::vector<std::uint8_t>& trailing = {}) {
    return BuildMap(
        30,
        {{1, PlanesLump(6)}, {3, DataLump(37, 3)}, {0, std::move(entities)}, {2, DataLump(53, 2)}, {4, DataLump(8, 4)}},
        trailing);
}

std::span<const std::uint8_t> LumpBytes(const std::vector<std::uint8_t>& file, const Lump& lump) {
    return std::span(file).subspan(lump.offset, lump.length);
}

std::vector<std::uint8_t> Joined(const ImportedMap& imported) {
    std::vector<std::uint8_t> bytes;
    for (const auto& piece : imported.Pieces()) bytes.insert(bytes.end(), piece.begin(), piece.end());
    return bytes;
}

TEST(BspTest, RefusesHostileHeaders) {
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        const char* message;
    };
    const Case cases[] = {
        {"empty file", [](auto& m) { m.clear(); }, "too short for a map header: 0 bytes"},
        {"truncated header", [](auto& m) { m.resize(100); }, "too short for a map header: 100 bytes"},
        {"wrong version", [](auto& m) { SetInt32(m, 0, 31); }, "unknown map version 31"},
        {"version of another format", [](auto& m) { SetInt32(m, 0, 0x50534249); }, "unknown map version"},
        {"lump beyond the end", [](auto& m) { SetInt32(m, OffsetField(2), std::int32_t(m.size()) - 10); },
         "lump 2 (bytes"},
        {"file cut inside a lump", [](auto& m) { m.resize(m.size() - 1); }, "runs past the end of the file"},
        {"negative length", [](auto& m) { SetInt32(m, LengthField(3), -4); }, "lump 3 has a negative"},
        {"negative offset", [](auto& m) { SetInt32(m, OffsetField(0), -124); }, "lump 0 has a negative"},
        {"length overflowing 32 bits", [](auto& m) { SetInt32(m, LengthField(4), 0x7FFFFFFF); }, "lump 4 (bytes"},
        {"lump inside the header", [](auto& m) { SetInt32(m, OffsetField(3), 100); }, "lump 3 overlaps the header"},
        {"overlapping lumps", [](auto& m) { SetInt32(m, OffsetField(2), GetInt32(m, OffsetField(0)) + 8); },
         "lumps 0 and 2 overlap"},
        {"lumps at the same offset", [](auto& m) { SetInt32(m, OffsetField(4), GetInt32(m, OffsetField(2))); },
         "lumps 2 and 4 overlap"},
        {"binary entity lump", [](auto& m) { m[std::size_t(GetInt32(m, OffsetField(0)))] = 0x01; },
         "neither lump 0 nor lump 1 holds entity text"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> map = TypicalMap();
        ASSERT_NO_THROW(ParseBsp(map)) << c.name;
        c.damage(map);
        try {
            ParseBsp(map);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const ToolError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message)) << c.name;
        }
    }
}

TEST(BspTest, FindsTheEntityLumpInEachLayout) {
    const auto entities = EntityLump(2);
    const std::string_view expected(reinterpret_cast<const char*>(entities.data()), entities.size() - 1);

    const auto standard = TypicalMap(entities);
    const auto planesFirst =
        BuildMap(30, {{0, PlanesLump(9)}, {2, DataLump(40, 2)}, {1, entities}, {3, DataLump(12, 3)}});
    const auto older = BuildMap(29, {{1, PlanesLump(2)}, {0, entities}, {5, DataLump(30, 5)}});
    const auto noNul = TypicalMap(std::vector<std::uint8_t>(entities.begin(), entities.end() - 1));
    // Text the import takes: a comment before the first entity, after a byte-order mark.
    auto commented = Bytes("\xEF\xBB\xBF// by hand\n");
    commented.insert(commented.end(), entities.begin(), entities.end());
    const auto commentedPlanesFirst = BuildMap(30, {{0, PlanesLump(9)}, {1, commented}, {2, DataLump(40, 2)}});

    struct Case {
        const char* name;
        const std::vector<std::uint8_t>& map;
        std::size_t lump;
        std::string_view text;
    } cases[] = {{"standard", standard, 0, expected},
                 {"planes first", planesFirst, 1, expected},
                 {"version 29", older, 0, expected},
                 {"no terminating NUL", noNul, 0, expected},
                 {"a comment first", commentedPlanesFirst, 1,
                  std::string_view(reinterpret_cast<const char*>(commented.data()), commented.size() - 1)}};
    for (const Case& c : cases) {
        const BspLayout layout = ParseBsp(c.map);
        EXPECT_EQ(layout.entityLump, c.lump) << c.name;
        EXPECT_EQ(EntityText(layout, c.map), c.text) << c.name;
    }
}

TEST(BspTest, AcceptsAMapWithoutEntityText) {
    auto map = BuildMap(30, {{1, PlanesLump(3)}, {2, DataLump(9, 2)}});
    const BspLayout layout = ParseBsp(map);
    EXPECT_EQ(layout.entityLump, 0u);
    EXPECT_EQ(EntityText(layout, map), "");

    // An empty entity lump may point into the header or into another lump; the new text must
    // go after what it points into.
    for (std::int32_t into : {0, GetInt32(map, OffsetField(1)) + 7}) {
        SetInt32(map, OffsetField(0), into);
        const BspLayout before = ParseBsp(map);
        const auto imported = Joined(ReplaceEntities(before, map, "{\n}\n"));
        const BspLayout after = ParseBsp(imported);
        EXPECT_EQ(EntityText(after, imported), "{\n}\n");
        for (std::size_t lump : {1, 2})
            EXPECT_TRUE(std::ranges::equal(LumpBytes(imported, after.lumps[lump]), LumpBytes(map, before.lumps[lump])));
    }

    // With the planes first, an empty lump 1 is the entity lump, and stays readable when emptied.
    const auto planesFirst = BuildMap(30, {{0, PlanesLump(3)}, {1, EntityLump()}, {2, DataLump(9, 2)}});
    const auto emptied = Joined(ReplaceEntities(ParseBsp(planesFirst), planesFirst, ""));
    EXPECT_EQ(ParseBsp(emptied).entityLump, 1u);
}

TEST(BspTest, ReplacingEntitiesKeepsEveryOtherByteAndTheAlignment) {
    const std::vector<std::uint8_t> trailing = {0xDE, 0xAD, 0xBE};
    const std::vector<std::vector<std::uint8_t>> maps = {
        TypicalMap(EntityLump(), trailing),
        // Entity lump last, with bytes after it that belong to no lump.
        BuildMap(30, {{1, PlanesLump(4)}, {2, DataLump(21, 2)}, {0, EntityLump()}}, trailing),
        BuildMap(30, {{0, PlanesLump(4)}, {1, EntityLump()}, {2, DataLump(21, 2)}}, trailing),
    };
    for (const auto& map : maps) {
        const BspLayout layout = ParseBsp(map);
        const std::string oldText(EntityText(layout, map));
        for (std::size_t extra = 0; extra < 9; ++extra) {
            SCOPED_TRACE("extra characters: " + std::to_string(extra));
            const std::string text = oldText + std::string(extra, ' ');
            const auto imported = Joined(ReplaceEntities(layout, map, text));
            const BspLayout after = ParseBsp(imported);
            EXPECT_EQ(EntityText(after, imported), text);
            EXPECT_EQ(after.lumps[after.entityLump].length, text.size() + 1);
            EXPECT_TRUE(std::equal(trailing.rbegin(), trailing.rend(), imported.rbegin()));
            for (std::size_t i = 0; i < kLumpCount; ++i) {
                if (i == layout.entityLump) continue;
                EXPECT_EQ(after.lumps[i].offset % 4, layout.lumps[i].offset % 4) << "lump " << i;
                EXPECT_TRUE(std::ranges::equal(LumpBytes(imported, after.lumps[i]), LumpBytes(map, layout.lumps[i])))
                    << "lump " << i;
            }
        }
        EXPECT_EQ(Joined(ReplaceEntities(layout, map, oldText)), map) << "unchanged text, unchanged map";
    }
}

TEST(BspTest, EmptyLumpsKeepTheirPlaceAroundTheEntities) {
    // Compilers point an empty lump at the next lump's start, which may be the entity lump's.
    auto map = TypicalMap();
    const std::int32_t entityOffset = GetInt32(map, OffsetField(0));
    const std::int32_t followingOffset = GetInt32(map, OffsetField(2));
    SetInt32(map, OffsetField(8), entityOffset);
    SetInt32(map, OffsetField(9), followingOffset);
    const BspLayout layout = ParseBsp(map);

    const auto imported = Joined(ReplaceEntities(layout, map, std::string(EntityText(layout, map)) + "\n\n\n\n"));
    EXPECT_EQ(GetInt32(imported, OffsetField(8)), entityOffset);
    EXPECT_EQ(GetInt32(imported, OffsetField(9)), GetInt32(imported, OffsetField(2)));
    EXPECT_EQ(GetInt32(imported, OffsetField(2)), followingOffset + 4);
}

TEST(BspTest, RefusesTextWithANul) {
    const auto map = TypicalMap();
    EXPECT_THROW(ReplaceEntities(ParseBsp(map), map, std::string("{\0}", 3)), ToolError);
}

}  // namespace
}  // namespace lw::ripent
