#include <gtest/gtest.h>

#include "controls/forms/core/SkinningRules.h"

namespace lw::forms {
namespace {

using K = ChildAdapterKind;

}  // namespace

void PrintTo(const ChildAdapterChoice& c, std::ostream* out) {
    *out << "{kind " << static_cast<int>(c.Kind) << ", \"" << c.Section << "\", dialog " << c.DialogMode << ", text "
         << c.TextEntry << ", place " << c.PlaceSelf << "}";
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
        bool dialogMode, textEntry, placeSelf;
    };
    const Case cases[] = {
        {"Static", 0x50000003, true, K::Icon, "CHECKBOX", false, false, true},      // message box icon
        {"Static", 0x50020080, true, K::Static, "CHECKBOX", false, false, true},    // message box text
        {"Static", 0x5000000E, true, K::Icon, "CHECKBOX", false, false, true},      // bitmap
        {"Static", 0x50000010, true, K::Static, "CHECKBOX", false, false, true},    // etched line
        {"Static", 0x50000005, true, K::None, "", false, false, true},              // black frame
        {"Static", 0x50000006, true, K::None, "", false, false, true},              // grey frame
        {"Static", 0x5000000B, true, K::Icon, "CHECKBOX", false, false, true},      // simple text: low bits 3
        {"Static", 0x5000000D, true, K::None, "", false, false, true},              // owner-drawn
        {"Button", 0x50030003, true, K::CheckBox, "CHECKBOX", false, false, true},  // find: check boxes
        {"Button", 0x50020009, true, K::CheckBox, "CHECKBOX", false, false, true},  // find: radios
        {"Button", 0x50000007, true, K::GroupBox, "GROUPBOX", false, false, true},  // find: direction group
        {"Button", 0x50030001, true, K::Button, "BUTTON", false, false, true},      // default push button
        {"Button", 0x40030000, false, K::Button, "BUTTON", false, false, true},     // hidden help button
        {"BUTTON", 0x50010004, true, K::CheckBox, "CHECKBOX", false, false, true},  // radio button
        {"Edit", 0x50010080, true, K::Edit, "EDIT", true, true, true},              // find: what
        {"Edit", 0x40010080, false, K::None, "", false, true, true},
        {"#32770", 0x50000000, true, K::TransPanel, "CHECKBOX", false, false, true},
        {"TPanel", 0, true, K::DlgPanel, "PANEL", false, false, false},
        {"TSilentPaintPanel", 0, true, K::DlgPanel, "PANEL", false, false, false},
        {"ComboBox", 0, true, K::ComboBox, "COMBOBOX", true, true, true},
        {"ComboLBox", 0, true, K::ComboList, "COMBOBOX", false, true, true},
        {"ComboBoxEx32", 0, true, K::ComboBoxEx, "COMBOBOX", false, true, true},
        {"ScrollBar", 0, true, K::Sizer, "CHECKBOX", false, false, true},
        {"SysTabControl32", 0, true, K::TabControl, "PAGECONTROL", false, false, true},
        {"SysTabControl32", 0x2000, true, K::None, "", false, false, true},
        {"SysListView32", 0, true, K::ListView, "EDIT", true, false, true},
        {"msctls_updown32", 0, true, K::Spin, "SPEEDBUTTON_SMALL", false, false, true},
        {"ListBox", 0, true, K::ListBox, "EDIT", true, false, true},
        {"Link Window", 0, true, K::Link, "CHECKBOX", false, false, true},
        {"SysLink", 0, true, K::Link, "CHECKBOX", false, false, true},
        {"ToolbarWindow32", 0x200, true, K::ToolBar, "BAR", false, false, true},
        {"ToolbarWindow32", 0, true, K::ToolBar, "CHECKBOX", false, false, true},
        {"SysTreeView32", 0, true, K::TreeView, "EDIT", true, false, true},
        {"SHBrowseForFolder ShellNameSpace Control", 0, true, K::TransPanel, "CHECKBOX", false, false, true},
        {"msctls_progress32", 0, true, K::None, "", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.className) + " style " + std::to_string(c.style));
        EXPECT_EQ(ChooseChildAdapter(c.className, c.style, c.visible),
                  (ChildAdapterChoice{c.kind, c.section, c.dialogMode, c.textEntry, c.placeSelf}));
    }
}

TEST(FormRules, ClassNamesAndRuleBits) {
    struct Case {
        const char* className;
        TSkinningRules rules;
        FormVerdict verdict;
    };
    const Case cases[] = {
        {"LwWindow", kAllSkinningRules, FormVerdict::SkinAsForm},
        {"LwWindow", srStdDialogs | srThirdParty, FormVerdict::LeaveAlone},
        {"TMessageForm", srStdDialogs, FormVerdict::SkinAsMessageForm},
        {"TMessageForm", srStdForms, FormVerdict::LeaveAlone},
        {"TApplication", kAllSkinningRules, FormVerdict::LeaveAlone},
        {"TQRStandardPreview", kAllSkinningRules, FormVerdict::LeaveAlone},
        {"TfcPopup", kAllSkinningRules, FormVerdict::LeaveAlone},
        {"", kAllSkinningRules, FormVerdict::SkinAsForm},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        EXPECT_EQ(JudgeForm(c.className, c.rules), c.verdict);
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
