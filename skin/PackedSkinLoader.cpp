#include "skin/PackedSkinLoader.h"

#include <string_view>

#include "skin/gwSkinPack.h"
#include "skin/SkinImageSource.h"

namespace lw::skin {

void LoadPackedSkinModel(std::span<const std::uint8_t> packedSkin, TsSkinModel& model, const SystemColorTable& colors,
                         std::string_view commonSections) {
    const auto pack = UnpackSkinFromMemory(packedSkin);
    const std::string_view options(reinterpret_cast<const char*>(pack->OptionsData.data()), pack->OptionsData.size());
    model.LoadSkinModel(options, commonSections, PackedImageSource(*pack), colors);
}

}  // namespace lw::skin
