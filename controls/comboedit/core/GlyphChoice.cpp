#include "controls/comboedit/core/GlyphChoice.h"

namespace lw::controls {

namespace {

bool Holds(const GlyphListShape* list, int index) { return list != nullptr && index >= 0 && index < list->Count; }

}  // namespace

int GlyphStateCount(const GlyphListShape& list) {
    if (list.Height <= 0 || list.Width <= 0 || list.Width % list.Height != 0) return 1;
    return list.Width / list.Height;
}

int GlyphWidthOf(const GlyphListShape& list) { return list.Width / GlyphStateCount(list); }

const GlyphListShape& SizingList(const GlyphIndexes& indexes, const GlyphListShape* own,
                                 const GlyphListShape& builtIn) {
    return Holds(own, indexes.ImageIndex) ? *own : builtIn;
}

GlyphChoice ChooseGlyph(const GlyphIndexes& indexes, const GlyphListShape* own, const GlyphListShape& builtIn,
                        int builtInIndex, int state) {
    GlyphChoice choice;
    if (Holds(own, indexes.ImageIndex)) {
        const int wanted = state == 2   ? indexes.ImageIndexPressed
                           : state == 1 ? indexes.ImageIndexHot
                                        : indexes.ImageIndex;
        choice.OwnList = true;
        choice.Index = Holds(own, wanted) ? wanted : indexes.ImageIndex;
        choice.StateCount = GlyphStateCount(*own);
    } else {
        if (!Holds(&builtIn, builtInIndex)) return choice;
        choice.Index = builtInIndex;
        choice.StateCount = GlyphStateCount(builtIn);
    }
    choice.State = choice.StateCount > 1 ? (state < choice.StateCount ? state : choice.StateCount - 1) : 0;
    return choice;
}

}  // namespace lw::controls
