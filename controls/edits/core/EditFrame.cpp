#include "controls/edits/core/EditFrame.h"

namespace lw::controls {

namespace {

int BevelCount(const EditFrameStyle& s) { return (s.BevelInner ? 1 : 0) + (s.BevelOuter ? 1 : 0); }

}  // namespace

int EditFrameWidth(const EditFrameStyle& s) {
    if (s.Border) return s.Ctl3D ? 2 : 1;
    return BevelCount(s);
}

int EditTextInset(const EditFrameStyle& s) { return (s.Border ? (s.Ctl3D ? 2 : 1) : 0) + BevelCount(s); }

}  // namespace lw::controls
