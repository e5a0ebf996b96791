// Fuzz entry over everything a hostile skin file reaches: the container, the options
// text with its image references, and the image decoders. The first byte picks the
// layer, so each can be reached without getting through the ones in front of it.
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "skin/ImageDecoders.h"
#include "skin/PackedSkinLoader.h"
#include "skin/SkinError.h"
#include "skin/SkinImageSource.h"
#include "skin/SkinModel.h"
#include "skin/fuzz/SkinFuzzCheck.h"

namespace {

class NoImages final : public lw::skin::SkinImageSource {
public:
    std::optional<std::span<const std::uint8_t>> Find(const std::string&) const override { return std::nullopt; }
};

// Every index a lookup gives is -1 or names an entry of the table it belongs to.
class IndexCheck {
public:
    void Expect(int index, std::size_t tableSize, const char* lookup, const std::string& section) {
        if (failure_ || index == -1 || (index >= 0 && static_cast<std::size_t>(index) < tableSize)) return;
        failure_ = std::string(lookup) + " gave " + std::to_string(index) + " for [" + section + "], table of " +
                   std::to_string(tableSize);
    }
    std::optional<std::string> Failure() const { return failure_; }

private:
    std::optional<std::string> failure_;
};

std::optional<std::string> Exercise(const lw::skin::TsSkinModel& model) {
    IndexCheck check;
    const auto lookUp = [&](const std::string& section, const std::string& property) {
        const int skin = model.GetSkinIndex(section);
        check.Expect(skin, model.Sections.size(), "GetSkinIndex", section);
        check.Expect(model.GetMaskIndex(skin, section, property), model.Masks.size(), "GetMaskIndex", section);
        check.Expect(model.GetMaskIndexNoParent(section, property), model.Masks.size(), "GetMaskIndexNoParent",
                     section);
        check.Expect(model.GetTextureIndex(skin, section, property), model.Masks.size(), "GetTextureIndex", section);
        check.Expect(model.GetPatternIndex(skin, section, property), model.PatternImages.size(), "GetPatternIndex",
                     section);
    };
    for (const auto& s : model.Sections) {
        lookUp(s.SectionName, "BORDERSMASK");
        lookUp(s.SectionName, "PATTERN");
        model.ReadSkinInt(s.SectionName, "COLOR", 0);
    }
    for (const auto& m : model.Masks) lookUp(m.SectionName, m.PropertyName);
    for (const auto& p : model.PatternImages) lookUp(p.SectionName, p.PropertyName);
    for (std::size_t i = 0; i < model.Masks.size(); ++i) {
        const int index = static_cast<int>(i);
        model.GetMaskSize(index);
        model.GetMaskLeft(index);
        model.GetMaskBottom(index);
    }
    return check.Failure();
}

}  // namespace

std::optional<std::string> CheckSkinInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return std::nullopt;
    const std::span<const std::uint8_t> input(data + 1, size - 1);
    lw::skin::TsSkinModel model;
    try {
        switch (data[0] % 3) {
        case 0:
            lw::skin::LoadPackedSkinModel(input, model, lw::skin::SystemColorTable{});
            break;
        case 1:
            model.LoadSkinModel(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()), NoImages(),
                                lw::skin::SystemColorTable{});
            break;
        default:
            if (auto image = lw::skin::DecodeImage(input)) lw::skin::ClearTransparentWhite(*image);
            return std::nullopt;
        }
    } catch (const lw::skin::SkinError&) {
        return std::nullopt;
    }
    return Exercise(model);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto failure = CheckSkinInput(data, size)) {
        std::fprintf(stderr, "%s\n", failure->c_str());
        std::abort();
    }
    return 0;
}
