// A short, deterministic pass through the fuzz target for every test run: the real test maps
// and synthetic ones in each layout, each also cut short, with every header field set to
// boundary values, and with bytes flipped by a fixed-seed generator.
#include "tools/ripent/Bsp.h"
#include "testsupport/RealMaps.h"
#include "tools/ripent/tests/MapBuilder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using namespace lw::ripent::testing;
using Input = std::vector<std::uint8_t>;

std::size_t runs = 0;

void Run(const Input& input) {
    LLVMFuzzerTestOneInput(input.data(), input.size());
    ++runs;
}

// An extension block right after the last lump: two extensions, their bytes after the list.
Input WithExtensionBlock(Input map) {
    map.resize((map.size() + 3) / 4 * 4, 0);
    const std::size_t at = map.size();
    const char header[] = {'B', 'S', 'P', 'X', 2, 0, 0, 0};
    map.insert(map.end(), header, header + 8);
    map.resize(at + 8 + 2 * 32, 0);
    for (std::size_t i = 0; i < 2; ++i) {
        map[at + 8 + 32 * i] = std::uint8_t('A' + i);
        SetInt32(map, at + 8 + 32 * i + 24, std::int32_t(map.size()));
        SetInt32(map, at + 8 + 32 * i + 28, 12);
        const Input data = DataLump(12, std::uint8_t(i));
        map.insert(map.end(), data.begin(), data.end());
    }
    return map;
}

std::vector<Input> Seeds() {
    std::vector<Input> seeds = {
        BuildMap(30, {{1, PlanesLump(5)}, {3, DataLump(30, 3)}, {0, EntityLump(2)}, {2, DataLump(41, 2)}}),
        BuildMap(30, {{0, PlanesLump(5)}, {1, EntityLump(1)}, {2, DataLump(17, 2)}}, {1, 2, 3}),
        BuildMap(29, {{1, PlanesLump(2)}, {2, DataLump(9, 2)}, {0, EntityLump(0)}}),
        WithExtensionBlock(BuildMap(30, {{1, PlanesLump(3)}, {0, EntityLump(1)}})),
    };
    for (const auto& map : lw::testsupport::RealMaps()) {
        std::ifstream in(map, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

}  // namespace

int main() {
    const std::vector<Input> seeds = Seeds();
    std::mt19937 random(20240501);
    for (const Input& seed : seeds) {
        Run(seed);
        for (std::size_t cut : {std::size_t(0), std::size_t(1), lw::ripent::kHeaderSize - 1, lw::ripent::kHeaderSize,
                                seed.size() / 2, seed.size() - 1})
            Run(Input(seed.begin(), seed.begin() + std::min(cut, seed.size())));

        const std::int32_t size = std::int32_t(seed.size());
        const std::int32_t boundaries[] = {
            0, -1, 1, 4, 123, 124, size - 1, size, size + 1, 0x7FFFFFFF, std::int32_t(0x80000000)};
        for (std::size_t field = 0; field < lw::ripent::kHeaderSize; field += 4) {
            for (std::int32_t value : boundaries) {
                Input mutated = seed;
                SetInt32(mutated, field, value);
                Run(mutated);
            }
        }
        for (int flips = 0; flips < 300; ++flips) {
            Input mutated = seed;
            const int count = 1 + int(random() % 4);
            for (int k = 0; k < count; ++k) {
                // Mostly the header, where the reader decides; sometimes anywhere.
                const std::size_t at = random() % 4 ? random() % lw::ripent::kHeaderSize : random() % seed.size();
                mutated[at] ^= std::uint8_t(1u << (random() % 8));
            }
            Run(mutated);
        }
    }
    std::printf("%zu inputs from %zu seeds\n", runs, seeds.size());
    return 0;
}
