#include <algorithm>

#include "skin/SkinModel.h"
#include "skin/SkinText.h"

namespace lw::skin {

namespace {

// Every section can be visited once; a longer chain of parents has come back on itself.
std::size_t MaxParentHops(const IniText& ini) { return ini.Sections().size() + 1; }

bool IsUsableParent(std::string_view parent, std::string_view section) {
    return !parent.empty() && parent != "?" && !SameText(parent, section);
}

}  // namespace

std::int32_t ReadSkinInt(const IniText& ini, std::string_view section, std::string_view key, std::int32_t def) {
    std::string current(section);
    for (std::size_t hop = 0; hop < MaxParentHops(ini); ++hop) {
        const IniSection* s = ini.FindSection(current);
        if (!s) break;
        if (const auto text = s->Find(key)) {
            const auto v = TryParseInt(*text);
            if (v && *v != -1) return *v;
        }
        const std::string_view parent = s->Find("PARENTCLASS").value_or("?");
        if (!IsUsableParent(parent, current)) break;
        current = std::string(parent);
    }
    return def;
}

std::string ReadSkinString(const IniText& ini, std::string_view section, std::string_view key, std::string_view def) {
    std::string current(section);
    for (std::size_t hop = 0; hop < MaxParentHops(ini); ++hop) {
        const IniSection* s = ini.FindSection(current);
        if (!s) break;
        if (const auto text = s->Find(key); text && *text != "?") return std::string(*text);
        const std::string_view parent = s->Find("PARENTCLASS").value_or("?");
        if (!IsUsableParent(parent, current)) break;
        current = std::string(parent);
    }
    return std::string(def);
}

std::int32_t TsSkinModel::ReadSkinInt(std::string_view section, std::string_view key, std::int32_t def) const {
    return skin::ReadSkinInt(options_, section, key, def);
}

std::string TsSkinModel::ReadSkinString(std::string_view section, std::string_view key, std::string_view def) const {
    return skin::ReadSkinString(options_, section, key, def);
}

int TsSkinModel::GetSkinIndex(std::string_view name) const {
    for (std::size_t i = 0; i < Sections.size(); ++i)
        if (Sections[i].SectionName == name) return static_cast<int>(i);
    return -1;
}

// The direct search ignores skinIndex; only the step to the parent section uses it.
// Each step moves to another section, so more steps than sections means a cycle.
template <class Table, class Accept>
int TsSkinModel::FindInherited(const Table& table, int skinIndex, std::string_view section, std::string_view property,
                               Accept accept) const {
    if (skinIndex < 0 || section.empty()) return -1;
    std::string current(section);
    for (std::size_t hop = 0; hop <= Sections.size(); ++hop) {
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].SectionName == current && table[i].PropertyName == property && accept(table[i]))
                return static_cast<int>(i);
        if (skinIndex < 0 || static_cast<std::size_t>(skinIndex) >= Sections.size()) return -1;
        const std::string& parent = Sections[static_cast<std::size_t>(skinIndex)].ParentClass;
        if (parent.empty() || parent == current) return -1;
        skinIndex = GetSkinIndex(parent);
        if (skinIndex < 0) return -1;
        current = parent;
    }
    return -1;
}

int TsSkinModel::GetMaskIndex(int skinIndex, std::string_view sectionName, std::string_view propertyName) const {
    return FindInherited(Masks, skinIndex, sectionName, propertyName, [](const TsMaskData&) { return true; });
}

int TsSkinModel::GetMaskIndexNoParent(std::string_view sectionName, std::string_view propertyName) const {
    if (sectionName.empty()) return -1;
    for (std::size_t i = 0; i < Masks.size(); ++i)
        if (Masks[i].SectionName == sectionName && Masks[i].PropertyName == propertyName) return static_cast<int>(i);
    return -1;
}

int TsSkinModel::GetTextureIndex(int skinIndex, std::string_view sectionName, std::string_view propertyName) const {
    return FindInherited(Masks, skinIndex, sectionName, propertyName,
                         [](const TsMaskData& m) { return m.ImgType == TgwImgType::itisaTexture; });
}

int TsSkinModel::GetPatternIndex(int skinIndex, std::string_view sectionName, std::string_view propertyName) const {
    return FindInherited(PatternImages, skinIndex, sectionName, propertyName,
                         [](const TsPatternData&) { return true; });
}

TsMaskSize TsSkinModel::GetMaskSize(int maskIndex) const {
    if (maskIndex < 0 || static_cast<std::size_t>(maskIndex) >= Masks.size()) return {};
    const TsMaskData& m = Masks[static_cast<std::size_t>(maskIndex)];
    if (m.Bmp) return {m.Bmp->Width() / 3, m.Bmp->Height() / 2};
    return {m.FrameWidth(), m.FrameHeight()};
}

namespace {
int SliceOrFallback(const TsMaskData& m, std::int16_t slice, int frameSize) {
    if (slice > 0) return slice;
    if (m.BorderWidth > 0) return m.BorderWidth;
    return frameSize;
}
}  // namespace

int TsSkinModel::GetMaskLeft(int maskIndex) const {
    if (maskIndex < 0 || static_cast<std::size_t>(maskIndex) >= Masks.size()) return 0;
    const TsMaskData& m = Masks[static_cast<std::size_t>(maskIndex)];
    return SliceOrFallback(m, m.WL, m.FrameWidth());
}

int TsSkinModel::GetMaskTop(int maskIndex) const {
    if (maskIndex < 0 || static_cast<std::size_t>(maskIndex) >= Masks.size()) return 0;
    const TsMaskData& m = Masks[static_cast<std::size_t>(maskIndex)];
    return SliceOrFallback(m, m.WT, m.FrameHeight());
}

int TsSkinModel::GetMaskRight(int maskIndex) const {
    if (maskIndex < 0 || static_cast<std::size_t>(maskIndex) >= Masks.size()) return 0;
    const TsMaskData& m = Masks[static_cast<std::size_t>(maskIndex)];
    return SliceOrFallback(m, m.WR, m.FrameWidth());
}

int TsSkinModel::GetMaskBottom(int maskIndex) const {
    if (maskIndex < 0 || static_cast<std::size_t>(maskIndex) >= Masks.size()) return 0;
    const TsMaskData& m = Masks[static_cast<std::size_t>(maskIndex)];
    return SliceOrFallback(m, m.WB, m.FrameHeight());
}

}  // namespace lw::skin
