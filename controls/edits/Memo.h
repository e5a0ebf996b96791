#pragma once
// The skinned multi-line edit: the platform's EDIT keeps the text, the caret and the selection;
// the skin gives it its colours, and its frame and scroll bars once a window adapter is attached.

#include <functional>
#include <memory>

#include "controls/base/ControlSkinOwner.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/base/core/CommonData.h"
#include "render/Disabled.h"
#include "platform/Edits.h"

namespace lw::controls {

class TsMemo : public platform::TMemo {
public:
    TsMemo(platform::TComponent* owner, platform::TWinControl* parent, const platform::TMemoStyle& style = {});
    ~TsMemo() override;

    TsCommonData& SkinData() { return *skinData_; }
    render::TsDisabledKinds DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(render::TsDisabledKinds kind);

    // After the control has processed a selection request (EM_SETSEL).
    std::function<void()> OnScrollCaret;
    // After the control has processed a vertical scroll request (WM_VSCROLL).
    std::function<void()> OnVScroll;

    // The edit adapter that draws frame and scroll bars while the memo is skinned; null otherwise.
    TgwMainWnd* Adapter() const { return adapter_.get(); }

protected:
    void WndProc(platform::TMessage& message) override;
    void Change() override;

private:
    void HandleCommand(platform::TMessage& message);
    void SkinnedMessage(platform::TMessage& message);
    bool CanPaint() const;
    void Redraw();
    void AttachAdapter();
    void RefreshBars();

    ControlSkinOwner owner_{*this, "TsMemo", true};
    std::unique_ptr<TsCommonData> skinData_;
    render::TsDisabledKinds disabledKind_ = render::dkBlended;
    AdapterPtr adapter_;  // freed before the common data it paints from
};

}  // namespace lw::controls
