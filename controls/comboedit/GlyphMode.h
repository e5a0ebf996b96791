#pragma once
// A combo edit's own images for its button: an image list with an index for each button
// state. Blend and Grayed live on the button itself.

#include "controls/comboedit/core/GlyphChoice.h"
#include "controls/images/AlphaImageList.h"

namespace lw::controls {

class TsCustomComboEdit;

class TsGlyphMode {
public:
    explicit TsGlyphMode(TsCustomComboEdit& edit) : edit_(edit) {}
    TsGlyphMode(const TsGlyphMode&) = delete;
    TsGlyphMode& operator=(const TsGlyphMode&) = delete;

    // The button's; 0 and false while it is not there to ask.
    int Blend() const;
    void SetBlend(int value);
    bool Grayed() const;
    void SetGrayed(bool value);
    // The button's hint; the edit's own while there is no button.
    std::string Hint() const;
    void SetHint(std::string_view utf8);

    // Changing the list or an index resizes the button to the glyph width + 2.
    const controls::TsAlphaImageList* Images() const { return images_; }
    void SetImages(const controls::TsAlphaImageList* images);
    int ImageIndex() const { return indexes_.ImageIndex; }
    void SetImageIndex(int index) { SetIndex(indexes_.ImageIndex, index); }
    int ImageIndexHot() const { return indexes_.ImageIndexHot; }
    void SetImageIndexHot(int index) { SetIndex(indexes_.ImageIndexHot, index); }
    int ImageIndexPressed() const { return indexes_.ImageIndexPressed; }
    void SetImageIndexPressed(int index) { SetIndex(indexes_.ImageIndexPressed, index); }

    const GlyphIndexes& Indexes() const { return indexes_; }

private:
    void SetIndex(int& field, int value);
    void Changed();

    TsCustomComboEdit& edit_;
    const controls::TsAlphaImageList* images_ = nullptr;
    GlyphIndexes indexes_;
};

}  // namespace lw::controls
