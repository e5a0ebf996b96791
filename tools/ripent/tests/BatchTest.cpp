// A pattern of maps: each map run as a run of its own would run it, on copies of the real maps.
#include "tools/ripent/Bsp.h"
#include "tools/ripent/tests/InProcessRun.h"
#include "tools/ripent/tests/TestFiles.h"

#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace lw::ripent {
namespace {

using namespace testing;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Lf(const std::string& text) {
    std::string result;
    for (char c : text)
        if (c != '\r') result += c;
    return result;
}

std::string StoredText(const std::filesystem::path& map) {
    const auto bytes = ReadBytes(map);
    return std::string(EntityText(ParseBsp(bytes), bytes));
}

// Copies of every real map in a folder of their own, the one in the middle cut short.
struct MapFolder {
    MapFolder() {
        std::filesystem::create_directory(folder / "maps");
        for (const auto& original : RealMaps()) maps.push_back(folder / "maps" / original.filename());
        for (std::size_t i = 0; i < maps.size(); ++i) {
            auto bytes = ReadBytes(RealMaps()[i]);
            if (i == maps.size() / 2) bytes.resize(bytes.size() / 2);
            WriteBytes(maps[i], bytes);
        }
    }
    const std::filesystem::path& Broken() const { return maps[maps.size() / 2]; }
    std::filesystem::path Pattern(const char* name) const { return folder / "maps" / name; }

    TempFolder folder;
    std::vector<std::filesystem::path> maps;  // sorted by name, as RealMaps gives them
};

std::string ClosingLine(std::size_t done, std::size_t failed) {
    return std::to_string(done) + " done, " + std::to_string(failed) + " failed\n";
}

TEST(BatchTest, EveryMapRunsAsItsOwnRunWouldAndABrokenOneStopsNothing) {
    MapFolder folder;
    const auto broken = ReadBytes(folder.Broken());

    const InProcessRun batch = RunInProcess("-export", folder.Pattern("*.bsp"));
    EXPECT_EQ(batch.exitCode, 2);
    EXPECT_TRUE(ReadBytes(folder.Broken()) == broken);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder.Broken()).replace_extension(".ent")));

    // An export leaves its map as it was, so each map's own run now prints what the batch
    // printed for it, identity included, and the broken map's run the batch's one error line.
    std::string expectedOutput, expectedErrors;
    for (const auto& map : folder.maps) {
        SCOPED_TRACE(map.filename().string());
        const InProcessRun single = RunInProcess("-export", map);
        expectedOutput += single.output;
        expectedErrors += single.errors;
        if (map == folder.Broken()) {
            EXPECT_EQ(single.exitCode, 2);
        } else {
            EXPECT_EQ(single.exitCode, 0) << single.errors;
            EXPECT_EQ(Lf(ReadText(std::filesystem::path(map).replace_extension(".ent"))), StoredText(map));
        }
    }
    EXPECT_EQ(batch.output, expectedOutput + ClosingLine(folder.maps.size() - 1, 1));
    EXPECT_EQ(batch.errors, expectedErrors);
    EXPECT_THAT(batch.errors, HasSubstr("ripent: " + folder.Broken().string() + ": not a usable map"));
}

