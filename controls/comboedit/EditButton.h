#pragma once
#include "platform/Buttons.h"

namespace lw::comboedit {

// The small flat button inside the right end of a combo edit: no caption, an arrow pointer,
// a folder glyph drawn in the normal, hot or pressed look.
class TsEditButton : public platform::TButton {
public:
    TsEditButton(platform::TComponent* owner, platform::TWinControl* parent);

    // 0 normal, 1 under the mouse, 2 held down.
    int State() const;

protected:
    void WndProc(platform::TMessage& message) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    bool hot_ = false;
};

}  // namespace lw::comboedit
