#pragma once
#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "platform/Component.h"
#include "platform/Handles.h"
#include "platform/Png.h"

namespace lw::platform {

// Images of one size drawn with their alpha channel. Pictures of another size are scaled to
// the list's size once, when added, by averaging the area each pixel covers.
class TImageList : public TComponent {
public:
    TImageList(TComponent* owner, int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }

    void Add(const RgbaImage& picture);
    void AddPng(std::span<const std::uint8_t> png) { Add(DecodePng(png)); }
    void Clear() { images_.clear(); }

    // Blends image `index` onto `dc` with its top left at x, y; a disabled image is drawn at
    // half its opacity. An index outside the list draws nothing.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;

private:
    int width_;
    int height_;
    std::vector<BitmapHandle> images_;  // 32-bit premultiplied DIB sections
};

// Scales straight RGBA to `width` x `height` premultiplied BGRA (the layout AlphaBlend takes),
// rows top down.
std::vector<std::uint8_t> ScaleToPremultipliedBgra(const RgbaImage& picture, int width, int height);

}  // namespace lw::platform
