#pragma once
// The image list whose images are kept as complete PNG files, so the skinned buttons get their
// glyphs with full alpha; it also fills the toolkit's list, so plain controls can draw them.

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "controls/images/core/AlphaImageStore.h"
#include "platform/ImageList.h"

namespace lw::controls {

class TsAlphaImageList : public platform::TImageList {
public:
    TsAlphaImageList(platform::TComponent* owner, int width, int height);

    std::vector<TsImgListItem>& Items() { return store_.Items; }
    void AddPng(std::span<const std::uint8_t> png);
    bool ListGenerated() const { return store_.ListGenerated; }
    bool KeepItems() const { return store_.KeepItems; }
    void SetKeepItems(bool keep) { store_.KeepItems = keep; }

    // Makes the images from Items, for this list and for the toolkit's.
    void GenerateList();

    // Makes this list a copy of source (its settings, size, background and images), then
    // tells the list's users that it changed. From a toolkit list, which keeps no image files,
    // the images are taken as they are, and those without alpha get it as a change gives it.
    // CopyTo is the same seen from the source.
    void CopyFrom(const platform::TImageList& source);
    void CopyTo(TsAlphaImageList& target) const { target.CopyFrom(*this); }

    bool GetBitmap32(int index, render::Bitmap& bmp) const { return store_.GetBitmap32(index, bmp); }
    TPoint DrawGlyph(render::Bitmap& target, int x, int y, bool reflected, int stateCount, int state, TColor tone,
                     int blend, int index) const {
        return store_.DrawGlyph(target, x, y, reflected, stateCount, state, tone, blend, index);
    }
    // The same over what the device context shows at (x, y).
    void DrawGlyphToDC(HDC dc, int x, int y, bool reflected, int stateCount, int state, TColor tone, int blend,
                       int index) const;

protected:
    void Loaded() override;

private:
    // Puts the store's images into the toolkit's list.
    void FillPlatformList();

    AlphaImageStore store_;
};

}  // namespace lw::controls
