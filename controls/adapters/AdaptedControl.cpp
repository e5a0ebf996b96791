#include "controls/adapters/AdaptedControl.h"

#include "controls/base/CommonDataWindow.h"
#include "controls/base/core/CommonData.h"
#include "skin/SkinProtocol.h"

namespace lw::controls {

void RedrawWholeWindow(HWND window) {
    if (window != nullptr) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
}

void GiveBackPlatformFrame(HWND window) {
    if (window == nullptr) return;
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWholeWindow(window);
}

bool HandleAdaptedSkinCommand(TsCommonData& d, AdapterPtr& adapter, HWND window, platform::TMessage& m,
                              const std::function<void()>& attach) {
    const bool own = d.GetSkinManager() != nullptr && d.GetSkinManager()->CommandId() == m.LParam;
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_SKINLOADED:
        if (!own) break;
        HandleSkinCommand(d, m);
        return true;
    case skin::SMC_SKINREMOVED:
        if (!own) break;
        adapter.reset();
        HandleSkinCommand(d, m);
        GiveBackPlatformFrame(window);
        return true;
    case skin::SMC_REFRESH:
        if (!own) break;
        HandleSkinCommand(d, m);
        attach();
        RedrawWholeWindow(window);
        return true;
    case skin::SMC_ISSKINNED:
        m.Result = 1;
        return true;
    default:
        break;
    }
    return HandleSkinCommand(d, m);
}

}  // namespace lw::controls
