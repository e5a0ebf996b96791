#pragma once
// Which windows the automatic skinning takes on and which adapter each child of a standard
// dialog gets: the decisions of the window hook, free of any window so they can be checked
// against real class names and styles without one.

#include <string>
#include <string_view>

namespace lw::controls {

// The manager's SkinningRules: a set of these bits.
enum TSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TSkinningRules = unsigned;
inline constexpr TSkinningRules kAllSkinningRules = srStdForms | srStdDialogs | srThirdParty;

// A toolkit form with this Tag is never skinned automatically (glow and other helper windows).
inline constexpr int kNoAutoSkinTag = -98;

// Class names come back from the platform in mixed case.
std::string LowerAscii(std::string_view text);

// A toolkit form (every one of them is of the toolkit's own window class) with this Tag.
bool ShouldSkinForm(long long tag, TSkinningRules rules);

// A standard dialog ("#32770"): skinned unless another skinned dialog is already on screen, in
// which case only one holding a tool bar is (a dialog a skinned dialog opens over itself).
bool ShouldSkinDialog(std::string_view className, TSkinningRules rules, bool skinnedDialogVisible,
                      bool hasToolBarDescendant);

enum class ChildAdapterKind {
    None,
    Icon,
    Static,
    TransPanel,
    DlgPanel,
    GroupBox,
    CheckBox,
    Button,
    ComboBox,
    ComboList,
    ComboBoxEx,
    Sizer,
    TabControl,
    ListView,
    Spin,
    ListBox,
    Link,
    ToolBar,
    Edit,
    TreeView,
};

struct ChildAdapterChoice {
    ChildAdapterKind Kind = ChildAdapterKind::None;
    std::string_view Section;
    friend bool operator==(const ChildAdapterChoice&, const ChildAdapterChoice&) = default;
};

// The adapter for a child window of a standard dialog, by its class (any case) and style.
ChildAdapterChoice ChooseChildAdapter(std::string_view className, unsigned style, bool visible);

}  // namespace lw::controls
