#pragma once
// The skinned masked edit: the skinned edit's cached image, frame, text and skin commands under
// the name the combo edits build on.

#include "controls/edits/Edit.h"

namespace lw::controls {

class TsMaskEdit : public controls::TsEdit {
public:
    TsMaskEdit(platform::TComponent* owner, platform::TWinControl* parent) : TsEdit(owner, parent) {}
};

}  // namespace lw::controls
