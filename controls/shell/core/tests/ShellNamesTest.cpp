#include "controls/shell/core/ShellNames.h"

#include <gtest/gtest.h>

#include <set>

namespace lw::controls {
namespace {

TEST(ShellNamesTest, EveryRootNameResolvesWithoutRegardToCase) {
    const std::pair<const char*, int> expected[] = {{"rfDesktop", 0},
                                                    {"rfMyComputer", 17},
                                                    {"rfNetwork", 18},
                                                    {"rfRecycleBin", 10},
                                                    {"rfAppData", 26},
                                                    {"rfCommonDesktopDirectory", 25},
                                                    {"rfCommonPrograms", 23},
                                                    {"rfCommonStartMenu", 22},
                                                    {"rfCommonStartup", 24},
                                                    {"rfControlPanel", 3},
                                                    {"rfDesktopDirectory", 16},
                                                    {"rfFavorites", 6},
                                                    {"rfFonts", 20},
                                                    {"rfInternet", 1},
                                                    {"rfPersonal", 5},
                                                    {"rfPrinters", 4},
                                                    {"rfPrintHood", 27},
                                                    {"rfPrograms", 2},
                                                    {"rfRecent", 8},
                                                    {"rfSendTo", 9},
                                                    {"rfStartMenu", 11},
                                                    {"rfStartup", 7},
                                                    {"rfTemplates", 21}};
    for (const auto& [name, csidl] : expected) {
        EXPECT_EQ(RootFolderCsidl(name), csidl) << name;
        std::string upper = name;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(RootFolderCsidl(upper), csidl) << upper;
    }
    EXPECT_EQ(RootFolderCsidl("rfDesktopX"), std::nullopt);
    EXPECT_EQ(RootFolderCsidl("C:\\"), std::nullopt);
    EXPECT_EQ(RootFolderCsidl(""), std::nullopt);
}

TEST(ShellNamesTest, SeparatorRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"C:\\a\\", "C:\\a\\"}, {"C:\\a/", "C:\\a\\"}, {"C:\\a", "C:\\a\\"}, {"C", "C:\\"}, {"\\", "\\"}};
    for (const auto& [path, expected] : cases) EXPECT_EQ(WithTrailingSeparator(path), expected) << path;
}

TEST(ShellNamesTest, NewFolderNameSkipsEveryExistingEntryFilesIncluded) {
    // "New folder1" is a file: a folder cannot be made under its name either.
    const std::set<std::string> taken{"C:\\maps\\New folder1", "C:\\maps\\New folder2"};
    const auto exists = [&](const std::string& p) { return taken.count(p) > 0; };
    EXPECT_EQ(NewFolderName("C:\\maps", exists), "C:\\maps\\New folder3");
    EXPECT_EQ(NewFolderName("C:\\maps\\", exists), "C:\\maps\\New folder3");
    EXPECT_EQ(NewFolderName("D", exists), "D:\\New folder1");
}

TEST(ShellNamesTest, DisplayNameRules) {
    EXPECT_EQ(CleanDisplayName("?1a?b"), "1ab");
    EXPECT_EQ(CleanDisplayName("?a?b"), "?a?b");
    EXPECT_EQ(CleanDisplayName("?!?b"), "?!?b");
    EXPECT_EQ(CleanDisplayName("?"), "?");
    EXPECT_TRUE(IsVirtualParsingName("::{20D04FE0}"));
    EXPECT_FALSE(IsVirtualParsingName("C:\\::{"));

    struct Case {
        const char* name;
        ShowExtension rule;
        std::optional<std::string> file;
        const char* expected;
    };
    const Case cases[] = {
        {"map", ShowExtension::Show, ".bsp", "map.bsp"},
        {"map.bsp", ShowExtension::Show, ".bsp", "map.bsp"},
        {"map.bsp", ShowExtension::Hide, ".bsp", "map"},
        {"map", ShowExtension::Hide, ".bsp", "map"},
        {"map.bsp", ShowExtension::System, ".bsp", "map.bsp"},
        {"dir.d", ShowExtension::Hide, std::nullopt, "dir.d"},  // no file there: a folder keeps its name
        {"a.b\\c", ShowExtension::Hide, "", "a.b\\c"},
    };
    for (const auto& c : cases) EXPECT_EQ(ApplyExtensionRule(c.name, c.rule, c.file), c.expected) << c.name;
}

}  // namespace
}  // namespace lw::controls
