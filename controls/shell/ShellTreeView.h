#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/shell/ShellChangeNotifier.h"
#include "controls/shell/SkinnedTreeView.h"
#include "controls/shell/SystemShell.h"
#include "controls/shell/core/ShellTreeLogic.h"

namespace lw::controls {

// A tree of the platform shell's namespace from a root (the desktop by default): children are
// loaded when a folder first opens, names and icons are the shell's, items can be renamed in
// place and offer the shell's own context menu.
class TsShellTreeView : public TsTreeView {
public:
    TsShellTreeView(platform::TComponent* owner, platform::TWinControl* parent);
    ~TsShellTreeView() override;

    const std::string& Root() const { return logic_->Root(); }
    // Throws "Error Setting Path" when the root resolves to nothing; the previous root stays.
    void SetRoot(const std::string& root) { logic_->SetRoot(root); }
    std::string SelectedPath() const { return logic_->SelectedPath(); }
    ShellItem* SelectedFolder() const { return logic_->SelectedFolder(); }
    ShellItem* FolderOf(HTREEITEM node) const { return logic_->ItemOf(node); }
    // Throws "Error Setting Path" when the path does not parse.
    void SetPath(const std::string& path) { logic_->SetPath(path); }
    void RefreshNode(HTREEITEM node) { logic_->RefreshNode(node); }

    std::uint32_t ObjectTypes() const { return logic_->Options().ObjectTypes; }
    // Both build the tree afresh under the new rule.
    void SetObjectTypes(std::uint32_t types) { logic_->SetObjectTypes(types); }
    ShowExtension ShowExt() const { return logic_->Options().ShowExt; }
    void SetShowExt(ShowExtension rule) { logic_->SetShowExt(rule); }

    // Watches the selected folder (the root's until there is a selection) and reloads the
    // selection when something in it changes.
    bool AutoRefresh() const { return autoRefresh_; }
    void SetAutoRefresh(bool on);
    // The watcher of the selected folder; none while AutoRefresh is off.
    TgwShellChangeNotifier* Watcher() const { return watcher_.get(); }

    bool UseShellImages() const { return useShellImages_; }
    void SetUseShellImages(bool use);
    bool AutoContextMenus = true;

    // Override points for a command chosen from the shell's context menu shown for this tree.
    virtual void BeforeShellVerb(const std::string& verb, bool& handled) { logic_->BeforeShellVerb(verb, handled); }
    virtual void AfterShellVerb(const std::string& verb, bool succeeded) { logic_->AfterShellVerb(verb, succeeded); }

protected:
    void WndProc(platform::TMessage& message) override;
    void Change(HTREEITEM node) override;
    // Shows the shell's menu of the selection and answers the command chosen (0: none).
    // Override to choose without a person at the screen.
    virtual int TrackShellMenu(HMENU popup, POINT screen);
    // The verb of a command of the shell menu being shown; empty when there is none.
    std::string MenuVerb(int command) const;
    bool CanExpand(HTREEITEM node) override;
    bool Edited(HTREEITEM node, const std::wstring& text) override;
    void Loaded() override;

private:
    class Nodes;
    void ApplyImageRule();
    // The system image list, which the whole process shares, takes this tree's colour behind
    // its icons.
    void ImagesTakeOwnColour();
    void ShowShellMenu(POINT screen);
    void WatchFolderOf(HTREEITEM node);

    std::unique_ptr<SystemShell> shell_;
    std::unique_ptr<Nodes> nodes_;
    std::unique_ptr<ShellTreeLogic> logic_;
    std::vector<IdList> pendingRefresh_;
    IContextMenu* shownMenu_ = nullptr;
    // A watcher that starts no thread until it has a handler, as the tree starts out.
    std::unique_ptr<TgwShellChangeNotifier> watcher_ = std::make_unique<TgwShellChangeNotifier>();
    bool autoRefresh_ = false;
    bool useShellImages_ = true;
    bool settingImages_ = false;
};

}  // namespace lw::controls
