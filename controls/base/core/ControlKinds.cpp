#include "controls/base/core/ControlKinds.h"

#include <initializer_list>

namespace lw::controls {
namespace {

struct KindRange {
    int First, Last;
};

bool InRanges(int kind, std::initializer_list<KindRange> ranges) {
    for (const KindRange& r : ranges)
        if (kind >= r.First && kind <= r.Last) return true;
    return false;
}

struct KindSection {
    std::initializer_list<KindRange> Kinds;
    const char* Section;
};

const KindSection kDefaultSections[] = {
    {{{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 84}, {96, 97}, {131, 131}, {140, 140}, {227, 227}}, "EDIT"},
    {{{11, 18}, {81, 82}}, "COMBOBOX"},
    {{{19, 19}}, "BAR"},
    {{{20, 20}}, "BARTITLE"},
    {{{32, 32}, {152, 152}}, "CHECKBOX"},
    {{{33, 33}}, "RADIOBUTTON"},
    {{{51, 51}, {59, 59}, {68, 68}, {73, 73}}, "PANEL"},
    {{{52, 52}, {58, 58}}, "PANEL_LOW"},
    {{{53, 54}, {60, 60}}, "TOOLBAR"},
    {{{56, 56}}, "DRAGBAR"},
    {{{57, 57}}, "TABSHEET"},
    {{{74, 74}, {226, 226}}, "GROUPBOX"},
    {{{75, 75}}, "SPLITTER"},
    {{{92, 92}, {95, 95}}, "SPEEDBUTTON"},
    {{{93, 94}}, "BUTTON"},
    {{{98, 98}}, "TOOLBUTTON"},
    {{{141, 141}, {143, 143}}, "PAGECONTROL"},
    {{{151, 151}}, "STATUSBAR"},
    {{{161, 161}}, "GAUGE"},
    {{{165, 165}}, "TRACKBAR"},
};

}  // namespace

std::string UpperCaseAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string DefaultSectionOfKind(int kind, std::string_view className) {
    for (const KindSection& entry : kDefaultSections)
        if (InRanges(kind, entry.Kinds)) return entry.Section;
    return UpperCaseAscii(className);
}

bool IsContainerKind(int kind) { return InRanges(kind, {{19, 19}, {51, 74}, {110, 110}, {141, 161}}); }

bool ShowsNoSharedGlow(int kind) {
    return InRanges(kind, {{51, 52},
                           {54, 54},
                           {56, 60},
                           {68, 68},
                           {73, 74},
                           {92, 94},
                           {110, 110},
                           {141, 141},
                           {143, 143},
                           {151, 151},
                           {161, 161},
                           {226, 226}});
}

bool IsEditLikeKind(int kind) { return InRanges(kind, {{2, 18}, {41, 41}, {76, 84}, {96, 97}, {131, 140}}); }

}  // namespace lw::controls
