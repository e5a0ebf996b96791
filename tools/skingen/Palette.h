#pragma once
// The colours of one stored skin. The art and the options text read every colour from here, so
// the dark and the light skin share their shapes, masks and sections and differ only in these.

#include <array>
#include <cstdint>

#include "Canvas.h"

namespace skingen {

// A colour of the options text: blue * 65536 + green * 256 + red.
using SkinColour = std::uint32_t;

constexpr SkinColour Rgb(int r, int g, int b) { return SkinColour(b) * 65536 + SkinColour(g) * 256 + SkinColour(r); }
constexpr SkinColour GreyColour(int v) { return Rgb(v, v, v); }

struct Palette {
    // Options text.
    SkinColour Text;     // captions and field text
    SkinColour HotText;  // captions under the mouse
    SkinColour Face;     // panels, forms, dividers
    SkinColour FaceLow;  // sunken panels, icon line
    SkinColour Field;    // edits, lists, hints
    SkinColour Group;    // group boxes, dialogs
    SkinColour TitleTextTop, TitleTextBottom;
    SkinColour GlobalHot, Shadow, Border;
    SkinColour HintText, MenuText;
    SkinColour MenuBar, MenuBarLight, MenuHot;
    SkinColour TitleColour, TitleText, TitleHotText;
    std::array<SkinColour, 2> TitleGradient, TitleHotGradient;
    SkinColour WebHotText;
    std::array<SkinColour, 2> ToolBarGradient;
    std::array<SkinColour, 4> FormCorners, DialogCorners;
    std::array<SkinColour, 5> SmallButtonHotGradient;
    SkinColour ButtonText, ButtonHotText, ButtonColour, ButtonHotColour;
    std::array<SkinColour, 3> ButtonGradient, ButtonHotGradient;

    // Art: three-frame items are normal, hot, pressed.
    std::array<Rgba, 3> Inks;  // title icons, ticks, scroll arrows, radio dots
    std::array<Rgba, 3> TitleButtonFills;
    Rgba TitleButtonEdge;
    Rgba FieldFill;                     // inside check boxes, radios and the edit border
    std::array<Rgba, 3> BoxBorders;     // check boxes and radio rings
    std::array<Rgba, 2> CheckMarkInks;  // the large check mark: normal, hot
    Rgba GripLight, GripShadow;
    std::array<int, 3> ButtonRims;    // grey levels of the buttons' rounded rims
    std::array<int, 3> ButtonLights;  // and of the light edge inside them
    std::array<Rgba, 2> ThumbFills;   // scroll thumbs: normal, hot
    Rgba ThumbEdge;
    Rgba PanelFace, PanelLight, PanelShadow;
    Rgba GroupLine;
    Rgba EditFrame;
    Rgba FormOutline, FormInner;
    Rgba TitleSeparator;
    Rgba CloseGlow, MaxGlow, MinGlow, EditGlow, ButtonGlow;
};

const Palette& DarkPalette();
const Palette& LightPalette();

}  // namespace skingen
