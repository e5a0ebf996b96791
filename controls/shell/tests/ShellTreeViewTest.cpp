#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "controls/shell/ShellTreeView.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/MessageHook.h"
#include "platform/Prompt.h"
#include "platform/Text.h"
#include "testsupport/TempFolder.h"
#include "testsupport/win32/MessagePump.h"

namespace lw::controls {
namespace {

class SilentPrompt : public platform::Prompt {
public:
    int Show(HWND, std::string_view text, std::string_view, UINT) override {
        shown.emplace_back(text);
        return IDOK;
    }
    std::vector<std::string> shown;
};

std::string Utf8(const std::filesystem::path& path) { return platform::WideToUtf8(path.wstring()); }

std::string DesktopDirectory() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path);
    return platform::WideToUtf8(path);
}

struct ShellTreeViewTest : ::testing::Test {
    SilentPrompt prompt;
    platform::TApplication application{prompt};
    platform::TForm form{nullptr};
    TsShellTreeView& tree = form.Make<TsShellTreeView>(&form);
    testsupport::TempFolder fixture{"lw shell"};

    void SetUp() override {
        form.SetBounds({0, 0, 320, 400});
        tree.SetBounds({8, 8, 290, 340});
        form.FinishLoading();
        form.Show();
    }
    std::vector<std::wstring> ChildTexts(HTREEITEM node) const {
        std::vector<std::wstring> texts;
        for (HTREEITEM child = tree.FirstChild(node); child; child = tree.NextSibling(child))
            texts.push_back(tree.NodeText(child));
        return texts;
    }
};

// The tree owns its context menu, so the menu's selection is told to it; its form is told as
// well, as when the form owns a menu itself.
TEST_F(ShellTreeViewTest, AMenuSelectionIsPassedOnToTheForm) {
    std::vector<std::pair<WPARAM, LPARAM>> heard;
    platform::TMessageHook hook(form, [&](platform::TMessage& m) {
        if (m.Msg == WM_MENUSELECT) heard.emplace_back(m.WParam, m.LParam);
        hook.CallPrevious(m);
    });
    SendMessageW(tree.Handle(), WM_MENUSELECT, MAKEWPARAM(3, MF_HILITE), 0x1234);
    hook.Remove();
    EXPECT_EQ(heard, (std::vector<std::pair<WPARAM, LPARAM>>{{MAKEWPARAM(3, MF_HILITE), 0x1234}}));
}

TEST_F(ShellTreeViewTest, DesktopRootOpensExpandedAndSelected) {
    const HTREEITEM top = tree.FirstChild(nullptr);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(tree.NextSibling(top), nullptr);
    EXPECT_TRUE(tree.Expanded(top));
    EXPECT_EQ(tree.Selected(), top);
    EXPECT_FALSE(ChildTexts(top).empty());
    EXPECT_EQ(tree.SelectedPath(), DesktopDirectory());
    // Icons come from the shell's own list.
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(tree.Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
              SystemShell::SystemImages());
}

TEST_F(ShellTreeViewTest, SetPathSelectsAFolderAndRefusesOneThatDoesNotParse) {
    std::filesystem::create_directories(fixture / "maps" / "b");
    std::filesystem::create_directories(fixture / "maps" / "a");
    const std::string maps = Utf8(fixture / "maps");
    tree.SetPath(maps);
    EXPECT_EQ(tree.SelectedPath(), maps);
    tree.Expand(tree.Selected());
    EXPECT_EQ(ChildTexts(tree.Selected()), (std::vector<std::wstring>{L"a", L"b"}));

    try {
        tree.SetPath("Q:\\no\\such\\folder");
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Error Setting Path");
    }
    EXPECT_EQ(tree.SelectedPath(), maps);
}

TEST_F(ShellTreeViewTest, LabelEditRenamesTheFolderAndTheParentIsReloadedAfterwards) {
    std::filesystem::create_directories(fixture / "maps" / "old");
    tree.SetPath(Utf8(fixture / "maps" / "old"));
    const HTREEITEM node = tree.Selected();
    tree.EditLabel(node);
    ASSERT_TRUE(tree.IsEditing());
    SetWindowTextW(reinterpret_cast<HWND>(SendMessageW(tree.Handle(), TVM_GETEDITCONTROL, 0, 0)), L"new");
    tree.EndEditing(true);

    EXPECT_TRUE(std::filesystem::is_directory(fixture / "maps" / "new"));
    EXPECT_FALSE(std::filesystem::exists(fixture / "maps" / "old"));
    // The renamed node survives the notification; the parent is reloaded from the queue.
    EXPECT_EQ(tree.NodeText(node), L"new");
    testsupport::PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(tree.SelectedPath(), Utf8(fixture / "maps" / "new"));
    EXPECT_EQ(ChildTexts(tree.Parent(tree.Selected())), std::vector<std::wstring>{L"new"});
    EXPECT_TRUE(prompt.shown.empty());
}

