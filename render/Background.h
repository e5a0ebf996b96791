#pragma once
// Composing a skinned item's look from its section: base colour, gradient, texture,
// transparency toward what lies behind, corner images and border.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "render/Bitmap.h"
#include "render/CacheInfo.h"
#include "render/SkinSource.h"
#include "render/Surface.h"
#include "render/Types.h"

namespace lw::render {

// Paints section `sectionIndex`'s background layers for `state` into r of the target. `offset`
// is the position of r's owner inside the background source. A custom colour other than
// TransparentKey replaces the section's layers with an opaque fill.
void PaintSectionBackground(int sectionIndex, std::string_view sectionName, const TsCacheInfo& bg, TColor customColor,
                            int hotPatternIndex, int patternIndex, const SkinSource* manager, Bitmap& target,
                            TPoint offset, const TRect& r, int state);

// Background, corner images, border.
void PaintItem(int sectionIndex, std::string_view sectionName, const TsCacheInfo& bg, int hotPatternIndex,
               int patternIndex, const SkinSource* manager, Bitmap& target, TPoint offset, const TRect& r, int state,
               bool fillCentre);

// PaintItem into a fresh 24-bit bitmap of r's size, copied to the surface at r.
void PaintItemToDC(int sectionIndex, std::string_view sectionName, const TsCacheInfo& bg, const SkinSource* manager,
                   Surface& surface, TPoint offset, const TRect& r, int state, bool fillCentre);

// Paints the section `name` (or `fallback`) over all of the target, against the surface's
// pixels under `rect` or, without a surface, against `color`. Returns the section index, -1
// when neither section exists.
int PaintSectionByName(Bitmap& target, std::string_view name, std::string_view fallback, Surface* surface, TColor color,
                       const TRect& rect, const SkinSource* manager, int state);

// Scroll-bar parts: the caller names border and patterns; only a background bitmap shows through.
void PaintItemWithMasks(int sectionIndex, int borderIndex, int patternIndex, int hotPatternIndex,
                        const SkinSource* manager, Bitmap& target, TPoint offset, const TRect& r, int state,
                        bool fillCentre, const TsCacheInfo& bg, std::string_view sectionName);

// The parts of a control's skin binding that its painters read.
struct ControlSkinRef {
    const SkinSource* Manager = nullptr;
    int SkinIndex = -1;
    std::string SkinSection;
    int BorderIndex = -1;
    int Texture = -1;
    int HotTexture = -1;
    bool CustomColor = false;
    TColor OwnerColor = TransparentKey;  // painted instead of the section when CustomColor is set
};

void PaintControlBackground(const ControlSkinRef& control, const TsCacheInfo& bg, int state, Bitmap& target,
                            TPoint offset, const TRect& r);

// Background, border, then corner images.
void PaintControlItem(const ControlSkinRef& control, const TsCacheInfo& bg, bool fillCentre, bool bgForCorners,
                      Bitmap& target, TPoint offset, const TRect& r, int state);

// Asks the parent (without making it paint) what lies behind, then paints as PaintControlItem.
using BackgroundRequest = std::function<void(TsBgRequest&)>;
void PaintControlItemFromParent(const ControlSkinRef& control, const BackgroundRequest& askParent, bool fillCentre,
                                bool bgForCorners, Bitmap& target, TPoint offset, const TRect& r, int state);

struct GraphicChild {
    TRect Bounds;  // in the container's coordinates
    bool Visible = true;
    bool Windowed = false;
};

// Keeps a container's background off its visible windowless children.
void ExcludeGraphicChildren(Surface& surface, std::span<const GraphicChild> children, int offsetY, int offsetX);

}  // namespace lw::render
