// Loading the stored skin (unpack, parse, decode) against inflating the same member
// streams with zlib alone, the floor any loader of this container stands on.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <span>
#include <stdexcept>
#include <vector>

#include "skin/PackedSkinLoader.h"

extern const std::uint8_t kStoredSkin[];
extern const std::size_t kStoredSkinSize;

namespace {

struct Stream {
    const std::uint8_t* Data;
    std::size_t Length;
    std::size_t Unpacked;
};

std::int32_t Le32(const std::uint8_t* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// Where each member's stream lies; found once, outside the measured loop.
std::vector<Stream> FindStreams() {
    std::vector<Stream> streams;
    const std::uint8_t* p = kStoredSkin + 8;
    const std::uint8_t* end = kStoredSkin + kStoredSkinSize;
    for (std::int32_t i = 0, n = Le32(kStoredSkin + 4); i < n; ++i) {
        p += 4 + Le32(p);
        const auto unpacked = static_cast<std::size_t>(Le32(p));
        p += 4;
        std::vector<std::uint8_t> out(unpacked + 1);
        z_stream zs{};
        inflateInit(&zs);
        zs.next_in = const_cast<Bytef*>(p);
        zs.avail_in = static_cast<uInt>(end - p);
        zs.next_out = out.data();
        zs.avail_out = static_cast<uInt>(out.size());
        if (inflate(&zs, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("stored skin does not inflate");
        streams.push_back({p, static_cast<std::size_t>(zs.total_in), unpacked});
        p += zs.total_in;
        inflateEnd(&zs);
    }
    return streams;
}

void BM_InflateMembersWithZlib(benchmark::State& state) {
    const auto streams = FindStreams();
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        for (const Stream& s : streams) {
            out.resize(s.Unpacked);
            uLongf length = static_cast<uLongf>(s.Unpacked);
            uncompress(out.data(), &length, s.Data, static_cast<uLong>(s.Length));
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kStoredSkinSize));
}
BENCHMARK(BM_InflateMembersWithZlib);

void BM_LoadStoredSkin(benchmark::State& state) {
    for (auto _ : state) {
        lw::skin::TsSkinModel model;
        lw::skin::LoadPackedSkinModel({kStoredSkin, kStoredSkinSize}, model, lw::skin::SystemColorTable{});
        benchmark::DoNotOptimize(model.Masks.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kStoredSkinSize));
}
BENCHMARK(BM_LoadStoredSkin);

}  // namespace

BENCHMARK_MAIN();
