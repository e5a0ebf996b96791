#pragma once
// What the painters read from a loaded skin, as plain records, and the queries they ask of it.
// The skin manager implements SkinSource over its model; render never sees the model itself.

#include <array>
#include <string>
#include <string_view>

#include "render/Bitmap.h"
#include "render/Gradient.h"
#include "render/Types.h"

namespace lw::render {

// One image reference of a skin: frames side by side in R of the mask's own image or of the
// manager's master bitmap, optionally with a per-pixel mask in the lower half.
struct MaskRef {
    const Bitmap* Bmp = nullptr;     // the mask's own image, or none
    const Bitmap* Master = nullptr;  // the manager's master bitmap
    bool HasManager = false;         // masks without a manager are never painted
    TRect R;
    int ImageCount = 0;
    int MaskType = 0;  // 0 plain with the key colour, 1 image above its mask
    int StretchMode = 0;
    int BorderWidth = 0;
    int WL = 0, WT = 0, WR = 0, WB = 0;

    const Bitmap* Source() const { return Bmp != nullptr ? Bmp : Master; }
    int FrameWidth() const { return ImageCount != 0 ? R.Width() / ImageCount : 0; }
    int FrameHeight() const { return MaskType != -1 ? R.Height() / (MaskType + 1) : 0; }
    int FrameIndex(int state) const { return state < ImageCount ? state : ImageCount - 1; }
    // Rows between an image pixel and its mask value in a MaskType 1 mask.
    int MaskOffset() const { return R.Height() / 2; }
};

// The painting values of one skin section.
struct SectionPaint {
    std::string SectionName;
    TColor Color = 0;
    TColor HotColor = 0;
    int Transparency = 0, HotTransparency = 0;
    int GradientPercent = 0, HotGradientPercent = 0;
    int ImagePercent = 0, HotImagePercent = 0;
    TsGradArray GradientArray, HotGradientArray;
    std::array<TColor, 5> FontColor{};  // [0] text, [1..4] outlines left, up, right, down; -1 none
    std::array<TColor, 5> HotFontColor{};
    bool GiveOwnFont = false;
    int BorderIndex = -1;
    int ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;
};

class SkinSource {
public:
    virtual ~SkinSource() = default;
    // Null for an invalid index.
    virtual const SectionPaint* Section(int index) const = 0;
    virtual const MaskRef* Mask(int index) const = 0;
    virtual const Bitmap* PatternImage(int index) const = 0;

    virtual int GetSkinIndex(std::string_view name) const = 0;
    // With the section's parent-class inheritance.
    virtual int GetMaskIndex(int skinIndex, std::string_view section, std::string_view property) const = 0;
    virtual int GetMaskIndexNoParent(std::string_view section, std::string_view property) const = 0;
    virtual int GetPatternIndex(int skinIndex, std::string_view section, std::string_view property) const = 0;
    // The skin's global colour (disabled captions of windowed controls mix with it).
    virtual TColor GlobalColor() const = 0;
};

}  // namespace lw::render
