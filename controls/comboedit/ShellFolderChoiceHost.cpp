#include "controls/comboedit/ShellFolderChoiceHost.h"

#include <windows.h>

#include <memory>

#include "controls/pathdialog/PathDialog.h"
#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::controls {

namespace {
DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(platform::Utf8ToWide(path).c_str()); }
}  // namespace

bool ShellFolderChoiceHost::DirectoryExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ShellFolderChoiceHost::FileExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ShellFolderChoiceHost::ChangeDirectory(const std::string& path) {
    if (!SetCurrentDirectoryW(platform::Utf8ToWide(path).c_str()))
        throw platform::Exception(platform::FormatMessageText("I/O error %d", static_cast<long long>(GetLastError())));
}

std::optional<std::string> ShellFolderChoiceHost::RunDialog(const DialogRequest& request) {
    auto dialog = std::make_unique<controls::TPathDialogForm>(nullptr);
    dialog->FinishLoading();
    dialog->LoadTexts();
    dialog->sBitBtn3.SetVisible(request.AllowCreate);
    dialog->sShellTreeView1.BoundLabel().SetCaption(request.LabelText.empty() ? " " : request.LabelText);
    dialog->sShellTreeView1.SetRoot(request.Root);
    if (!request.InitialFolder.empty()) dialog->sShellTreeView1.SetPath(request.InitialFolder);
    if (dialog->ShowModal() != platform::mrOk) return std::nullopt;
    return dialog->sShellTreeView1.SelectedPath();
}

}  // namespace lw::controls
