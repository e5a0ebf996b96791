#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lw::platform {

// Window texts live as UTF-8 in our code and go to the system as UTF-16 through the wide API,
// so Russian captions read right whatever the machine's code page.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// File contents (configuration values, entity text) are 8-bit in the system code page; these
// convert them for display in wide controls and back without changing a byte that the code
// page can represent.
std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);

// WideToAnsi for text that must be stored exactly: `firstLost` is the index, in `wide`, of the
// first character that the code page has no byte for (the bytes then hold a stand-in for it).
struct AnsiConversion {
    std::string bytes;
    std::optional<size_t> firstLost;
};
AnsiConversion WideToAnsiExact(std::wstring_view wide);

// printf-style formatting of a single text or number into a message template.
std::string FormatMessageText(std::string_view pattern, std::string_view argument);
std::string FormatMessageText(std::string_view pattern, long long argument);

}  // namespace lw::platform
