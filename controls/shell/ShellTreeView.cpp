#include "controls/shell/ShellTreeView.h"

#include <windowsx.h>

#include "platform/Text.h"

namespace lw::controls {
namespace {

using platform::TMessage;
using platform::Utf8ToWide;
using platform::WideToUtf8;

// Posted to itself after a rename: the parent is reloaded once the edit's notification has
// returned, since reloading deletes the renamed node the notification still refers to.
constexpr UINT CM_REFRESHRENAMED = platform::CM_BASE + 0x40;
// Posted by the folder watcher's handler: the selected node is reloaded.
constexpr UINT WM_REFRESHSELECTED = WM_USER + 1;

HTREEITEM AsItem(Node node) { return static_cast<HTREEITEM>(node); }

// The one shell context menu open in the process, for the menu messages it draws with.
IContextMenu2* openShellMenu = nullptr;

}  // namespace

// The tree control's window as the logic drives it.
class TsShellTreeView::Nodes : public TreeNodes {
public:
    explicit Nodes(platform::TTreeView& tree) : tree_(tree) {}

    Node Add(Node parent, Node before, const std::string& text) override {
        HTREEITEM after = TVI_LAST;
        if (before) {
            const HTREEITEM previous = tree_.PreviousSibling(AsItem(before));
            after = previous ? previous : TVI_FIRST;
        }
        return tree_.Add(AsItem(parent), after, Utf8ToWide(text));
    }
    void Delete(Node node) override { tree_.Delete(AsItem(node)); }
    void Clear() override { tree_.Clear(); }
    Node Parent(Node node) const override { return tree_.Parent(AsItem(node)); }
    Node FirstChild(Node node) const override { return tree_.FirstChild(AsItem(node)); }
    Node NextSibling(Node node) const override { return tree_.NextSibling(AsItem(node)); }
    void SetText(Node node, const std::string& text) override { tree_.SetNodeText(AsItem(node), Utf8ToWide(text)); }
    void SetImages(Node node, int image, int selectedImage) override {
        tree_.SetNodeImages(AsItem(node), image, selectedImage);
    }
    void SetSharedOverlay(Node node) override { tree_.SetNodeOverlay(AsItem(node), 0); }
    bool HasChildren(Node node) const override { return tree_.HasChildren(AsItem(node)); }
    void SetHasChildren(Node node, bool has) override { tree_.SetHasChildren(AsItem(node), has); }
    bool Expanded(Node node) const override { return tree_.Expanded(AsItem(node)); }
    void Expand(Node node) override { tree_.Expand(AsItem(node)); }
    Node Selected() const override { return tree_.Selected(); }
    void Select(Node node) override { tree_.Select(AsItem(node)); }
    Node TopVisible() const override { return tree_.TopVisible(); }
    void SetTopVisible(Node node) override { tree_.SetTopVisible(AsItem(node)); }
    void EditLabel(Node node) override { tree_.EditLabel(AsItem(node)); }
    void BeginUpdate() override { tree_.BeginUpdate(); }
    void EndUpdate() override { tree_.EndUpdate(); }

private:
    platform::TTreeView& tree_;
};

TsShellTreeView::TsShellTreeView(platform::TComponent* owner, platform::TWinControl* parent)
    : TsTreeView(owner, parent),
      shell_(std::make_unique<SystemShell>()),
      nodes_(std::make_unique<Nodes>(*this)),
      logic_(std::make_unique<ShellTreeLogic>(*shell_, *nodes_)) {
    ApplyImageRule();
}

TsShellTreeView::~TsShellTreeView() {
    watcher_.reset();
    // The nodes' items hold shell folders: they go before the shell does.
    logic_.reset();
}

void TsShellTreeView::Loaded() {
    TsTreeView::Loaded();
    logic_->CreateRoot();
    if (autoRefresh_) WatchFolderOf(Selected());
}

void TsShellTreeView::SetAutoRefresh(bool on) {
    autoRefresh_ = on;
    if (ComponentState() & platform::csLoading) return;
    if (on)
        WatchFolderOf(Selected());
    else
        watcher_.reset();
}

// A new watcher each time: the previous one's thread is stopped and joined as it goes.
void TsShellTreeView::WatchFolderOf(HTREEITEM node) {
    const ShellItem* item = FolderOf(node ? node : FirstChild(nullptr));
    auto watcher = std::make_unique<TgwShellChangeNotifier>();
    watcher->SetRoot(item ? item->ParsingPath() : std::string());
    watcher->SetWatchSubTree(false);
    HWND tree = Handle();
    watcher->SetOnChange([tree] { PostMessageW(tree, WM_REFRESHSELECTED, 0, 0); });
    watcher_ = std::move(watcher);
}

void TsShellTreeView::Change(HTREEITEM node) {
    if (autoRefresh_ && !(ComponentState() & platform::csLoading)) WatchFolderOf(node);
    TsTreeView::Change(node);
}

void TsShellTreeView::SetUseShellImages(bool use) {
    useShellImages_ = use;
    logic_->Options().UseShellImages = use;
    ApplyImageRule();
}

void TsShellTreeView::ApplyImageRule() { SetImageList(nullptr); }

void TsShellTreeView::ImagesTakeOwnColour() {
    if (useShellImages_) ImageList_SetBkColor(SystemShell::SystemImages(), platform::ColorToRGB(Color()));
}

bool TsShellTreeView::CanExpand(HTREEITEM node) {
    logic_->Expanding(node);
    return true;
}

bool TsShellTreeView::Edited(HTREEITEM node, const std::wstring& text) {
    std::optional<IdList> parent;
    const bool renamed = logic_->Rename(node, WideToUtf8(text), parent);
    if (parent) {
        pendingRefresh_.push_back(*parent);
        PostMessageW(Handle(), CM_REFRESHRENAMED, 0, 0);
    }
    return renamed;
}

int TsShellTreeView::TrackShellMenu(HMENU popup, POINT screen) {
    return TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
}

std::string TsShellTreeView::MenuVerb(int command) const {
    if (!shownMenu_ || command <= 0) return {};
    char verb[257] = {};
    if (FAILED(shownMenu_->GetCommandString(command - 1, GCS_VERBA, nullptr, verb, 256))) return {};
    return verb;
}

void TsShellTreeView::ShowShellMenu(POINT screen) {
    ShellItem* item = SelectedFolder();
    if (!item) return;
    IShellFolder* containing = SystemShell::ComFolder(item->Containing());
    PCUITEMID_CHILD child = reinterpret_cast<PCUITEMID_CHILD>(item->ItemID().data());
    IContextMenu* menu = nullptr;
    if (FAILED(containing->GetUIObjectOf(Handle(), 1, &child, IID_IContextMenu, nullptr,
                                         reinterpret_cast<void**>(&menu))) ||
        !menu)
        return;
    HMENU popup = CreatePopupMenu();
    menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_EXPLORE | CMF_CANRENAME);
    menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&openShellMenu));
    shownMenu_ = menu;
    const int command = TrackShellMenu(popup, screen);
    if (openShellMenu) openShellMenu->Release();
    openShellMenu = nullptr;
    if (command > 0) {
        const std::string verb = MenuVerb(command);
        bool handled = false;
        BeforeShellVerb(verb, handled);
        if (!handled) {
            CMINVOKECOMMANDINFO invoke{};
            invoke.cbSize = sizeof invoke;
            invoke.hwnd = Handle();
            invoke.lpVerb = MAKEINTRESOURCEA(command - 1);
            invoke.nShow = SW_SHOWNORMAL;
            const bool succeeded = SUCCEEDED(menu->InvokeCommand(&invoke));
            AfterShellVerb(verb, succeeded);
        }
    }
    shownMenu_ = nullptr;
    DestroyMenu(popup);
    menu->Release();
}

