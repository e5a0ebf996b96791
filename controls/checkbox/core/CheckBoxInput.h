#pragma once
// How the mouse and the keyboard toggle a skinned check box. There is no mouse capture: a press
// is forgotten when the mouse leaves, so pressing, leaving and releasing changes nothing.

#include <cstdint>

namespace lw::controls {

enum class TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };

// unchecked -> checked -> grayed (only when allowed) -> unchecked.
TCheckBoxState NextCheckState(TCheckBoxState state, bool allowGrayed);

enum class CheckBoxInput {
    ButtonDown,  // left button down or double click on the control
    ButtonUp,    // left button up
    SpaceDown,
    KeyUp,  // any key: after the space key went down, another key's release toggles too
    MouseLeave,
};

struct CheckBoxPress {
    bool Pressed = false;
    // Returns true when the input toggles the state. A read-only box ignores all of it.
    bool Apply(CheckBoxInput input, bool readOnly);
};

}  // namespace lw::controls
