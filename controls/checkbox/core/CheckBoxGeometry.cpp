#include "controls/checkbox/core/CheckBoxGeometry.h"

#include <algorithm>

namespace lw::controls {

namespace {
constexpr BoxSize kBoxWithoutImage{16, 16};
}

BoxSize SkinBoxSize(const render::MaskRef* mask) {
    if (mask == nullptr) return kBoxWithoutImage;
    if (mask->Bmp != nullptr) return {mask->Bmp->Width() / 3, mask->Bmp->Height() / 2};
    // The model keeps ImageCount at least 1 and MaskType at least 0; a hand-made reference may not.
    const int frames = std::max(mask->ImageCount, 1);
    const int rows = std::max(mask->MaskType, 0) + 1;
    return {mask->R.Width() / frames, mask->R.Height() / rows};
}

BoxSize GlyphBoxSize(int imageWidth, int imageHeight) { return {imageWidth / 3, imageHeight / 2}; }

TRect CheckBoxRect(const CheckBoxLayout& l, BoxSize box, bool placed) {
    if (!placed) return {0, 0, kBoxWithoutImage.Width, kBoxWithoutImage.Height};
    const int x = l.BoxOnLeft ? l.Margin : l.Width - box.Width - l.Margin;
    const int y = (l.Height - box.Height) / 2;
    return {x, y, x + box.Width, y + box.Height};
}

int CaptionAvailableWidth(const CheckBoxLayout& l, BoxSize box) {
    return l.Width - box.Width - l.TextIndent - 2 * l.Margin - 2;
}

TRect CheckBoxCaptionRect(const CheckBoxLayout& l, BoxSize box, int textWidth, int textHeight) {
    const int avail = CaptionAvailableWidth(l, box);
    const int top = std::max((l.Height - textHeight) / 2, l.Margin);
    TRect r;
    if (l.BoxOnLeft) {
        const int x = l.Width - avail - l.Margin + 2;
        r = {x, top, x + textWidth, top + textHeight};
    } else {
        r = {l.Margin, top, avail + l.Margin, top + textHeight};
    }
    // The caption sits one pixel higher than centred, and a wrapped one a pixel further left.
    const int dx = l.WordWrap ? 1 : 0;
    return {r.Left - dx, r.Top - 1, r.Right - dx, r.Bottom - 1};
}

TRect CaptionFocusRect(const TRect& caption, bool wordWrap) {
    TRect r = caption;
    r.Top += 1;
    if (!wordWrap) r.Bottom -= 1;
    return {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
}

TPoint CheckBoxAutoSize(BoxSize box, int margin, int textIndent, bool hasCaption, int textWidth, int textHeight) {
    const int width = box.Width + 2 * margin + (hasCaption ? textWidth + textIndent + 8 : 0);
    const int height = std::max(box.Height, (hasCaption ? textHeight : 0) + 2 * margin) + 2;
    return {width, height};
}

}  // namespace lw::controls