void TsShellTreeView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case TVM_SETIMAGELIST:
        // Whoever sets a list, the tree's own rule decides which one it is.
        if (!settingImages_ && m.WParam == TVSIL_NORMAL) {
            settingImages_ = true;
            m.LParam = reinterpret_cast<LPARAM>(useShellImages_ ? SystemShell::SystemImages() : nullptr);
            TsTreeView::WndProc(m);
            settingImages_ = false;
            return;
        }
        break;
    case WM_PAINT:
        // Another tree of the process may have coloured the shared list since.
        ImagesTakeOwnColour();
        break;
    case platform::CM_COLORCHANGED:
        // A new skin, hue or colour shows behind the icons at once, not from the next paint on.
        TsTreeView::WndProc(m);
        ImagesTakeOwnColour();
        return;
    case WM_CONTEXTMENU:
        if (AutoContextMenus) {
            POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            if (screen.x == -1 && screen.y == -1) {  // from the keyboard: below the selection
                RECT bounds{};
                if (HTREEITEM selected = Selected()) TreeView_GetItemRect(Handle(), selected, &bounds, TRUE);
                screen = {bounds.left, bounds.bottom};
                ClientToScreen(Handle(), &screen);
            }
            ShowShellMenu(screen);
            return;
        }
        break;
    case WM_MENUSELECT:
        // The menu's tracking draws a newly selected item itself and tells only the menu's owner,
        // this tree: the form, whose skinning paints the open menus again then, hears of it too.
        TsTreeView::WndProc(m);
        if (HWND form = GetAncestor(Handle(), GA_ROOT); form != nullptr && form != Handle())
            SendMessageW(form, WM_MENUSELECT, m.WParam, m.LParam);
        return;
    case WM_MEASUREITEM:
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
        if (openShellMenu) {
            openShellMenu->HandleMenuMsg(m.Msg, m.WParam, m.LParam);
            m.Result = 0;
            return;
        }
        break;
    case WM_REFRESHSELECTED:
        if (HTREEITEM selected = Selected()) RefreshNode(selected);
        return;
    case CM_REFRESHRENAMED: {
        auto pending = std::move(pendingRefresh_);
        pendingRefresh_.clear();
        for (const IdList& parent : pending) logic_->RefreshItem(parent);
        return;
    }
    case platform::CM_DESTROYING:
        logic_->Clear();
        break;
    }
    TsTreeView::WndProc(m);
}

}  // namespace lw::controls
