#pragma once
// The skinned multi-line edit: the platform's EDIT keeps the text, the caret and the selection;
// the skin gives it its colours, and its frame and scroll bars once a window adapter is attached.

#include <functional>

#include "controls/adapters/AdaptedControl.h"
#include "render/Disabled.h"
#include "platform/Edits.h"

namespace lw::controls {

class TsMemo : public TsAdapted<platform::TMemo, AttachEditAdapter> {
public:
    TsMemo(platform::TComponent* owner, platform::TWinControl* parent, const platform::TMemoStyle& style = {});

    render::TsDisabledKinds DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(render::TsDisabledKinds kind);

    // After the control has processed a selection request (EM_SETSEL).
    std::function<void()> OnScrollCaret;
    // After the control has processed a vertical scroll request (WM_VSCROLL).
    std::function<void()> OnVScroll;

protected:
    void Change() override;
    void Dispatch(platform::TMessage& message) override;
    void AfterMessage(const platform::TMessage& message) override;

private:
    render::TsDisabledKinds disabledKind_ = render::dkBlended;
};

}  // namespace lw::controls
