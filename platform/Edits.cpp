#include "platform/Edits.h"

namespace lw::platform {

TCustomEdit::TCustomEdit(TComponent* owner, TWinControl* parent, const TCreateParams& params)
    : TWinControl(owner, parent) {
    CreateHandle(params);
    SetColor(clWindow);
}

TCreateParams TCustomEdit::EditParams(DWORD style) {
    return {.ClassName = L"EDIT", .Style = style | WS_TABSTOP, .ExStyle = WS_EX_CLIENTEDGE};
}

void TCustomEdit::SetTextW(std::wstring_view text) {
    if (TextW() == text) return;
    // The system notifies some programmatic changes and not others; report each exactly once.
    settingText_ = true;
    TWinControl::SetTextW(text);
    settingText_ = false;
    Change();
}

bool TCustomEdit::ReadOnly() const { return GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY; }
void TCustomEdit::SetReadOnly(bool readOnly) { SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0); }
void TCustomEdit::SetMaxLength(int length) { SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(length), 0); }

void TCustomEdit::Select(int start, int length) {
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

int TCustomEdit::SelStart() const {
    DWORD start = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const {
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::Change() {
    if (OnChange) OnChange();
}

void TCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == EN_CHANGE && !settingText_) Change();
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:  // a read-only edit asks for the static colours
        AnswerCtlColor(m);
        return;
    }
    TWinControl::WndProc(m);
}

TEdit::TEdit(TComponent* owner, TWinControl* parent) : TEdit(owner, parent, DefaultCreateParams()) {}

TEdit::TEdit(TComponent* owner, TWinControl* parent, const TCreateParams& params)
    : TCustomEdit(owner, parent, params) {}

TCreateParams TEdit::DefaultCreateParams() { return EditParams(ES_AUTOHSCROLL); }

TMemo::TMemo(TComponent* owner, TWinControl* parent, const TMemoStyle& style)
    : TMemo(owner, parent, DefaultCreateParams(style)) {}

TMemo::TMemo(TComponent* owner, TWinControl* parent, const TCreateParams& params) : TCustomEdit(owner, parent, params) {
    SetMaxLength(0);
}

TCreateParams TMemo::DefaultCreateParams(const TMemoStyle& style) {
    return EditParams(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | (style.VerticalScrollBar ? WS_VSCROLL : 0) |
                      (style.WordWrap ? 0 : ES_AUTOHSCROLL | WS_HSCROLL));
}

}  // namespace lw::platform