// A real change of the selected folder reloads its node; switched off, nothing is watched.
TEST_F(ShellTreeViewTest, AutoRefreshReloadsTheSelectedFolderWhenSomethingAppearsInIt) {
    ASSERT_NE(tree.Watcher(), nullptr);
    EXPECT_FALSE(tree.Watcher()->Running()) << "off: a watcher without a thread";
    std::filesystem::create_directories(fixture / "maps" / "a");
    const std::string maps = Utf8(fixture / "maps");
    tree.SetPath(maps);
    tree.Expand(tree.Selected());

    tree.SetAutoRefresh(true);
    ASSERT_NE(tree.Watcher(), nullptr);
    EXPECT_TRUE(tree.Watcher()->Running());
    EXPECT_EQ(tree.Watcher()->Root(), maps);
    EXPECT_FALSE(tree.Watcher()->WatchSubTree());
    std::filesystem::create_directories(fixture / "maps" / "b");
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        return ChildTexts(tree.Selected()) == std::vector<std::wstring>{L"a", L"b"};
    }));
    EXPECT_EQ(tree.SelectedPath(), maps);

    // A new selection is watched in its turn.
    tree.SetPath(Utf8(fixture / "maps" / "a"));
    EXPECT_EQ(tree.Watcher()->Root(), Utf8(fixture / "maps" / "a"));
    tree.SetAutoRefresh(false);
    EXPECT_EQ(tree.Watcher(), nullptr);
    const HTREEITEM node = tree.Selected();
    std::filesystem::create_directories(fixture / "maps" / "a" / "c");
    testsupport::PumpFor(std::chrono::milliseconds(400));
    EXPECT_EQ(tree.Selected(), node) << "a reload puts a new node in the old one's place";
}

// A tree whose shell menu is answered by the test: the command of a chosen verb, with the verb
// hooks recorded, and the first hook able to claim the verb for itself.
class VerbChoosingTree : public TsShellTreeView {
public:
    using TsShellTreeView::TsShellTreeView;
    std::string wanted;
    bool claim = false;
    std::vector<std::string> calls;

    void BeforeShellVerb(const std::string& verb, bool& handled) override {
        calls.push_back("before " + verb);
        TsShellTreeView::BeforeShellVerb(verb, handled);
        if (claim) handled = true;
    }
    void AfterShellVerb(const std::string& verb, bool succeeded) override {
        calls.push_back("after " + verb + (succeeded ? " done" : " failed"));
        TsShellTreeView::AfterShellVerb(verb, succeeded);
    }

protected:
    int TrackShellMenu(HMENU popup, POINT) override {
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            const int id = static_cast<int>(GetMenuItemID(popup, i));
            if (id > 0 && MenuVerb(id) == wanted) return id;
        }
        return 0;
    }
};

// Says yes to the shell's question before it deletes.
void CALLBACK ConfirmDeletion(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            wchar_t type[16] = {};
            GetClassNameW(window, type, 16);
            if (IsWindowVisible(window) && wcscmp(type, L"#32770") == 0) PostMessageW(window, WM_COMMAND, IDYES, 0);
            return TRUE;
        },
        0);
}

TEST_F(ShellTreeViewTest, AVerbFromTheShellMenuRunsBetweenTheHooksUnlessTheFirstClaimsIt) {
    VerbChoosingTree& menuTree = form.Make<VerbChoosingTree>(&form);
    menuTree.SetBounds({8, 8, 290, 340});
    menuTree.FinishLoading();
    std::filesystem::create_directories(fixture / "maps" / "old");
    menuTree.SetPath(Utf8(fixture / "maps" / "old"));
    const HTREEITEM maps = menuTree.Parent(menuTree.Selected());
    const auto openMenu = [&] {
        SendMessageW(menuTree.Handle(), WM_CONTEXTMENU, WPARAM(menuTree.Handle()), MAKELPARAM(-1, -1));
    };
    menuTree.wanted = "delete";
    const UINT_PTR answer = SetTimer(nullptr, 0, 50, ConfirmDeletion);

    menuTree.claim = true;
    openMenu();
    EXPECT_EQ(menuTree.calls, std::vector<std::string>{"before delete"});
    EXPECT_TRUE(std::filesystem::is_directory(fixture / "maps" / "old")) << "claimed: the shell does nothing";

    menuTree.calls.clear();
    menuTree.claim = false;
    openMenu();
    KillTimer(nullptr, answer);
    EXPECT_EQ(menuTree.calls, (std::vector<std::string>{"before delete", "after delete done"}));
    EXPECT_FALSE(std::filesystem::exists(fixture / "maps" / "old"));
    EXPECT_EQ(menuTree.FirstChild(maps), nullptr) << "the deleted folder's node goes with it";
}

}  // namespace
}  // namespace lw::controls
