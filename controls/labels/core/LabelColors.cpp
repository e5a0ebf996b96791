#include "controls/labels/core/LabelColors.h"

#include "render/Color.h"

namespace lw::controls {

namespace {

constexpr int kSeeThroughTransparency = 50;
constexpr TColor kMissing = 0xFFFFFFFF;
constexpr TColor kHoverFallback = 0x0000FF;   // red
constexpr TColor kNormalFallback = 0xFF0000;  // blue
// Indexes of a section's font colours: the text, and the top and bottom outlines, which the
// global section lends the web label as its two colours.
constexpr int kTextColor = 0, kTopColor = 2, kBottomColor = 4;

const render::SectionPaint* GlobalInfo(const render::SkinSource& skin) {
    return skin.Section(skin.GetSkinIndex("GLOBALINFO"));
}

}  // namespace

std::optional<TColor> LabelSkinColor(std::span<const int> ancestorSections, const render::SkinSource& skin) {
    const render::SectionPaint* chosen = nullptr;
    for (std::size_t level = 0; level < ancestorSections.size(); ++level) {
        const render::SectionPaint* section = skin.Section(ancestorSections[level]);
        if (section == nullptr) break;
        if (section->Transparency > kSeeThroughTransparency && level + 1 < ancestorSections.size()) continue;
        if (section->GiveOwnFont) chosen = section;
        break;
    }
    if (chosen == nullptr) chosen = GlobalInfo(skin);
    if (chosen == nullptr) return std::nullopt;
    return chosen->FontColor[kTextColor];
}

TColor WebLabelColor(bool hovered, const render::SkinSource* activeSkin, TColor ownColor) {
    const render::SectionPaint* global = activeSkin != nullptr ? GlobalInfo(*activeSkin) : nullptr;
    TColor color = global != nullptr ? global->FontColor[hovered ? kTopColor : kBottomColor] : ownColor;
    if (color == kMissing) color = hovered ? kHoverFallback : kNormalFallback;
    return color;
}

TColor DisabledLabelColor(TColor fontColor, TColor backgroundColor) {
    return render::MixColors(fontColor, backgroundColor, 0.4);
}

}  // namespace lw::controls
