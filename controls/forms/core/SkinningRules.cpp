#include "controls/forms/core/SkinningRules.h"

#include <algorithm>

namespace lw::controls {

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool ShouldSkinForm(long long tag, TSkinningRules rules) { return tag != kNoAutoSkinTag && (rules & srStdForms) != 0; }

bool ShouldSkinDialog(std::string_view className, TSkinningRules rules, bool skinnedDialogVisible,
                      bool hasToolBarDescendant) {
    if (className != "#32770" || (rules & srStdDialogs) == 0) return false;
    return !skinnedDialogVisible || hasToolBarDescendant;
}

namespace {

using K = ChildAdapterKind;

ChildAdapterChoice StaticChoice(unsigned style) {
    if ((style & 3) == 3 || (style & 0xE) == 0xE) return {K::Icon, "CHECKBOX"};
    const unsigned low = style & 0x1F;
    // Frames, rectangles and etched lines draw nothing of their own to skin.
    if ((style & 0xD) == 0xD || low == 5 || low == 6 || low == 11) return {};
    return {K::Static, "CHECKBOX"};
}

ChildAdapterChoice ButtonChoice(unsigned style) {
    if ((style & 7) == 7) return {K::GroupBox, "GROUPBOX"};
    if ((style & 3) == 3 || (style & 2) != 0 || (style & 5) == 5) return {K::CheckBox, "CHECKBOX"};
    if ((style & 9) == 9 || (style & 4) != 0) return {K::CheckBox, "CHECKBOX"};
    return {K::Button, "BUTTON"};
}

}  // namespace

ChildAdapterChoice ChooseChildAdapter(std::string_view className, unsigned style, bool visible) {
    const std::string name = LowerAscii(className);
    if (name == "static") return StaticChoice(style);
    if (name == "button") return ButtonChoice(style);
    if (name == "#32770") return {K::TransPanel, "CHECKBOX"};
    if (name == "tpanel" || name == "tsilentpaintpanel") return {K::DlgPanel, "PANEL"};
    if (name == "combobox") return {K::ComboBox, "COMBOBOX"};
    if (name == "combolbox") return {K::ComboList, "COMBOBOX"};
    if (name == "comboboxex32") return {K::ComboBoxEx, "COMBOBOX"};
    if (name == "scrollbar") return {K::Sizer, "CHECKBOX"};
    if (name == "systabcontrol32")
        return (style & 0x2000) == 0 ? ChildAdapterChoice{K::TabControl, "PAGECONTROL"} : ChildAdapterChoice{};
    if (name == "syslistview32") return {K::ListView, "EDIT"};
    if (name == "msctls_updown32") return {K::Spin, "SPEEDBUTTON_SMALL"};
    if (name == "listbox") return {K::ListBox, "EDIT"};
    if (name == "link window" || name == "syslink") return {K::Link, "CHECKBOX"};
    if (name == "toolbarwindow32") return {K::ToolBar, (style & 0x200) != 0 ? "BAR" : "CHECKBOX"};
    if (name == "edit") return visible ? ChildAdapterChoice{K::Edit, "EDIT"} : ChildAdapterChoice{};
    if (name == "systreeview32") return {K::TreeView, "EDIT"};
    if (name.find("shbrowseforfolder") != std::string::npos) return {K::TransPanel, "CHECKBOX"};
    return {};
}

}  // namespace lw::controls
