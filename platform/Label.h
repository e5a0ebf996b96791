#pragma once
#include "platform/Control.h"

namespace lw::platform {

// A windowless line of text drawn by its parent; the parent's background shows around it.
// Clicks reach OnClick through the parent.
class TLabel : public TControl {
public:
    TLabel(TComponent* owner, TWinControl* parent);
    void Paint(HDC dc) override;
};

}  // namespace lw::platform
