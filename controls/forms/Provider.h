#pragma once
// What the window hook attaches to a window it skins: for a toolkit form its form provider, for
// a standard dialog the dialog adapter and the adapters of the dialog's children.

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/forms/ChildAdapters.h"
#include "controls/forms/DialogAdapter.h"
#include "controls/forms/SkinProvider.h"
#include "platform/Component.h"

namespace lw::controls {

class TFormSkinning;

class TgwProvider : public platform::TComponent {
public:
    // Owned by the form it skins, or by nothing (a dialog's: freed by the hook's sweep). Enters
    // the form skinning's provider list at once.
    TgwProvider(platform::TComponent* owner, TFormSkinning& skinning);
    ~TgwProvider() override;

    HWND DialogWindow = nullptr;
    std::unique_ptr<TsSkinProvider> FormProvider;
    std::unique_ptr<TgwDialogWnd> DialogAdapter;
    std::vector<std::unique_ptr<TgwChildAdapter>> ChildAdapters;

    // Lets go of every window it looks after (frames given back, hooks removed); the form side
    // only while the form is not being destroyed.
    void Detach();

protected:
    // The owning form is going: out of the list before anything of the form is freed.
    void Destroying() override;

private:
    friend class TFormSkinning;
    void Leave();

    // Null once the form skinning let go of it: a form may free it after the skinning is gone.
    TFormSkinning* skinning_;
};

}  // namespace lw::controls
