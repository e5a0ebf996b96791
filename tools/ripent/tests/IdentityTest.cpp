// Every run names the map it leaves, and an import told which map its text came from refuses a
// map that has changed on disk since: the text would go into a map it was not exported from.
#include "tools/ripent/Bsp.h"
#include "tools/ripent/MapIdentity.h"
#include "tools/ripent/tests/InProcessRun.h"
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

const std::vector<std::uint8_t>& SmallMap() {
    static const auto map = BuildMap(30, {{1, PlanesLump(4)}, {0, EntityLump(1)}, {2, DataLump(30, 2)}});
    return map;
}

// The line after the run's first.
std::string IdentityLine(const InProcessRun& run) { return run.output.substr(run.output.find('\n') + 1); }

TEST(IdentityTest, ATokenIsSizeTimeAndSixteenHexDigitsOfTheTextsHash) {
    EXPECT_EQ(FormatIdentity({0, -5, 0xAB}), "0:-5:00000000000000ab");
    EXPECT_EQ(ParseIdentity("0:-5:00000000000000ab"), (MapIdentity{0, -5, 0xAB}));
    EXPECT_EQ(FormatIdentity({18446744073709551615u, 132496704000000000, 0xFEDCBA9876543210}),
              "18446744073709551615:132496704000000000:fedcba9876543210");
    // 64-bit FNV-1a, so that anyone can compute the hash of a text again.
    EXPECT_EQ(HashText(""), 0xCBF29CE484222325u);
    EXPECT_EQ(HashText("a"), 0xAF63DC4C8601EC8Cu);
    EXPECT_EQ(HashText("foobar"), 0x85944171F73967E8u);
}

TEST(IdentityTest, EveryRunNamesTheMapAsItLeavesIt) {
    TempFolder folder;
    const auto map = folder / "a.bsp";
    WriteBytes(map, SmallMap());
    const std::string original = IdentityOnDisk(map);

    const InProcessRun exported = RunInProcess("-export", map);
    ASSERT_EQ(exported.exitCode, 0) << exported.errors;
    EXPECT_EQ(IdentityLine(exported), "map identity: " + original + "\n");

    const InProcessRun unchanged = RunInProcess("-import", map);
    EXPECT_THAT(unchanged.output, HasSubstr("left as it is"));
    EXPECT_EQ(IdentityLine(unchanged), IdentityLine(exported));

    std::ofstream(folder / "a.ent", std::ios::binary | std::ios::app) << "{\n\"classname\" \"info_null\"\n}\n";
    const InProcessRun imported = RunInProcess("-import", map);
    ASSERT_EQ(imported.exitCode, 0) << imported.errors;
    EXPECT_EQ(IdentityLine(imported), "map identity: " + IdentityOnDisk(map) + "\n");
    EXPECT_NE(IdentityOnDisk(map), original);
    EXPECT_EQ(IdentityLine(RunInProcess("-export", map)), IdentityLine(imported));
}

TEST(IdentityTest, AnImportExpectingAnotherMapIsRefusedAndLeavesTheMapAlone) {
    const auto bigger = BuildMap(30, {{1, PlanesLump(5)}, {0, EntityLump(1)}, {2, DataLump(30, 2)}});
    auto otherText = SmallMap();  // as long, one letter of the entity text changed
    const std::string_view worldspawn = "worldspawn";
    *std::search(otherText.begin(), otherText.end(), worldspawn.begin(), worldspawn.end()) = 'W';
    auto otherLumps = SmallMap();  // the same entity text
    otherLumps.back() ^= 0xFF;
    struct Case {
        const char* name;
        bool editEntities;                                         // or import the export as it is
        std::function<void(const std::filesystem::path&)> change;  // by another program, after the export
        bool refused;
    } cases[] = {
        {"the same map, an edited text", true, [](const auto&) {}, false},
        {"the same map, the text as exported", false, [](const auto&) {}, false},
        {"other entity text, the same size", true, [&](const auto& m) { WriteBytes(m, otherText); }, true},
        {"another size", true, [&](const auto& m) { WriteBytes(m, bigger); }, true},
        {"only a later modification time", true, [](const auto& m) { Touch(m); }, true},
        // The text as exported is the map's own again: refused all the same, not left as it is.
        {"other lumps, the same text", false,
         [&](const auto& m) {
             WriteBytes(m, otherLumps);
             Touch(m);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto map = folder / "a.bsp";
        WriteBytes(map, SmallMap());
        const std::string line = IdentityLine(RunInProcess("-export", map));
        ASSERT_THAT(line, StartsWith("map identity: "));
        const std::string token = line.substr(14, line.size() - 15);
        if (c.editEntities)
            std::ofstream(folder / "a.ent", std::ios::binary | std::ios::app) << "{\n\"classname\" \"info_null\"\n}\n";
        c.change(map);
        const auto before = ReadBytes(map);
        const std::string found = IdentityOnDisk(map);

        const auto files = MakeRealFileSystem();
        const InProcessRun run = RunInProcess(*files, {"-import", "-expect", token}, map);
        if (c.refused) {
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.errors, "ripent: " + DisplayPath(map) +
                                      ": the map changed on disk after its entity text was exported (expected " +
                                      token + ", found " + found + "); the map is unchanged\n");
            EXPECT_TRUE(ReadBytes(map) == before);
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
        } else {
            EXPECT_EQ(run.exitCode, 0) << run.errors;
            const auto after = ReadBytes(map);
            EXPECT_EQ(std::string(EntityText(ParseBsp(after), after)).find("info_null") != std::string::npos,
                      c.editEntities);
        }
    }
}

}  // namespace
}  // namespace lw::ripent
