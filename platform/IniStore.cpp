#include "platform/IniStore.h"

#include <windows.h>

#include <algorithm>

#include "platform/Exception.h"
#include "platform/Handles.h"
#include "platform/Text.h"

namespace lw::platform {

bool ReadsAsSettings(std::string_view bytes) {
    const auto IsText = [](unsigned char c) { return c >= 0x20 ? c != 0x7F : c == '\t' || c == '\r' || c == '\n'; };
    if (!std::all_of(bytes.begin(), bytes.end(), IsText)) return false;
    for (size_t at = 0; at <= bytes.size();) {
        const size_t end = std::min(bytes.find('\n', at), bytes.size());
        std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        const bool fits = line.empty() || line.front() == ';' || line.front() == '#' ||
                          (line.front() == '[' && line.back() == ']') ||
                          (line.find('=') != std::string_view::npos && line.front() != '=');
        if (!fits) return false;
    }
    return true;
}

bool ProfileIniStore::FileReadsAsSettings() const {
    const KernelHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return true;  // none yet, or none we may read: the system decides
    LARGE_INTEGER size{};
    // Far more than settings ever take: such a file is no settings file of ours.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 4 * 1024 * 1024) return false;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return true;
    bytes.resize(got);
    return ReadsAsSettings(bytes);
}

std::string ProfileIniStore::ReadString(std::string_view section, std::string_view key, std::string_view fallback) {
    if (!FileReadsAsSettings()) return std::string(fallback);
    // The 8-bit functions keep values byte for byte in the system code page.
    const std::string file = WideToAnsi(path_), sectionText(section), keyText(key), fallbackText(fallback);
    std::string value(256, '\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), fallbackText.c_str(),
                                                      value.data(), static_cast<DWORD>(value.size()), file.c_str());
        if (length + 1 < value.size()) {
            value.resize(length);
            return value.size() > kLongestValue ? std::string(fallback) : value;
        }
        if (value.size() > 2 * kLongestValue) return std::string(fallback);
        value.resize(value.size() * 2);
    }
}

void ProfileIniStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string file = WideToAnsi(path_), sectionText(section), keyText(key), valueText(value);
    // Kept whole beside the new file, so that nothing of it is lost to the system's line editing.
    if (!FileReadsAsSettings()) MoveFileExW(path_.c_str(), (path_ + L".bak").c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!WritePrivateProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str(), file.c_str())) {
        throw Exception(FormatMessageText("Unable to write to %s", WideToUtf8(path_)));
    }
}

}  // namespace lw::platform
