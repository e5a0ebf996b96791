#include "controls/images/core/AlphaImageStore.h"

#include "render/Resample.h"
#include "skin/ImageDecoders.h"

namespace lw::controls {

bool DecodeGlyphPng(const std::vector<std::uint8_t>& data, int width, int height, render::Bitmap& out) {
    if (data.empty() || width <= 0 || height <= 0) return false;
    std::optional<render::Bitmap> decoded = skin::DecodePng(data);
    if (!decoded || decoded->Empty()) return false;
    if (decoded->Width() == width && decoded->Height() == height) {
        out = std::move(*decoded);
        return true;
    }
    try {
        render::ResampleBitmap(*decoded, out, width, height, render::ResampleFilter::Mitchell);
    } catch (const render::ResampleError&) {
        return false;  // a 1-pixel-wide or -high picture cannot be resampled
    }
    if (out.Format() != render::PixelFormat::pf32bit) return false;
    FixMissingAlpha(out);
    return true;
}

AlphaImageStore::AlphaImageStore(int width, int height) : width_(width), height_(height) {}

void AlphaImageStore::GenerateList(const IconReader& readIcon) {
    ListChanging = true;
    images_.clear();
    for (const TsImgListItem& item : Items) {
        render::Bitmap image;
        const bool read = item.ImageFormat == ifPNG ? DecodeGlyphPng(item.ImgData, width_, height_, image)
                                                    : readIcon && readIcon(item.ImgData, width_, height_, image);
        if (!read || image.Width() != width_ || image.Height() != height_ ||
            image.Format() != render::PixelFormat::pf32bit)
            image = render::CreateBmp32(width_, height_);
        images_.push_back(std::move(image));
    }
    if (!Items.empty()) {
        ListGenerated = true;
        if (!KeepItems) Items.clear();
    }
    ListChanging = false;
}

void AlphaImageStore::AddImage(render::Bitmap image) {
    images_.push_back(std::move(image));
    Changed();
}

void AlphaImageStore::SetSize(int width, int height) {
    images_.clear();
    width_ = width;
    height_ = height;
}

void AlphaImageStore::CopyFrom(const AlphaImageStore& source, const IconReader& readIcon) {
    if (&source == this) return;
    SetSize(source.width_, source.height_);
    Items = source.Items;
    // Images the source got by other means than its items would be lost by regenerating.
    if (source.KeepItems && !source.Items.empty() && source.Items.size() >= source.images_.size()) {
        GenerateList(readIcon);
    } else {
        for (const render::Bitmap& image : source.images_) images_.push_back(image.Clone());
    }
    Changed(readIcon);
}

void AlphaImageStore::TakeImages(int width, int height, std::vector<render::Bitmap> images) {
    SetSize(width, height);
    Items.clear();
    images_ = std::move(images);
    ListGenerated = true;
    Changed();
}

void AlphaImageStore::Changed(const IconReader& readIcon) {
    if (ListChanging || !ListGenerated) return;
    if (KeepItems && Items.size() >= images_.size()) {
        if (Items.size() > images_.size()) GenerateList(readIcon);
        return;
    }
    for (render::Bitmap& image : images_) FixMissingAlpha(image);
}

bool AlphaImageStore::GetBitmap32(int index, render::Bitmap& bmp) const {
    if (index < 0 || index >= Count()) return false;
    const int w = bmp.Empty() ? width_ : bmp.Width();
    const int h = bmp.Empty() ? height_ : bmp.Height();
    if (KeepItems && index < static_cast<int>(Items.size())) {
        const TsImgListItem& item = Items[static_cast<std::size_t>(index)];
        if (item.ImageFormat == ifPNG && !item.ImgData.empty() && DecodeGlyphPng(item.ImgData, w, h, bmp)) return true;
    }
    bmp = Image(index).Clone();
    return true;
}

TPoint AlphaImageStore::DrawGlyph(render::Bitmap& target, int x, int y, bool reflected, int stateCount, int state,
                                  TColor tone, int blend, int index) const {
    const GlyphSlice slice = SliceOf(width_, height_, stateCount, state);
    if (target.Empty() || index < 0 || index >= Count()) return slice.Size;
    // The list's own image at its own size: its item was decoded once, when the list was
    // generated, and a button draws its glyph on every rebuild of its look.
    render::Bitmap image = Image(index).Clone();
    DrawImage32(RectOfSize(x, y, slice.Size.X, slice.Size.Y), slice.Source, target, reflected, blend, tone, false,
                render::EmptyCacheInfo, image);
    return slice.Size;
}

}  // namespace lw::controls