TEST(BatchTest, AFolderExportedAndEditedImportsWholeAndExportsAgainAsEdited) {
    MapFolder folder;
    const auto broken = ReadBytes(folder.Broken());
    // The built tool, given the words as the application gives them: the folder's name has a
    // blank, and on Windows the pattern's separators are backslashes.
    EXPECT_EQ(RunTool("-export texdata 1 " + folder.Pattern("*.bsp").string()).exitCode, 2);

    std::map<std::filesystem::path, std::string> edited;
    for (const auto& map : folder.maps) {
        const auto entities = std::filesystem::path(map).replace_extension(".ent");
        if (map == folder.Broken()) continue;
        std::ofstream(entities, std::ios::binary | std::ios::app) << "{\n\"classname\" \"info_null\"\n}\n";
        edited[map] = Lf(ReadText(entities));
    }
    const ToolRun imported = RunTool("-import texdata 1 " + folder.Pattern("*.ent").string());
    EXPECT_EQ(imported.exitCode, 0) << imported.errors;
    for (const auto& [map, text] : edited) EXPECT_EQ(StoredText(map), text) << map;
    EXPECT_TRUE(ReadBytes(folder.Broken()) == broken);

    for (const auto& [map, text] : edited)
        std::filesystem::remove(std::filesystem::path(map).replace_extension(".ent"));
    EXPECT_EQ(RunTool("-export " + folder.Pattern("*.bsp").string()).exitCode, 2);
    for (const auto& [map, text] : edited)
        EXPECT_EQ(Lf(ReadText(std::filesystem::path(map).replace_extension(".ent"))), text) << map;
}

TEST(BatchTest, MatchesRegularFilesOnlyInNameOrderAndRunsEachMapOnce) {
    // What each pattern exports, by the entity files written, in the order they are written.
    struct Case {
        const char* pattern;
        std::vector<std::string> posix;
        std::vector<std::string> windows;
    } cases[] = {
        {"*", {"MAP.ent", "a.ent", "b.ent", "c.ent", "l.ent"}, {"MAP.ent", "a.ent", "b.ent", "c.ent"}},
        {"*.bsp", {"a.ent", "b.ent", "l.ent"}, {"MAP.ent", "a.ent", "b.ent", "c.ent"}},
        {"?.*", {"a.ent", "b.ent", "c.ent", "l.ent"}, {"a.ent", "b.ent", "c.ent"}},
        {"*.ent", {"MAP.BSP.ent", "a.ent"}, {"MAP.BSP.ent", "a.ent"}},
    };
    const auto original = ReadBytes(RealMaps().front());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        TempFolder folder;
        for (const char* name : {"b.bsp", "a.bsp", "c.BSP", "MAP.BSP"}) WriteBytes(folder / name, original);
        folder.AddFile("a.ent");         // names a.bsp again
        folder.AddFile("MAP.BSP.ent");   // names MAP.BSP again
        folder.AddFolder("folder.bsp");  // not a regular file
#ifdef _WIN32
        const std::vector<std::string>& expected = c.windows;
#else
        const std::vector<std::string>& expected = c.posix;
        std::filesystem::create_symlink("a.bsp", folder / "l.bsp");
        std::filesystem::create_symlink("none.bsp", folder / "dangling.bsp");
#endif
        const InProcessRun run = RunInProcess("-export", folder / c.pattern);
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        std::vector<std::string> exported;
        std::istringstream output(run.output);
        for (std::string line; std::getline(output, line);)
            if (line.starts_with("exported ")) exported.push_back(line.substr(line.find(" to ") + 4));
        std::vector<std::string> entityFiles;
        for (const auto& name : expected) entityFiles.push_back((folder / name).string());
        EXPECT_EQ(exported, entityFiles);
        EXPECT_THAT(run.output, EndsWith(ClosingLine(expected.size(), 0)));
    }
}

TEST(BatchTest, APatternThatMatchesNoFileIsAUsageErrorNamingIt) {
    TempFolder folder;
    folder.AddFolder("only a folder.bsp");
    for (const char* pattern : {"*.bsp", "x?.ent", "none/*.bsp"}) {
        SCOPED_TRACE(pattern);
        const InProcessRun run = RunInProcess("-import", folder / pattern);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_THAT(run.errors, StartsWith("ripent: no file matches " + (folder / pattern).string() + "\n"));
        EXPECT_THAT(run.errors, HasSubstr("usage: ripent"));
        EXPECT_EQ(run.output, "");
    }
    EXPECT_EQ(RunTool("-export " + (folder / "*.bsp").string()).exitCode, 1);
}

}  // namespace
}  // namespace lw::ripent
