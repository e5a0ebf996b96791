#include "controls/comboedit/core/GlyphChoice.h"

#include <gtest/gtest.h>

namespace lw::controls {
namespace {

TEST(GlyphChoice, StripsOfSquareStatesCountTheirStatesAnythingElseIsOne) {
    struct Case {
        GlyphListShape list;
        int states, width;
    } cases[] = {
        {{48, 16, 5}, 3, 16}, {{16, 16, 1}, 1, 16},
        {{32, 16, 1}, 2, 16}, {{50, 16, 1}, 1, 50},  // not a whole multiple: one wide state
        {{18, 0, 0}, 1, 18},                         // an empty list never divides by its height
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.list.Width << "x" << c.list.Height);
        EXPECT_EQ(GlyphStateCount(c.list), c.states);
        EXPECT_EQ(GlyphWidthOf(c.list), c.width);
    }
}

TEST(GlyphChoice, OwnImagesWhenTheyHoldImageIndexElseTheBuiltInGlyph) {
    const GlyphListShape builtIn{48, 16, 5};
    const GlyphListShape squares{16, 16, 4};
    const GlyphListShape strips{48, 16, 2};
    const GlyphListShape pairs{32, 16, 1};
    struct Case {
        const char* what;
        GlyphIndexes indexes;
        const GlyphListShape* own;
        int builtInIndex, state;
        GlyphChoice expected;
    } cases[] = {
        {"no own list, normal", {}, nullptr, 1, 0, {false, 1, 3, 0}},
        {"no own list, hot", {}, nullptr, 1, 1, {false, 1, 3, 1}},
        {"no own list, pressed", {}, nullptr, 1, 2, {false, 1, 3, 2}},
        {"own list: normal image", {2, 3, 1}, &squares, 1, 0, {true, 2, 1, 0}},
        {"own list: hot image", {2, 3, 1}, &squares, 1, 1, {true, 3, 1, 0}},
        {"own list: pressed image", {2, 3, 1}, &squares, 1, 2, {true, 1, 1, 0}},
        {"unset hot index falls back", {2, -1, -1}, &squares, 1, 1, {true, 2, 1, 0}},
        {"hot index past the list falls back", {2, 9, -1}, &squares, 1, 1, {true, 2, 1, 0}},
        {"pressed index below the list falls back", {2, 3, -7}, &squares, 1, 2, {true, 2, 1, 0}},
        {"own list without ImageIndex", {4, 0, 0}, &squares, 1, 1, {false, 1, 3, 1}},
        {"ImageIndex unset", {-1, 0, 0}, &squares, 3, 0, {false, 3, 3, 0}},
        {"own strips keep their states", {1, -1, 0}, &strips, 1, 2, {true, 0, 3, 2}},
        {"two-state strip shows its last when pressed", {0, -1, -1}, &pairs, 1, 2, {true, 0, 2, 1}},
        {"no built-in glyph", {}, nullptr, -1, 1, {false, -1, 1, 0}},
        {"built-in index past the list", {}, nullptr, 5, 0, {false, -1, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GlyphChoice got = ChooseGlyph(c.indexes, c.own, builtIn, c.builtInIndex, c.state);
        EXPECT_EQ(got.OwnList, c.expected.OwnList);
        EXPECT_EQ(got.Index, c.expected.Index);
        EXPECT_EQ(got.StateCount, c.expected.StateCount);
        EXPECT_EQ(got.State, c.expected.State);
        const GlyphListShape& sizing = SizingList(c.indexes, c.own, builtIn);
        EXPECT_EQ(&sizing, got.OwnList ? c.own : &builtIn);
    }
}

}  // namespace
}  // namespace lw::controls
