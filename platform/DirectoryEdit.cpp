#include "platform/DirectoryEdit.h"

#include <shlobj.h>

#include "platform/Buttons.h"

namespace lw::platform {

TDirectoryEdit::TDirectoryEdit(TComponent* owner, TWinControl* parent) : TEdit(owner, parent) {
    SetReadOnly(true);
    SetMaxLength(MAX_PATH - 5);  // 255 characters
    SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
    button_ = &Make<TButton>(this);
    button_->SetText("...");
    button_->SetTabStop(false);
    button_->OnClick = [this] { Browse(); };
}

void TDirectoryEdit::SetBounds(const TBounds& bounds) {
    TEdit::SetBounds(bounds);
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = client.bottom;  // a square button, as high as the text area
    button_->SetBounds({client.right - width, 0, width, client.bottom});
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TDirectoryEdit::Browse() {
    wchar_t chosen[MAX_PATH] = {};
    BROWSEINFOW browse{};
    browse.hwndOwner = GetAncestor(Handle(), GA_ROOT);
    browse.pszDisplayName = chosen;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&browse);
    if (!picked) return;
    const bool isFolder = SHGetPathFromIDListW(picked, chosen);
    CoTaskMemFree(picked);
    if (isFolder) SetTextW(chosen);
}

}  // namespace lw::platform
