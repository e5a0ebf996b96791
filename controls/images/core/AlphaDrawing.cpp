#include "controls/images/core/AlphaDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lw::controls {

namespace {

// A 32-bit pixel as one word: blue lowest, alpha highest.
constexpr std::uint32_t kKeyWord = 0x00FF00FF;

std::uint32_t WordOf(const std::uint8_t* p) {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

std::uint8_t Clamp255(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

void Tone(render::Bitmap& source, const TRect& area, TColor tone) {
    const int channel[3] = {BlueOf(tone), GreenOf(tone), RedOf(tone)};
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            std::uint8_t* p = source.Pixel(x, y);
            if (WordOf(p) == kKeyWord) continue;
            const int grey = (p[0] + p[1] + p[2]) / 3;
            for (int c = 0; c < 3; ++c) p[c] = Clamp255(static_cast<int>(std::nearbyint(grey * channel[c] / 255.0)));
        }
    }
}

// Both rectangles shrink to one work area inside both bitmaps; false when nothing is left.
bool ClipWorkArea(TRect& dst, TRect& src, const render::Bitmap& target, const render::Bitmap& source) {
    int w = std::min(dst.Width(), src.Width());
    int h = std::min(dst.Height(), src.Height());
    // A corner before the bitmap's start moves both corners in and shrinks the extent alike.
    const auto clampStart = [](int& start, int& other, int& extent) {
        if (start >= 0) return;
        other -= start;
        extent += start;
        start = 0;
    };
    clampStart(dst.Left, src.Left, w);
    clampStart(dst.Top, src.Top, h);
    clampStart(src.Left, dst.Left, w);
    clampStart(src.Top, dst.Top, h);
    w = std::min({w, target.Width() - dst.Left, source.Width() - src.Left});
    h = std::min({h, target.Height() - dst.Top, source.Height() - src.Top});
    if (w <= 0 || h <= 0) return false;
    dst = RectOfSize(dst.Left, dst.Top, w, h);
    src = RectOfSize(src.Left, src.Top, w, h);
    return true;
}

const std::uint8_t* BackgroundPixel(const render::TsCacheInfo& bg, int x, int y) {
    const int bx = x + bg.X, by = y + bg.Y;
    if (bg.Bmp == nullptr || bx < 0 || by < 0 || bx >= bg.Bmp->Width() || by >= bg.Bmp->Height()) return nullptr;
    return bg.Bmp->Pixel(bx, by);
}

void Reflect(const TRect& dst, const TRect& src, render::Bitmap& target, int blend, const render::Bitmap& source) {
    const int half = source.Height() / 2;
    const int rows = std::min(half - 1, target.Height() - dst.Bottom - 1);
    if (rows <= 0) return;  // also keeps a source lower than 2 rows from dividing by zero below
    const int drop = 255 / half;
    const int tb = target.BytesPerPixel();
    int fade = 255;
    for (int r = 1; r <= rows; ++r) {
        const int sy = src.Bottom - r - 1;
        if (sy < src.Top) break;
        const std::uint8_t* s = source.Pixel(src.Left, sy);
        std::uint8_t* d = target.Pixel(dst.Left, dst.Bottom + r);
        for (int x = 0; x < dst.Width(); ++x, s += 4, d += tb) {
            if (WordOf(s) == kKeyWord) continue;
            const int a = blend > 0 ? ((100 - blend) * s[3] / 300) * fade / 255 : fade * (s[3] / 3) / 255;
            const int weight = std::max(a, 0);
            for (int c = 0; c < 3; ++c) d[c] = Clamp255(d[c] + ((weight * (s[c] - d[c])) >> 8));
        }
        fade -= drop;
    }
}

}  // namespace

void FixMissingAlpha(render::Bitmap& bmp) {
    if (bmp.Empty() || bmp.Format() != render::PixelFormat::pf32bit) return;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y)[3] != 0) return;
    const std::uint8_t* corner = bmp.Pixel(0, bmp.Height() - 1);
    const std::uint8_t key[3] = {corner[0], corner[1], corner[2]};
    for (int y = 0; y < bmp.Height(); ++y) {
        for (int x = 0; x < bmp.Width(); ++x) {
            std::uint8_t* p = bmp.Pixel(x, y);
            if (p[0] != key[0] || p[1] != key[1] || p[2] != key[2]) p[3] = 255;
        }
    }
}

GlyphSlice SliceOf(int width, int height, int stateCount, int state) {
    const int count = std::max(stateCount, 1);
    const int w = width / count;
    const int slice = std::clamp(state, 0, count - 1);
    return {RectOfSize(w * slice, 0, w, height), {w, height}};
}

void DrawImage32(TRect destRect, TRect srcRect, render::Bitmap& target, bool reflected, int blend, TColor tone,
                 bool useBackground, const render::TsCacheInfo& background, render::Bitmap& source) {
    if (target.Empty() || source.Empty() || source.Format() != render::PixelFormat::pf32bit) return;
    TRect dst = destRect, src = srcRect;
    if (!ClipWorkArea(dst, src, target, source)) return;
    if (tone != NoTone) Tone(source, src, tone);
    const bool keyed = background.Ready;
    const int tb = target.BytesPerPixel();
    for (int y = 0; y < dst.Height(); ++y) {
        const std::uint8_t* s = source.Pixel(src.Left, src.Top + y);
        std::uint8_t* d = target.Pixel(dst.Left, dst.Top + y);
        for (int x = 0; x < dst.Width(); ++x, s += 4, d += tb) {
            if (keyed && WordOf(s) == kKeyWord) {
                if (!useBackground) continue;
                if (const std::uint8_t* b = BackgroundPixel(background, dst.Left + x, dst.Top + y))
                    std::memcpy(d, b, 3);
                continue;
            }
            const int weight = blend > 0 ? (100 - blend) * s[3] / 100 : s[3];
            for (int c = 0; c < 3; ++c) d[c] = Clamp255(((s[c] - d[c]) * weight + d[c] * 256) >> 8);
        }
    }
    if (reflected) Reflect(dst, src, target, blend, source);
}

}  // namespace lw::controls
