#include "controls/shell/core/ShellTreeLogic.h"

#include <algorithm>
#include <vector>

namespace lw::controls {
namespace {

constexpr const char* kErrorSettingPath = "Error Setting Path";

// Suspends the tree's painting for a bulk change, also when it throws.
class UpdateScope {
public:
    explicit UpdateScope(TreeNodes& nodes) : nodes_(nodes) { nodes_.BeginUpdate(); }
    ~UpdateScope() { nodes_.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    TreeNodes& nodes_;
};

class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

bool SameVerb(const std::string& verb, const char* name) { return SameRoot(verb, name); }

}  // namespace

ShellTreeLogic::ShellTreeLogic(ShellNamespace& space, TreeNodes& nodes) : space_(space), nodes_(nodes) {}

ShellTreeLogic::~ShellTreeLogic() = default;

ShellItem* ShellTreeLogic::ItemOf(Node node) const {
    const auto found = items_.find(node);
    return found == items_.end() ? nullptr : found->second.get();
}

std::string ShellTreeLogic::SelectedPath() const {
    const ShellItem* item = SelectedFolder();
    return item ? item->ParsingPath() : std::string();
}

void ShellTreeLogic::SetRoot(const std::string& root) {
    if (SameRoot(root, root_)) return;
    previousRoot_ = root_;
    root_ = root;
    if (syncing_) return;
    FlagScope syncing(syncing_);
    CreateRoot();
}

void ShellTreeLogic::SetObjectTypes(std::uint32_t types) {
    settings_.ObjectTypes = types;
    Rebuild();
}

void ShellTreeLogic::SetShowExt(ShowExtension rule) {
    settings_.ShowExt = rule;
    Rebuild();
}

void ShellTreeLogic::Rebuild() {
    if (syncing_) return;
    FlagScope syncing(syncing_);
    CreateRoot();
}

void ShellTreeLogic::ResolveRoot() {
    std::optional<IdList> id;
    if (const auto csidl = RootFolderCsidl(root_)) {
        id = space_.SpecialFolder(*csidl);
    } else if (!root_.empty()) {
        std::string path = root_;
        if (path.back() == ':') path += '\\';
        id = space_.Parse(space_.ExpandFileName(path));
    }
    if (!id) {
        root_ = previousRoot_;
        throw ShellError(kErrorSettingPath);
    }
    auto folder = space_.Desktop()->Bind(*id);
    if (!folder) folder = space_.Desktop();
    rootFolder_ = std::make_unique<ShellItem>(space_, nullptr, std::move(folder), std::move(*id));
}

void ShellTreeLogic::CreateRoot() {
    std::optional<std::string> error;
    try {
        ResolveRoot();
    } catch (const ShellError& e) {
        error = e.what();
    }
    if (rootFolder_) {
        UpdateScope update(nodes_);
        Clear();
        auto item = std::make_unique<ShellItem>(space_, nullptr, rootFolder_->Folder(), rootFolder_->AbsoluteID());
        const std::string text = item->DisplayName(settings_.ShowExt, NameKind::Normal);
        const Node top = nodes_.Add(nullptr, nullptr, text);
        const ShellItem& added = *(items_[top] = std::move(item));
        Decorate(top, added, settings_.UseShellImages && !settings_.HasOwnImages);
        ExpandNode(top);
        nodes_.Select(top);
    }
    if (error) throw ShellError(*error);
}

void ShellTreeLogic::Decorate(Node node, const ShellItem& item, bool shellImages) {
    if (shellImages) {
        const int image = space_.IconIndex(item.AbsoluteID(), false);
        const int selected = space_.IconIndex(item.AbsoluteID(), true);
        nodes_.SetImages(node, image, selected == 0 ? image : selected);
    }
    if (item.IsShared()) nodes_.SetSharedOverlay(node);
    nodes_.SetHasChildren(node, HasVisibleChildren(item));
}

bool ShellTreeLogic::HasVisibleChildren(const ShellItem& item) const {
    if (!(settings_.ObjectTypes & kListNonFolders) || !item.Folder()) return item.HasSubFolders();
    const auto children = item.Folder()->Enumerate(settings_.ObjectTypes);
    return children && !children->empty();
}

Node ShellTreeLogic::AddFolderNode(Node parent, Node before, std::unique_ptr<ShellItem> item) {
    const Node node = nodes_.Add(parent, before, item->DisplayName(settings_.ShowExt));
    const ShellItem& added = *(items_[node] = std::move(item));
    Decorate(node, added, settings_.UseShellImages && !settings_.HasOwnImages);
    if (OnAddFolder && !OnAddFolder(added)) {
        DeleteNode(node);
        return nullptr;
    }
    return node;
}

void ShellTreeLogic::Populate(Node node) {
    UpdateScope update(nodes_);
    const ShellItem* parent = ItemOf(node);
    if (!parent || !parent->Folder()) return;
    ShellFolder& folder = *parent->Folder();
    auto children = folder.Enumerate(settings_.ObjectTypes);
    if (!children) return;
    // A comparison the shell cannot make reads as "equal", which keeps the order a strict one.
    std::stable_sort(children->begin(), children->end(),
                     [&](const IdList& a, const IdList& b) { return folder.Compare(a, b) < 0; });
    for (auto& child : *children) {
        auto own = folder.Bind(child);
        if (!own) own = space_.Desktop()->Bind(child);
        AddFolderNode(node, nullptr, std::make_unique<ShellItem>(space_, parent, std::move(own), std::move(child)));
    }
}

void ShellTreeLogic::Expanding(Node node) {
    const ShellItem* item = ItemOf(node);
    if (!item) return;
    if (!item->IsFolder()) {
        const std::string path = item->ParsingPath();
        space_.OpenItem(path, item->Parent() ? item->Parent()->ParsingPath() : std::string());
    } else if (nodes_.HasChildren(node) && !nodes_.FirstChild(node)) {
        Populate(node);
    }
    nodes_.SetHasChildren(node, nodes_.FirstChild(node) != nullptr);
}

void ShellTreeLogic::ExpandNode(Node node) {
    Expanding(node);
    nodes_.Expand(node);
}

template <class Visit>
void ShellTreeLogic::WalkSubtree(Node start, Visit visit) const {
    if (!visit(start)) return;
    for (Node child = nodes_.FirstChild(start); child; child = nodes_.NextSibling(child)) WalkSubtree(child, visit);
}

Node ShellTreeLogic::FindNodeByID(const IdList& absolute, Node start) const {
    if (!start) return nullptr;
    ShellFolder& desktop = *space_.Desktop();
    Node found = nullptr;
    WalkSubtree(start, [&](Node node) {
        if (found) return false;
        const ShellItem* item = ItemOf(node);
        if (item && desktop.Compare(item->AbsoluteID(), absolute) == 0) found = node;
        return !found;
    });
    return found;
}

void ShellTreeLogic::SetPath(const std::string& path) {
    const auto id = space_.Parse(space_.ExpandFileName(path));
    if (!id) throw ShellError(kErrorSettingPath);
    const Node first = nodes_.FirstChild(nullptr);
    if (syncing_ || !first) return;
    if (const ShellItem* selected = SelectedFolder();
        selected && space_.Desktop()->Compare(selected->AbsoluteID(), *id) == 0)
        return;
    FlagScope syncing(syncing_);
    UpdateScope update(nodes_);
    Node current = first;
    for (const IdList& ancestor : AncestorIdLists(*id)) {
        if (const Node found = FindNodeByID(ancestor, current)) {
            ExpandNode(found);
            current = found;
        }
    }
    nodes_.Select(FindNodeByID(*id, current));
}

void ShellTreeLogic::RefreshNode(Node node) {
    const ShellItem* old = ItemOf(node);
    if (!old || !old->Folder()) return;
    const auto absoluteOf = [this](Node n) {
        const ShellItem* item = ItemOf(n);
        return item ? std::optional(item->AbsoluteID()) : std::nullopt;
    };
    const auto selected = absoluteOf(nodes_.Selected());
    const auto top = absoluteOf(nodes_.TopVisible());
    UpdateScope update(nodes_);

    auto item = std::make_unique<ShellItem>(space_, old->Parent(), old->Folder(), old->ItemID());
    const bool topNode = !nodes_.Parent(node);
    const std::string text = item->DisplayName(settings_.ShowExt, topNode ? NameKind::Normal : NameKind::InFolder);
    const Node fresh = nodes_.Add(nodes_.Parent(node), node, text);
    items_[fresh] = std::move(item);
    Populate(fresh);
    Decorate(fresh, *ItemOf(fresh), true);

    std::vector<IdList> expanded;
    WalkSubtree(node, [&](Node n) {
        if (nodes_.Expanded(n)) expanded.push_back(ItemOf(n)->AbsoluteID());
        return true;
    });
    for (const IdList& id : expanded)
        if (const Node counterpart = FindNodeByID(id, fresh)) ExpandNode(counterpart);
    DeleteNode(node);

    const Node first = nodes_.FirstChild(nullptr);
    if (selected) nodes_.Select(FindNodeByID(*selected, first));
    if (top)
        if (const Node topNodeFound = FindNodeByID(*top, first)) nodes_.SetTopVisible(topNodeFound);
}

void ShellTreeLogic::RefreshItem(const IdList& absolute) {
    if (const Node node = FindNodeByID(absolute, nodes_.FirstChild(nullptr))) RefreshNode(node);
}

void ShellTreeLogic::DeleteNode(Node node) {
    std::vector<Node> subtree;
    WalkSubtree(node, [&](Node n) {
        subtree.push_back(n);
        return true;
    });
    // The view may still ask about the nodes while it removes them; their items go after.
    nodes_.Delete(node);
    for (Node n : subtree) items_.erase(n);
}

void ShellTreeLogic::Clear() {
    nodes_.Clear();
    items_.clear();
}

bool ShellTreeLogic::Rename(Node node, const std::string& text, std::optional<IdList>& parentToRefresh) {
    ShellItem* item = ItemOf(node);
    if (!item || !item->CanRename()) return false;
    if (!item->RenameItem(text)) throw ShellError("Rename to " + text + " failed");
    nodes_.SetText(node, text);
    if (const ShellItem* parent = ItemOf(nodes_.Parent(node))) parentToRefresh = parent->AbsoluteID();
    return true;
}

void ShellTreeLogic::BeforeShellVerb(const std::string& verb, bool& handled) {
    const Node selected = nodes_.Selected();
    if (SameVerb(verb, "rename") && selected) {
        nodes_.EditLabel(selected);
        handled = true;
    } else if (SameVerb(verb, "open")) {
        savedDirectory_ = space_.CurrentDirectory();
        const ShellItem* item = ItemOf(selected);
        if (item && item->Parent()) space_.ChangeDirectory(item->Parent()->ParsingPath());
    }
}

void ShellTreeLogic::AfterShellVerb(const std::string& verb, bool succeeded) {
    // The tool the shell started inherits the current folder; ours comes back whatever happened.
    if (SameVerb(verb, "open") && savedDirectory_) {
        space_.ChangeDirectory(*savedDirectory_);
        savedDirectory_.reset();
    }
    if (!succeeded) return;
    const Node selected = nodes_.Selected();
    const ShellItem* item = ItemOf(selected);
    if (!item) return;
    if (SameVerb(verb, "delete")) {
        const std::string path = item->ParsingPath();
        if (!space_.FileExists(path) && !space_.DirectoryExists(path)) DeleteNode(selected);
    } else if (SameVerb(verb, "paste")) {
        RefreshNode(selected);
    }
}

}  // namespace lw::controls
