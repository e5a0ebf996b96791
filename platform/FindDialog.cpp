#include "platform/FindDialog.h"

#include <dlgs.h>

#include <cwchar>

#include "platform/Application.h"
#include "platform/Control.h"
#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::platform {
namespace {
const UINT kFindMessage = RegisterWindowMessageW(FINDMSGSTRINGW);
}

TFindDialog::TFindDialog(TComponent* owner) : TComponent(owner) {
    request_.lStructSize = sizeof request_;
    request_.Flags = FR_DOWN;
    request_.lpstrFindWhat = buffer_;
    request_.wFindWhatLen = static_cast<WORD>(std::size(buffer_));
    request_.lCustData = reinterpret_cast<LPARAM>(this);
}

TFindDialog::~TFindDialog() { CloseDialog(); }

std::string TFindDialog::SearchText() const { return WideToUtf8(buffer_); }

void TFindDialog::SetSearchText(std::string_view utf8) {
    const std::wstring text = Utf8ToWide(utf8);
    wcsncpy(buffer_, text.c_str(), std::size(buffer_) - 1);
    if (handle_) SetDlgItemTextW(handle_, edt1, buffer_);
}

void TFindDialog::Execute() {
    if (handle_) {
        SetForegroundWindow(handle_);
        SetActiveWindow(handle_);
        return;
    }
    auto* ownerControl = dynamic_cast<TWinControl*>(Owner());
    request_.hwndOwner = ownerControl ? ownerControl->Handle() : nullptr;
    request_.Flags &= FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
    handle_ = ::FindTextW(&request_);
    if (!handle_) throw Exception("Cannot open the find dialog");
    if (Application) Application->AddModeless(handle_);
}

void TFindDialog::CloseDialog() {
    if (!handle_) return;
    if (Application) Application->RemoveModeless(handle_);
    HWND dialog = handle_;
    handle_ = nullptr;
    DestroyWindow(dialog);
}

bool TFindDialog::Dispatch(const TMessage& message) {
    if (message.Msg != kFindMessage) return false;
    const auto* request = reinterpret_cast<const FINDREPLACEW*>(message.LParam);
    auto* self = reinterpret_cast<TFindDialog*>(request->lCustData);
    if (request->Flags & FR_DIALOGTERM) {
        if (Application) Application->RemoveModeless(self->handle_);
        self->handle_ = nullptr;
    } else if ((request->Flags & FR_FINDNEXT) && self->OnFind) {
        self->OnFind();
    }
    return true;
}

}  // namespace lw::platform
