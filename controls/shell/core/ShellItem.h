#pragma once
#include <memory>
#include <string>

#include "controls/shell/core/IdList.h"
#include "controls/shell/core/ShellNames.h"
#include "controls/shell/core/ShellNamespace.h"

namespace lw::controls {

// One item of the namespace as a tree node holds it. An item made without a parent lies in
// the desktop, and its ItemID is its whole list from the desktop.
class ShellItem {
public:
    ShellItem(ShellNamespace& space, const ShellItem* parent, std::shared_ptr<ShellFolder> folder, IdList itemId);

    const ShellItem* Parent() const { return parent_; }
    const IdList& ItemID() const { return itemId_; }
    const IdList& AbsoluteID() const { return absoluteId_; }
    // The item's own folder; null for items that are no folders.
    const std::shared_ptr<ShellFolder>& Folder() const { return folder_; }
    // The folder the item lies in.
    ShellFolder& Containing() const;

    // The file-system path, or the display name of a virtual folder.
    std::string ParsingPath() const;
    std::string DisplayName(ShowExtension rule, NameKind kind = NameKind::InFolder) const;
    bool IsFolder() const { return Has(kIsFolder); }
    bool HasSubFolders() const { return Has(kHasSubFolder); }
    bool IsShared() const { return Has(kShared); }
    bool CanRename() const { return Has(kCanRename); }
    // Gives the item a new name through the shell: false when the shell refused.
    bool RenameItem(const std::string& name);

private:
    bool Has(std::uint32_t attribute) const;
    std::string NameAs(NameKind kind, ShowExtension rule) const;

    ShellNamespace& space_;
    const ShellItem* parent_;
    std::shared_ptr<ShellFolder> folder_;
    IdList itemId_;
    IdList absoluteId_;
};

}  // namespace lw::controls
