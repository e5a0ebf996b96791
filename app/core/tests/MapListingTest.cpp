#include "app/core/IoErrorText.h"
#include "app/core/MapListing.h"

#include <gtest/gtest.h>

namespace lw::app {
namespace {

TEST(FolderErrorText, RussianNamingTheFolderAndTheReason) {
    const std::string folder = "C:\\Мои карты";
    const struct {
        unsigned long code;
        const char* reason;
    } cases[] = {
        {2, "такого каталога нет."},          {3, "такого каталога нет."}, {5, "доступ запрещён."},
        {4, "открыто слишком много файлов."}, {123, "недопустимое имя."},  {267, "это файл, а не каталог."},
        {1392, "ошибка ввода-вывода 1392."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderErrorText(c.code, folder),
                  "Не удалось открыть каталог «C:\\Мои карты»: " + std::string(c.reason));
    }
}

TEST(MapListing, ListsFilesOfAnyKindAndFoldersWithMoreThanTheDirectoryBit) {
    struct Case {
        const wchar_t* name;
        std::uint32_t attributes;
        bool listed;
    };
    const Case cases[] = {
        {L"de_dust.bsp", 0x20, true},  // archive
        {L"plain.bsp", 0x00, true},
        {L"hidden.bsp", 0x02 | 0x20, true},
        {L"system.bsp", 0x04, true},
        {L"DE_AZTEC.BSP", 0x20, true},  // extension in capitals
        {L"mixed.BsP", 0x80, true},     // FILE_ATTRIBUTE_NORMAL
        {L"folder.bsp", 0x10, false},
        {L"folder.bsp", 0x10 | 0x2000, false},  // not content indexed, set by the system
        {L"folder.bsp", 0x10 | 0x800 | 0x400, false},
        {L"ro.bsp", 0x10 | 0x01, true},  // read-only folder
        {L"hid.bsp", 0x10 | 0x02, true},
        {L"x.bspx", 0x20, false},  // matches only through its short name X~1.BSP
        {L"x.bsp.txt", 0x20, false},
        {L".bsp", 0x20, true},  // "*" also matches nothing
        {L"bsp", 0x20, false},
        {L"a.bsp.bsp", 0x20, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsListedMap(c.name, c.attributes), c.listed)
            << std::string(c.name, c.name + std::char_traits<wchar_t>::length(c.name)) << " attributes "
            << c.attributes;
    }
}

}  // namespace
}  // namespace lw::app
