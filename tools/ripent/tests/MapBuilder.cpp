#include "tools/ripent/tests/MapBuilder.h"

#include "tools/ripent/Bsp.h"

#include <cstring>
#include <string>

namespace lw::ripent::testing {

std::vector<std::uint8_t> BuildMap(std::int32_t version, const std::vector<LumpSpec>& lumpsInFileOrder,
                                   const std::vector<std::uint8_t>& trailing) {
    std::vector<std::uint8_t> map(kHeaderSize, 0);
    SetInt32(map, 0, version);
    for (std::size_t i = 0; i < kLumpCount; ++i) SetInt32(map, OffsetField(i), std::int32_t(kHeaderSize));
    for (const LumpSpec& lump : lumpsInFileOrder) {
        map.resize((map.size() + 3) / 4 * 4, 0);
        SetInt32(map, OffsetField(lump.index), std::int32_t(map.size()));
        SetInt32(map, LengthField(lump.index), std::int32_t(lump.bytes.size()));
        map.insert(map.end(), lump.bytes.begin(), lump.bytes.end());
    }
    map.insert(map.end(), trailing.begin(), trailing.end());
    return map;
}

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> EntityLump(int extraEntities) {
    std::string text = "{\n\"classname\" \"worldspawn\"\n\"wad\" \"\\maps\\base.wad\"\n}\n";
    for (int i = 0; i < extraEntities; ++i)
        text += "{\n\"classname\" \"light\"\n\"origin\" \"" + std::to_string(i * 16) + " 0 64\"\n}\n";
    std::vector<std::uint8_t> lump = Bytes(text);
    lump.push_back(0);
    return lump;
}

std::vector<std::uint8_t> PlanesLump(std::size_t count) {
    std::vector<std::uint8_t> lump(count * 20, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const float plane[4] = {i % 3 == 0 ? 1.0f : 0.0f, i % 3 == 1 ? 1.0f : 0.0f, i % 3 == 2 ? 1.0f : 0.0f,
                                float(i) * 8.0f};
        std::memcpy(lump.data() + i * 20, plane, sizeof plane);
        lump[i * 20 + 16] = std::uint8_t(i % 3);
    }
    return lump;
}

std::vector<std::uint8_t> DataLump(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> lump(size);
    for (std::size_t i = 0; i < size; ++i) lump[i] = std::uint8_t(seed * 31 + i * 7 + (i >> 8));
    return lump;
}

std::int32_t GetInt32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::int32_t(std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                        std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24);
}

void SetInt32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = std::uint8_t(std::uint32_t(value) >> (8 * i));
}

}  // namespace lw::ripent::testing
