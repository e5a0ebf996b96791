#pragma once
// One call from the bytes of a packed skin (the program's stored skin, or a ".gwz" read
// into memory) to a loaded model. On failure the model keeps what it had.

#include <cstdint>
#include <span>

#include "skin/SkinModel.h"

namespace lw::skin {

void LoadPackedSkinModel(std::span<const std::uint8_t> packedSkin, TsSkinModel& model, const SystemColorTable& colors,
                         std::string_view commonSections = {});

}  // namespace lw::skin
