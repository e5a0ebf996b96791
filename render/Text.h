#pragma once
// Captions in a section's colours with one-pixel outlines, disabled captions, ellipsis fitting,
// measuring and the dotted focus frame. Glyphs are drawn by an injected text engine (the Win32
// layer's is GDI); these functions decide what to draw, where and in which colour.

#include <string>
#include <string_view>
#include <vector>

#include "render/Background.h"
#include "render/SkinSource.h"
#include "render/Surface.h"
#include "render/Types.h"

namespace lw::render {

// Text-drawing flags are the platform's and are passed through; the writers add only this one.
inline constexpr unsigned TextNoClip = 0x100;

// An outline colour of -1 is not drawn.
inline constexpr TColor NoOutline = 0xFFFFFFFF;

struct TextFont {
    std::string Name;
    int Height = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    TColor Color = 0;
};

class TextEngine {
public:
    virtual ~TextEngine() = default;
    // Draws with a transparent background, within the surface's clipping.
    virtual void Draw(Surface& surface, const TextFont& font, TColor color, std::string_view text, const TRect& r,
                      unsigned format) = 0;
    // False when measuring fails.
    virtual bool Measure(const TextFont& font, std::string_view text, TPoint& size) const = 0;
};

struct Canvas {
    Surface& Target;
    TextEngine& Engine;
    TextFont Font;
};

void WriteSkinText(Canvas& canvas, std::string_view text, bool enabled, const SkinSource* manager, bool hot,
                   int sectionIndex, unsigned format, const TRect& r);

// What a caption writer needs to know of its control.
struct ControlText {
    ControlSkinRef Skin;
    TextFont Font;
    bool CustomFont = false;
    // Check boxes, radio buttons, group boxes and windowless controls whose font follows a
    // parent they have: these may take their colours from a parent section.
    bool FollowsParent = false;
    // Sections the parent chain reports, nearest parent first.
    std::vector<int> ParentSections;
};

void WriteControlText(Canvas& canvas, std::string_view text, bool enabled, bool hot, const ControlText& control,
                      unsigned format, const TRect& r);

// The text if it fits; else its longest start that fits with "..." appended; else empty.
std::string FitTextWithEllipsis(Canvas& canvas, std::string_view text, int width);

// 0 x 0 when measuring fails.
TPoint MeasureText(const TextEngine& engine, const TextFont& font, std::string_view text);

// Every third pixel of the rectangle's outline black, with a white one up and left of it.
void DrawFocusDots(Surface& surface, const TRect& r);

}  // namespace lw::render
