#include "controls/checkbox/core/CheckBoxInput.h"

namespace lw::controls {

TCheckBoxState NextCheckState(TCheckBoxState state, bool allowGrayed) {
    switch (state) {
    case TCheckBoxState::cbUnchecked:
        return TCheckBoxState::cbChecked;
    case TCheckBoxState::cbChecked:
        return allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked;
    case TCheckBoxState::cbGrayed:
        break;
    }
    return TCheckBoxState::cbUnchecked;
}

bool CheckBoxPress::Apply(CheckBoxInput input, bool readOnly) {
    if (input == CheckBoxInput::MouseLeave) {
        Pressed = false;
        return false;
    }
    if (readOnly) return false;
    switch (input) {
    case CheckBoxInput::ButtonDown:
    case CheckBoxInput::SpaceDown:
        Pressed = true;
        return false;
    case CheckBoxInput::ButtonUp:
    case CheckBoxInput::KeyUp:
        if (!Pressed) return false;
        Pressed = false;
        return true;
    case CheckBoxInput::MouseLeave:
        break;
    }
    return false;
}

}  // namespace lw::controls
