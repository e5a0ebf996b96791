#pragma once
// The look of every window: the program's stored skins, the skin folder beside the program, and
// the user's choice of skin, hue and saturation read from and written to the configuration.

#include <windows.h>

#include <string>
#include <vector>

#include "app/core/SkinChoice.h"
#include "bridge/SkinManager.h"
#include "platform/IniStore.h"
#include "platform/Prompt.h"

namespace lw::app {

// The dark and the light stored skin, and "Skins" beside the program as the skin directory.
void AddStoredSkins(bridge::TsSkinManager& manager);

// The configuration's section "SKIN".
SkinChoice ReadSkinChoice(platform::IniStore& configuration, const bridge::TsSkinManager& manager);
void WriteSkinChoice(platform::IniStore& configuration, const SkinChoice& choice);

// What the Settings window offers: the stored skins, then the packed skins and skin folders of
// the skin directory.
std::vector<std::string> SkinList(const bridge::TsSkinManager& manager);

// At start, before any window paints. A skin the skin directory holds but that cannot be read
// is reported with its file, and the program comes up in the stored skin of that name (or the
// dark one), whole, never half-skinned.
void LoadStartSkin(bridge::TsSkinManager& manager, const SkinChoice& choice, platform::Prompt& prompt);

// Puts `choice` in use on every open window. A skin that cannot be read is reported, naming it,
// its file and the reason; the look in use then stays and the answer is false.
bool UseSkinChoice(bridge::TsSkinManager& manager, const SkinChoice& choice, platform::Prompt& prompt, HWND owner);

// The look in use.
SkinChoice CurrentSkinChoice(const bridge::TsSkinManager& manager);

}  // namespace lw::app
