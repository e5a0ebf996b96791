// Writes a synthetic map of about the given size, for timing an import against a plain copy.
#include "tools/ripent/tests/MapBuilder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ripent_make_large_map <output.bsp> <megabytes>\n");
        return 1;
    }
    using namespace lw::ripent::testing;
    const std::size_t total = std::size_t(std::atol(argv[2])) << 20;
    std::vector<LumpSpec> lumps{{1, PlanesLump(5000)}};
    // Most of a real map's bulk lies in its textures and lighting, after the entities.
    for (std::size_t lump : {3, 5, 6, 7, 9, 10, 11, 12, 13, 14})
        lumps.push_back({lump, DataLump(total / 100, std::uint8_t(lump))});
    lumps.push_back({0, EntityLump(2000)});
    lumps.push_back({2, DataLump(total / 2, 2)});
    lumps.push_back({8, DataLump(total * 4 / 10, 8)});
    const auto map = BuildMap(30, lumps);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(map.data()), std::streamsize(map.size()));
    return out ? 0 : 1;
}
