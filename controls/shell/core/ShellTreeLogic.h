#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "controls/shell/core/ShellItem.h"
#include "controls/shell/core/ShellNamespace.h"
#include "controls/shell/core/TreeNodes.h"

namespace lw::controls {

// What fills a shell folder tree and keeps it in step with the namespace: the root, loading
// a folder's children when it is first expanded, selecting a path, reloading a node and
// renaming in place. Each node owns its ShellItem, freed with the node.
class ShellTreeLogic {
public:
    struct Settings {
        std::uint32_t ObjectTypes = kListFolders;
        ShowExtension ShowExt = ShowExtension::System;
        bool UseShellImages = true;
        bool HasOwnImages = false;
    };

    ShellTreeLogic(ShellNamespace& space, TreeNodes& nodes);
    ~ShellTreeLogic();
    ShellTreeLogic(const ShellTreeLogic&) = delete;
    ShellTreeLogic& operator=(const ShellTreeLogic&) = delete;

    Settings& Options() { return settings_; }
    // Lets the owner refuse an item: return false to leave it out.
    std::function<bool(const ShellItem&)> OnAddFolder;

    const std::string& Root() const { return root_; }
    // A root folder name or a path; the same value in other letter case changes nothing.
    // Throws "Error Setting Path" when it resolves to nothing, keeping the previous root.
    void SetRoot(const std::string& root);
    // Both build the tree afresh, so that every loaded name and child follows the new rule.
    void SetObjectTypes(std::uint32_t types);
    void SetShowExt(ShowExtension rule);
    // Builds the tree afresh: one top node, expanded one level and selected.
    void CreateRoot();

    ShellItem* ItemOf(Node node) const;
    ShellItem* SelectedFolder() const { return ItemOf(nodes_.Selected()); }
    std::string SelectedPath() const;
    // Selects the item of a path, expanding its ancestors. Throws "Error Setting Path" when
    // the path does not parse.
    void SetPath(const std::string& path);

    // The toolkit is about to show a node's children: load them the first time.
    void Expanding(Node node);
    void ExpandNode(Node node);
    void RefreshNode(Node node);
    // Reloads the node of an absolute list when it is still in the tree.
    void RefreshItem(const IdList& absolute);
    Node FindNodeByID(const IdList& absolute, Node start) const;
    void DeleteNode(Node node);
    void Clear();

    // A label edit ended with `text`. Throws "Rename to %s failed" when the shell refuses;
    // an item that cannot be renamed keeps its name (false). On success the node shows the
    // new name and `parentToRefresh` holds the parent's list, to be reloaded once the edit's
    // notification has returned (reloading deletes the renamed node).
    bool Rename(Node node, const std::string& text, std::optional<IdList>& parentToRefresh);

    // Hooks around a command chosen from the shell's context menu of the selection.
    void BeforeShellVerb(const std::string& verb, bool& handled);
    void AfterShellVerb(const std::string& verb, bool succeeded);

private:
    void Rebuild();
    void ResolveRoot();
    void Populate(Node node);
    Node AddFolderNode(Node parent, Node before, std::unique_ptr<ShellItem> item);
    void Decorate(Node node, const ShellItem& item, bool shellImages);
    bool HasVisibleChildren(const ShellItem& item) const;
    template <class Visit>
    void WalkSubtree(Node start, Visit visit) const;

    ShellNamespace& space_;
    TreeNodes& nodes_;
    Settings settings_;
    std::string root_ = "rfDesktop";
    std::string previousRoot_ = "rfDesktop";
    std::unique_ptr<ShellItem> rootFolder_;
    std::map<Node, std::unique_ptr<ShellItem>> items_;
    bool syncing_ = false;
    std::optional<std::string> savedDirectory_;
};

}  // namespace lw::controls
