#include "app/core/IoErrorText.h"

namespace lw::app {
namespace {

std::string Reason(unsigned long code) {
    switch (code) {
    case 2:  // file not found
    case 3:  // path not found
        return "такого каталога нет.";
    case 5:
        return "доступ запрещён.";
    case 4:
        return "открыто слишком много файлов.";
    case 123:
        return "недопустимое имя.";
    case 267:
        return "это файл, а не каталог.";
    default:
        return "ошибка ввода-вывода " + std::to_string(code) + ".";
    }
}

}  // namespace

std::string FolderErrorText(unsigned long code, std::string_view folder) {
    return "Не удалось открыть каталог «" + std::string(folder) + "»: " + Reason(code);
}

}  // namespace lw::app
