#include "controls/shell/core/ShellNames.h"

#include <algorithm>
#include <climits>

namespace lw::controls {

const RootFolderName kRootFolders[23] = {
    {"rfDesktop", 0},
    {"rfMyComputer", 17},
    {"rfNetwork", 18},
    {"rfRecycleBin", 10},
    {"rfAppData", 26},
    {"rfCommonDesktopDirectory", 25},
    {"rfCommonPrograms", 23},
    {"rfCommonStartMenu", 22},
    {"rfCommonStartup", 24},
    {"rfControlPanel", 3},
    {"rfDesktopDirectory", 16},
    {"rfFavorites", 6},
    {"rfFonts", 20},
    {"rfInternet", 1},
    {"rfPersonal", 5},
    {"rfPrinters", 4},
    {"rfPrintHood", 27},
    {"rfPrograms", 2},
    {"rfRecent", 8},
    {"rfSendTo", 9},
    {"rfStartMenu", 11},
    {"rfStartup", 7},
    {"rfTemplates", 21},
};

namespace {
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool SameRoot(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::optional<int> RootFolderCsidl(std::string_view name) {
    for (const auto& root : kRootFolders)
        if (SameRoot(name, root.Name)) return root.Csidl;
    return std::nullopt;
}

std::string CleanDisplayName(std::string name) {
    if (name.size() > 1 && name[0] == '?' && name[1] >= '0' && name[1] <= '9') std::erase(name, '?');
    return name;
}

bool IsVirtualParsingName(std::string_view name) { return name.starts_with("::{"); }

std::string WithTrailingSeparator(std::string path) {
    if (path.empty() || path.back() == '\\') return path;
    if (path.back() == '/') {
        path.back() = '\\';
    } else {
        path += path.size() == 1 ? ":\\" : "\\";
    }
    return path;
}

std::string NewFolderName(const std::string& selectedPath, const std::function<bool(const std::string&)>& exists) {
    const std::string base = WithTrailingSeparator(selectedPath) + "New folder";
    for (int n = 1; n < INT_MAX; ++n) {
        std::string candidate = base + std::to_string(n);
        if (!exists(candidate)) return candidate;
    }
    return {};
}

std::string ExtensionOf(std::string_view name) {
    const auto dot = name.find_last_of(".\\/:");
    if (dot == std::string_view::npos || name[dot] != '.') return {};
    return std::string(name.substr(dot));
}

std::string ApplyExtensionRule(std::string name, ShowExtension rule, const std::optional<std::string>& fileExtension) {
    if (rule == ShowExtension::System || !fileExtension) return name;
    const std::string shown = ExtensionOf(name);
    if (rule == ShowExtension::Show && shown != *fileExtension) name += *fileExtension;
    if (rule == ShowExtension::Hide && !shown.empty()) name.resize(name.size() - shown.size());
    return name;
}

}  // namespace lw::controls
