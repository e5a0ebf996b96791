#include "tools/ripent/CommandLine.h"

#include <gtest/gtest.h>
#include <set>

namespace lw::ripent {
namespace {

std::vector<Argument> Words(const std::vector<std::string>& words) {
    std::vector<Argument> result;
    for (const auto& word : words) result.emplace_back(word.begin(), word.end());
    return result;
}

std::vector<std::string> Candidates(const CommandLine& commandLine) {
    std::vector<std::string> result;
    for (const auto& candidate : commandLine.mapCandidates) result.push_back(candidate.string());
    return result;
}

TEST(CommandLineTest, ParsesTheApplicationsCallsAndTheClassicOptions) {
    const CommandLine exported = ParseCommandLine(Words({"-export", "texdata", "1", "maps/a.ent"}));
    EXPECT_EQ(exported.mode, Mode::Export);
    EXPECT_EQ(Candidates(exported), (std::vector<std::string>{"texdata 1 maps/a.ent", "1 maps/a.ent", "maps/a.ent"}));

    const CommandLine imported =
        ParseCommandLine(Words({"-chart", "-IMPORT", "-texdata", "2", "-lightdata", "4", "-noinfo", "a b", "c"}));
    EXPECT_EQ(imported.mode, Mode::Import);
    EXPECT_EQ(Candidates(imported), (std::vector<std::string>{"a b c", "c"}));

    // The application's call with the identity of the map it exported from.
    const CommandLine expecting = ParseCommandLine(
        Words({"-import", "texdata", "1", "-expect", "123:456:0123456789abcdef", "C:\\My", "Maps\\a.ent"}));
    EXPECT_EQ(expecting.mode, Mode::Import);
    EXPECT_EQ(Candidates(expecting), (std::vector<std::string>{"C:\\My Maps\\a.ent", "Maps\\a.ent"}));
    EXPECT_EQ(expecting.expected, (MapIdentity{123, 456, 0x0123456789ABCDEF}));
    const CommandLine before = ParseCommandLine(Words({"-import", "a.ent", "-EXPECT", "0:-5:ffffffffffffffff"}));
    EXPECT_EQ(Candidates(before), std::vector<std::string>{"a.ent"});
    EXPECT_EQ(before.expected, (MapIdentity{0, -5, 0xFFFFFFFFFFFFFFFF}));
    EXPECT_EQ(imported.expected, std::nullopt);

    // Only the words after the last option make up the map.
    EXPECT_EQ(Candidates(ParseCommandLine(Words({"old", "-export", "new"}))), std::vector<std::string>{"new"});
    EXPECT_EQ(Candidates(ParseCommandLine(Words({"map", "-export"}))), std::vector<std::string>{"map"});
}

TEST(CommandLineTest, RefusesWhatItDoesNotKnow) {
    const std::vector<std::vector<std::string>> lines = {
        {},
        {"a.bsp"},
        {"-export"},
        {"-export", "-texdata", "1"},
        {"-export", "a.bsp", "-texdata"},
        {"-export", "-onlyents", "a.bsp"},
        {"-export", "-", "a.bsp"},
        {"-import", "-export", "a.bsp"},
        {"-import", "a.bsp", "-expect"},
        {"-export", "-expect", "1:2:0123456789abcdef", "a.bsp"},
        {"-import", "-expect", "a.bsp"},
        {"-import", "-expect", "1:2", "a.bsp"},
        {"-import", "-expect", "1:2:3", "a.bsp"},
        {"-import", "-expect", "1:2:0123456789ABCDEF", "a.bsp"},
        {"-import", "-expect", "1:2:0123456789abcdef0", "a.bsp"},
        {"-import", "-expect", "1:2:0123456789abcdeg", "a.bsp"},
        {"-import", "-expect", ":2:0123456789abcdef", "a.bsp"},
        {"-import", "-expect", "1::0123456789abcdef", "a.bsp"},
        {"-import", "-expect", "-1:2:0123456789abcdef", "a.bsp"},
        {"-import", "-expect", "+1:2:0123456789abcdef", "a.bsp"},
        {"-import", "-expect", "18446744073709551616:2:0123456789abcdef", "a.bsp"},
        {"-import", "-expect", "1:2:3:0123456789abcdef", "a.bsp"},
        {"-import", "-expect", "1:2:0123456789abcdef ", "a.bsp"},
        // Wildcards only in the file name, and one identity cannot stand for many maps.
        {"-export", "m*ps/a.bsp"},
        {"-export", "m?ps/*.bsp"},
        {"-export", "a*", "b/c.bsp"},
        {"-import", "-expect", "1:2:0123456789abcdef", "maps/*.ent"},
        {"-import", "maps/a?.ent", "-expect", "1:2:0123456789abcdef"},
        {"-export", "//?/C:/m?ps/a.bsp"},
    };
    for (const auto& line : lines)
        EXPECT_THROW(ParseCommandLine(Words(line)), UsageError) << ::testing::PrintToString(line);
}

TEST(CommandLineTest, AWildcardInTheFileNameMakesABatch) {
    struct Case {
        std::vector<std::string> words;
        bool batch;
        std::vector<std::string> candidates;
    } cases[] = {
        {{"-export", "maps/*.bsp"}, true, {"maps/*.bsp"}},
        {{"-import", "texdata", "1", "maps/a?.ent"}, true, {"texdata 1 maps/a?.ent", "1 maps/a?.ent", "maps/a?.ent"}},
        {{"-export", "/m/my", "maps/*"}, true, {"/m/my maps/*", "maps/*"}},
        {{"-export", "*"}, true, {"*"}},
        {{"-export", "a*", "b.bsp"}, true, {"a* b.bsp", "b.bsp"}},
        {{"-import", "-expect", "1:2:0123456789abcdef", "maps/a.ent"}, false, {"maps/a.ent"}},
        {{"-export", "/m/my", "maps/a.bsp"}, false, {"/m/my maps/a.bsp", "maps/a.bsp"}},
        {{"-export", "\\\\?\\C:\\maps\\a.bsp"}, false, {"\\\\?\\C:\\maps\\a.bsp"}},
        {{"-export", "//?/C:/maps/a.bsp"}, false, {"//?/C:/maps/a.bsp"}},
        {{"-export", "\\\\?\\C:\\maps\\*.bsp"}, true, {"\\\\?\\C:\\maps\\*.bsp"}},
    };
    for (const Case& c : cases) {
        const CommandLine commandLine = ParseCommandLine(Words(c.words));
        EXPECT_EQ(commandLine.batch, c.batch) << ::testing::PrintToString(c.words);
        EXPECT_EQ(Candidates(commandLine), c.candidates) << ::testing::PrintToString(c.words);
    }
}

TEST(CommandLineTest, PatternsMatchWholeNamesAsThePlatformComparesThem) {
    struct Case {
        const char* pattern;
        const char* name;
        bool posix;
        bool windows;
    } cases[] = {
        {"*.bsp", "a.bsp", true, true},
        {"*.bsp", ".bsp", true, true},
        {"*.bsp", "a.BSP", false, true},
        {"*.BSP", "A.bsp", false, true},
        {"*.bsp", "a.bspx", false, false},
        {"*.bsp", "a.bsp.ent", false, false},
        {"*.bsp", "a.ent", false, false},
        {"a?.bsp", "ab.bsp", true, true},
        {"a?.bsp", "a.bsp", false, false},
        {"a?.bsp", "abc.bsp", false, false},
        {"?.bsp", "\xC3\xA9.bsp", true, true},
        {"??.bsp", "\xC3\xA9.bsp", false, false},
        {"?.bsp", "\xF0\x9F\x98\x80.bsp", true, true},
        {"\xC3\x89*", "\xC3\xA9.bsp", false, true},
        {"*", "anything at all", true, true},
        {"**a*b", "xaxb", true, true},
        {"*a*b", "xaxbx", false, false},
        {"*ab", "aab", true, true},
        {"a*a", "aaa", true, true},
        {"a*a", "a", false, false},
        {"de_*_v?.bsp", "de_dust_v2.bsp", true, true},
        {"de_*_v?.bsp", "de_dust_v22.bsp", false, false},
        {"[a].bsp", "a.bsp", false, false},
        {"a.bsp", "a.bsp", true, true},
    };
    for (const Case& c : cases) {
        const auto pattern = std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(c.pattern)));
        const auto name = std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(c.name)));
