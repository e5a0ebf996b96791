#pragma once
// The images of a PNG image list: the stored files (kept with their alpha), the images made
// from them at the list's size, and the glyph drawing the skinned buttons ask of it. The
// Win32 list (TsAlphaImageList) adds the platform side around it.

#include <cstdint>
#include <functional>
#include <vector>

#include "controls/images/core/AlphaDrawing.h"
#include "render/Bitmap.h"

namespace lw::controls {

enum TsImageFormat : std::uint8_t { ifPNG = 0, ifICO = 1 };

struct TsImgListItem {
    TsImageFormat ImageFormat = ifPNG;
    render::PixelFormat PixelFormat = render::PixelFormat::pf32bit;
    // The complete image file, byte for byte.
    std::vector<std::uint8_t> ImgData;
};

// Reads an icon file into a 32-bit image of width x height; false when it cannot. Icons are
// the platform's to read, so the store is handed a reader.
using IconReader =
    std::function<bool(const std::vector<std::uint8_t>& file, int width, int height, render::Bitmap& out)>;

class AlphaImageStore {
public:
    AlphaImageStore(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    std::vector<TsImgListItem> Items;
    bool ListGenerated = false;
    bool ListChanging = false;
    bool KeepItems = true;

    // The images at the list's size, one per item in order, icon files through readIcon. A file
    // that does not decode becomes a fully transparent image, so the indexes after it do not shift.
    void GenerateList(const IconReader& readIcon = {});
    int Count() const { return static_cast<int>(images_.size()); }
    const render::Bitmap& Image(int index) const { return images_[static_cast<std::size_t>(index)]; }
    // An image put in by other means than Items (a 32-bit bitmap of the list's size).
    void AddImage(render::Bitmap image);
    void Clear() { images_.clear(); }
    // A new size drops the images made for the old one.
    void SetSize(int width, int height);

    // Makes this list a copy of source: its size, its items, and its images, made again from
    // the items when they account for every image, else taken over as they are.
    void CopyFrom(const AlphaImageStore& source, const IconReader& readIcon);
    // Makes this list hold exactly `images` (32-bit, width x height) and no items, as a copy of
    // a list that keeps no image files does; images without any alpha get it by the change rule.
    void TakeImages(int width, int height, std::vector<render::Bitmap> images);

    // What the change notice does: regenerate when items outnumber the images, else give alpha
    // to images that came without any.
    void Changed(const IconReader& readIcon = {});

    // Image `index` as a 32-bit image with alpha in bmp: decoded afresh from its file while
    // items are kept (resampled to bmp's size, or the list's when bmp is empty), else the
    // generated image. False for an index outside the list.
    bool GetBitmap32(int index, render::Bitmap& bmp) const;

    // Draws state `state` of image `index` (a strip of stateCount slices) at (x, y) of the
    // 24-bit target; returns the size of one slice.
    TPoint DrawGlyph(render::Bitmap& target, int x, int y, bool reflected, int stateCount, int state, TColor tone,
                     int blend, int index) const;

private:
    int width_;
    int height_;
    std::vector<render::Bitmap> images_;
};

// Decodes a PNG file into a 32-bit image of width x height (Mitchell-resampled when its own
// size differs); false when the data is not a PNG it can read or the size is unusable.
bool DecodeGlyphPng(const std::vector<std::uint8_t>& data, int width, int height, render::Bitmap& out);

}  // namespace lw::controls
