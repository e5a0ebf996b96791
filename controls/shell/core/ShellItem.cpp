#include "controls/shell/core/ShellItem.h"

namespace lw::controls {

ShellItem::ShellItem(ShellNamespace& space, const ShellItem* parent, std::shared_ptr<ShellFolder> folder, IdList itemId)
    : space_(space),
      parent_(parent),
      folder_(std::move(folder)),
      itemId_(std::move(itemId)),
      absoluteId_(ConcatIdLists(parent ? parent->AbsoluteID() : EmptyIdList(), itemId_)) {}

ShellFolder& ShellItem::Containing() const {
    if (parent_ && parent_->Folder()) return *parent_->Folder();
    return *space_.Desktop();
}

bool ShellItem::Has(std::uint32_t attribute) const {
    return (Containing().Attributes(itemId_, attribute) & attribute) != 0;
}

std::string ShellItem::ParsingPath() const {
    auto& desktop = *space_.Desktop();
    std::string path = CleanDisplayName(desktop.DisplayName(absoluteId_, NameKind::ForParsing).value_or(""));
    if (IsVirtualParsingName(path))
        path = CleanDisplayName(desktop.DisplayName(absoluteId_, NameKind::Normal).value_or(""));
    return path;
}

std::string ShellItem::NameAs(NameKind kind, ShowExtension rule) const {
    std::string name = CleanDisplayName(Containing().DisplayName(itemId_, kind).value_or(""));
    if (rule == ShowExtension::System) return name;
    const std::string path = CleanDisplayName(Containing().DisplayName(itemId_, NameKind::ForParsing).value_or(""));
    std::optional<std::string> fileExtension;
    if (!path.empty() && space_.FileExists(path)) fileExtension = ExtensionOf(path);
    return ApplyExtensionRule(std::move(name), rule, fileExtension);
}

std::string ShellItem::DisplayName(ShowExtension rule, NameKind kind) const {
    std::string name = NameAs(kind, rule);
    if (IsVirtualParsingName(name)) name = NameAs(NameKind::Normal, rule);
    return name;
}

bool ShellItem::RenameItem(const std::string& name) {
    auto renamed = Containing().Rename(itemId_, name);
    if (!renamed) return false;
    itemId_ = std::move(*renamed);
    absoluteId_ = ConcatIdLists(parent_ ? parent_->AbsoluteID() : EmptyIdList(), itemId_);
    return true;
}

}  // namespace lw::controls
