// Whatever the tool exports imports back: unchanged, it leaves the map as it is; edited, it
// goes in, however odd the map's own text.
#include "tools/ripent/Bsp.h"
#include "tools/ripent/tests/Closure.h"
#include "tools/ripent/tests/InProcessRun.h"
#include "tools/ripent/tests/MapBuilder.h"
#include "tools/ripent/tests/TestFiles.h"

#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lw::ripent {
namespace {

using namespace testing;
using ::testing::HasSubstr;

std::vector<std::uint8_t> MapWithText(std::string_view text, std::size_t nuls = 1) {
    std::vector<std::uint8_t> lump(text.begin(), text.end());
    lump.resize(lump.size() + nuls, 0);
    return BuildMap(30, {{1, PlanesLump(3)}, {0, lump}, {2, DataLump(40, 2)}});
}

TEST(RoundTripTest, EveryExportedTextImportsBack) {
    const std::string world = "{\n\"classname\" \"worldspawn\"\n";
    struct Case {
        const char* name;
        std::vector<std::uint8_t> map;
        bool editable;  // an edited text goes in too
        std::string entityFileEnd = "";
    } cases[] = {
        {"a CR inside a value", MapWithText(world + "\"message\" \"a\rb\"\n}\n"), true},
        {"a value spanning lines", MapWithText(world + "\"message\" \"one\ntwo\"\n}\n"), true},
        {"\\\" inside a value", MapWithText(world + "\"message\" \"say \\\"hi\\\"\"\n}\n"), true},
        {"control bytes in a value", MapWithText(world + "\"message\" \"\x01red\x7F\"\n}\n"), true},
        {"first entity not the worldspawn", MapWithText("{\n\"classname\" \"light\"\n}\n" + world + "}\n"), false},
        {"CR LF line breaks", MapWithText("{\r\n\"classname\" \"worldspawn\"\r\n}\r\n"), true},
        {"CR line breaks", MapWithText("{\r\"classname\" \"worldspawn\"\r}\r"), true},
        {"extra NULs after the text", MapWithText(world + "}\n", 7), true},
        {"no NUL after the text", MapWithText(world + "}\n", 0), true},
        {"a NUL at the end of the entity file", MapWithText(world + "}\n"), false, std::string(1, '\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto map = folder / "a.bsp";
        const auto entities = folder / "a.ent";
        WriteBytes(map, c.map);
        ASSERT_EQ(RunInProcess("-export", map).exitCode, 0);
        std::ofstream(entities, std::ios::binary | std::ios::app) << c.entityFileEnd;

        const InProcessRun unchanged = RunInProcess("-import", map);
        EXPECT_EQ(unchanged.exitCode, 0) << unchanged.errors;
        EXPECT_THAT(unchanged.output, HasSubstr("left as it is"));
        EXPECT_TRUE(ReadBytes(map) == c.map);

        if (c.editable) {
            std::ofstream(entities, std::ios::binary | std::ios::app) << "{\n\"classname\" \"info_null\"\n}\n";
            const InProcessRun edited = RunInProcess("-import", map);
            EXPECT_EQ(edited.exitCode, 0) << edited.errors;
            const auto after = ReadBytes(map);
            EXPECT_THAT(std::string(EntityText(ParseBsp(after), after)), HasSubstr("info_null"));
        }
    }
}

// Each kind of text that the import took but that left a map the export could not read, or
// could not import again unchanged, through the real files.
TEST(RoundTripTest, TextsTheImportTakesComeBackFromTheMapTheyWentInto) {
    const std::string world = "{\n\"classname\" \"worldspawn\"\n}";
    const std::string texts[] = {
        "// made by hand\n" + world + "\n",
        "\n \t\n// one\n\n// two {\n" + world,
        "\xEF\xBB\xBF" + world + "\n",
        "\xEF\xBB\xBF// saved by an editor\r\n" + world + "\r\n",
        world + "\n// the last line, with no line break",
        world + "{}\n// between\n{\n\"classname\" \"light\"\n}",
        "{\n\"classname\" \"worldspawn\"\n\"message\" \"" + std::string(100000, 'm') + "\n\\\"\n}\n",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 80));
        for (const auto& map : LayoutMaps()) {
            TempFolder folder;
            const auto files = MakeRealFileSystem();
            EXPECT_EQ(ClosureFault(*files, folder.Path(), map, text), "");
        }
    }
}

TEST(RoundTripTest, AQuoteLeftOpenIsReportedAtTheLineWhereItOpened) {
    TempFolder folder;
    const auto map = folder / "a.bsp";
    const auto original = MapWithText("{\n\"classname\" \"worldspawn\"\n}\n");
    WriteBytes(map, original);
    WriteBytes(folder / "a.ent", Bytes("{\n\"classname\" \"worldspawn\"\n\"message\" \"open\n\"origin\" \"0\"\n}\n"));
    const InProcessRun run = RunInProcess("-import", map);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.errors, "ripent: " + DisplayPath(folder / "a.ent") +
                              ":3: the quote opened here is not closed before line 4 (there: quoted text is not "
                              "closed before the end of the text); the map is unchanged\n");
    EXPECT_TRUE(ReadBytes(map) == original);
}

}  // namespace
}  // namespace lw::ripent
