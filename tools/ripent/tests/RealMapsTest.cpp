// The built tool run as the application runs it, on copies of real maps.
#include "tools/ripent/Bsp.h"
#include "tools/ripent/tests/MapBuilder.h"
#include "tools/ripent/tests/TestFiles.h"

#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lw::ripent {
namespace {

using namespace testing;
using ::testing::HasSubstr;
using ::testing::StartsWith;

#ifdef _WIN32
constexpr std::string_view kLineBreak = "\r\n";
#else
constexpr std::string_view kLineBreak = "\n";
#endif

std::string Lf(std::string text) {
    std::string result;
    for (char c : text)
        if (c != '\r') result += c;
    return result;
}

std::string Command(const char* mode, const std::filesystem::path& entities) {
    return std::string(mode) + " texdata 1 " + entities.string();
}

// One copy of a map in a folder whose name has a blank, as users' folders do.
struct MapCopy {
    explicit MapCopy(const std::filesystem::path& original)
        : map(folder / "my maps" / original.filename()),
          entities(std::filesystem::path(map).replace_extension(".ent")),
          bytes(ReadBytes(original)) {
        std::filesystem::create_directory(folder / "my maps");
        WriteBytes(map, bytes);
    }
    TempFolder folder;
    std::filesystem::path map;
    std::filesystem::path entities;
    std::vector<std::uint8_t> bytes;
};

std::span<const std::uint8_t> LumpBytes(const std::vector<std::uint8_t>& file, const Lump& lump) {
    return std::span(file).subspan(lump.offset, lump.length);
}

void ExpectSameLumpsExceptEntities(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after) {
    const BspLayout old = ParseBsp(before);
    const BspLayout now = ParseBsp(after);
    ASSERT_EQ(now.entityLump, old.entityLump);
    for (std::size_t i = 0; i < kLumpCount; ++i)
        if (i != old.entityLump) {
            EXPECT_TRUE(std::ranges::equal(LumpBytes(after, now.lumps[i]), LumpBytes(before, old.lumps[i])))
                << "lump " << i;
        }
}

TEST(RealMapsTest, ExportThenImportGivesTheSameMap) {
    const auto maps = RealMaps();
    ASSERT_FALSE(maps.empty());
    for (const auto& original : maps) {
        SCOPED_TRACE(original.filename().string());
        MapCopy copy(original);
        const BspLayout layout = ParseBsp(copy.bytes);
        const std::string stored(EntityText(layout, copy.bytes));

        const ToolRun exported = RunTool(Command("-export", copy.entities));
        ASSERT_EQ(exported.exitCode, 0) << exported.errors;
        const std::string text = ReadText(copy.entities);
        EXPECT_EQ(Lf(text), stored);
        if (kLineBreak == "\r\n") {
            EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), std::count(text.begin(), text.end(), '\n'));
        }

        const ToolRun imported = RunTool(Command("-import", copy.entities));
        ASSERT_EQ(imported.exitCode, 0) << imported.errors;
        EXPECT_TRUE(ReadBytes(copy.map) == copy.bytes);
    }
}

TEST(RealMapsTest, AnEditedValueReachesTheMapAndNothingElseChanges) {
    for (const auto& original : RealMaps()) {
        SCOPED_TRACE(original.filename().string());
        MapCopy copy(original);
        ASSERT_EQ(RunTool(Command("-export", copy.entities)).exitCode, 0);

        // The value of the first key after the worldspawn's classname line.
        std::string text = ReadText(copy.entities);
        const std::size_t line = text.find("\n\"", text.find("\"worldspawn\""));
        ASSERT_NE(line, std::string::npos);
        const std::string quoteAtLineEnd = std::string(1, '"').append(kLineBreak);
        const std::size_t valueEnd = text.find(quoteAtLineEnd, line + 2);
        ASSERT_NE(valueEnd, std::string::npos);
        text.insert(valueEnd, " edited");
        std::ofstream(copy.entities, std::ios::binary) << text;

        const ToolRun imported = RunTool(Command("-import", copy.entities));
        ASSERT_EQ(imported.exitCode, 0) << imported.errors;
        const auto after = ReadBytes(copy.map);
        EXPECT_EQ(EntityText(ParseBsp(after), after), Lf(text));
        ExpectSameLumpsExceptEntities(copy.bytes, after);

        std::filesystem::remove(copy.entities);
        ASSERT_EQ(RunTool(Command("-export", copy.entities)).exitCode, 0);
        EXPECT_EQ(ReadText(copy.entities), text);
    }
}

