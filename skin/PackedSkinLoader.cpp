#include "skin/PackedSkinLoader.h"

#include <string_view>

#include "skin/gwSkinPack.h"
#include "skin/SkinImageSource.h"

namespace lw::skin {

void LoadPackedSkinModel(std::span<const std::uint8_t> packedSkin, TsSkinModel& model, const SystemColorTable& colors) {
    const auto pack = UnpackSkinFromMemory(packedSkin);
    const std::string_view options(reinterpret_cast<const char*>(pack->OptionsData.data()), pack->OptionsData.size());
    model.LoadSkinModel(options, PackedImageSource(*pack), colors);
}

}  // namespace lw::skin
