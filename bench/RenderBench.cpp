// Pixel operations beside their nearest pixman equivalent and beside memcpy of the same bytes.
// Every benchmark reports pixels per second ("items"); compare figures of one run only.

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <vector>

#include "render/Bitmap.h"
#include "render/Blend.h"
#include "render/FastAccess.h"
#include "render/Resample.h"

namespace {

using namespace lw;
using namespace lw::render;

constexpr int W = 512, H = 512;

Bitmap Noise(PixelFormat f, unsigned seed) {
    Bitmap b(W, H, f);
    for (int y = 0; y < H; ++y) {
        std::uint8_t* p = b.Row(y);
        for (int i = 0; i < W * b.BytesPerPixel(); ++i)
            p[i] = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 16);
    }
    return b;
}

void Pixels(benchmark::State& state, int w = W, int h = H) { state.SetItemsProcessed(state.iterations() * w * h); }

void BM_SumBitmaps(benchmark::State& state, PixelFormat format) {
    Bitmap dst = Noise(format, 1), src = Noise(format, 2);
    for (auto _ : state) {
        SumBitmaps(dst, src, 100);
        benchmark::DoNotOptimize(dst.Row(0));
    }
    Pixels(state);
}
BENCHMARK_CAPTURE(BM_SumBitmaps, 24, PixelFormat::pf24bit);
BENCHMARK_CAPTURE(BM_SumBitmaps, 32, PixelFormat::pf32bit);

// Percent 60 has no exact halves; 50 (the disabled look) rounds half of all bytes to even.
void BM_BlendColorRect24(benchmark::State& state) {
    Bitmap dst = Noise(PixelFormat::pf24bit, 3);
    const int percent = static_cast<int>(state.range(0));
    for (auto _ : state) {
        BlendColorRect(dst, dst.Bounds(), percent, 0x336699);
        benchmark::DoNotOptimize(dst.Row(0));
    }
    Pixels(state);
}
BENCHMARK(BM_BlendColorRect24)->Arg(60)->Arg(50);

void BM_FillRect32(benchmark::State& state) {
    Bitmap dst = Noise(PixelFormat::pf32bit, 4);
    for (auto _ : state) {
        FillRect32(dst, dst.Bounds(), 0x336699);
        benchmark::DoNotOptimize(dst.Row(0));
    }
    Pixels(state);
}
BENCHMARK(BM_FillRect32);

// Factor in hundredths: 0.4 (the disabled look over a background) and 0.5 (frames), whose
// products are exact halves for every odd difference.
void BM_BlendOverRect24(benchmark::State& state) {
    Bitmap dst = Noise(PixelFormat::pf24bit, 5), src = Noise(PixelFormat::pf24bit, 6);
    const double factor = static_cast<double>(state.range(0)) / 100;
    for (auto _ : state) {
        BlendOverRect(dst, {0, 0}, 0xFF00FF, factor, {0, 0, W - 1, H - 1}, src);
        benchmark::DoNotOptimize(dst.Row(0));
    }
    Pixels(state);
}
BENCHMARK(BM_BlendOverRect24)->Arg(40)->Arg(50);

void BM_Resample24(benchmark::State& state) {
    Bitmap src = Noise(PixelFormat::pf24bit, 7), dst;
    const auto filter = static_cast<ResampleFilter>(state.range(0));
    for (auto _ : state) {
        ResampleBitmap(src, dst, W * 3 / 4, H * 3 / 4, filter);
        benchmark::DoNotOptimize(dst.Row(0));
    }
    Pixels(state, W * 3 / 4, H * 3 / 4);
}
BENCHMARK(BM_Resample24)->Arg(int(ResampleFilter::Box))->Arg(int(ResampleFilter::Triangle));

// Anchors.

// The bandwidth limit: the same bytes copied.
void BM_Memcpy(benchmark::State& state, int bytesPerPixel) {
    std::vector<std::uint8_t> a(std::size_t(W) * H * bytesPerPixel, 1), b(a.size(), 2);
    for (auto _ : state) {
        std::memcpy(a.data(), b.data(), a.size());
        benchmark::DoNotOptimize(a.data());
    }
    Pixels(state);
}
BENCHMARK_CAPTURE(BM_Memcpy, 24, 3);
BENCHMARK_CAPTURE(BM_Memcpy, 32, 4);

struct PixmanImage {
    std::vector<std::uint32_t> Bits;
    pixman_image_t* Image;
    PixmanImage(pixman_format_code_t f, int w, int h, unsigned seed) : Bits(std::size_t(w) * h) {
        for (auto& v : Bits) v = (seed = seed * 1103515245u + 12345u);
        Image = pixman_image_create_bits(f, w, h, Bits.data(), w * 4);
    }
    ~PixmanImage() { pixman_image_unref(Image); }
};

// OVER through a constant mask: pixman's equivalent of a whole-image blend at one weight.
void BM_PixmanOverConstMask(benchmark::State& state) {
    PixmanImage dst(PIXMAN_x8r8g8b8, W, H, 1), src(PIXMAN_x8r8g8b8, W, H, 2);
    pixman_color_t alpha{0, 0, 0, 0x9999};
    pixman_image_t* mask = pixman_image_create_solid_fill(&alpha);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, src.Image, mask, dst.Image, 0, 0, 0, 0, 0, 0, W, H);
        benchmark::DoNotOptimize(dst.Bits.data());
    }
    pixman_image_unref(mask);
    Pixels(state);
}
BENCHMARK(BM_PixmanOverConstMask);

// A translucent solid colour OVER the image: pixman's equivalent of the colour blend.
void BM_PixmanOverSolid(benchmark::State& state) {
    PixmanImage dst(PIXMAN_x8r8g8b8, W, H, 3);
    pixman_color_t color{0x3333, 0x6666, 0x9999, 0x6666};
    pixman_image_t* solid = pixman_image_create_solid_fill(&color);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, dst.Image, 0, 0, 0, 0, 0, 0, W, H);
        benchmark::DoNotOptimize(dst.Bits.data());
    }
    pixman_image_unref(solid);
    Pixels(state);
}
BENCHMARK(BM_PixmanOverSolid);

void BM_PixmanFill(benchmark::State& state) {
    PixmanImage dst(PIXMAN_x8r8g8b8, W, H, 4);
    for (auto _ : state) {
        pixman_fill(dst.Bits.data(), W, 32, 0, 0, W, H, 0xFF336699);
        benchmark::DoNotOptimize(dst.Bits.data());
    }
    Pixels(state);
}
BENCHMARK(BM_PixmanFill);

// A scaled copy, nearest (0) or bilinear (1).
void BM_PixmanScaledCopy(benchmark::State& state) {
    PixmanImage src(PIXMAN_x8r8g8b8, W, H, 7), dst(PIXMAN_x8r8g8b8, W * 3 / 4, H * 3 / 4, 8);
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(4.0 / 3), pixman_double_to_fixed(4.0 / 3));
    pixman_image_set_transform(src.Image, &t);
    pixman_image_set_filter(src.Image, state.range(0) == 0 ? PIXMAN_FILTER_NEAREST : PIXMAN_FILTER_BILINEAR, nullptr,
                            0);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, src.Image, nullptr, dst.Image, 0, 0, 0, 0, 0, 0, W * 3 / 4, H * 3 / 4);
        benchmark::DoNotOptimize(dst.Bits.data());
    }
    Pixels(state, W * 3 / 4, H * 3 / 4);
}
BENCHMARK(BM_PixmanScaledCopy)->Arg(0)->Arg(1);

}  // namespace
