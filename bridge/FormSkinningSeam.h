#pragma once
// Where the form skinning (a layer above this one) plugs into a skin manager, which owns it:
// while it is the default manager it installs and removes the window hook, and it hands the
// form skinning every broadcast for the forms it has skinned, which the manager then no longer
// addresses itself.

#include <windows.h>

namespace lw::bridge {

class FormSkinningService {
public:
    virtual ~FormSkinningService() = default;
    virtual void InstallHook() = 0;
    virtual void RemoveHook() = 0;
    // Sends the message to every form that has a form provider (such a form answers
    // SMC_ISSKINNED with 1 and passes the command on to its controls).
    virtual void Broadcast(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace lw::bridge
