#pragma once
// In-memory pixel buffers: 24-bit (B, G, R) and 32-bit (B, G, R, A).
// Rows are addressed through the start of row 0 and a stride that may be negative
// (bottom-up storage, as in a DIB section) or padded; code never assumes otherwise.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/Types.h"

namespace lw::render {

enum class PixelFormat : std::uint8_t { pf24bit, pf32bit };

constexpr int BytesPerPixel(PixelFormat f) { return f == PixelFormat::pf24bit ? 3 : 4; }

class Bitmap {
public:
    Bitmap() = default;
    // Owning, top-down, rows padded to 4 bytes like a device-independent bitmap.
    Bitmap(int width, int height, PixelFormat format);
    // Non-owning view over someone else's pixels (a DIB section, a test buffer).
    static Bitmap Wrap(std::uint8_t* row0, std::ptrdiff_t stride, int width, int height, PixelFormat format);

    Bitmap(Bitmap&&) noexcept = default;
    Bitmap& operator=(Bitmap&&) noexcept = default;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // Deep copy with the same size and format, top-down.
    Bitmap Clone() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    int BytesPerPixel() const { return render::BytesPerPixel(format_); }
    std::ptrdiff_t Stride() const { return stride_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0 || start_ == nullptr; }
    TRect Bounds() const { return {0, 0, width_, height_}; }

    std::uint8_t* Row(int y) { return start_ + stride_ * y; }
    const std::uint8_t* Row(int y) const { return start_ + stride_ * y; }
    std::uint8_t* Pixel(int x, int y) { return Row(y) + x * BytesPerPixel(); }
    const std::uint8_t* Pixel(int x, int y) const { return Row(y) + x * BytesPerPixel(); }

private:
    std::vector<std::uint8_t> storage_;
    std::uint8_t* start_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::pf24bit;
};

inline Bitmap CreateBmp24(int width, int height) { return Bitmap(width, height, PixelFormat::pf24bit); }
inline Bitmap CreateBmp32(int width, int height) { return Bitmap(width, height, PixelFormat::pf32bit); }
inline Bitmap CreateBmpLike(const Bitmap& b) { return Bitmap(b.Width(), b.Height(), b.Format()); }

}  // namespace lw::render
