#include "controls/comboedit/core/FolderChoice.h"

#include <algorithm>

namespace lw::controls {

std::optional<std::string> ChooseFolder(FolderChoiceHost& host, const FolderChoiceSettings& settings,
                                        const std::string& text, std::string& initialDir,
                                        const DialogEvent& beforeDialog, const DialogEvent& afterDialog) {
    std::string folder = text;
    bool goOn = true;
    if (beforeDialog) beforeDialog(folder, goOn);
    if (!goOn) return std::nullopt;
    if (folder.empty()) folder = initialDir;
    if (!host.DirectoryExists(folder)) {
        folder.clear();
    } else if (!settings.NoChangeDir) {
        host.ChangeDirectory(folder);
    }

    std::optional<std::string> chosen;
    if (auto selected = host.RunDialog({settings.Root, settings.DialogText, settings.AllowCreate, folder})) {
        folder = *selected;
        if (!folder.empty() && host.DirectoryExists(folder)) {
            initialDir = folder;
            chosen = folder;
        }
    }
    if (afterDialog) afterDialog(folder, goOn);
    return chosen;
}

namespace {

std::string FolderOfFile(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string DroppedText(FolderChoiceHost& host, const std::string& text,
                        const std::vector<std::optional<std::string>>& names, bool multipleDirs) {
    std::string result = text;
    for (const auto& name : names) {
        // A cut name would enter a folder that was never dropped.
        if (!name) continue;
        const std::string folder = host.FileExists(*name) ? FolderOfFile(*name) : *name;
        result = multipleDirs && !result.empty() ? result + ";" + folder : folder;
        if (!multipleDirs) break;
    }
    return result;
}

std::string ConvertFolders(const std::string& text, bool multipleDirs,
                           const std::function<std::string(const std::string&)>& convert) {
    if (!multipleDirs) return convert(text);
    std::string result;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        if (const std::string folder = convert(text.substr(start, end - start)); !folder.empty())
            result += (result.empty() ? "" : ";") + folder;
        start = end + 1;
    }
    return result;
}

}  // namespace lw::controls
