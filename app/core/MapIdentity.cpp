#include "app/core/MapIdentity.h"

#include <charconv>

namespace lw::app {
namespace {

constexpr std::string_view kPrefix = "map identity: ";

std::optional<std::uint64_t> Decimal(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

bool IsHex(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

}  // namespace

std::optional<MapIdentity> MapIdentityIn(std::string_view toolOutput) {
    for (size_t at = 0; at < toolOutput.size();) {
        const size_t end = std::min(toolOutput.find('\n', at), toolOutput.size());
        std::string_view line = toolOutput.substr(at, end - at);
        at = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!line.starts_with(kPrefix)) continue;
        const std::string_view token = line.substr(kPrefix.size());
        const size_t first = token.find(':');
        const size_t second = first == std::string_view::npos ? first : token.find(':', first + 1);
        if (second == std::string_view::npos) return std::nullopt;
        const auto size = Decimal(token.substr(0, first));
        const auto modified = Decimal(token.substr(first + 1, second - first - 1));
        if (!size || !modified || !IsHex(token.substr(second + 1))) return std::nullopt;
        return MapIdentity{std::string(token), {*size, *modified}};
    }
    return std::nullopt;
}

}  // namespace lw::app