#ifdef _WIN32
        const bool expected = c.windows;
#else
        const bool expected = c.posix;
#endif
        EXPECT_EQ(MatchesPattern(pattern.native(), name.native()), expected) << c.pattern << " " << c.name;
    }
}

TEST(CommandLineTest, FindsTheMapFromTheArgument) {
    struct Case {
        const char* argument;
        std::set<std::string> existing;
        const char* map;
        const char* entities;
    } cases[] = {
        {"d/a.ent", {"d/a.bsp"}, "d/a.bsp", "d/a.ent"},
        {"d/a.ent", {}, "d/a.bsp", "d/a.ent"},
        {"d/a.bsp.ent", {"d/a.bsp.bsp", "d/a.bsp"}, "d/a.bsp.bsp", "d/a.bsp.ent"},
        {"d/a.bsp.ent", {"d/a.bsp"}, "d/a.bsp", "d/a.bsp.ent"},
        {"d/MAP.BSP.ent", {"d/MAP.BSP"}, "d/MAP.BSP", "d/MAP.BSP.ent"},
        {"d/MAP.ENT", {"d/MAP.bsp"}, "d/MAP.bsp", "d/MAP.ENT"},
        {"d/a", {}, "d/a.bsp", "d/a.ent"},
        {"d/a.bsp", {"d/a.bsp"}, "d/a.bsp", "d/a.ent"},
        {"d/a.BSP", {}, "d/a.BSP", "d/a.ent"},
        {"d/de_x.v2", {"d/de_x.v2.bsp"}, "d/de_x.v2.bsp", "d/de_x.v2.ent"},
        {"d/de_x.v2", {}, "d/de_x.v2", "d/de_x.v2.ent"},
    };
    for (const Case& c : cases) {
        const MapPaths paths =
            PathsFor(c.argument, [&](const std::filesystem::path& p) { return c.existing.count(p.string()) > 0; });
        EXPECT_EQ(paths.map.string(), c.map) << c.argument;
        EXPECT_EQ(paths.entities.string(), c.entities) << c.argument;
    }
}

