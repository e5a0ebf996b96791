#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lw::ripent {

inline constexpr std::size_t kLumpCount = 15;
inline constexpr std::size_t kHeaderSize = 4 + kLumpCount * 8;

struct Lump {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// A map header that has been checked against the file it came from: a known version, every
// lump inside the file and after the header, no two lumps sharing a byte.
struct BspLayout {
    std::int32_t version = 0;
    std::array<Lump, kLumpCount> lumps{};
    std::size_t entityLump = 0;  // 0, or 1 in maps that list the planes first
    // Where an extension block ("BSPX", a count, then per extension a 24-byte name, an absolute
    // offset and a length) starts: right after the last lump, on a 4-byte boundary. Zero when
    // the file has none, or only bytes that do not make one.
    std::uint32_t extensionsAt = 0;
};

struct Extension {
    std::string name;
    Lump lump;
};

// The extensions of a layout's block, in the order listed.
std::vector<Extension> Extensions(const BspLayout& layout, std::span<const std::uint8_t> file);

// Throws ToolError naming the fault; the message does not name the file.
BspLayout ParseBsp(std::span<const std::uint8_t> file);

// The entity text as stored, up to its terminating NUL (or the lump's end when it has none).
std::string_view EntityText(const BspLayout& layout, std::span<const std::uint8_t> file);

// The map with a new entity lump, as pieces to be written one after another. The header and
// the entity lump are new; everything else is borrowed, unchanged, from the old file.
struct ImportedMap {
    std::vector<std::uint8_t> header;
    std::span<const std::uint8_t> before;     // old bytes between the header and the entity lump
    std::vector<std::uint8_t> entities;       // text, NUL, alignment padding
    std::span<const std::uint8_t> after;      // old bytes from the next lump to the end of the file, or
                                              // to the extension block's list when there is one
    std::vector<std::uint8_t> extensionList;  // the list with its offsets moved, if any
    std::span<const std::uint8_t> rest;       // old bytes after that list

    std::array<std::span<const std::uint8_t>, 6> Pieces() const {
        return {header, before, entities, after, extensionList, rest};
    }
};

// The text must not contain a NUL. Lumps after the entity lump move by a multiple of 4, so
// every lump keeps its alignment; bytes after the last lump are kept, and an extension block
// stays right after the last lump with its offsets moved along.
ImportedMap ReplaceEntities(const BspLayout& layout, std::span<const std::uint8_t> file, std::string_view text);

}  // namespace lw::ripent
