#pragma once
// The skinned masked edit: the skinned edit's cached image, frame and skin commands, with the
// text in the cache laid out on the first line only, as the masked edit shows it.

#include "controls/edits/Edit.h"

namespace lw::comboedit {

class TsMaskEdit : public controls::TsEdit {
public:
    TsMaskEdit(platform::TComponent* owner, platform::TWinControl* parent);

protected:
    CacheTextLayout CacheText(int inset) const override;
};

}  // namespace lw::comboedit
