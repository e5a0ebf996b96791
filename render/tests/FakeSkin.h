#pragma once
// A skin held in plain tables, answering lookups the way the skin manager does.

#include <string>
#include <vector>

#include "render/SkinSource.h"

namespace lw::render::testing {

struct NamedMask {
    std::string Section, Property;
    MaskRef Mask;
};

struct NamedPattern {
    std::string Section, Property;
    const Bitmap* Image;
};

class FakeSkin : public SkinSource {
public:
    std::vector<SectionPaint> Sections;
    std::vector<NamedMask> Masks;
    std::vector<NamedPattern> Patterns;
    TColor Global = 0;

    int AddSection(SectionPaint s) {
        Sections.push_back(std::move(s));
        return int(Sections.size()) - 1;
    }
    int AddMask(std::string section, std::string property, MaskRef m) {
        Masks.push_back({std::move(section), std::move(property), m});
        return int(Masks.size()) - 1;
    }

    const SectionPaint* Section(int i) const override {
        return i >= 0 && i < int(Sections.size()) ? &Sections[i] : nullptr;
    }
    const MaskRef* Mask(int i) const override { return i >= 0 && i < int(Masks.size()) ? &Masks[i].Mask : nullptr; }
    const Bitmap* PatternImage(int i) const override {
        return i >= 0 && i < int(Patterns.size()) ? Patterns[i].Image : nullptr;
    }
    int GetSkinIndex(std::string_view name) const override {
        for (std::size_t i = 0; i < Sections.size(); ++i)
            if (Sections[i].SectionName == name) return int(i);
        return -1;
    }
    int GetMaskIndex(int skinIndex, std::string_view section, std::string_view property) const override {
        return skinIndex < 0 ? -1 : GetMaskIndexNoParent(section, property);
    }
    int GetMaskIndexNoParent(std::string_view section, std::string_view property) const override {
        for (std::size_t i = 0; i < Masks.size(); ++i)
            if (Masks[i].Section == section && Masks[i].Property == property) return int(i);
        return -1;
    }
    int GetPatternIndex(int, std::string_view section, std::string_view property) const override {
        for (std::size_t i = 0; i < Patterns.size(); ++i)
            if (Patterns[i].Section == section && Patterns[i].Property == property) return int(i);
        return -1;
    }
    TColor GlobalColor() const override { return Global; }
};

}  // namespace lw::render::testing
