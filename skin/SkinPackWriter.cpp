#include "skin/SkinPackWriter.h"

#include <zlib.h>

#include <stdexcept>

namespace lw::skin {

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::vector<std::uint8_t> CompressMember(const std::vector<std::uint8_t>& data) {
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> out(length);
    if (compress2(out.data(), &length, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress a skin member");
    out.resize(length);
    return out;
}

std::vector<std::uint8_t> WritePackedSkin(const std::vector<PackMember>& members) {
    std::vector<std::uint8_t> out{'G', 'W', 'z', 'f'};
    AppendInt32(out, static_cast<std::int32_t>(members.size()));
    for (const auto& m : members) {
        AppendInt32(out, static_cast<std::int32_t>(m.Name.size()));
        out.insert(out.end(), m.Name.begin(), m.Name.end());
        AppendInt32(out, static_cast<std::int32_t>(m.Data.size()));
        const auto stream = CompressMember(m.Data);
        out.insert(out.end(), stream.begin(), stream.end());
    }
    return out;
}

}  // namespace lw::skin
