// The base adapter's message table: what every adapter does for the windows that are not
// scroll adapters (their family has a complete table of its own).
#include "bridge/SkinManager.h"
#include "controls/adapters/WindowAdapters.h"
#include "platform/Redraw.h"

namespace lw::controls {

void TgwMainWnd::HandleMessage(platform::TMessage& message) {
    if (SkinManager() == nullptr || !SkinManager()->SkinActive()) {
        CallPrevious(message);
        return;
    }
    switch (message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
        SkinData().Owner().HideGlow(SkinData().GlowId);
        CallPrevious(message);
        Unhook();
        return;
    case WM_UPDATEUISTATE:
        return;
    case WM_SIZE:
        SkinData().MarkStale();
        break;
    case WM_MOUSEMOVE:
        if (IsWindowEnabled(Handle())) MakeHoverWindow();
        break;
    case WM_PRINT:
        message.Result = SendMessageW(Handle(), WM_PAINT, message.WParam, message.LParam);
        return;
    case skin::SM_ALPHACMD:
        if (HandleCommonCommand(message)) return;
        if (skin::SkinCommandOf(message.WParam) == skin::SMC_REFRESH) {
            CallPrevious(message);
            if (!Gone()) SendMessageW(Handle(), WM_PAINT, 0, 0);
            return;
        }
        break;
    }
    CallPrevious(message);
}

void TgwMainWnd::MakeHoverWindow() {
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    if (manager != nullptr && manager->HoverWindow() != handle_) manager->SetHoverWindow(handle_);
}

bool TgwMainWnd::OwnManager(const platform::TMessage& message) const {
    return SkinManager() != nullptr && message.LParam == SkinManager()->CommandId();
}

bool TgwMainWnd::HandleCommonCommand(platform::TMessage& message) {
    TsCommonData& data = SkinData();
    switch (skin::SkinCommandOf(message.WParam)) {
    case skin::SMC_SKINLOADED:
        if (!OwnManager(message)) return false;
        data.UpdateIndexes();
        data.Owner().SendToChildren(skin::SMC_SKINLOADED, skin::SkinLowWordOf(message.WParam), message.LParam);
        return false;
    case skin::SMC_SKINREMOVED:
        if (OwnManager(message)) GiveColorsBack();
        return false;
    case skin::SMC_REFRESH:
        if (!OwnManager(message)) return false;
        data.UpdateIndexes();
        data.MarkStale();
        return false;
    case skin::SMC_ENDUPDATE:
        if (data.Updating()) {
            if (!data.RefreshUpdating()) {
                platform::RedrawShown(Handle(), RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
            }
        }
        return false;
    case skin::SMC_ISSKINNED:
        message.Result = 1;
        return true;
    case skin::SMC_GETBGCOLOR:
        CallPrevious(message);
        if (!Gone() && message.Result == 0) message.Result = static_cast<LRESULT>(data.BackgroundColorAnswer());
        return true;
    case skin::SMC_GETAPPLICATION:
        message.Result = reinterpret_cast<LRESULT>(GetModuleHandleW(nullptr));
        return true;
    case skin::SMC_SETUPDATING:
        if (skin::SkinLowWordOf(message.WParam) == 1)
            data.BeginUpdate();
        else
            data.EndUpdate();
        return false;
    case skin::SMC_GETBG: {
        CallPrevious(message);
        auto* request = reinterpret_cast<render::TsBgRequest*>(message.LParam);
        if (!Gone() && request != nullptr && request->Kind == 0) data.AnswerBgRequest(*request, false);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace lw::controls
