#include "render/Disabled.h"

#include "render/Blend.h"
#include "render/Pixel.h"

namespace lw::render {
namespace {

void Gray(Bitmap& bmp, bool skipKey, TColor key) {
    if (bmp.Empty()) return;
    const int bpp = bmp.BytesPerPixel();
    for (int y = 0; y < bmp.Height(); ++y) {
        std::uint8_t* p = bmp.Row(y);
        for (int x = 0; x < bmp.Width(); ++x, p += bpp) {
            if (skipKey && ReadRgb(p) == key) continue;
            const auto g = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = g;
        }
    }
}

}  // namespace

void GrayscaleBitmap(Bitmap& bmp) { Gray(bmp, false, 0); }

void GrayscaleExceptKey(Bitmap& bmp, TColor key) { Gray(bmp, true, key); }

void PaintDisabled(Bitmap& bmp, TsDisabledKinds kinds, const ControlColorQuery& controlColor, TPoint offset,
                   const TsCacheInfo& bg) {
    if (bmp.Empty()) return;
    if (kinds & dkGrayed) GrayscaleBitmap(bmp);
    if (!(kinds & dkBlended)) return;
    if (bg.Ready && bg.Bmp != nullptr) {
        const int x = bg.X + offset.X, y = bg.Y + offset.Y;
        BlendOverRect(bmp, {0, 0}, 0xFF000000u, 0.4, {x, y, x + bmp.Width(), y + bmp.Height()}, *bg.Bmp);
        return;
    }
    TColor k = bg.FillColor;
    if (k == TransparentKey) k = controlColor ? controlColor() : TransparentKey;
    BlendColorRect(bmp, bmp.Bounds(), 50, k);
}

}  // namespace lw::render
