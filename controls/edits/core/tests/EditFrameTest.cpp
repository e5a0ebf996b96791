#include <gtest/gtest.h>

#include "controls/edits/core/EditFrame.h"

namespace lw::controls {
namespace {

TEST(EditFrame, RingAndTextInsetFollowBorderAndBevels) {
    struct Case {
        EditFrameStyle style;
        int frame, inset;
    };
    const Case cases[] = {
        {{.Border = true, .Ctl3D = true}, 2, 2},
        {{.Border = true, .Ctl3D = false}, 1, 1},
        {{.Border = false}, 0, 0},
        {{.Border = false, .BevelInner = true, .BevelOuter = true}, 2, 2},
        {{.Border = false, .BevelOuter = true}, 1, 1},
        // With a border the ring is the border's; the text keeps off the bevels as well.
        {{.Border = true, .Ctl3D = true, .BevelInner = true}, 2, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditFrameWidth(c.style), c.frame) << c.style.Border << c.style.Ctl3D << c.style.BevelInner;
        EXPECT_EQ(EditTextInset(c.style), c.inset) << c.style.Border << c.style.Ctl3D << c.style.BevelInner;
    }
}

}  // namespace
}  // namespace lw::controls
