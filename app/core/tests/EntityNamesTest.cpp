#include "app/core/EntityNames.h"
#include "app/core/LineBreaks.h"

#include <gtest/gtest.h>

namespace lw::app {
namespace {

TEST(EntityNames, EntityFileAndToolParametersFromFolderAndEntry) {
    struct Case {
        const char* folder;
        const char* entry;
        const char* path;
        const char* exportParameters;
    };
    const Case cases[] = {
        {"C:\\F", "mymap.bsp", "C:\\F\\mymap.ent", "-export texdata 1 C:\\F\\mymap.ent"},
        // Only a final ".bsp" goes, and only in small letters.
        {"C:\\F", "a.bsp.bsp", "C:\\F\\a.bsp.ent", "-export texdata 1 C:\\F\\a.bsp.ent"},
        {"C:\\F", "MAP.BSP", "C:\\F\\MAP.BSP.ent", "-export texdata 1 C:\\F\\MAP.BSP.ent"},
        {"C:\\F", "de.bspx.bsp", "C:\\F\\de.bspx.ent", "-export texdata 1 C:\\F\\de.bspx.ent"},
        {"C:\\F", "a.bsp.x", "C:\\F\\a.bsp.x.ent", "-export texdata 1 C:\\F\\a.bsp.x.ent"},
        {"C:\\F", "noext", "C:\\F\\noext.ent", "-export texdata 1 C:\\F\\noext.ent"},
        {"C:\\", "m.bsp", "C:\\\\m.ent", "-export texdata 1 C:\\\\m.ent"},
        {"C:\\F\\", "m.bsp", "C:\\F\\\\m.ent", "-export texdata 1 C:\\F\\\\m.ent"},
        {"C:\\My Maps", "m.bsp", "C:\\My Maps\\m.ent", "-export texdata 1 \"C:\\My Maps\\m.ent\""},
        {"C:\\F", "two words.bsp", "C:\\F\\two words.ent", "-export texdata 1 \"C:\\F\\two words.ent\""},
        {"C:\\Карты", "уровень.bsp", "C:\\Карты\\уровень.ent", "-export texdata 1 C:\\Карты\\уровень.ent"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const std::string path = EntityFilePath(c.folder, c.entry);
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(ExportParameters(path), c.exportParameters);
        EXPECT_EQ(ImportParameters(path), "-import" + std::string(c.exportParameters).substr(7));
        EXPECT_EQ(ImportParameters(path, "9:8:7f"),
                  "-import texdata 1 -expect 9:8:7f " + std::string(c.exportParameters).substr(18));
    }
}

TEST(LineBreaks, EveryKindOfBreakBecomesCrLfAndNothingElseChanges) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\r\nb", "a\r\nb"},
        {"a\n\rb", "a\r\n\r\nb"},
        {"\r\r\n\n", "\r\n\r\n\r\n"},
        {"end\r", "end\r\n"},
        {"end\n", "end\r\n"},
        {"\xC0\xFF\x98\t\x01 x", "\xC0\xFF\x98\t\x01 x"},
        {std::string("nul\0inside\n", 11), std::string("nul\0inside\r\n", 12)},
    };
    for (const Case& c : cases) EXPECT_EQ(WithCrLfLineBreaks(c.text), c.expected) << testing::PrintToString(c.text);
}

}  // namespace
}  // namespace lw::app
