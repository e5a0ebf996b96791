#include "controls/forms/SkinProvider.h"

#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "skin/SkinProtocol.h"
#include "controls/forms/ChildAdapters.h"
#include "controls/forms/FormSkinning.h"

namespace lw::controls {

namespace {

bool FromOwnManager(const platform::TMessage& m) {
    const bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    return manager != nullptr && m.LParam == manager->CommandId();
}

}  // namespace

TsSkinProvider::TsSkinProvider(platform::TForm& form, const TFormSkinning& skinning)
    : form_(form),
      skinning_(skinning),
      window_(form.Handle()),
      frame_(form.Handle(), "FORM"),
      hook_(form, [this](platform::TMessage& m) { Handle(m); }) {
    frame_.Take();
}

TsSkinProvider::~TsSkinProvider() {
    hook_.Remove();
    if ((form_.ComponentState() & platform::csDestroying) != 0) frame_.Forget();
    frame_.Release();
}

void TsSkinProvider::Handle(platform::TMessage& m) {
    if (m.Msg == skin::SM_ALPHACMD) {
        HandleSkinCommand(m);
        return;
    }
    if (frame_.Handle(m, [this](platform::TMessage& passed) { hook_.CallPrevious(passed); })) return;
    hook_.CallPrevious(m);
    // The menu's own tracking draws a newly selected item straight to the screen, without a
    // paint message, and tells the owner only afterwards: the open menus are painted again then.
    if (m.Msg == WM_MENUSELECT) skinning_.RefreshPopupMenus();
}

void TsSkinProvider::HandleSkinCommand(platform::TMessage& m) {
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_ISSKINNED:
        m.Result = 1;
        return;
    case skin::SMC_GETPROVIDER:
        m.Result = reinterpret_cast<LRESULT>(this);
        return;
    case skin::SMC_GETBGCOLOR:
        m.Result = static_cast<LRESULT>(frame_.BackgroundColor());
        return;
    case skin::SMC_GETBG:
        if (m.LParam != 0) frame_.AnswerBackgroundRequest(*reinterpret_cast<render::TsBgRequest*>(m.LParam));
        return;
    case skin::SMC_SKINLOADED:
    case skin::SMC_REFRESH:
        // The controls first: the form repaints over children that already know their look.
        bridge::BroadcastToChildren(form_, m.Msg, m.WParam, m.LParam);
        if (FromOwnManager(m)) frame_.Refresh();
        return;
    case skin::SMC_SKINREMOVED:
    case skin::SMC_STOPANIM:
        bridge::BroadcastToChildren(form_, m.Msg, m.WParam, m.LParam);
        return;
    }
    hook_.CallPrevious(m);
}

}  // namespace lw::controls
