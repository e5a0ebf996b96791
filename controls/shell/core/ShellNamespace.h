#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/shell/core/IdList.h"

namespace lw::controls {

// What the folder tree asks of the shell's namespace. The real one sits over the platform
// shell; tests use a deterministic one in memory. Texts are UTF-8.

enum class NameKind : std::uint32_t { Normal = 0, InFolder = 1, ForParsing = 0x8000 };

// Attribute bits, with the shell's values.
constexpr std::uint32_t kCanRename = 0x10;
constexpr std::uint32_t kShared = 0x20000;
constexpr std::uint32_t kHasSubFolder = 0x80000000;
constexpr std::uint32_t kIsFolder = 0x20000000;

// Which children an enumeration lists, with the shell's values.
constexpr std::uint32_t kListFolders = 32;
constexpr std::uint32_t kListNonFolders = 64;
constexpr std::uint32_t kListHidden = 128;

// One folder of the namespace; children are named by lists relative to it.
class ShellFolder {
public:
    virtual ~ShellFolder() = default;
    // The children, or nothing when the folder cannot be listed.
    virtual std::optional<std::vector<IdList>> Enumerate(std::uint32_t flags) = 0;
    // A child's own folder, or null for items that are no folders.
    virtual std::shared_ptr<ShellFolder> Bind(const IdList& child) = 0;
    // Order of two children: negative, 0 (same item, or the shell could not tell) or positive.
    virtual int Compare(const IdList& a, const IdList& b) = 0;
    virtual std::uint32_t Attributes(const IdList& child, std::uint32_t wanted) = 0;
    virtual std::optional<std::string> DisplayName(const IdList& child, NameKind kind) = 0;
    // Renames a child; the child's new list, or nothing when the shell refused.
    virtual std::optional<IdList> Rename(const IdList& child, const std::string& name) = 0;
};

class ShellNamespace {
public:
    virtual ~ShellNamespace() = default;
    virtual std::shared_ptr<ShellFolder> Desktop() = 0;
    virtual std::optional<IdList> SpecialFolder(int csidl) = 0;
    // An absolute path parsed by the desktop.
    virtual std::optional<IdList> Parse(const std::string& path) = 0;
    // A path made absolute against the process's current folder.
    virtual std::string ExpandFileName(const std::string& path) = 0;
    // Index of the item's small icon in the system image list (open look when asked).
    virtual int IconIndex(const IdList& absolute, bool open) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Hands an item that is no folder to the shell to open, in the folder holding it.
    virtual void OpenItem(const std::string& path, const std::string& folder) = 0;
    // The process's current folder.
    virtual std::string CurrentDirectory() = 0;
    virtual bool ChangeDirectory(const std::string& path) = 0;
};

// A failure of the tree the user is told about ("Error Setting Path", "Rename to %s failed").
class ShellError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace lw::controls
