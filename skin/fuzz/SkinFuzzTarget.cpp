// Fuzz entry over everything a hostile skin file reaches: the container, the options
// text with its image references, and the image decoders. The first byte picks the
// layer, so each can be reached without getting through the ones in front of it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "skin/ImageDecoders.h"
#include "skin/PackedSkinLoader.h"
#include "skin/SkinError.h"
#include "skin/SkinImageSource.h"
#include "skin/SkinModel.h"

namespace {

class NoImages final : public lw::skin::SkinImageSource {
public:
    std::optional<std::span<const std::uint8_t>> Find(const std::string&) const override { return std::nullopt; }
};

void Exercise(const lw::skin::TsSkinModel& model) {
    for (std::size_t i = 0; i < model.Sections.size(); ++i) {
        const auto& s = model.Sections[i];
        const int index = static_cast<int>(i);
        model.GetMaskIndex(index, s.SectionName, "BORDERSMASK");
        model.GetTextureIndex(index, s.SectionName, "PATTERN");
        model.GetPatternIndex(index, s.SectionName, "PATTERN");
        model.ReadSkinInt(s.SectionName, "COLOR", 0);
    }
    for (std::size_t i = 0; i < model.Masks.size(); ++i) {
        const int index = static_cast<int>(i);
        model.GetMaskSize(index);
        model.GetMaskLeft(index);
        model.GetMaskBottom(index);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const std::uint8_t> input(data + 1, size - 1);
    lw::skin::TsSkinModel model;
    try {
        switch (data[0] % 3) {
            case 0:
                lw::skin::LoadPackedSkinModel(input, model, lw::skin::SystemColorTable{});
                break;
            case 1:
                model.LoadSkinModel(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()),
                                    NoImages(), lw::skin::SystemColorTable{});
                break;
            default:
                if (auto image = lw::skin::DecodeImage(input)) lw::skin::ClearTransparentWhite(*image);
                return 0;
        }
    } catch (const lw::skin::SkinError&) {
        return 0;
    }
    Exercise(model);
    return 0;
}
