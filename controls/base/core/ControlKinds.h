#pragma once
// The numbers naming kinds of skinned controls, the section each kind paints from when none is
// set, and the sets of kinds that steer the shared mouse, focus and glow handling.

#include <string>
#include <string_view>

namespace lw::controls {

enum ControlKindNumber : int {
    ckEdit = 3,
    ckMemo = 7,
    ckCheckBox = 32,
    ckPanel = 51,
    ckGroupBox = 74,
    ckSpeedButton = 92,
    ckBitBtn = 94,
    ckListBox = 97,
    ckFileDirEdit = 132,
    ckDirectoryEdit = 134,
    ckComboEdit = 138,
};

// The section a control of `kind` uses when its SkinSection is empty: from the kind table, or
// the upper-cased class name for kinds outside it.
std::string DefaultSectionOfKind(int kind, std::string_view className);

// Containers never take the hot look from the mouse.
bool IsContainerKind(int kind);
// Kinds whose mouse entry shows no glow through the shared handling (buttons drive their own).
bool ShowsNoSharedGlow(int kind);
// Edit-like kinds redraw their frame when focus or mouse-over changes.
bool IsEditLikeKind(int kind);

std::string UpperCaseAscii(std::string_view text);

}  // namespace lw::controls
