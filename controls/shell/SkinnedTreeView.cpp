#include "controls/shell/SkinnedTreeView.h"

#include "controls/CommonDataWindow.h"
#include "controls/scrollbars/ScrollParts.h"
#include "platform/Handles.h"

namespace lw::shell {

using controls::SMC_ISSKINNED;
using controls::SMC_REFRESH;
using controls::SMC_SKINLOADED;
using controls::SMC_SKINREMOVED;
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

void TsTreeView::Redraw() {
    if (Handle() != nullptr) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
}

void TsTreeView::GiveBackPlatformFrame() {
    if (Handle() == nullptr) return;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw();
}

void TsTreeView::HandleCommand(TMessage& m) {
    controls::TsCommonData& d = *skinData_;
    const bool own = d.GetSkinManager() != nullptr && d.GetSkinManager()->CommandId() == m.LParam;
    switch (controls::SkinCommandOf(m.WParam)) {
    case SMC_SKINLOADED:
        if (!own) break;
        controls::HandleSkinCommand(d, m);
        return;
    case SMC_SKINREMOVED:
        if (!own) break;
        adapter_.reset();
        controls::HandleSkinCommand(d, m);
        GiveBackPlatformFrame();
        return;
    case SMC_REFRESH:
        if (!own) break;
        controls::HandleSkinCommand(d, m);
        AttachAdapter();
        Redraw();
        return;
    case SMC_ISSKINNED:
        m.Result = 1;
        return;
    default:
        break;
    }
    if (!controls::HandleSkinCommand(d, m)) TTreeView::WndProc(m);
}

void TsTreeView::WndProc(TMessage& m) {
    if (!skinData_) {
        TTreeView::WndProc(m);
        return;
    }
    switch (m.Msg) {
    case controls::SM_ALPHACMD:
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
