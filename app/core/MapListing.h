#pragma once
#include <cstdint>
#include <string_view>

namespace lw::app {

// Whether a directory entry found with the pattern "*.bsp" belongs in the map list.
//
// The name must itself end in ".bsp" (any case): the system also matches a pattern against
// the 8.3 short name, so "x.bspx" (short name X~1.BSP) would otherwise slip in.
//
// An entry is left out when its classic attributes (read-only, hidden, system, volume label,
// directory, archive: the low six bits) are exactly "directory"; any of the others makes it
// listed, a read-only folder included. Bits modern systems add to folders on their own
// (not indexed, compressed, reparse point...) are not looked at, so an ordinary folder stays
// out whichever of them it carries.
bool IsListedMap(std::wstring_view name, std::uint32_t attributes);

}  // namespace lw::app
