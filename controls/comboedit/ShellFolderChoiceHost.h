#pragma once
#include "controls/comboedit/core/FolderChoice.h"

namespace lw::controls {

// Choosing a folder for real: the file system and the "Select directory" dialog.
class ShellFolderChoiceHost : public FolderChoiceHost {
public:
    bool DirectoryExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    void ChangeDirectory(const std::string& path) override;
    std::optional<std::string> RunDialog(const DialogRequest& request) override;
};

}  // namespace lw::controls
