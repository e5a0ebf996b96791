#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/Color.h"
#include "platform/Component.h"
#include "platform/Handles.h"
#include "platform/Png.h"

namespace lw::platform {

enum class TDrawingStyle : std::uint8_t { dsFocus, dsSelected, dsNormal, dsTransparent };
enum class TImageType : std::uint8_t { itImage, itMask };

// Background colours an image list can have besides a real colour.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// Images of one size drawn with their alpha channel. Pictures of another size are scaled to
// the list's size once, when added, by averaging the area each pixel covers.
class TImageList : public TComponent {
public:
    TImageList(TComponent* owner, int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // A new size empties the list: its images were made for the old one.
    void SetSize(int width, int height);

    // Kept with the list and carried over when one list is copied into another.
    bool Masked = true;
    TImageType ImageType = TImageType::itImage;
    TDrawingStyle DrawingStyle = TDrawingStyle::dsNormal;
    bool ShareImages = false;
    TColor BkColor = clNone;
    TColor BlendColor = clNone;
    int AllocBy = 4;

    // Told when the list's images were replaced as a whole.
    std::function<void()> OnChange;

    // withAlpha false: the picture has no alpha channel (a bitmap of 24 bits, say) and its alpha
    // bytes are not read: it is drawn opaque.
    void Add(const RgbaImage& picture, bool withAlpha = true);
    void AddPng(std::span<const std::uint8_t> png) { Add(DecodePng(png)); }
    void Clear() { images_.clear(); }
    // Image `index` at the list's size with straight alpha; a picture added without an alpha
    // channel comes back without one (every alpha 0), its colours whole. An index outside the
    // list: empty.
    RgbaImage Picture(int index) const;

    // Blends image `index` onto `dc` with its top left at x, y; a disabled image is drawn at
    // half its opacity. An index outside the list draws nothing.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;

protected:
    void Change() {
        if (OnChange) OnChange();
    }

private:
    int width_;
    int height_;
    struct Image {
        BitmapHandle Bitmap;  // 32-bit premultiplied DIB section
        const std::uint8_t* Bits;
        bool HasAlpha;
    };
    std::vector<Image> images_;
};

// Scales straight RGBA to `width` x `height` premultiplied BGRA (the layout AlphaBlend takes),
// rows top down.
std::vector<std::uint8_t> ScaleToPremultipliedBgra(const RgbaImage& picture, int width, int height);

}  // namespace lw::platform
