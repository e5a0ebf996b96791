#include "app/core/OpenRequest.h"

#include <gtest/gtest.h>

namespace lw::app {
namespace {

TEST(OpenRequest, APathOpensItsMapItsFolderOrSaysWhyNot) {
    using Kind = OpenRequest::Kind;
    struct Case {
        const char* path;
        bool exists, isFolder;
        Kind kind;
        const char* folder;
        const char* entry;
    };
    const Case cases[] = {
        {"C:\\My Maps\\de_dust.bsp", true, false, Kind::Map, "C:\\My Maps", "de_dust.bsp"},
        {"C:\\maps\\MAP.BSP", true, false, Kind::Map, "C:\\maps", "MAP.BSP"},
        {"C:\\карты\\уровень.bsp", true, false, Kind::Map, "C:\\карты", "уровень.bsp"},
        {"C:\\a.bsp", true, false, Kind::Map, "C:\\", "a.bsp"},
        {"\\\\server\\share\\m.bsp", true, false, Kind::Map, "\\\\server\\share", "m.bsp"},
        {"C:\\maps", true, true, Kind::Folder, "C:\\maps", ""},
        {"C:\\maps\\", true, true, Kind::Folder, "C:\\maps", ""},
        {"C:\\", true, true, Kind::Folder, "C:\\", ""},
        {"C:\\maps.bsp", true, true, Kind::Folder, "C:\\maps.bsp", ""},  // a folder named like a map
        {"C:\\maps\\a.ent", true, false, Kind::NotAMap, "", ""},
        {"C:\\maps\\bsp", true, false, Kind::NotAMap, "", ""},
        {"C:\\maps\\gone.bsp", false, false, Kind::Missing, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const OpenRequest request = ClassifyOpenPath(c.path, c.exists, c.isFolder);
        EXPECT_EQ(request.kind, c.kind);
        EXPECT_EQ(request.folder, c.folder);
        EXPECT_EQ(request.entry, c.entry);
    }
    EXPECT_EQ(OpenFailureText(Kind::Missing, "C:\\x y\\gone.bsp"), "Файл не найден: C:\\x y\\gone.bsp");
    EXPECT_EQ(OpenFailureText(Kind::NotAMap, "C:\\a.ent"), "Это не карта (*.bsp): C:\\a.ent");
}

TEST(OpenRequest, TheCommandLinesPathAndTheFirstDroppedMap) {
    EXPECT_EQ(PathArgument({"Lumpwright.exe"}), std::nullopt);
    EXPECT_EQ(PathArgument({"Lumpwright.exe", "/gwver"}), std::nullopt);
    EXPECT_EQ(PathArgument({"Lumpwright.exe", "/gwver", "C:\\a b\\m.bsp", "x"}), "C:\\a b\\m.bsp");
    EXPECT_EQ(PathArgument({"Lumpwright.exe", "maps\\m.bsp"}), "maps\\m.bsp");
    EXPECT_EQ(PathArgument({"Lumpwright.exe", ""}), std::nullopt);

    EXPECT_EQ(FirstMap({"C:\\a.txt", "C:\\maps", "C:\\b.BSP", "C:\\c.bsp"}), "C:\\b.BSP");
    EXPECT_EQ(FirstMap({"C:\\a.txt", "C:\\maps"}), std::nullopt);
    EXPECT_EQ(FirstMap({}), std::nullopt);
}

}  // namespace
}  // namespace lw::app
