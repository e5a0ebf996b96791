#include "controls/comboedit/DirectoryEdit.h"

#include "controls/comboedit/DefaultGlyphList.h"
#include "controls/comboedit/ShellFolderChoiceHost.h"
#include "controls/base/core/ControlKinds.h"

namespace lw::controls {

TsDirectoryEdit::TsDirectoryEdit(platform::TComponent* owner, platform::TWinControl* parent)
    : TsFileDirEdit(owner, parent) {
    SkinData().ControlKind = controls::ckDirectoryEdit;
    SetGlyphIndex(kFolderGlyph);
}

void TsDirectoryEdit::ButtonAction() {
    TsFileDirEdit::ButtonAction();
    ShellFolderChoiceHost shellHost;
    FolderChoiceHost& host = Host ? *Host : shellHost;
    FolderChoiceSettings settings;
    settings.Root = Root;
    settings.DialogText = DialogText;
    settings.AllowCreate = AllowCreate;
    settings.NoChangeDir = NoChangeDir;
    if (auto chosen = ChooseFolder(host, settings, Text(), InitialDir, OnBeforeDialog, OnAfterDialog)) SetText(*chosen);
}

}  // namespace lw::controls
