#include "platform/IniStore.h"

#include <windows.h>

#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::platform {

std::string ProfileIniStore::ReadString(std::string_view section, std::string_view key, std::string_view fallback) {
    // The 8-bit functions keep values byte for byte in the system code page.
    const std::string file = WideToAnsi(path_), sectionText(section), keyText(key), fallbackText(fallback);
    std::string value(256, '\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), fallbackText.c_str(),
                                                      value.data(), static_cast<DWORD>(value.size()), file.c_str());
        if (length + 1 < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(value.size() * 2);
    }
}

void ProfileIniStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string file = WideToAnsi(path_), sectionText(section), keyText(key), valueText(value);
    if (!WritePrivateProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str(), file.c_str())) {
        throw Exception(FormatMessageText("Unable to write to %s", WideToUtf8(path_)));
    }
}

}  // namespace lw::platform
