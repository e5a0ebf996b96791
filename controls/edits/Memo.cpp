#include "controls/edits/Memo.h"

#include "controls/base/CommonDataWindow.h"
#include "controls/adapters/AdaptedControl.h"
#include "controls/adapters/ScrollParts.h"
#include "controls/base/core/ControlKinds.h"
#include "platform/Handles.h"

namespace lw::controls {

using platform::TMessage;

TsMemo::TsMemo(platform::TComponent* owner, platform::TWinControl* parent, const platform::TMemoStyle& style)
    : TMemo(owner, parent, DefaultCreateParams(style)), skinData_(std::make_unique<TsCommonData>(owner_, true)) {
    skinData_->ControlKind = ckMemo;
    if (skinData_->SkinSection().empty()) skinData_->SetSkinSection("EDIT");
    skinData_->ControlLoaded();
}

TsMemo::~TsMemo() {
    adapter_.reset();
    skinData_.reset();
}

void TsMemo::AttachAdapter() { AttachEditAdapter(*skinData_, adapter_); }

void TsMemo::RefreshBars() {
    if (auto* bars = dynamic_cast<TgwScrollWnd*>(adapter_.get()); bars != nullptr && !bars->Unhooked)
        RefreshScrollBars(*bars, true);
}

void TsMemo::Change() {
    // A new text changes the bars' range; the adapter reads it again.
    RefreshBars();
    TMemo::Change();
}

void TsMemo::SetDisabledKind(render::TsDisabledKinds kind) {
    if (kind == disabledKind_) return;
    disabledKind_ = kind;
    skinData_->InvalidateSkin();
}

bool TsMemo::CanPaint() const {
    return Handle() != nullptr && Parent() != nullptr &&
           !(ComponentState() & (platform::csLoading | platform::csDestroying));
}

void TsMemo::Redraw() { RedrawWholeWindow(Handle()); }

void TsMemo::HandleCommand(TMessage& m) {
    if (!HandleAdaptedSkinCommand(*skinData_, adapter_, Handle(), m, [this] { AttachAdapter(); })) TMemo::WndProc(m);
}

void TsMemo::WndProc(TMessage& m) {
    if (!skinData_) {
        TMemo::WndProc(m);
        return;
    }
    TsCommonData& d = *skinData_;
    switch (m.Msg) {
    case skin::SM_ALPHACMD:
        HandleCommand(m);
        return;
    case platform::CM_FONTCHANGED:
        if (Showing()) Redraw();
        break;
    case platform::CM_LOADED:
        d.ControlLoaded();
        TMemo::WndProc(m);
        AttachAdapter();
        return;
    default:
        break;
    }
    if (CanPaint() && d.Skinned())
        SkinnedMessage(m);
    else
        TMemo::WndProc(m);
}

void TsMemo::SkinnedMessage(TMessage& m) {
    TsCommonData& d = *skinData_;
    if (m.Msg == WM_PAINT) {
        d.Updating = d.IsUpdating();
        if (!d.Updating) {
            TMemo::WndProc(m);
        } else if (m.WParam == 0) {
            platform::PaintScope validate(Handle());  // a half-built background is never shown
        }
        return;
    }
    if (HandleWindowMessage(d, *this, m)) return;
    TMemo::WndProc(m);
    switch (m.Msg) {
    case WM_SETFONT:
    case platform::CM_VISIBLECHANGED:
    case platform::CM_ENABLEDCHANGED:
        d.InvalidateSkin();
        break;
    case EM_SETSEL:
        if (OnScrollCaret) OnScrollCaret();
        break;
    case WM_VSCROLL:
        if (OnVScroll) OnVScroll();
        break;
    case platform::CM_TEXTCHANGED:
        RefreshBars();
        break;
    case platform::CM_SHOWINGCHANGED:
        AttachAdapter();
        break;
    default:
        break;
    }
}

}  // namespace lw::controls
