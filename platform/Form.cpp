#include "platform/Form.h"

#include "platform/Application.h"
#include "platform/FindDialog.h"

namespace lw::platform {
namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

HWND MainWindow() { return Application && Application->MainForm() ? Application->MainForm()->Handle() : nullptr; }

std::vector<TForm*>& FormList() {
    static std::vector<TForm*> forms;
    return forms;
}

}  // namespace

TForm::TForm(TComponent* owner) : TForm(owner, DefaultCreateParams()) {}

TForm::TForm(TComponent* owner, const TCreateParams& params) : TCustomControl(owner, nullptr, params) {
    SetLoading();
    FormList().push_back(this);
    if (Application && !Application->MainForm()) Application->SetMainForm(this);
}

TForm::~TForm() {
    std::erase(FormList(), this);
    if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

const std::vector<TForm*>& TForm::AllForms() { return FormList(); }

TCreateParams TForm::DefaultCreateParams() {
    return {.Style = kFormStyle, .ExStyle = kFormExStyle, .ParentWindow = MainWindow()};
}

void TForm::SetClientSize(int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(Handle(), GWL_EXSTYLE)));
    Resize(frame.right - frame.left, frame.bottom - frame.top, false);
}

void TForm::SetOuterSize(int width, int height) { Resize(width, height, true); }

void TForm::Resize(int width, int height, bool outerGiven) {
    TBounds bounds = Bounds();
    bounds.Width = width;
    bounds.Height = height;
    SetBounds(bounds);
    keepsOuterSize_ = outerGiven;
}

SIZE TForm::ClientSize() const {
    RECT client;
    GetClientRect(Handle(), &client);
    return {client.right, client.bottom};
}

void TForm::SetIcon(HICON icon) {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TForm::Show() {
    FinishLoading();  // a form built outside an owner's Make is complete by the time it shows
    if (!shownOnce_) {
        shownOnce_ = true;
        TBounds bounds = Bounds();
        bounds.Left = (GetSystemMetrics(SM_CXSCREEN) - bounds.Width) / 2;
        bounds.Top = (GetSystemMetrics(SM_CYSCREEN) - bounds.Height) / 2;
        SetBounds(bounds);
    }
    if (!Visible()) {
        SetVisible(true);
        if (OnShow) OnShow();
    }
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
    RestoreFocus();
}

void TForm::Hide() { SetVisible(false); }

void TForm::Close() {
    TCloseAction action = TCloseAction::Hide;
    if (OnClose) OnClose(action);
    if (action == TCloseAction::None) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    Hide();
    if (Application && Application->MainForm() == this) Application->Terminate();
}

int TForm::ShowModal() {
    HWND owner = GetWindow(Handle(), GW_OWNER);
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    while (modalResult_ == mrNone && Application && !Application->Terminated()) Application->HandleMessage();
    modal_ = false;
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    Hide();
    return modalResult_;
}

TWinControl* TForm::ActiveControl() const {
    if (TWinControl* focused = FromHandle(lastFocus_); focused && IsWindow(lastFocus_)) return focused;
    return FirstTabStop();
}

void TForm::RestoreFocus() {
    if (TWinControl* control = ActiveControl()) control->SetFocus();
}

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        } else if (Visible()) {
            RestoreFocus();
            if (OnActivate) OnActivate();
        }
        return;
    case WM_SETFOCUS:
        RestoreFocus();
        return;
    }
    if (TFindDialog::Dispatch(m)) return;
    TCustomControl::WndProc(m);
}

}  // namespace lw::platform
