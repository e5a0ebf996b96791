#pragma once
// The skinned tree view: the platform's tree keeps its nodes, selection and label editing; the
// skin gives it its colours, and its frame and scroll bars through the tree-view adapter. Like
// the other edit-like controls it publishes a caption label bound beside it.

#include <memory>

// The platform's shell headers define a macro named like one of the skin commands; users of
// the shell tree include both, in either order.
#pragma push_macro("SMC_REFRESH")
#undef SMC_REFRESH
#include "controls/base/ControlSkinOwner.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/base/core/CommonData.h"
#include "controls/labels/BoundLabel.h"
#pragma pop_macro("SMC_REFRESH")
#include "platform/TreeView.h"

namespace lw::shell {

class TsTreeView : public platform::TTreeView {
public:
    TsTreeView(platform::TComponent* owner, platform::TWinControl* parent);
    ~TsTreeView() override;

    controls::TsCommonData& SkinData() { return *skinData_; }
    controls::TsBoundLabel& BoundLabel() { return boundLabel_; }
    // The adapter that draws frame and scroll bars while the tree is skinned; null otherwise.
    controls::TgwMainWnd* Adapter() const { return adapter_.get(); }
    // The slot others may attach an adapter to: one live adapter at a time.
    controls::AdapterPtr& AdapterSlot() { return adapter_; }

    void SetBounds(const platform::TBounds& bounds) override;

protected:
    void WndProc(platform::TMessage& message) override;

private:
    void HandleCommand(platform::TMessage& message);
    void SkinnedMessage(platform::TMessage& message);
    bool CanPaint() const;
    void Redraw();
    void AttachAdapter();
    // The platform tree draws its own bars whenever it sets their ranges: ours go back over them.
    void RefreshBars();

    controls::ControlSkinOwner owner_{*this, "TsTreeView", true};
    std::unique_ptr<controls::TsCommonData> skinData_;
    controls::TsBoundLabel boundLabel_{*this};
    controls::AdapterPtr adapter_;  // freed before the common data it paints from
};

}  // namespace lw::shell
