#include "render/Resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "render/Pixel.h"

namespace lw::render {
namespace {

struct Contributor {
    int Index;
    int Weight;  // 16.16 fixed point
};
using ContributorList = std::vector<std::vector<Contributor>>;

// Supports are single-precision values: 0.51 is the nearest float, not the double.
float Support(ResampleFilter f) {
    switch (f) {
    case ResampleFilter::Box:
        return 0.51f;
    case ResampleFilter::Triangle:
    case ResampleFilter::Hermite:
        return 1.0f;
    case ResampleFilter::Bell:
        return 1.5f;
    case ResampleFilter::BSpline:
    case ResampleFilter::Mitchell:
        return 2.0f;
    case ResampleFilter::WindowedSine:
        return 3.0f;
    }
    return 1.0f;
}

// x >= 0 is the distance; `signedOffset` only matters for the box filter's half-open edge.
double Kernel(ResampleFilter f, double x, double signedOffset) {
    switch (f) {
    case ResampleFilter::Box:
        return x <= 0.5 && signedOffset != -0.5 ? 1.0 : 0.0;
    case ResampleFilter::Triangle:
        return 1 - x;
    case ResampleFilter::Hermite:
        return (2 * x - 3) * x * x + 1;
    case ResampleFilter::Bell:
        return x < 0.5 ? 0.75 - x * x : 0.5 * (x - 1.5) * (x - 1.5);
    case ResampleFilter::BSpline:
        return x < 1 ? x * x * x / 2 - x * x + 2.0 / 3 : (2 - x) * (2 - x) * (2 - x) / 6;
    case ResampleFilter::WindowedSine:
        return x == 0 ? 1.0 : std::sin(std::numbers::pi * x) * std::sin(x) / (std::numbers::pi * x * x);
    case ResampleFilter::Mitchell:
        return x < 1 ? (7.0 / 6) * x * x * x - 2 * x * x + 8.0 / 9
                     : -(7.0 / 18) * x * x * x + 2 * x * x - (10.0 / 3) * x + 16.0 / 9;
    }
    return 0;
}

// Mirrors an index at the edges; for very short inputs one reflection is not enough, so the
// result is then held inside the input.
int Mirror(int j, int n) {
    if (j < 0) j = -j;
    if (j >= n) j = 2 * n - j - 1;
    return j < 0 ? 0 : j >= n ? n - 1 : j;
}

ContributorList Contributors(int n, int m, ResampleFilter f) {
    const double support = Support(f);
    const double scale = m < n ? double(m) / n : 1.0;
    const double radius = support / scale;
    ContributorList list(static_cast<std::size_t>(m));
    for (int i = 0; i < m; ++i) {
        const double centre = double(i) * n / m;
        const int from = static_cast<int>(std::floor(centre - radius));
        const int to = static_cast<int>(std::ceil(centre + radius));
        for (int j = from; j <= to; ++j) {
            const double offset = (centre - j) * scale;
            const double x = std::fabs(offset);
            if (!(x < support)) continue;
            const double w = Kernel(f, x, offset);
            if (w == 0) continue;
            list[static_cast<std::size_t>(i)].push_back({Mirror(j, n), static_cast<int>(RoundEven(w * scale * 65536))});
        }
    }
    return list;
}

std::uint8_t Settle(long long sum) {
    sum >>= 16;
    return static_cast<std::uint8_t>(sum < 0 ? 0 : sum > 255 ? 255 : sum);
}

void HorizontalPass(const Bitmap& src, Bitmap& dst, const ContributorList& list) {
    const int bpp = src.BytesPerPixel();
    for (int y = 0; y < src.Height(); ++y) {
        const std::uint8_t* in = src.Row(y);
        std::uint8_t* out = dst.Row(y);
        for (int i = 0; i < dst.Width(); ++i) {
            for (int ch = 0; ch < bpp; ++ch) {
                long long sum = 0;
                for (const Contributor& c : list[static_cast<std::size_t>(i)]) sum += c.Weight * in[c.Index * bpp + ch];
                out[i * bpp + ch] = Settle(sum);
            }
        }
    }
}

void VerticalPass(const Bitmap& src, Bitmap& dst, const ContributorList& list) {
    const int bytes = src.Width() * src.BytesPerPixel();
    std::vector<long long> sums(static_cast<std::size_t>(bytes));
    for (int i = 0; i < dst.Height(); ++i) {
        std::fill(sums.begin(), sums.end(), 0);
        for (const Contributor& c : list[static_cast<std::size_t>(i)]) {
            const std::uint8_t* in = src.Row(c.Index);
            for (int b = 0; b < bytes; ++b) sums[static_cast<std::size_t>(b)] += c.Weight * in[b];
        }
        std::uint8_t* out = dst.Row(i);
        for (int b = 0; b < bytes; ++b) out[b] = Settle(sums[static_cast<std::size_t>(b)]);
    }
}

}  // namespace

void ResampleBitmap(const Bitmap& src, Bitmap& dst, int width, int height, ResampleFilter filter) {
    if (src.Empty() || src.Width() < 2 || src.Height() < 2) throw ResampleError("Source bitmap is too small");
    if (width <= 0 || height <= 0) return;
    if (width == src.Width() && height == src.Height()) {
        if (&dst != &src) dst = src.Clone();
        return;
    }
    Bitmap mid(width, src.Height(), src.Format());
    HorizontalPass(src, mid, Contributors(src.Width(), width, filter));
    Bitmap out(width, height, src.Format());
    VerticalPass(mid, out, Contributors(src.Height(), height, filter));
    dst = std::move(out);
}

}  // namespace lw::render
