#pragma once
// The widths the single-line edit paints from its cache: the frame ring copied in WM_NCPAINT
// and the inset of its text in the disabled image.

namespace lw::controls {

struct EditFrameStyle {
    bool Border = true;  // a single border style
    bool Ctl3D = true;
    bool BevelInner = false;  // a bevel kind is set and the inner bevel is drawn
    bool BevelOuter = false;
};

int EditFrameWidth(const EditFrameStyle& s);
int EditTextInset(const EditFrameStyle& s);

}  // namespace lw::controls
