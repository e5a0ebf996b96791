#pragma once
// Where a bit button puts its glyph and caption, and which look (normal, hot, pressed) it
// shows: pure rules over the button's sizes and state.

#include "render/Types.h"

namespace lw::controls {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonAlignment { taLeftJustify, taRightJustify, taCenter };

// The looks, in the order a skin's state frames hold them.
enum TButtonState : int { bsNormal = 0, bsHot = 1, bsPressed = 2 };

struct ButtonGeometry {
    int Width = 0;
    int Height = 0;
    TPoint Glyph;             // 0 x 0 without a glyph
    TPoint Text;              // the caption's measured size
    bool HasCaption = false;  // ShowCaption and a non-empty caption
    int Margin = -1;
    int Spacing = 4;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    TButtonAlignment Alignment = TButtonAlignment::taCenter;
    bool Reflected = false;
    bool RightToLeft = false;
};

// The width the caption is measured in: 0 without a caption.
int CaptionLayoutWidth(const ButtonGeometry& g);
TRect GlyphRect(const ButtonGeometry& g, bool pressed);
// The caption's rectangle in the normal look; the pressed look moves it by (1, 1).
TRect CaptionRect(const ButtonGeometry& g);

// Blend is a percentage.
constexpr int ClampBlend(int value) { return value < 0 ? 0 : value > 100 ? 100 : value; }

struct ButtonStateInputs {
    bool Down = false;
    // The platform reports the button pushed, or the release repaint forces the pressed look.
    bool Pushed = false;
    bool MouseOver = false;
    bool LeftHeldOnButton = false;
    bool DefaultLook = false;  // told it is the dialog's default, or is its default push button
    bool Active = false;       // focused or under the mouse
    bool DesigningDefault = false;
};

TButtonState CurrentState(const ButtonStateInputs& in);

// Which frame of a glyph bitmap of numGlyphs frames a button shows: 0 up, 1 disabled, 2
// pressed, 3 staying down, each only when the bitmap has it, else the up frame.
int GlyphBitmapFrame(int numGlyphs, bool enabled, TButtonState state, bool down);

}  // namespace lw::controls
