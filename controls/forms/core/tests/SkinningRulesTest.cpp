#include <gtest/gtest.h>

#include "controls/forms/core/SkinningRules.h"

namespace lw::controls {
namespace {

using K = ChildAdapterKind;

}  // namespace

void PrintTo(const ChildAdapterChoice& c, std::ostream* out) {
    *out << "{kind " << static_cast<int>(c.Kind) << ", \"" << c.Section << "\"}";
}

namespace {

// Styles as this platform's message box and find dialog create their children, and the class
// names as the platform spells them.
TEST(ChildAdapterTable, RealDialogChildrenAndEveryRow) {
    struct Case {
        const char* className;
        unsigned style;
        bool visible;
        K kind;
        std::string_view section;
    };
    const Case cases[] = {
        {"Static", 0x50000003, true, K::Icon, "CHECKBOX"},      // message box icon
        {"Static", 0x50020080, true, K::Static, "CHECKBOX"},    // message box text
        {"Static", 0x5000000E, true, K::Icon, "CHECKBOX"},      // bitmap
        {"Static", 0x50000010, true, K::Static, "CHECKBOX"},    // etched line
        {"Static", 0x50000005, true, K::None, ""},              // black frame
        {"Static", 0x50000006, true, K::None, ""},              // grey frame
        {"Static", 0x5000000B, true, K::Icon, "CHECKBOX"},      // simple text: low bits 3
        {"Static", 0x5000000D, true, K::None, ""},              // owner-drawn
        {"Button", 0x50030003, true, K::CheckBox, "CHECKBOX"},  // find: check boxes
        {"Button", 0x50020009, true, K::CheckBox, "CHECKBOX"},  // find: radios
        {"Button", 0x50000007, true, K::GroupBox, "GROUPBOX"},  // find: direction group
        {"Button", 0x50030001, true, K::Button, "BUTTON"},      // default push button
        {"Button", 0x40030000, false, K::Button, "BUTTON"},     // hidden help button
        {"BUTTON", 0x50010004, true, K::CheckBox, "CHECKBOX"},  // radio button
        {"Edit", 0x50010080, true, K::Edit, "EDIT"},            // find: what
        {"Edit", 0x40010080, false, K::None, ""},
        {"#32770", 0x50000000, true, K::TransPanel, "CHECKBOX"},
        {"TPanel", 0, true, K::DlgPanel, "PANEL"},
        {"TSilentPaintPanel", 0, true, K::DlgPanel, "PANEL"},
        {"ComboBox", 0, true, K::ComboBox, "COMBOBOX"},
        {"ComboLBox", 0, true, K::ComboList, "COMBOBOX"},
        {"ComboBoxEx32", 0, true, K::ComboBoxEx, "COMBOBOX"},
        {"ScrollBar", 0, true, K::Sizer, "CHECKBOX"},
        {"SysTabControl32", 0, true, K::TabControl, "PAGECONTROL"},
        {"SysTabControl32", 0x2000, true, K::None, ""},
        {"SysListView32", 0, true, K::ListView, "EDIT"},
        {"msctls_updown32", 0, true, K::Spin, "SPEEDBUTTON_SMALL"},
        {"ListBox", 0, true, K::ListBox, "EDIT"},
        {"Link Window", 0, true, K::Link, "CHECKBOX"},
        {"SysLink", 0, true, K::Link, "CHECKBOX"},
        {"ToolbarWindow32", 0x200, true, K::ToolBar, "BAR"},
        {"ToolbarWindow32", 0, true, K::ToolBar, "CHECKBOX"},
        {"SysTreeView32", 0, true, K::TreeView, "EDIT"},
        {"SHBrowseForFolder ShellNameSpace Control", 0, true, K::TransPanel, "CHECKBOX"},
        {"msctls_progress32", 0, true, K::None, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.className) + " style " + std::to_string(c.style));
        EXPECT_EQ(ChooseChildAdapter(c.className, c.style, c.visible), (ChildAdapterChoice{c.kind, c.section}));
    }
}

TEST(FormRules, TagAndRuleBits) {
    struct Case {
        long long tag;
        TSkinningRules rules;
        bool skinned;
    };
    const Case cases[] = {
        {0, kAllSkinningRules, true},
        {0, srStdForms, true},
        {0, srStdDialogs | srThirdParty, false},
        {kNoAutoSkinTag, kAllSkinningRules, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.tag) + " rules " + std::to_string(c.rules));
        EXPECT_EQ(ShouldSkinForm(c.tag, c.rules), c.skinned);
    }
}

TEST(DialogRules, OnlyStandardDialogsAndOneAtATimeUnlessItHoldsAToolBar) {
    EXPECT_TRUE(ShouldSkinDialog("#32770", kAllSkinningRules, false, false));
    EXPECT_FALSE(ShouldSkinDialog("#32770", srStdForms, false, false));
    EXPECT_FALSE(ShouldSkinDialog("#32770", kAllSkinningRules, true, false));
    EXPECT_TRUE(ShouldSkinDialog("#32770", kAllSkinningRules, true, true));
    EXPECT_FALSE(ShouldSkinDialog("#32768", kAllSkinningRules, false, false));
    EXPECT_FALSE(ShouldSkinDialog("", kAllSkinningRules, false, false));
}

}  // namespace
}  // namespace lw::controls
