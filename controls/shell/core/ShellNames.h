#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lw::controls {

// The special folders a tree's Root may name, in their declared order, with the shell's
// number for each.
struct RootFolderName {
    const char* Name;
    int Csidl;
};
extern const RootFolderName kRootFolders[23];
// The shell's number of a root name, matched without regard to ASCII letter case.
std::optional<int> RootFolderCsidl(std::string_view name);
bool SameRoot(std::string_view a, std::string_view b);

// A shell name like "?1abc" (the shell's marker for a name it could not convert) is shown
// without any "?".
std::string CleanDisplayName(std::string name);
// "::{" leads the parsing names of virtual folders, which name no place on disk.
bool IsVirtualParsingName(std::string_view name);

// The path with exactly one trailing "\": empty stays empty, "\" stays, a final "/" becomes
// "\", a drive letter alone becomes "X:\".
std::string WithTrailingSeparator(std::string path);

// The first base + "New folder" + N (N = 1, 2, ...) for which nothing exists yet, file or
// folder; empty should every candidate be taken.
std::string NewFolderName(const std::string& selectedPath, const std::function<bool(const std::string&)>& exists);

// How file extensions are shown: as the shell shows them, always, never.
enum class ShowExtension { System, Show, Hide };
// The extension of a name, dot included; empty when the last component has none.
std::string ExtensionOf(std::string_view name);
// Applies the extension rule to a shell name; `fileExtension` is the extension of the file
// at the item's parsing path, or nothing when no file exists there.
std::string ApplyExtensionRule(std::string name, ShowExtension rule, const std::optional<std::string>& fileExtension);

}  // namespace lw::controls
