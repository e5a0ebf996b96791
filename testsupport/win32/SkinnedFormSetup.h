#pragma once
// What every window test and benchmark starts with: message boxes answered at once, the
// application, one form, and a skin manager on that form showing a skin.

#include <utility>

#include "bridge/SkinManager.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "testsupport/win32/SilentPrompt.h"
#include "testsupport/win32/SkinManagerSetup.h"

namespace lw::testsupport {

// Declare it (or derive a fixture from it) before anything made on `form`: the form outlives
// its controls, the application its forms. `skin` defaults to the application's stored skin
// (link lw_stored_skin).
struct SkinnedFormSetup {
    explicit SkinnedFormSetup(skin::ByteBuffer skin = StoredSkinBytes())
        : manager(MakeSkinManager(form, std::move(skin))) {}

    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    bridge::TsSkinManager& manager;
};

}  // namespace lw::testsupport
