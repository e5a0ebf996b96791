#pragma once
// Writes the packed skin container: the build's skin generator uses it, and tests and
// fuzz seeds use it to make containers with exactly the faults they need.

#include <cstdint>
#include <string>
#include <vector>

namespace lw::skin {

struct PackMember {
    std::string Name;
    std::vector<std::uint8_t> Data;
};

std::vector<std::uint8_t> WritePackedSkin(const std::vector<PackMember>& members);

// One complete zlib stream of the bytes, at the best compression.
std::vector<std::uint8_t> CompressMember(const std::vector<std::uint8_t>& data);

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value);

}  // namespace lw::skin
