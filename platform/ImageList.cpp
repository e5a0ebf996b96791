#include "platform/ImageList.h"

#include <algorithm>
#include <cstring>

#include "platform/Exception.h"

namespace lw::platform {

std::vector<std::uint8_t> ScaleToPremultipliedBgra(const RgbaImage& picture, int width, int height) {
    std::vector<std::uint8_t> result(static_cast<size_t>(width) * height * 4);
    const double scaleX = static_cast<double>(picture.Width) / width;
    const double scaleY = static_cast<double>(picture.Height) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The destination pixel covers [x0, x1) x [y0, y1) of the source; weight every source
            // pixel by the part of it inside, and premultiply so transparent colour adds nothing.
            const double x0 = x * scaleX, x1 = x0 + scaleX, y0 = y * scaleY, y1 = y0 + scaleY;
            double sum[4] = {}, area = 0;
            for (int sy = static_cast<int>(y0); sy < picture.Height && sy < y1; ++sy) {
                const double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                for (int sx = static_cast<int>(x0); sx < picture.Width && sx < x1; ++sx) {
                    const double w = wy * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0));
                    const std::uint8_t* p = &picture.Pixels[(static_cast<size_t>(sy) * picture.Width + sx) * 4];
                    const double alpha = p[3] / 255.0;
                    sum[0] += w * p[2] * alpha;
                    sum[1] += w * p[1] * alpha;
                    sum[2] += w * p[0] * alpha;
                    sum[3] += w * p[3];
                    area += w;
                }
            }
            std::uint8_t* out = &result[(static_cast<size_t>(y) * width + x) * 4];
            for (int c = 0; c < 4; ++c) out[c] = static_cast<std::uint8_t>(std::clamp(sum[c] / area + 0.5, 0.0, 255.0));
        }
    }
    return result;
}

TImageList::TImageList(TComponent* owner, int width, int height) : TComponent(owner), width_(width), height_(height) {}

void TImageList::SetSize(int width, int height) {
    if (width <= 0 || height <= 0) throw Exception("Invalid image size");
    images_.clear();
    width_ = width;
    height_ = height;
}

void TImageList::Add(const RgbaImage& picture, bool withAlpha) {
    if (picture.Width <= 0 || picture.Height <= 0) throw Exception("Invalid image size");
    RgbaImage opaque;
    if (!withAlpha) {
        opaque = picture;
        for (std::size_t i = 3; i < opaque.Pixels.size(); i += 4) opaque.Pixels[i] = 255;
    }
    const std::vector<std::uint8_t> pixels = ScaleToPremultipliedBgra(withAlpha ? picture : opaque, width_, height_);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) throw Exception("Out of system resources");
    std::memcpy(bits, pixels.data(), pixels.size());
    images_.push_back({std::move(bitmap), static_cast<const std::uint8_t*>(bits), withAlpha});
}

RgbaImage TImageList::Picture(int index) const {
    if (index < 0 || index >= Count()) return {};
    const Image& image = images_[static_cast<size_t>(index)];
    GdiFlush();
    RgbaImage picture{width_, height_, std::vector<std::uint8_t>(static_cast<size_t>(width_) * height_ * 4)};
    for (size_t i = 0; i < picture.Pixels.size(); i += 4) {
        const std::uint8_t* p = image.Bits + i;
        const int alpha = p[3];
        std::uint8_t* out = &picture.Pixels[i];
        for (int c = 0; c < 3; ++c)
            out[c] = alpha == 0 ? 0 : static_cast<std::uint8_t>(std::min(255, (p[2 - c] * 255 + alpha / 2) / alpha));
        out[3] = image.HasAlpha ? static_cast<std::uint8_t>(alpha) : 0;
    }
    return picture;
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    MemoryDc source(CreateCompatibleDC(dc));
    SelectObjectScope select(source.get(), images_[static_cast<size_t>(index)].Bitmap.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(enabled ? 255 : 128), AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width_, height_, source.get(), 0, 0, width_, height_, blend);
}

}  // namespace lw::platform
