#include "controls/shell/SkinnedTreeView.h"

#include "controls/base/CommonDataWindow.h"
#include "controls/adapters/AdaptedControl.h"
#include "controls/adapters/ScrollParts.h"
#include "platform/Handles.h"

namespace lw::shell {

using platform::TMessage;

TsTreeView::TsTreeView(platform::TComponent* owner, platform::TWinControl* parent)
    : TTreeView(owner, parent), skinData_(std::make_unique<controls::TsCommonData>(owner_, true)) {
    if (skinData_->SkinSection().empty()) skinData_->SetSkinSection("EDIT");
    skinData_->ControlLoaded();
}

TsTreeView::~TsTreeView() {
    adapter_.reset();
    skinData_.reset();
}

void TsTreeView::SetBounds(const platform::TBounds& bounds) {
    TTreeView::SetBounds(bounds);
    boundLabel_.UpdatePosition();
}

void TsTreeView::AttachAdapter() { controls::AttachTreeAdapter(*skinData_, adapter_); }

void TsTreeView::RefreshBars() {
    auto* bars = dynamic_cast<controls::TgwScrollWnd*>(adapter_.get());
    if (bars != nullptr && !bars->Unhooked && !Updating()) controls::RefreshScrollBars(*bars, true);
}

bool TsTreeView::CanPaint() const {
    return Handle() != nullptr && TControl::Parent() != nullptr &&
           !(ComponentState() & (platform::csLoading | platform::csDestroying));
}

void TsTreeView::Redraw() { controls::RedrawWholeWindow(Handle()); }

void TsTreeView::HandleCommand(TMessage& m) {
    if (!controls::HandleAdaptedSkinCommand(*skinData_, adapter_, Handle(), m, [this] { AttachAdapter(); }))
        TTreeView::WndProc(m);
}

void TsTreeView::WndProc(TMessage& m) {
    if (!skinData_) {
        TTreeView::WndProc(m);
        return;
    }
    switch (m.Msg) {
    case skin::SM_ALPHACMD:
        HandleCommand(m);
        return;
    case platform::CM_LOADED:
        skinData_->ControlLoaded();
        TTreeView::WndProc(m);
        AttachAdapter();
        boundLabel_.UpdatePosition();  // a label made while loading knows its size only now
        return;
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
    if (CanPaint() && skinData_->Skinned())
        SkinnedMessage(m);
    else
        TTreeView::WndProc(m);
}

void TsTreeView::SkinnedMessage(TMessage& m) {
    controls::TsCommonData& d = *skinData_;
    if (m.Msg == WM_PAINT) {
        d.Updating = d.IsUpdating();
        if (!d.Updating) {
            TTreeView::WndProc(m);
            RefreshBars();  // the platform's tree sets its bars' ranges while it paints
        } else if (m.WParam == 0) {
            platform::PaintScope validate(Handle());  // a half-built background is never shown
        }
        return;
    }
    if (controls::HandleWindowMessage(d, *this, m)) return;
    TTreeView::WndProc(m);
    switch (m.Msg) {
    case WM_SETFONT:
    case platform::CM_VISIBLECHANGED:
    case platform::CM_ENABLEDCHANGED:
        d.InvalidateSkin();
        break;
    case platform::CM_SHOWINGCHANGED:
        AttachAdapter();
        break;
    default:
        break;
    }
}

}  // namespace lw::shell
