#include "platform/Text.h"

#include <windows.h>

namespace lw::platform {
namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), length);
    return result;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

// Replaces the first %s or %d; the message templates hold exactly one.
std::string Substitute(std::string_view pattern, std::string_view value) {
    std::string result(pattern);
    for (size_t at = result.find('%'); at != std::string::npos && at + 1 < result.size();
         at = result.find('%', at + 1)) {
        if (result[at + 1] == 's' || result[at + 1] == 'd') return result.replace(at, 2, value);
    }
    return result;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }
std::wstring AnsiToWide(std::string_view ansi) { return ToWide(CP_ACP, ansi); }
std::string WideToAnsi(std::wstring_view wide) { return FromWide(CP_ACP, wide); }

std::string FormatMessageText(std::string_view pattern, std::string_view argument) {
    return Substitute(pattern, argument);
}

std::string FormatMessageText(std::string_view pattern, long long argument) {
    return Substitute(pattern, std::to_string(argument));
}

}  // namespace lw::platform
