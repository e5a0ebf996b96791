#pragma once
#include <string>

#include "controls/comboedit/ComboEdit.h"

namespace lw::controls {

// A folder field whose button opens "Select directory" on the field's folder; the folder
// chosen there becomes the text (OnChange fires when it differs).
class TsDirectoryEdit : public TsFileDirEdit {
public:
    TsDirectoryEdit(platform::TComponent* owner, platform::TWinControl* parent);

    std::string InitialDir;
    std::string DialogText;
    std::string Root = "rfDesktop";
    bool AllowCreate = true;
    bool NoChangeDir = false;

    // Where the dialog runs; the real one unless a test puts its own.
    FolderChoiceHost* Host = nullptr;

protected:
    void ButtonAction() override;
};

}  // namespace lw::controls
