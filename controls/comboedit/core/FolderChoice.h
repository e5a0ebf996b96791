#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lw::controls {

// The edit's read-only state from its two flags: DirectInput off makes the text untypeable
// (no typing, pasting or cutting) while the button keeps working; ReadOnly stops both.
struct InputState {
    bool DirectInput = true;
    bool ReadOnly = false;
    bool EditReadOnly() const { return ReadOnly || !DirectInput; }
    bool ButtonWorks() const { return !ReadOnly; }
};

// What choosing a folder needs of the file system and of the folder picker.
class FolderChoiceHost {
public:
    virtual ~FolderChoiceHost() = default;
    virtual bool DirectoryExists(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Throws the platform's I/O error when the folder cannot be made current.
    virtual void ChangeDirectory(const std::string& path) = 0;

    struct DialogRequest {
        std::string Root;
        std::string LabelText;
        bool AllowCreate = true;
        std::string InitialFolder;  // empty: nothing selected at start
    };
    // Shows the picker modally: the selected path after OK, nothing after Cancel.
    virtual std::optional<std::string> RunDialog(const DialogRequest& request) = 0;
};

struct FolderChoiceSettings {
    std::string Root = "rfDesktop";
    std::string DialogText;
    bool AllowCreate = true;
    bool NoChangeDir = false;
};

// The directory edit's button action. `text` is the field's text; `initialDir` is updated
// after a successful choice. Returns the folder to put into the field, or nothing.
// `beforeDialog` may change the starting text or stop the action; `afterDialog` sees the outcome.
using DialogEvent = std::function<void(std::string& folder, bool& goOn)>;
std::optional<std::string> ChooseFolder(FolderChoiceHost& host, const FolderChoiceSettings& settings,
                                        const std::string& text, std::string& initialDir,
                                        const DialogEvent& beforeDialog, const DialogEvent& afterDialog);

// The field's text after names were dropped on it: a file gives its folder with a trailing
// separator, a folder itself. Only the first name counts unless `multipleDirs`, which appends
// after ";". Names that could not be read whole come as nothing and are skipped.
std::string DroppedText(FolderChoiceHost& host, const std::string& text,
                        const std::vector<std::optional<std::string>>& names, bool multipleDirs);

// The text with its folder, or with `multipleDirs` each of its ";"-separated folders, put into
// another form by `convert` (the platform's long or short names); empty results are left out.
std::string ConvertFolders(const std::string& text, bool multipleDirs,
                           const std::function<std::string(const std::string&)>& convert);

}  // namespace lw::controls
