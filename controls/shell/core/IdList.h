#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lw::controls {

// An item identifier list as the shell lays it out: items each led by a 16-bit little-endian
// byte count that includes the count itself, ended by a zero count. Kept as owned bytes so
// the tree's logic can copy, join and compare lists without the shell's allocator.
using IdList = std::vector<std::uint8_t>;

// Bytes of the list up to and including its terminator, reading at most `available` bytes.
// A count below 2 ends the walk (it cannot even hold itself), so a damaged list never makes
// the walk loop or run past its data.
std::size_t IdListSize(const std::uint8_t* data, std::size_t available);
// An owned, well-terminated copy of a list.
IdList CopyIdList(const std::uint8_t* data, std::size_t available);
// The empty list: the desktop.
IdList EmptyIdList();
// The first list without its terminator, then the second whole.
IdList ConcatIdLists(const IdList& first, const IdList& second);
// Every proper prefix, shortest (the desktop) first, down to the immediate parent.
std::vector<IdList> AncestorIdLists(const IdList& list);
int ItemCount(const IdList& list);

// The text at `offset` into the list's first item, read to its terminator but never beyond
// the item's own bytes; empty when the offset lies outside the item.
std::string ReadItemString(const IdList& list, std::uint32_t offset);

}  // namespace lw::controls
