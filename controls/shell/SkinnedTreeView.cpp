#include "controls/shell/SkinnedTreeView.h"

namespace lw::controls {

using platform::TMessage;

TsTreeView::TsTreeView(platform::TComponent* owner, platform::TWinControl* parent)
    : TsAdapted({.ClassName = "TsTreeView", .IsEdit = true}, owner, parent) {
    if (SkinData().SkinSection().empty()) SkinData().SetSkinSection("EDIT");
    SkinData().ControlLoaded();
}

void TsTreeView::SetBounds(const platform::TBounds& bounds) {
    TTreeView::SetBounds(bounds);
    boundLabel_.UpdatePosition();
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
    switch (m.Msg) {
    case platform::CM_VISIBLECHANGED:
        if (auto* label = boundLabel_.Label()) label->SetVisible(Visible());
        boundLabel_.UpdatePosition();
        break;
    case platform::CM_ENABLEDCHANGED:
        if (auto* label = boundLabel_.Label()) label->SetEnabled(Enabled());
        break;
    default:
        break;
    }
    TsAdapted::Dispatch(m);
}

}  // namespace lw::controls
