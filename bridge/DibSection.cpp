#include "bridge/DibSection.h"

#include <algorithm>
#include <new>
#include <unordered_map>
#include <vector>

namespace lw::bridge {

namespace {

// The device context behind each live section's surface, for draw requests that carry only the
// surface. Single-threaded, like all painting.
std::unordered_map<const render::Surface*, HDC>& SurfaceDcs() {
    static std::unordered_map<const render::Surface*, HDC> dcs;
    return dcs;
}

BITMAPINFO HeaderFor(int width, int height, int bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

TsDibSection::TsDibSection(int width, int height, render::PixelFormat format) : dc_(CreateCompatibleDC(nullptr)) {
    if (!dc_) throw std::bad_alloc();
    SurfaceDcs()[&surface_] = dc_.get();
    Create(width, height, format);
}

TsDibSection::~TsDibSection() {
    SurfaceDcs().erase(&surface_);
    if (previous_ != nullptr) SelectObject(dc_.get(), previous_);
}

void TsDibSection::Resize(int width, int height, render::PixelFormat format) {
    if (width == bitmap_.Width() && height == bitmap_.Height() && format == bitmap_.Format() && !bitmap_.Empty())
        return;
    Create(width, height, format);
}

void TsDibSection::Create(int width, int height, render::PixelFormat format) {
    if (previous_ != nullptr) {
        SelectObject(dc_.get(), previous_);
        previous_ = nullptr;
    }
    section_.reset();
    bitmap_ = render::Bitmap();
    if (width > 0 && height > 0) {
        const int bytesPerPixel = render::BytesPerPixel(format);
        BITMAPINFO info = HeaderFor(width, height, bytesPerPixel * 8);
        void* bits = nullptr;
        section_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!section_ || bits == nullptr) throw std::bad_alloc();
        const std::ptrdiff_t stride = ((static_cast<std::ptrdiff_t>(width) * bytesPerPixel + 3) / 4) * 4;
        bitmap_ = render::Bitmap::Wrap(static_cast<std::uint8_t*>(bits), stride, width, height, format);
        previous_ = SelectObject(dc_.get(), section_.get());
    }
    surface_ = render::Surface(bitmap_);
}

HDC DcOfSurface(const render::Surface* surface) {
    if (surface == nullptr) return nullptr;
    const auto it = SurfaceDcs().find(surface);
    if (it == SurfaceDcs().end()) return nullptr;
    GdiFlush();  // the core may write the pixels next
    return it->second;
}

void BlitToDc(HDC dc, int x, int y, const render::Bitmap& bitmap, const TRect& src) {
    const TRect r = Intersect(src, bitmap.Bounds());
    if (r.IsEmpty()) return;
    const int bytesPerPixel = bitmap.BytesPerPixel();
    const std::ptrdiff_t packedWidth = ((static_cast<std::ptrdiff_t>(bitmap.Width()) * bytesPerPixel + 3) / 4) * 4;
    if (bitmap.Stride() == packedWidth) {
        // Top-down rows padded as GDI pads them: hand GDI the rows in place, the band of src's
        // rows as a whole bitmap of its own, so only the horizontal start needs saying.
        BITMAPINFO info = HeaderFor(bitmap.Width(), r.Height(), bytesPerPixel * 8);
        SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(r.Width()), static_cast<DWORD>(r.Height()), r.Left, 0, 0,
                          static_cast<UINT>(r.Height()), bitmap.Row(r.Top), &info, DIB_RGB_COLORS);
        return;
    }
    const std::ptrdiff_t packed = ((static_cast<std::ptrdiff_t>(r.Width()) * bytesPerPixel + 3) / 4) * 4;
    BITMAPINFO info = HeaderFor(r.Width(), r.Height(), bytesPerPixel * 8);
    // Rows of this bitmap are padded differently or run bottom-up: hand GDI its own copy.
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(packed * r.Height()));
    for (int row = 0; row < r.Height(); ++row)
        std::copy_n(bitmap.Pixel(r.Left, r.Top + row), static_cast<std::size_t>(r.Width() * bytesPerPixel),
                    rows.data() + packed * row);
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(r.Width()), static_cast<DWORD>(r.Height()), 0, 0, 0,
                      static_cast<UINT>(r.Height()), rows.data(), &info, DIB_RGB_COLORS);
}

}  // namespace lw::bridge
