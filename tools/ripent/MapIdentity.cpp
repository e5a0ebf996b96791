#include "tools/ripent/MapIdentity.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>

namespace lw::ripent {
namespace {

template <typename Number>
bool ParseField(std::string_view text, Number& value, int base = 10) {
    if (text.empty() || text[0] == '+') return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

// 64-bit FNV-1a: it tells edited texts apart, which is all it is for; no one forges a map to
// collide with its own export.
std::uint64_t HashText(std::string_view text) {
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3u;
    }
    return hash;
}

std::string FormatIdentity(const MapIdentity& identity) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016" PRIx64, identity.textHash);
    return std::to_string(identity.size) + ":" + std::to_string(identity.modified) + ":" + hash;
}

std::optional<MapIdentity> ParseIdentity(std::string_view token) {
    const std::size_t first = token.find(':');
    const std::size_t second = first == std::string_view::npos ? first : token.find(':', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const std::string_view hash = token.substr(second + 1);
    MapIdentity identity;
    if (!ParseField(token.substr(0, first), identity.size) ||
        !ParseField(token.substr(first + 1, second - first - 1), identity.modified) || hash.size() != 16 ||
        hash.find_first_not_of("0123456789abcdef") != std::string_view::npos ||
        !ParseField(hash, identity.textHash, 16))
        return std::nullopt;
    return identity;
}

}  // namespace lw::ripent
