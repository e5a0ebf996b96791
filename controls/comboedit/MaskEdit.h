#pragma once
// The skinned masked edit: the skinned edit's cached image, frame, text and skin commands under
// the name the combo edits build on, with a caption label that can stand beside it.

#include "controls/edits/Edit.h"
#include "controls/labels/BoundLabel.h"

namespace lw::controls {

class TsMaskEdit : public controls::TsEdit {
public:
    TsMaskEdit(platform::TComponent* owner, platform::TWinControl* parent) : TsEdit(owner, parent) {}

    TsBoundLabel& BoundLabel() { return boundLabel_; }

protected:
    void Dispatch(platform::TMessage& message) override {
        TsEdit::Dispatch(message);
        // Disabled with the field only when the field's disabled look blends it.
        boundLabel_.Follow(message, Enabled() || (DisabledKind() & render::dkBlended) == 0);
    }

private:
    TsBoundLabel boundLabel_{*this};
};

}  // namespace lw::controls
