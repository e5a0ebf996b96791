#include "controls/shell/SkinnedTreeView.h"

namespace lw::controls {

using platform::TMessage;

TsTreeView::TsTreeView(platform::TComponent* owner, platform::TWinControl* parent)
    : TsAdapted({.ClassName = "TsTreeView", .IsEdit = true}, owner, parent) {
    if (SkinData().SkinSection().empty()) SkinData().SetSkinSection("EDIT");
    SkinData().ControlLoaded();
}

void TsTreeView::Painted() {
    if (!Updating()) RefreshBars();
}

bool TsTreeView::SkinLoaded(TMessage& m) {
    TsAdapted::SkinLoaded(m);
    boundLabel_.UpdatePosition();  // a label made while loading knows its size only now
    return true;
}

void TsTreeView::Dispatch(TMessage& m) {
    TsAdapted::Dispatch(m);
    boundLabel_.Follow(m, Enabled());
}

}  // namespace lw::controls
