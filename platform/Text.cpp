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

// Neither a stand-in byte nor a look-alike ("best fit") letter: both would change the text.
bool StoredExactly(std::wstring_view text, std::string* bytes) {
    const int size = static_cast<int>(text.size());
    // The UTF-8 code page stores every character and accepts neither the flag nor the answer.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, used);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), size, result.data(), length, nullptr, used);
    // The read-back catches what the flag may let through on a code page with several bytes a
    // character.
    const bool exact = !usedDefault && ToWide(CP_ACP, result) == text;
    if (bytes) *bytes = std::move(result);
    return exact;
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

AnsiConversion WideToAnsiExact(std::wstring_view wide) {
    AnsiConversion conversion;
    if (wide.empty() || StoredExactly(wide, &conversion.bytes)) return conversion;
    for (size_t at = 0; at < wide.size();) {
        const bool pair = IS_HIGH_SURROGATE(wide[at]) && at + 1 < wide.size() && IS_LOW_SURROGATE(wide[at + 1]);
        const size_t units = pair ? 2 : 1;
        if (!StoredExactly(wide.substr(at, units), nullptr)) {
            conversion.firstLost = at;
            return conversion;
        }
        at += units;
    }
    // Each character alone is stored but not the whole (a shift state): blame the start.
    conversion.firstLost = 0;
    return conversion;
}

std::string FormatMessageText(std::string_view pattern, std::string_view argument) {
    return Substitute(pattern, argument);
}

std::string FormatMessageText(std::string_view pattern, long long argument) {
    return Substitute(pattern, std::to_string(argument));
}

}  // namespace lw::platform
