#include "platform/ListBox.h"

#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::platform {

TListBox::TListBox(TComponent* owner, TWinControl* parent) : TListBox(owner, parent, DefaultCreateParams()) {}

TListBox::TListBox(TComponent* owner, TWinControl* parent, const TCreateParams& params) : TWinControl(owner, parent) {
    CreateHandle(params);
    SetColor(clWindow);
}

TCreateParams TListBox::DefaultCreateParams() {
    return {.ClassName = L"LISTBOX",
            .Style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
            .ExStyle = WS_EX_CLIENTEDGE};
}

int TListBox::Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

void TListBox::Add(std::string_view utf8) { AddW(Utf8ToWide(utf8)); }

void TListBox::AddW(std::wstring_view text) {
    const std::wstring item(text);
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TListBox::Clear() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }

std::wstring TListBox::ItemW(int index) const {
    if (index < 0 || index >= Count()) throw Exception(FormatMessageText("List index out of bounds (%d)", index));
    std::wstring text(static_cast<size_t>(SendMessageW(Handle(), LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::string TListBox::Item(int index) const { return WideToUtf8(ItemW(index)); }

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }
void TListBox::SetItemIndex(int index) { SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
void TListBox::SetItemHeight(int height) { SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, height); }

void TListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
        return;
    case CN_CTLCOLORLISTBOX:
        AnswerCtlColor(m);
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace lw::platform
