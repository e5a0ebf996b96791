// The stored skin's options text. The sections the application's windows use carry
// their values exactly; the others are small and lean on a parent where one fits.
#include "OptionsText.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace skingen {

namespace {

using Section = std::pair<const char*, std::vector<std::string>>;

std::string Key(const char* key, SkinColour colour) { return std::string(key) + '=' + std::to_string(colour); }

// One gradient segment: from, to, and the share of the whole in per cent.
struct Segment {
    SkinColour From, To;
    int Percent;
};

// "GRADIENTDATA=" or "HOTGRADIENTDATA=" with its segments; `mode` 0 horizontal bands, 1 vertical,
// 2 the four corners.
std::string Gradient(const char* key, int mode, std::initializer_list<Segment> segments) {
    std::string text = std::string(key) + '=';
    bool first = true;
    for (const Segment& s : segments) {
        if (!first) text += ';';
        first = false;
        text += std::to_string(s.From) + ';' + std::to_string(s.To) + ';' + std::to_string(s.Percent) + ';' +
                std::to_string(mode) + ";0";
    }
    return text;
}

std::string FourCorners(const std::array<SkinColour, 4>& c) {
    return Gradient("GRADIENTDATA", 2,
                    {{c[0], c[0], 24}, {c[1], c[1], 24}, {c[2], c[2], 24}, {c[3], c[3], 24}, {c[0], c[0], 0}});
}

// A blend from `from` over 97 per cent into `to`, then `to` to the end.
std::string TwoTone(const char* key, int mode, SkinColour from, SkinColour to) {
    return Gradient(key, mode, {{from, to, 97}, {to, to, 0}});
}

// Scroll-bar tracks: from the field into the face across the bar, the same when hot.
std::vector<std::string> Track(const Palette& p, int mode) {
    return {"BORDERSMASK=N/A", "GRADIENTPERCENT=100", TwoTone("GRADIENTDATA", mode, p.Field, p.Face),
            "HOTGRADIENTPERCENT=100", TwoTone("HOTGRADIENTDATA", mode, p.Field, p.Face)};
}

const char* const kSmallButtonBorder = "BORDERSMASK=^0000^0067^0033^0101^0005^0006^0005^0010^3^1^3^1";
const char* const kButtonGlow = "GLOW0=!GLOWBTN.PNG!1!0!3!0015!0015!0015!0015";

std::string SmallButtonHot(const std::array<SkinColour, 5>& c) {
    return Gradient("HOTGRADIENTDATA", 0,
                    {{c[0], c[1], 18}, {c[1], c[2], 23}, {c[2], c[3], 20}, {c[3], c[4], 36}, {c[4], c[4], 0}});
}

std::string ButtonFace(const char* key, const std::array<SkinColour, 3>& c, int top, int middle) {
    return Gradient(key, 0, {{c[0], c[1], top}, {c[1], c[2], middle}, {c[2], c[2], 0}});
}

std::vector<Section> Sections(const Palette& p) {
    return {
        {"GLOBALINFO",
         {"VERSION=6.4",
          "AUTHOR=Lumpwright",
          "DESCRIPTION=",
          "SUID=47",
          "MASTERBITMAP=MASTER.BMP",
          Key("FONTCOLOR", p.Text),
          Key("TCLEFT", p.Text),
          Key("TCTOP", p.TitleTextTop),
          Key("TCBOTTOM", p.TitleTextBottom),
          Key("COLOR", p.Face),
          Key("HOTCOLOR", p.GlobalHot),
          Key("SHADOW1COLOR", p.Shadow),
          "SHADOW1OFFSET=1",
          "SHADOW1BLUR=4",
          Key("BORDERCOLOR", p.Border),
          "BISPACE=2",
          "BILEFT=1",
          "BIRIGHT=0",
          "BIVALIGN=0",
          "BORDERMODE=1",
          "BORDERWIDTH=23",
          "TITLEHEIGHT=48",
          "MAXHEIGHT=34",
          "FORMOFFSET=17",
          "CENTEROFFSET=4",
          "BIKEEPHUE=2",
          "BICONCLOSEGLOW=1",
          "BICONCLOSEGLOWMARGIN=8",
          "BICONMINGLOW=1",
          "BICONMINGLOWMARGIN=8",
          "BICONMAXGLOW=1",
          "BICONMAXGLOWMARGIN=8",
          "BICONNORMGLOW=1",
          "BICONNORMGLOWMARGIN=8",
          "BICONCLOSE=@0184@0000@0226@0014@3@0",
          "BICONMAX=@0184@0014@0226@0028@3@0",
          "BICONMIN=@0184@0028@0226@0042@3@0",
          "BICONNORM=@0184@0028@0226@0042@3@0",
          "BICONHELP=@0184@0042@0226@0056@3@0",
          "TITLEBUTTON=@0076@0001@0121@0014@3@0",
          "BOXCHECKED=@0122@0018@0170@0036@3@0",
          "BOXUNCHECKED=@0122@0000@0170@0018@3@0",
          "BOXGRAYED=@0122@0036@0170@0054@3@0",
          "SMALLCHECKED=@0074@0058@0083@0067@1@0",
          "SMALLUNCHECKED=@0066@0058@0075@0067@1@0",
          "SMALLGRAYED=@0082@0058@0091@0067@1@0",
          "RADIOUNCHECKED=@0141@0058@0155@0073@1@0",
          "RADIOCHECKED=@0184@0058@0212@0073@2@0",
          "CHECK=@0143@0074@0171@0102@2@1",
          "GRIPIMAGE=@0126@0054@0139@0067@1@0",
          "EXBORDER=!EXBOR.PNG!2!0!3!0039!0064!0039!0039",
          "BICONCLOSEGLOW0=!CLOSE.PNG!1!0!4",
          "BICONMINGLOW0=!MIN.PNG!1!0!4",
          "BICONMAXGLOW0=!MAX.PNG!1!0!4",
          "BICONNORMGLOW0=!MAX.PNG!1!0!4"}},
        {"DIVIDER",
         {"BORDERSMASK=N/A", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", Key("COLOR", p.Face),
          Key("FONTCOLOR", p.Text)}},
        {"EDIT",
         {"BORDERSMASK=^0036^0021^0039^0024^0001^0001^0001^0001^1^0^1^1", Key("COLOR", p.Field),
          Key("FONTCOLOR", p.Text), Key("HOTFONTCOLOR", p.Text), Key("HOTCOLOR", p.Field), "GLOWMARGIN=1", "GLOW=1",
          "GLOW0=!EDIT.PNG!1!0!3!0006!0006!0006!0006"}},
        {"GRIPH", {"PARENTCLASS=DIVIDER"}},
        {"GROUPBOX",
         {"BORDERSMASK=^0040^0021^0045^0026^0002^0002^0002^0002^1^0^1^1", Key("COLOR", p.Group),
          Key("FONTCOLOR", p.Text), "TRANSPARENCY=100", "HOTTRANSPARENCY=100"}},
        {"ICOLINE", {"BORDERSMASK=N/A", Key("COLOR", p.FaceLow), Key("HOTCOLOR", p.FaceLow), Key("FONTCOLOR", p.Text)}},
        {"HINT",
         {"BORDERSMASK=^0262^0000^0273^0040^0005^0007^0005^0012^1^1^5^1", Key("COLOR", p.Field),
          Key("HOTCOLOR", p.Field), Key("FONTCOLOR", p.HintText), Key("HOTFONTCOLOR", p.HintText)}},
        {"MAINMENU",
         {"BORDERSMASK=N/A", Key("COLOR", p.MenuBar), Key("FONTCOLOR", p.MenuText), "GRADIENTPERCENT=100",
          Gradient("GRADIENTDATA", 2,
                   {{p.MenuBar, p.MenuBar, 24},
                    {p.MenuBar, p.MenuBar, 24},
                    {p.MenuBar, p.MenuBarLight, 24},
                    {p.MenuBarLight, p.MenuBar, 24},
                    {p.MenuBar, p.MenuBar, 0}})}},
        {"MENULINE", {"PARENTCLASS=MAINMENU"}},
        {"PANEL",
         {"BORDERSMASK=^0171^0000^0183^0014^0005^0007^0005^0006^1^0^1^1", Key("COLOR", p.Face), Key("HOTCOLOR", p.Face),
          Key("FONTCOLOR", p.Text), "GRADIENTPERCENT=0", "TRANSPARENCY=0"}},
        {"SCROLLBTNBOTTOM",
         {"BORDERSMASK=N/A", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", "GLYPHMASK=@0077@0015@0104@0020@3@0"}},
        {"SCROLLBTNLEFT",
         {"BORDERSMASK=N/A", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", "GLYPHMASK=@0104@0014@0119@0023@3@0"}},
        {"SCROLLBTNRIGHT",
         {"BORDERSMASK=N/A", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", "GLYPHMASK=@0104@0023@0119@0031@3@0"}},
        {"SCROLLBTNTOP",
         {"BORDERSMASK=N/A", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", "GLYPHMASK=@0036@0057@0063@0062@3@0"}},
        {"STATUSBAR", {"PARENTCLASS=PANEL", "BORDERSMASK=N/A"}},
        {"FORMTITLE",
         {"TRANSPARENCY=100", "HOTTRANSPARENCY=100", Key("COLOR", p.TitleColour), Key("FONTCOLOR", p.TitleText),
          Key("HOTFONTCOLOR", p.TitleHotText), "HOTTCTOP=0", "GRADIENTPERCENT=100",
          TwoTone("GRADIENTDATA", 0, p.TitleGradient[0], p.TitleGradient[1]), "HOTGRADIENTPERCENT=100",
          TwoTone("HOTGRADIENTDATA", 0, p.TitleHotGradient[0], p.TitleHotGradient[1]), "IMAGEPERCENT=0",
          "BORDERSMASK=^0284^0025^0306^0032^0005^0005^0005^0001^1^0^5^1"}},
        {"DRAGBAR", {"PARENTCLASS=FORMTITLE"}},
        {"CHECKBOX",
         {"BORDERSMASK=N/A", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", Key("FONTCOLOR", p.Text),
          Key("HOTFONTCOLOR", p.HotText), "FADINGENABLED=TRUE", "FADINGITERATIONS=20"}},
        {"RADIOBUTTON", {"PARENTCLASS=CHECKBOX"}},
        {"TRACKBAR", {"BORDERSMASK=N/A", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", Key("FONTCOLOR", p.Text)}},
        {"WEBBUTTON",
         {"BORDERSMASK=N/A", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", Key("FONTCOLOR", p.Text),
          Key("HOTFONTCOLOR", p.WebHotText), "FADINGENABLED=TRUE", "FADINGITERATIONS=20", Key("COLOR", p.Text)}},
        {"SCROLLSLIDERV",
         {"BORDERSMASK=^0048^0021^0086^0049^0009^0006^0009^0007^2^1^5^1", "TRANSPARENCY=100", "HOTTRANSPARENCY=100"}},
        {"GAUGE", {"PARENTCLASS=EDIT", "GLOW=0"}},
        {"PAGECONTROL", {"PARENTCLASS=PANEL"}},
        {"TABCONTROL", {"PARENTCLASS=PANEL"}},
        {"PAGECONTROLBOTTOM", {"PARENTCLASS=PAGECONTROL"}},
        {"PAGECONTROLLEFT", {"PARENTCLASS=PAGECONTROL"}},
        {"PAGECONTROLRIGHT", {"PARENTCLASS=PAGECONTROL"}},
        {"TABCONTROLBOTTOM", {"PARENTCLASS=TABCONTROL"}},
        {"TABCONTROLRIGHT", {"PARENTCLASS=TABCONTROL"}},
        {"TABCONTROLLEFT", {"PARENTCLASS=TABCONTROL"}},
        {"TOOLBAR",
         {"BORDERSMASK=N/A", Key("COLOR", p.Face), Key("FONTCOLOR", p.Text), "GRADIENTPERCENT=100",
          TwoTone("GRADIENTDATA", 1, p.ToolBarGradient[0], p.ToolBarGradient[1])}},
        {"SCROLLSLIDERH",
         {"BORDERSMASK=^0036^0062^0064^0100^0006^0009^0006^0009^2^1^5^1", "TRANSPARENCY=100", "HOTTRANSPARENCY=100",
          "GRADIENTPERCENT=100", TwoTone("GRADIENTDATA", 0, p.Face, p.FaceLow)}},
        {"BARPANEL", {"PARENTCLASS=PANEL"}},
        {"DIVIDERV", {"PARENTCLASS=DIVIDER"}},
        {"FORM",
         {"BORDERSMASK=^0284^0000^0306^0024^0005^0005^0005^0005^1^0^1^1", Key("COLOR", p.Face), Key("HOTCOLOR", p.Face),
          Key("FONTCOLOR", p.Text), Key("HOTFONTCOLOR", p.Text), "GRADIENTPERCENT=0", "HOTGRADIENTPERCENT=0",
          FourCorners(p.FormCorners)}},
        {"EXTRALINE", {"PARENTCLASS=ICOLINE"}},
        {"MENUITEM",
         {"BORDERSMASK=N/A", Key("COLOR", p.Face), Key("HOTCOLOR", p.MenuHot), Key("FONTCOLOR", p.Text),
          Key("HOTFONTCOLOR", p.HotText)}},
        {"SCROLLBAR2V", Track(p, 1)},
        {"SCROLLBAR1V", Track(p, 1)},
        {"SCROLLBAR1H", Track(p, 0)},
        {"SCROLLBAR2H", Track(p, 0)},
        {"BAR", {"PARENTCLASS=PANEL"}},
        {"PROGRESSH",
         {"PARENTCLASS=EDIT", "GLOW=0", "GRADIENTPERCENT=100", TwoTone("GRADIENTDATA", 0, p.MenuBar, p.Face)}},
        {"PROGRESSV",
         {"PARENTCLASS=EDIT", "GLOW=0", "GRADIENTPERCENT=100", TwoTone("GRADIENTDATA", 1, p.MenuBar, p.Face)}},
        {"SPLITTER", {"PARENTCLASS=DIVIDER"}},
        {"PANEL_LOW", {"PARENTCLASS=PANEL", Key("COLOR", p.FaceLow), Key("HOTCOLOR", p.FaceLow)}},
        {"COMBOBOX", {"PARENTCLASS=EDIT"}},
        {"SPEEDBUTTON", {"PARENTCLASS=BUTTON", "GLOW=1", kButtonGlow, "GLOWMARGIN=8"}},
        {"DIALOG",
         {"BORDERSMASK=^0284^0000^0306^0024^0005^0005^0005^0005^1^0^1^1", Key("COLOR", p.Group),
          Key("HOTCOLOR", p.Group), Key("FONTCOLOR", p.Text), Key("HOTFONTCOLOR", p.Text), "GRADIENTPERCENT=100",
          "HOTGRADIENTPERCENT=100", FourCorners(p.DialogCorners)}},
        {"TABTOP", {"PARENTCLASS=SPEEDBUTTON_SMALL", "TRANSPARENCY=0", Key("COLOR", p.Face)}},
        {"SPEEDBUTTON_SMALL",
         {kSmallButtonBorder, "TRANSPARENCY=100", "HOTTRANSPARENCY=0", Key("FONTCOLOR", p.Text),
          Key("HOTFONTCOLOR", p.HotText), SmallButtonHot(p.SmallButtonHotGradient), "HOTGRADIENTPERCENT=100",
          "FADINGENABLED=TRUE", "FADINGITERATIONS=20", Key("COLOR", p.ButtonColour)}},
        {"ALPHAEDIT", {"PARENTCLASS=EDIT", "GLOW=1", kButtonGlow, "GLOWMARGIN=8"}},
        {"ALPHACOMBOBOX", {"PARENTCLASS=COMBOBOX"}},
        {"UPDOWNBTN", {"PARENTCLASS=SPEEDBUTTON_SMALL"}},
        {"COMBOBTN", {"PARENTCLASS=SPEEDBUTTON_SMALL", kSmallButtonBorder}},
        {"TABBOTTOM", {"PARENTCLASS=TABTOP"}},
        {"TABRIGHT", {"PARENTCLASS=TABTOP"}},
        {"TABLEFT", {"PARENTCLASS=TABTOP"}},
        {"BUTTON",
         {"BORDERSMASK=^0251^0000^0284^0040^0005^0007^0005^0012^3^1^1^1", "TRANSPARENCY=0", "HOTTRANSPARENCY=0",
          Key("FONTCOLOR", p.ButtonText), Key("HOTFONTCOLOR", p.ButtonHotText), Key("COLOR", p.ButtonColour),
          Key("HOTCOLOR", p.ButtonHotColour), ButtonFace("GRADIENTDATA", p.ButtonGradient, 20, 77),
          "GRADIENTPERCENT=100", "HOTGRADIENTPERCENT=100", ButtonFace("HOTGRADIENTDATA", p.ButtonHotGradient, 27, 70),
          "FADINGENABLED=TRUE", "FADINGITERATIONS=10", "GLOW=1", kButtonGlow, "GLOWMARGIN=8"}},
        {"TOOLBUTTON", {"PARENTCLASS=SPEEDBUTTON_SMALL"}},
        {"BUTTON_HUGE", {"PARENTCLASS=BUTTON", "BORDERSMASK=!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047"}},
        {"BUTTON_BIG", {"PARENTCLASS=BUTTON"}},
        {"BARTITLE", {"PARENTCLASS=FORMTITLE"}},
        {"COLHEADER", {"PARENTCLASS=BUTTON", "GLOW=0"}},
    };
}

}  // namespace

std::string BuildOptionsText(const Palette& palette) {
    std::string text;
    for (const auto& [name, entries] : Sections(palette)) {
        text += '[';
        text += name;
        text += "]\r\n";
        for (const std::string& entry : entries) {
            text += entry;
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace skingen