TEST(RealMapsTest, AnImportExpectingTheMapsIdentityGoesInOnlyWhileTheMapHasIt) {
    MapCopy copy(RealMaps().front());
    ASSERT_EQ(RunTool(Command("-export", copy.entities)).exitCode, 0);
    std::ofstream(copy.entities, std::ios::binary | std::ios::app) << "{\n\"classname\" \"info_null\"\n}\n";
    const std::string identity = IdentityOnDisk(copy.map);
    std::string stale = identity;
    stale.back() = stale.back() == '0' ? '1' : '0';

    const ToolRun refused = RunTool("-import texdata 1 -expect " + stale + " " + copy.entities.string());
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_THAT(refused.errors, HasSubstr("the map changed on disk after its entity text was exported (expected " +
                                          stale + ", found " + identity + ")"));
    EXPECT_TRUE(ReadBytes(copy.map) == copy.bytes);

    const ToolRun imported = RunTool("-import texdata 1 -expect " + identity + " " + copy.entities.string());
    ASSERT_EQ(imported.exitCode, 0) << imported.errors;
    const auto after = ReadBytes(copy.map);
    EXPECT_THAT(std::string(EntityText(ParseBsp(after), after)), HasSubstr("info_null"));
}

TEST(RealMapsTest, HostileInputFailsWithOneLineAndLeavesTheMapAlone) {
    using Damage = std::function<void(std::vector<std::uint8_t> & map, std::string & entities)>;
    struct Case {
        const char* name;
        Damage damage;
        const char* message;
    };
    const std::string garbage("\x7F\x45LF\x02\x01\x01\x00\x00\x00\x03\x00\x3E\x00", 14);
    const Case cases[] = {
        {"truncated header", [](auto& m, auto&) { m.resize(60); }, "too short for a map header"},
        {"lump beyond the end", [](auto& m, auto&) { SetInt32(m, OffsetField(5), std::int32_t(m.size())); },
         "runs past the end"},
        {"overlapping lumps", [](auto& m, auto&) { SetInt32(m, OffsetField(3), GetInt32(m, OffsetField(5)) + 4); },
         "overlap"},
        {"negative length", [](auto& m, auto&) { SetInt32(m, LengthField(7), -1); }, "negative"},
        {"wrong version", [](auto& m, auto&) { SetInt32(m, 0, 38); }, "unknown map version 38"},
        {"binary garbage in the entity file", [&](auto&, auto& e) { e = garbage; }, "binary data"},
        {"unbalanced braces", [](auto&, auto& e) { e.erase(e.rfind('}')); }, "unbalanced braces"},
        {"first entity not worldspawn", [](auto&, auto& e) { e = "{\n\"classname\" \"light\"\n}\n" + e; },
         "worldspawn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MapCopy copy(RealMaps().front());
        ASSERT_EQ(RunTool(Command("-export", copy.entities)).exitCode, 0);
        std::vector<std::uint8_t> map = copy.bytes;
        std::string entities = ReadText(copy.entities);
        c.damage(map, entities);
        WriteBytes(copy.map, map);
        std::ofstream(copy.entities, std::ios::binary) << entities;

        const ToolRun run = RunTool(Command("-import", copy.entities));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_THAT(run.errors, StartsWith("ripent: "));
        EXPECT_THAT(run.errors, HasSubstr(c.message));
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        EXPECT_TRUE(ReadBytes(copy.map) == map);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(copy.map.parent_path()), {}), 2);
    }
}

TEST(RealMapsTest, MissingFilesAndBadCommandLines) {
    MapCopy copy(RealMaps().front());

    const ToolRun noEntities = RunTool(Command("-import", copy.entities));
    EXPECT_EQ(noEntities.exitCode, 2);
    EXPECT_THAT(noEntities.errors, HasSubstr("cannot open " + copy.entities.string()));
    EXPECT_TRUE(ReadBytes(copy.map) == copy.bytes);

    const auto elsewhere = copy.folder / "none.ent";
    const ToolRun noMap = RunTool(Command("-export", elsewhere));
    EXPECT_EQ(noMap.exitCode, 2);
    EXPECT_THAT(noMap.errors, HasSubstr("cannot open " + (copy.folder / "none.bsp").string()));
    EXPECT_FALSE(std::filesystem::exists(elsewhere));

    const ToolRun unknown = RunTool("-export -onlyents " + copy.entities.string());
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_THAT(unknown.errors, HasSubstr("usage: ripent"));
    EXPECT_EQ(RunTool("-import").exitCode, 1);
}

TEST(RealMapsTest, AReadOnlyFolderLeavesTheMapIntact) {
    MapCopy copy(RealMaps().front());
    ASSERT_EQ(RunTool(Command("-export", copy.entities)).exitCode, 0);
    std::ofstream(copy.entities, std::ios::app) << "{\n\"classname\" \"info_null\"\n}\n";
    const auto folder = copy.map.parent_path();
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    if (std::ofstream(folder / "probe").good()) {
        std::filesystem::remove(folder / "probe");
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    const ToolRun run = RunTool(Command("-import", copy.entities));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_THAT(run.errors, HasSubstr("cannot create"));
    EXPECT_TRUE(ReadBytes(copy.map) == copy.bytes);
}

}  // namespace
}  // namespace lw::ripent