TEST(CommandLineTest, AnUnquotedPathWithBlanksIsFoundWhole) {
    const std::set<std::string> files = {"/m/my maps/a b.bsp", "b.bsp"};
    std::set<std::string> folders = {"/m/my maps"};
    auto isFile = [&](const std::filesystem::path& p) { return files.count(p.string()) > 0; };
    auto isFolder = [&](const std::filesystem::path& p) { return folders.count(p.string()) > 0; };

    // "b.bsp" in the current folder does not win over the whole path.
    const auto split = ParseCommandLine(Words({"-import", "texdata", "1", "/m/my", "maps/a", "b.ent"}));
    EXPECT_EQ(ResolveMap(split, isFile, isFolder).map.string(), "/m/my maps/a b.bsp");
    EXPECT_EQ(ResolveMap(split, isFile, isFolder).entities.string(), "/m/my maps/a b.ent");

    // No such map: the error names the one in an existing folder, else the last word.
    const auto missing = ParseCommandLine(Words({"-import", "texdata", "1", "/m/my", "maps/x.ent"}));
    EXPECT_EQ(ResolveMap(missing, isFile, isFolder).map.string(), "/m/my maps/x.bsp");
    folders.clear();
    EXPECT_EQ(ResolveMap(missing, isFile, isFolder).map.string(), "maps/x.bsp");
}

}  // namespace
}  // namespace lw::ripent
