#include "app/core/FailureReasons.h"

#include <cstdio>

namespace lw::app {
namespace {

constexpr std::string_view kToolName = "ripent.exe";

std::string FirstLine(std::string_view text) {
    while (!text.empty() && (text.front() == '\r' || text.front() == '\n' || text.front() == ' '))
        text.remove_prefix(1);
    text = text.substr(0, text.find_first_of("\r\n"));
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

// Codes of a crash (0xC0000005) read better in hexadecimal, as the system documents them.
std::string ExitCodeText(std::uint32_t code) {
    if (code < 0x10000) return std::to_string(code);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    return hex;
}

}  // namespace

std::string ToolFailureReason(const ToolRun& run, std::chrono::milliseconds timeout) {
    switch (run.end) {
    case ToolRun::End::NotStarted:
        return "Не удалось запустить " + std::string(kToolName) + ".";
    case ToolRun::End::TimedOut:
        return std::string(kToolName) + " не завершился за " +
               std::to_string(std::chrono::duration_cast<std::chrono::seconds>(timeout).count()) +
               " с и был остановлен.";
    case ToolRun::End::Exited:
        break;
    }
    if (std::string line = FirstLine(run.errors); !line.empty()) return line;
    return std::string(kToolName) + " завершился с кодом " + ExitCodeText(run.exitCode) + ".";
}

std::optional<int> EntityLineIn(std::string_view reason) {
    constexpr std::string_view kMarker = ".ent:";
    for (size_t at = reason.find(kMarker); at != std::string_view::npos; at = reason.find(kMarker, at + 1)) {
        size_t digit = at + kMarker.size();
        long long line = 0;
        while (digit < reason.size() && reason[digit] >= '0' && reason[digit] <= '9' && line < 1'000'000'000) {
            line = line * 10 + (reason[digit] - '0');
            ++digit;
        }
        if (digit > at + kMarker.size() && digit < reason.size() && reason[digit] == ':' && line > 0) {
            return static_cast<int>(line);
        }
    }
    return std::nullopt;
}

std::string UnstorableReason(const UnstorableCharacter& character) {
    char codePoint[16];
    std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(character.codePoint));
    return "Строка " + std::to_string(character.line) + ": символ «" + character.character + "» (" + codePoint +
           ") нельзя записать в карту, в кодовой странице системы его нет.";
}

}  // namespace lw::app
