#pragma once
// Which picture a combo edit's button shows and how wide the button is: from the edit's own
// image list when that list holds its ImageIndex, else from the built-in glyph list.

namespace lw::controls {

// The size of an image list's images and how many it holds.
struct GlyphListShape {
    int Width = 0;
    int Height = 0;
    int Count = 0;
};

// A list's images are strips of square states side by side when the width is a whole multiple
// of the height; anything else is one state.
int GlyphStateCount(const GlyphListShape& list);
// One state's width.
int GlyphWidthOf(const GlyphListShape& list);

// The glyph-mode indexes: one image per button state; -1 (or any index outside the list)
// means "the normal image".
struct GlyphIndexes {
    int ImageIndex = -1;
    int ImageIndexHot = -1;
    int ImageIndexPressed = -1;
};

struct GlyphChoice {
    bool OwnList = false;  // the edit's own list, else the built-in one
    int Index = -1;        // -1: no glyph at all
    int StateCount = 1;
    int State = 0;  // the slice of the strip; a strip of one state always shows its only one
};

// own: the edit's list, or null without one. state: 0 normal, 1 hot, 2 pressed.
GlyphChoice ChooseGlyph(const GlyphIndexes& indexes, const GlyphListShape* own, const GlyphListShape& builtIn,
                        int builtInIndex, int state);

// The list whose glyph sizes the button: the edit's own when it holds ImageIndex.
const GlyphListShape& SizingList(const GlyphIndexes& indexes, const GlyphListShape* own, const GlyphListShape& builtIn);

}  // namespace lw::controls
