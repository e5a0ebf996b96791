#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lw::ripent {

// What tells one state of a map on disk from another, so that text exported from a map is
// never imported into the map rebuilt since: its size, its last-write time (nanoseconds since
// the epoch on POSIX, the file time's 100-ns ticks since 1601 on Windows) and a hash of its
// entity text as stored.
struct MapIdentity {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t textHash = 0;
    bool operator==(const MapIdentity&) const = default;
};

std::uint64_t HashText(std::string_view text);

// "<size>:<modified>:<hash>", the hash as 16 lowercase hex digits.
std::string FormatIdentity(const MapIdentity& identity);

// The inverse of FormatIdentity; nothing for anything else.
std::optional<MapIdentity> ParseIdentity(std::string_view token);

}  // namespace lw::ripent
