#include "controls/edits/Memo.h"

#include "controls/base/core/ControlKinds.h"

namespace lw::controls {

using platform::TMessage;

TsMemo::TsMemo(platform::TComponent* owner, platform::TWinControl* parent, const platform::TMemoStyle& style)
    : TsAdapted({.ClassName = "TsMemo", .Kind = ckMemo, .IsEdit = true}, owner, parent, DefaultCreateParams(style)) {
    if (SkinData().SkinSection().empty()) SkinData().SetSkinSection("EDIT");
    SkinData().ControlLoaded();
}

void TsMemo::Change() {
    // A new text changes the bars' range; the adapter reads it again. A text set whole also
    // ends here, once, after its WM_SETTEXT.
    RefreshBars();
    TMemo::Change();
}

void TsMemo::SetDisabledKind(render::TsDisabledKinds kind) {
    if (kind == disabledKind_) return;
    disabledKind_ = kind;
    SkinData().InvalidateSkin();
}

void TsMemo::Dispatch(TMessage& m) {
    if (m.Msg == platform::CM_FONTCHANGED && Showing()) RedrawWholeWindow(Handle());
    TsAdapted::Dispatch(m);
}

void TsMemo::AfterMessage(const TMessage& m) {
    switch (m.Msg) {
    case EM_SETSEL:
        if (OnScrollCaret) OnScrollCaret();
        break;
    case WM_VSCROLL:
        if (OnVScroll) OnVScroll();
        break;
    default:
        break;
    }
}

}  // namespace lw::controls
