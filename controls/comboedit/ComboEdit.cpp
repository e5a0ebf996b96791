#include "controls/comboedit/ComboEdit.h"

#include <shellapi.h>

#include "controls/comboedit/ShellFolderChoiceHost.h"
#include "platform/Text.h"

namespace lw::comboedit {

namespace {
constexpr int kButtonWidth = 16;  // the glyph's width
constexpr unsigned kAlt = 0x8000, kCtrl = 0x4000, kShift = 0x2000;
}  // namespace

TsCustomComboEdit::TsCustomComboEdit(platform::TComponent* owner, platform::TWinControl* parent) : TEdit(owner, parent) {
    SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
    button_ = &Make<TsEditButton>(this);
    button_->OnClick = [this] { ButtonClick(); };
    platform::TBounds bounds = Bounds();
    bounds.Height = 21;
    SetBounds(bounds);
}

void TsCustomComboEdit::SetDirectInput(bool directInput) {
    input_.DirectInput = directInput;
    TEdit::SetReadOnly(input_.EditReadOnly());
}

void TsCustomComboEdit::SetReadOnly(bool readOnly) {
    input_.ReadOnly = readOnly;
    TEdit::SetReadOnly(input_.EditReadOnly());
}

void TsCustomComboEdit::SetShowButton(bool show) {
    showButton_ = show;
    PlaceButton();
}

void TsCustomComboEdit::SetBounds(const platform::TBounds& bounds) {
    TEdit::SetBounds(bounds);
    PlaceButton();
}

void TsCustomComboEdit::PlaceButton() {
    if (!button_) return;
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = showButton_ ? kButtonWidth : 0;
    button_->SetVisible(showButton_);
    button_->SetBounds({client.right - width, 0, width, client.bottom});
    // The text area ends where the button begins.
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TsCustomComboEdit::ButtonClick() {
    if (!input_.ButtonWorks()) return;
    ButtonAction();
}

void TsCustomComboEdit::ButtonAction() {
    if (OnButtonClick) OnButtonClick();
}

bool TsCustomComboEdit::IsClickKey(WPARAM key) const {
    unsigned shift = 0;
    if (GetKeyState(VK_MENU) < 0) shift |= kAlt;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrl;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShift;
    return (shift | static_cast<unsigned>(key)) == ClickKey;
}

void TsCustomComboEdit::WndProc(platform::TMessage& m) {
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (IsClickKey(m.WParam) && showButton_) {
            ButtonClick();
            return;
        }
        break;
    case WM_SIZE:
        TEdit::WndProc(m);
        PlaceButton();
        return;
    }
    TEdit::WndProc(m);
}

TsFileDirEdit::TsFileDirEdit(platform::TComponent* owner, platform::TWinControl* parent) : TsCustomComboEdit(owner, parent) {
    SetMaxLength(255);
}

void TsFileDirEdit::SetAcceptFiles(bool accept) {
    acceptFiles_ = accept;
    DragAcceptFiles(Handle(), accept);
}

void TsFileDirEdit::WndProc(platform::TMessage& m) {
    if (m.Msg == WM_DROPFILES) {
        HDROP drop = reinterpret_cast<HDROP>(m.WParam);
        std::vector<std::optional<std::string>> names;
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            std::wstring name(length + 1, L'\0');
            const UINT read = DragQueryFileW(drop, i, name.data(), length + 1);
            // A name that does not come back whole is never entered cut.
            if (length == 0 || read != length) {
                names.emplace_back();
            } else {
                name.resize(read);
                names.emplace_back(platform::WideToUtf8(name));
            }
        }
        DragFinish(drop);
        ShellFolderChoiceHost host;
        SetText(DroppedText(host, Text(), names, MultipleDirs));
        if (OnDropFiles) OnDropFiles();
        return;
    }
    TsCustomComboEdit::WndProc(m);
}

}  // namespace lw::comboedit
