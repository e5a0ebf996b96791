#pragma once
#include <utility>

#include "bridge/SkinManager.h"
#include "platform/Form.h"
#include "testsupport/StoredSkin.h"

namespace lw::testsupport {

// The application's stored skin as a loadable buffer (link lw_stored_skin).
inline skin::ByteBuffer StoredSkinBytes() { return skin::ByteBuffer(kStoredSkin, kStoredSkin + kStoredSkinSize); }

// Gives `manager` one internal skin and selects it, as the application's start-up does with its
// stored skin.
inline void LoadInternalSkin(bridge::TsSkinManager& manager, skin::ByteBuffer bytes) {
    manager.InternalSkins.push_back({"000 (internal)", std::move(bytes)});
    manager.SetSkinName("000 (internal)");
}

// A skin manager owned by `form` that shows `bytes`.
inline bridge::TsSkinManager& MakeSkinManager(platform::TForm& form, skin::ByteBuffer bytes) {
    auto& manager = form.Make<bridge::TsSkinManager>();
    LoadInternalSkin(manager, std::move(bytes));
    return manager;
}

}  // namespace lw::testsupport
