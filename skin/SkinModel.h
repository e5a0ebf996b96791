#pragma once
// The in-memory skin: sections, masks, pattern images, the master bitmap and the global
// values, built from an options text and its images, with the lookups painters use.

#include <memory>
#include <string>
#include <string_view>

#include "skin/IniText.h"
#include "skin/SkinImageSource.h"
#include "skin/SkinModelTypes.h"
#include "skin/SystemColors.h"

namespace lw::skin {

struct TsMaskSize {
    int Width = 0;
    int Height = 0;
};

class TsSkinModel {
public:
    TsSkinModel() = default;
    // Masks point back at their model, so a model never moves.
    TsSkinModel(const TsSkinModel&) = delete;
    TsSkinModel& operator=(const TsSkinModel&) = delete;

    TsGeneralDataArray Sections;
    TsMaskArray Masks;
    TsPatternArray PatternImages;
    // 24-bit; its TransparentKey pixels are empty, like those of every skin image.
    std::unique_ptr<render::Bitmap> MasterBitmap;
    TsSkinData GlobalInfo;

    // Builds everything anew. On failure the model is left exactly as it was.
    void LoadSkinModel(std::string_view optionsText, const SkinImageSource& images, const SystemColorTable& colors);
    // The same with the manager's common sections merged in: each takes the place of the
    // skin's section of that name, whole, or is added; its images come from the skin's source.
    void LoadSkinModel(std::string_view optionsText, std::string_view commonSections, const SkinImageSource& images,
                       const SystemColorTable& colors);
    // Empties every table; SkinFolder and Active are the manager's and stay.
    void Clear();

    int GetSkinIndex(std::string_view name) const;
    int GetMaskIndex(int skinIndex, std::string_view sectionName, std::string_view propertyName) const;
    int GetMaskIndexNoParent(std::string_view sectionName, std::string_view propertyName) const;
    int GetTextureIndex(int skinIndex, std::string_view sectionName, std::string_view propertyName) const;
    int GetPatternIndex(int skinIndex, std::string_view sectionName, std::string_view propertyName) const;

    TsMaskSize GetMaskSize(int maskIndex) const;
    int GetMaskLeft(int maskIndex) const;
    int GetMaskTop(int maskIndex) const;
    int GetMaskRight(int maskIndex) const;
    int GetMaskBottom(int maskIndex) const;

    // Reads of the options text with "PARENTCLASS" inheritance; -1 (integers) and "?"
    // (strings) stand for missing. A chain of parents that comes back on itself ends
    // the lookup: the key counts as missing.
    std::int32_t ReadSkinInt(std::string_view section, std::string_view key, std::int32_t def) const;
    std::string ReadSkinString(std::string_view section, std::string_view key, std::string_view def) const;

    const IniText& Options() const { return options_; }

private:
    template <class Table, class Accept>
    int FindInherited(const Table& table, int skinIndex, std::string_view section, std::string_view property,
                      Accept accept) const;
    void CacheMaskIndexes();

    IniText options_;
};

// Reads of an options text on its own, shared by the model and the loader.
std::int32_t ReadSkinInt(const IniText& ini, std::string_view section, std::string_view key, std::int32_t def);
std::string ReadSkinString(const IniText& ini, std::string_view section, std::string_view key, std::string_view def);

}  // namespace lw::skin
