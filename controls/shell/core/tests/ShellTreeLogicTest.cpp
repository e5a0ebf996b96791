#include "controls/shell/core/ShellTreeLogic.h"

#include <gtest/gtest.h>

#include "controls/shell/core/tests/FakeShell.h"

namespace lw::controls {
namespace {

using testing::FakeNamespace;
using testing::FakeTree;
using Strings = std::vector<std::string>;

// Desktop with the computer and C:\maps\{b, a\{deep}, empty}, plus a file.
class ShellTreeLogicTest : public ::testing::Test {
protected:
    ShellTreeLogicTest() {
        auto& maps = space.At("C:\\").Add("maps");
        maps.Add("b");
        maps.Add("a").Add("deep");
        maps.Add("empty");
        maps.Add("level.bsp", false);
    }
    FakeTree::N* Top() { return tree.top.front().get(); }
    FakeTree::N* NodeAt(const Strings& texts) {
        FakeTree::N* at = Top();
        for (auto& text : texts) at = tree.ChildNamed(at, text);
        return at;
    }

    FakeNamespace space;
    FakeTree tree;
    ShellTreeLogic logic{space, tree};
};

TEST_F(ShellTreeLogicTest, DesktopRootOpensExpandedAndSelectedLoadingOneLevelOnly) {
    logic.CreateRoot();
    ASSERT_EQ(tree.top.size(), 1u);
    EXPECT_EQ(Top()->Text, "Desktop");
    EXPECT_TRUE(Top()->Expanded);
    EXPECT_EQ(tree.selected, Top());
    EXPECT_EQ(logic.SelectedPath(), "D:\\Home\\Desktop");
    EXPECT_EQ(tree.Texts(Top()), Strings{"My Computer"});
    EXPECT_EQ(space.enumerations, 1);  // nothing below the desktop's children yet
    EXPECT_TRUE(NodeAt({"My Computer"})->HasChildren);
    EXPECT_EQ(tree.updateDepth, 0);
}

TEST_F(ShellTreeLogicTest, ExpandingLoadsSortedFoldersOnceAndDropsEmptyExpandButtons) {
    space.At("C:\\maps\\empty").ClaimsSubFolders = true;
    logic.CreateRoot();
    logic.SetPath("C:\\maps");
    auto* maps = NodeAt({"My Computer", "C:", "maps"});
    ASSERT_NE(maps, nullptr);
    EXPECT_FALSE(maps->Expanded);  // selecting opens the ancestors, not the folder itself
    logic.ExpandNode(maps);
    EXPECT_EQ(tree.Texts(maps), (Strings{"a", "b", "empty"}));  // sorted, files left out
    EXPECT_TRUE(NodeAt({"My Computer", "C:", "maps", "a"})->HasChildren);
    EXPECT_FALSE(NodeAt({"My Computer", "C:", "maps", "b"})->HasChildren);

    auto* empty = NodeAt({"My Computer", "C:", "maps", "empty"});
    EXPECT_TRUE(empty->HasChildren);
    logic.ExpandNode(empty);
    EXPECT_FALSE(empty->HasChildren);

    const int before = space.enumerations;
    logic.ExpandNode(NodeAt({"My Computer", "C:", "maps", "a"}));
    logic.ExpandNode(NodeAt({"My Computer", "C:", "maps", "a"}));
    EXPECT_EQ(space.enumerations, before + 1);
}

TEST_F(ShellTreeLogicTest, AFolderThatCannotBeListedGetsNoChildren) {
    space.At("C:\\maps\\a").Unlistable = true;
    logic.CreateRoot();
    logic.SetPath("C:\\maps\\a");
    auto* a = NodeAt({"My Computer", "C:", "maps", "a"});
    EXPECT_EQ(tree.selected, a);
    logic.ExpandNode(a);
    EXPECT_TRUE(a->Children.empty());
    EXPECT_FALSE(a->HasChildren);
}

TEST_F(ShellTreeLogicTest, SetPathSelectsThroughItsAncestorsAndRefusesWhatDoesNotParse) {
    logic.CreateRoot();
    logic.SetPath("C:\\maps\\a\\deep");
    EXPECT_EQ(tree.selected, NodeAt({"My Computer", "C:", "maps", "a", "deep"}));
    EXPECT_EQ(logic.SelectedPath(), "C:\\maps\\a\\deep");
    EXPECT_TRUE(NodeAt({"My Computer", "C:", "maps"})->Expanded);

    const int selections = tree.selections;
    logic.SetPath("C:\\maps\\a\\deep");  // already selected
    EXPECT_EQ(tree.selections, selections);

    try {
        logic.SetPath("C:\\nowhere");
        FAIL() << "no error";
    } catch (const ShellError& e) {
        EXPECT_STREQ(e.what(), "Error Setting Path");
    }
    EXPECT_EQ(logic.SelectedPath(), "C:\\maps\\a\\deep");

    // A relative path is taken against the current folder.
    space.currentDirectory = "C:\\maps";
    logic.SetPath("b");
    EXPECT_EQ(logic.SelectedPath(), "C:\\maps\\b");
}

TEST_F(ShellTreeLogicTest, VirtualFolderPathIsItsDisplayName) {
    logic.CreateRoot();
    tree.Select(NodeAt({"My Computer"}));
    EXPECT_EQ(logic.SelectedPath(), "My Computer");
}

TEST_F(ShellTreeLogicTest, RootChangesResolveNamesAndPathsAndABadRootKeepsThePrevious) {
    logic.CreateRoot();
    const int selections = tree.selections;
    logic.SetRoot("RFDESKTOP");
    EXPECT_EQ(logic.Root(), "rfDesktop");
    EXPECT_EQ(tree.selections, selections);  // nothing rebuilt

    logic.SetRoot("C:");
    EXPECT_EQ(Top()->Text, "C:");
    EXPECT_EQ(logic.SelectedPath(), "C:\\");
    EXPECT_EQ(tree.Texts(Top()), Strings{"maps"});

    try {
        logic.SetRoot("Q:\\missing");
        FAIL() << "no error";
    } catch (const ShellError& e) {
        EXPECT_STREQ(e.what(), "Error Setting Path");
    }
    EXPECT_EQ(logic.Root(), "C:");
    ASSERT_EQ(tree.top.size(), 1u);
    EXPECT_EQ(Top()->Text, "C:");
    EXPECT_EQ(logic.SelectedPath(), "C:\\");
}

// Listing files, and then hiding their extensions, builds the tree again under the new rule.
TEST_F(ShellTreeLogicTest, ObjectTypesAndExtensionRuleRebuildTheTree) {
    logic.CreateRoot();
    const auto mapsChildren = [&] {
        logic.SetPath("C:\\maps");
        logic.ExpandNode(NodeAt({"My Computer", "C:", "maps"}));
        return tree.Texts(NodeAt({"My Computer", "C:", "maps"}));
    };
    EXPECT_EQ(mapsChildren(), (Strings{"a", "b", "empty"}));
    logic.SetObjectTypes(kListFolders | kListNonFolders);
    ASSERT_EQ(tree.top.size(), 1u);
    EXPECT_EQ(tree.selected, Top()) << "a new tree, on its root";
    EXPECT_EQ(mapsChildren(), (Strings{"a", "b", "empty", "level.bsp"}));
    logic.SetShowExt(ShowExtension::Hide);
    EXPECT_EQ(tree.selected, Top());
    EXPECT_EQ(mapsChildren(), (Strings{"a", "b", "empty", "level"}));
    EXPECT_EQ(tree.updateDepth, 0);
}

TEST_F(ShellTreeLogicTest, RefreshShowsNewFoldersAndKeepsExpansionAndSelection) {
    logic.CreateRoot();
    logic.SetPath("C:\\maps\\a\\deep");
    tree.SetTopVisible(NodeAt({"My Computer", "C:"}));
    space.At("C:\\maps").Add("c");
    logic.RefreshNode(NodeAt({"My Computer", "C:", "maps"}));

    EXPECT_EQ(tree.Texts(NodeAt({"My Computer", "C:", "maps"})), (Strings{"a", "b", "c", "empty"}));
    EXPECT_EQ(tree.Texts(NodeAt({"My Computer", "C:"})), Strings{"maps"});  // the old node is gone
    EXPECT_TRUE(NodeAt({"My Computer", "C:", "maps", "a"})->Expanded);
    EXPECT_EQ(tree.selected, NodeAt({"My Computer", "C:", "maps", "a", "deep"}));
    EXPECT_EQ(tree.topVisible, NodeAt({"My Computer", "C:"}));
    EXPECT_EQ(tree.updateDepth, 0);
}

TEST_F(ShellTreeLogicTest, RenameShowsTheNameAndLeavesTheParentRefreshToTheCaller) {
    logic.CreateRoot();
    logic.SetPath("C:\\maps\\b");
    auto* b = NodeAt({"My Computer", "C:", "maps", "b"});
    std::optional<IdList> parent;
    EXPECT_TRUE(logic.Rename(b, "renamed", parent));
    // The node lives on until the caller refreshes: the edit's notification may still use it.
    EXPECT_EQ(b->Text, "renamed");
    EXPECT_EQ(logic.SelectedPath(), "C:\\maps\\renamed");
    ASSERT_TRUE(parent);

    logic.RefreshItem(*parent);
    EXPECT_EQ(tree.Texts(NodeAt({"My Computer", "C:", "maps"})), (Strings{"a", "empty", "renamed"}));
    EXPECT_EQ(logic.SelectedPath(), "C:\\maps\\renamed");
}

TEST_F(ShellTreeLogicTest, RefusedRenameRaisesAndKeepsTheTextAndUnrenamableItemsAreLeftAlone) {
    space.At("C:\\maps\\b").RefuseRename = true;
    logic.CreateRoot();
    logic.SetPath("C:\\maps\\b");
    auto* b = NodeAt({"My Computer", "C:", "maps", "b"});
    std::optional<IdList> parent;
    try {
        logic.Rename(b, "x", parent);
        FAIL() << "no error";
    } catch (const ShellError& e) {
        EXPECT_STREQ(e.what(), "Rename to x failed");
    }
    EXPECT_EQ(b->Text, "b");
    EXPECT_FALSE(parent);

    auto* drive = NodeAt({"My Computer", "C:"});
    EXPECT_FALSE(logic.Rename(drive, "D:", parent));
    EXPECT_EQ(drive->Text, "C:");
    EXPECT_EQ(space.At("C:\\").Name, "C:");
}

TEST_F(ShellTreeLogicTest, ShellVerbHooks) {
    logic.CreateRoot();
    logic.SetPath("C:\\maps\\a");

    bool handled = false;
    logic.BeforeShellVerb("RENAME", handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(tree.editing, NodeAt({"My Computer", "C:", "maps", "a"}));

    // The tool an "open" starts inherits the item's folder; ours comes back even on failure.
    handled = false;
    logic.BeforeShellVerb("open", handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(space.currentDirectory, "C:\\maps");
    logic.AfterShellVerb("open", false);
    EXPECT_EQ(space.currentDirectory, "C:\\start");

    // A delete that really removed the folder takes its node away; one that did not keeps it.
    logic.AfterShellVerb("delete", true);
    EXPECT_NE(NodeAt({"My Computer", "C:", "maps", "a"}), nullptr);
    auto& maps = space.At("C:\\maps");
    std::erase_if(maps.Children, [](auto& c) { return c->Name == "a"; });
    logic.AfterShellVerb("delete", true);
    EXPECT_EQ(NodeAt({"My Computer", "C:", "maps", "a"}), nullptr);
    EXPECT_EQ(logic.SelectedFolder(), nullptr);
}

TEST_F(ShellTreeLogicTest, OwnerCanRefuseItemsAndNamesLoseTheShellsMarker) {
    space.At("C:\\maps").Add("?1x?y");
    logic.OnAddFolder = [](const ShellItem& item) { return item.ParsingPath() != "C:\\maps\\b"; };
    logic.CreateRoot();
    logic.SetPath("C:\\maps");
    logic.ExpandNode(NodeAt({"My Computer", "C:", "maps"}));
    EXPECT_EQ(tree.Texts(NodeAt({"My Computer", "C:", "maps"})), (Strings{"1xy", "a", "empty"}));
}

}  // namespace
}  // namespace lw::controls
