#pragma once
// The skinned tree view: the platform's tree keeps its nodes, selection and label editing; the
// skin gives it its colours, and its frame and scroll bars through the tree-view adapter. Like
// the other edit-like controls it publishes a caption label bound beside it.

// The platform's shell headers define a macro named like one of the skin commands; users of
// the shell tree include both, in either order.
#pragma push_macro("SMC_REFRESH")
#undef SMC_REFRESH
#include "controls/adapters/AdaptedControl.h"
#include "controls/labels/BoundLabel.h"
#pragma pop_macro("SMC_REFRESH")
#include "platform/TreeView.h"

namespace lw::controls {

class TsTreeView : public controls::TsAdapted<platform::TTreeView, controls::AttachTreeAdapter> {
public:
    TsTreeView(platform::TComponent* owner, platform::TWinControl* parent);

    controls::TsBoundLabel& BoundLabel() { return boundLabel_; }

protected:
    bool SkinLoaded(platform::TMessage& message) override;
    void Dispatch(platform::TMessage& message) override;
    // The platform tree draws its own bars whenever it sets their ranges, which it does while
    // it paints: ours go back over them.
    void Painted() override;

private:
    controls::TsBoundLabel boundLabel_{*this};
};

}  // namespace lw::controls
