#include "controls/images/AlphaImageList.h"

#include "bridge/DibSection.h"
#include "controls/images/IconReading.h"

namespace lw::controls {

namespace {

platform::RgbaImage ToRgba(const render::Bitmap& bmp) {
    platform::RgbaImage image{bmp.Width(), bmp.Height(), {}};
    image.Pixels.reserve(static_cast<std::size_t>(bmp.Width()) * bmp.Height() * 4);
    for (int y = 0; y < bmp.Height(); ++y) {
        for (int x = 0; x < bmp.Width(); ++x) {
            const std::uint8_t* p = bmp.Pixel(x, y);
            image.Pixels.insert(image.Pixels.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    return image;
}

render::Bitmap FromRgba(const platform::RgbaImage& image) {
    render::Bitmap bmp = render::CreateBmp32(image.Width, image.Height);
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            const std::uint8_t* p = &image.Pixels[(static_cast<std::size_t>(y) * image.Width + x) * 4];
            std::uint8_t* q = bmp.Pixel(x, y);
            q[0] = p[2], q[1] = p[1], q[2] = p[0], q[3] = p[3];
        }
    }
    return bmp;
}

}  // namespace

TsAlphaImageList::TsAlphaImageList(platform::TComponent* owner, int width, int height)
    : TImageList(owner, width, height), store_(width, height) {}

void TsAlphaImageList::AddPng(std::span<const std::uint8_t> png) {
    store_.Items.push_back({ifPNG, render::PixelFormat::pf32bit, {png.begin(), png.end()}});
    // Once loaded, a new item joins at once; while loading, Loaded makes them all.
    if (!(ComponentState() & platform::csLoading)) GenerateList();
}

void TsAlphaImageList::GenerateList() {
    store_.GenerateList(ReadIconFile);
    FillPlatformList();
}

void TsAlphaImageList::FillPlatformList() {
    if (Width() != store_.Width() || Height() != store_.Height()) SetSize(store_.Width(), store_.Height());
    Clear();
    for (int i = 0; i < store_.Count(); ++i) Add(ToRgba(store_.Image(i)));
}

void TsAlphaImageList::CopyFrom(const platform::TImageList& source) {
    if (&source == this) return;
    Masked = source.Masked;
    ImageType = source.ImageType;
    DrawingStyle = source.DrawingStyle;
    ShareImages = source.ShareImages;
    BlendColor = source.BlendColor;
    BkColor = source.BkColor;
    if (const auto* alpha = dynamic_cast<const TsAlphaImageList*>(&source)) {
        store_.CopyFrom(alpha->store_, ReadIconFile);
    } else {
        std::vector<render::Bitmap> images;
        for (int i = 0; i < source.Count(); ++i) images.push_back(FromRgba(source.Picture(i)));
        store_.TakeImages(source.Width(), source.Height(), std::move(images));
    }
    FillPlatformList();
    Change();
}

void TsAlphaImageList::Loaded() {
    TImageList::Loaded();
    if (!store_.ListGenerated) GenerateList();
}

void TsAlphaImageList::DrawGlyphToDC(HDC dc, int x, int y, bool reflected, int stateCount, int state, TColor tone,
                                     int blend, int index) const {
    const int height = Height() + (reflected ? Height() / 2 : 0);
    bridge::TsDibSection canvas(Width(), height, render::PixelFormat::pf24bit);
    BitBlt(canvas.Dc(), 0, 0, Width(), height, dc, x, y, SRCCOPY);
    GdiFlush();
    DrawGlyph(canvas.Bitmap(), 0, 0, reflected, stateCount, state, tone, blend, index);
    BitBlt(dc, x, y, Width(), height, canvas.Dc(), 0, 0, SRCCOPY);
}

}  // namespace lw::controls
