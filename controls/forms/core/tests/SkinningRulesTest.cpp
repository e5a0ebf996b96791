#include <gtest/gtest.h>

#include "controls/forms/core/SkinningRules.h"

namespace lw::forms {
namespace {

using K = ChildAdapterKind;

}  // namespace

void PrintTo(const ChildAdapterChoice& c, std::ostream* out) {
    *out << "{kind " << static_cast<int>(c.Kind) << ", \"" << c.Section << "\", text "
         << c.TextEntry << "}";
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
        bool textEntry;
    };
    const Case cases[] = {
        {"Static", 0x50000003, true, K::Icon, "CHECKBOX", false},      // message box icon
        {"Static", 0x50020080, true, K::Static, "CHECKBOX", false},    // message box text
        {"Static", 0x5000000E, true, K::Icon, "CHECKBOX", false},      // bitmap
        {"Static", 0x50000010, true, K::Static, "CHECKBOX", false},    // etched line
        {"Static", 0x50000005, true, K::None, "", false},              // black frame
        {"Static", 0x50000006, true, K::None, "", false},              // grey frame
        {"Static", 0x5000000B, true, K::Icon, "CHECKBOX", false},      // simple text: low bits 3
        {"Static", 0x5000000D, true, K::None, "", false},              // owner-drawn
        {"Button", 0x50030003, true, K::CheckBox, "CHECKBOX", false},  // find: check boxes
        {"Button", 0x50020009, true, K::CheckBox, "CHECKBOX", false},  // find: radios
        {"Button", 0x50000007, true, K::GroupBox, "GROUPBOX", false},  // find: direction group
        {"Button", 0x50030001, true, K::Button, "BUTTON", false},      // default push button
        {"Button", 0x40030000, false, K::Button, "BUTTON", false},     // hidden help button
        {"BUTTON", 0x50010004, true, K::CheckBox, "CHECKBOX", false},  // radio button
        {"Edit", 0x50010080, true, K::Edit, "EDIT", true},             // find: what
        {"Edit", 0x40010080, false, K::None, "", true},
        {"#32770", 0x50000000, true, K::TransPanel, "CHECKBOX", false},
        {"TPanel", 0, true, K::DlgPanel, "PANEL", false},
        {"TSilentPaintPanel", 0, true, K::DlgPanel, "PANEL", false},
        {"ComboBox", 0, true, K::ComboBox, "COMBOBOX", true},
        {"ComboLBox", 0, true, K::ComboList, "COMBOBOX", true},
        {"ComboBoxEx32", 0, true, K::ComboBoxEx, "COMBOBOX", true},
        {"ScrollBar", 0, true, K::Sizer, "CHECKBOX", false},
        {"SysTabControl32", 0, true, K::TabControl, "PAGECONTROL", false},
        {"SysTabControl32", 0x2000, true, K::None, "", false},
        {"SysListView32", 0, true, K::ListView, "EDIT", false},
        {"msctls_updown32", 0, true, K::Spin, "SPEEDBUTTON_SMALL", false},
        {"ListBox", 0, true, K::ListBox, "EDIT", false},
        {"Link Window", 0, true, K::Link, "CHECKBOX", false},
        {"SysLink", 0, true, K::Link, "CHECKBOX", false},
        {"ToolbarWindow32", 0x200, true, K::ToolBar, "BAR", false},
        {"ToolbarWindow32", 0, true, K::ToolBar, "CHECKBOX", false},
        {"SysTreeView32", 0, true, K::TreeView, "EDIT", false},
        {"SHBrowseForFolder ShellNameSpace Control", 0, true, K::TransPanel, "CHECKBOX", false},
        {"msctls_progress32", 0, true, K::None, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.className) + " style " + std::to_string(c.style));
        EXPECT_EQ(ChooseChildAdapter(c.className, c.style, c.visible),
                  (ChildAdapterChoice{c.kind, c.section, c.textEntry}));
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
}  // namespace lw::forms
