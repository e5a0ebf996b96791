#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lw::ripent::testing {

struct LumpSpec {
    std::size_t index;
    std::vector<std::uint8_t> bytes;
};

// A map whose lumps lie after the header in the order given, each starting on a 4-byte
// boundary with zero padding between; lumps not given are empty and point at the header's end.
std::vector<std::uint8_t> BuildMap(std::int32_t version, const std::vector<LumpSpec>& lumpsInFileOrder,
                                   const std::vector<std::uint8_t>& trailing = {});

std::vector<std::uint8_t> Bytes(std::string_view text);

// Entity text for a map: worldspawn and `extraEntities` more, with a NUL at the end.
std::vector<std::uint8_t> EntityLump(int extraEntities = 1);

// `count` planes of 20 bytes: a normal, a distance and a small type number.
std::vector<std::uint8_t> PlanesLump(std::size_t count);

// Filler for the other lumps: bytes that differ from lump to lump and position to position.
std::vector<std::uint8_t> DataLump(std::size_t size, std::uint8_t seed);

std::int32_t GetInt32(const std::vector<std::uint8_t>& bytes, std::size_t at);
void SetInt32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value);

// Header positions of a lump's offset and length fields.
constexpr std::size_t OffsetField(std::size_t lump) { return 4 + 8 * lump; }
constexpr std::size_t LengthField(std::size_t lump) { return 8 + 8 * lump; }

}  // namespace lw::ripent::testing
