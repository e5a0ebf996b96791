#include "controls/pathdialog/PathDialog.h"

#include "bridge/SkinCommands.h"
#include "controls/shell/core/ShellNames.h"
#include "platform/Application.h"
#include "platform/Text.h"

namespace lw::controls {
namespace {

using platform::TMessage;

constexpr int kMinWidth = 275, kMinHeight = 250;
constexpr DWORD kSizableStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;

platform::TCreateParams DialogParams() {
    return {.Style = kSizableStyle,
            .ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
            .ParentWindow = platform::Application && platform::Application->MainForm()
                                ? platform::Application->MainForm()->Handle()
                                : nullptr};
}

template <class T>
T& Place(T& control, const char* name, const platform::TBounds& bounds) {
    control.Name = name;
    control.SetBounds(bounds);
    return control;
}

// Glyphs of the application's list: a tick, a cross, and the disk of making something new.
constexpr int kOkGlyph = 6, kCancelGlyph = 1, kCreateGlyph = 0;

controls::TsBitBtn& MakeButton(platform::TForm& form, const char* name, const platform::TBounds& bounds,
                               int modalResult, int glyph) {
    controls::TsBitBtn& button = Place(form.Make<controls::TsBitBtn>(&form), name, bounds);
    button.SkinData().SetSkinSection("BUTTON");
    button.SetShowFocus(false);
    button.SetModalResult(modalResult);
    if (TPathDialogForm::Glyphs) {
        button.SetImages(TPathDialogForm::Glyphs);
        button.SetImageIndex(glyph);
    }
    return button;
}

// The caption above the tree is the tree's bound label.
void BindLabel(controls::TsShellTreeView& tree) {
    controls::TsBoundLabel& bound = tree.BoundLabel();
    bound.SetCaption(" ");
    bound.SetLayout(controls::TsCaptionLayoutKind::sclTopLeft);
    bound.SetIndent(4);
    bound.SetActive(true);
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(platform::Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(platform::Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

const platform::TImageList* TPathDialogForm::Glyphs = nullptr;

TPathDialogForm::TPathDialogForm(platform::TComponent* owner)
    : TForm(owner, DialogParams()),
      sShellTreeView1(Place(Make<controls::TsShellTreeView>(this), "sShellTreeView1", {8, 20, 295, 299})),
      sBitBtn1(MakeButton(*this, "sBitBtn1", {137, 328, 75, 25}, platform::mrOk, kOkGlyph)),
      sBitBtn2(MakeButton(*this, "sBitBtn2", {214, 328, 75, 25}, platform::mrCancel, kCancelGlyph)),
      sBitBtn3(MakeButton(*this, "sBitBtn3", {12, 328, 75, 25}, platform::mrNone, kCreateGlyph)) {
    BindLabel(sShellTreeView1);
    Name = "PathDialogForm";
    SetText("Select directory");
    SetColor(platform::clBtnFace);
    SetOuterSize(319, 397);
    designClient_ = ClientSize();

    sShellTreeView1.SetTabOrder(0);
    sShellTreeView1.SetIndent(19);
    sShellTreeView1.SetShowRoot(false);
    sShellTreeView1.OnChange = [this] { sShellTreeView1Change(); };
    sBitBtn1.SetText("OK");
    sBitBtn1.SetDefault(true);
    sBitBtn1.SetTabOrder(1);
    sBitBtn1.OnClick = [this] { sBitBtn1Click(); };
    sBitBtn2.SetText("Cancel");
    sBitBtn2.SetCancel(true);
    sBitBtn2.SetTabOrder(2);
    sBitBtn2.OnClick = [this] { sBitBtn2Click(); };
    sBitBtn3.SetText("Create");
    sBitBtn3.SetTabOrder(3);
    sBitBtn3.SetEnabled(false);
    sBitBtn3.OnClick = [this] { sBitBtn3Click(); };
}

void TPathDialogForm::Loaded() {
    TForm::Loaded();
    AttachTreeBars();
}

void TPathDialogForm::AttachTreeBars() {
    controls::AttachScrollAdapter(sShellTreeView1.SkinData(), sShellTreeView1.AdapterSlot());
}

void TPathDialogForm::LoadTexts() {
    SetText("Select directory");
    sBitBtn1.SetText("OK");
    sBitBtn2.SetText("Cancel");
    sBitBtn3.SetText("Create");
}

void TPathDialogForm::sShellTreeView1Change() {
    const bool folder = IsDirectory(sShellTreeView1.SelectedPath());
    sBitBtn1.SetEnabled(folder);
    sBitBtn3.SetEnabled(folder);
}

void TPathDialogForm::sBitBtn1Click() {
    if (sShellTreeView1.IsEditing()) {
        // The name being typed is committed first; the window stays for a second OK.
        SetModalResult(platform::mrNone);
        sShellTreeView1.EndEditing(true);
        sShellTreeView1.SetFocus();
        return;
    }
    SetModalResult(platform::mrOk);
}

void TPathDialogForm::sBitBtn2Click() {
    SetModalResult(sShellTreeView1.IsEditing() ? platform::mrNone : platform::mrCancel);
}

void TPathDialogForm::MakeDirectory(const std::string& path) {
    CreateDirectoryW(platform::Utf8ToWide(path).c_str(), nullptr);
}

void TPathDialogForm::sBitBtn3Click() {
    const std::string candidate = controls::NewFolderName(sShellTreeView1.SelectedPath(), Exists);
    if (!candidate.empty()) MakeDirectory(candidate);
    if (candidate.empty() || !IsDirectory(candidate)) {
        HWND owner = GetActiveWindow();
        if (!owner && platform::Application && platform::Application->MainForm())
            owner = platform::Application->MainForm()->Handle();
        platform::Application->Prompts().Show(owner, "Directory " + candidate + " can`t be created!", "Error",
                                              MB_ICONERROR | MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
        return;
    }
    sShellTreeView1.RefreshNode(sShellTreeView1.Selected());
    AttachTreeBars();
    const HTREEITEM selected = sShellTreeView1.Selected();
    for (HTREEITEM child = sShellTreeView1.FirstChild(selected); child; child = sShellTreeView1.NextSibling(child)) {
        const controls::ShellItem* item = sShellTreeView1.FolderOf(child);
        if (!item || item->ParsingPath() != candidate) continue;
        sShellTreeView1.Select(child);
        sShellTreeView1.SetFocus();
        sShellTreeView1.Expand(child);
        sShellTreeView1.EditLabel(child);
        return;
    }
}

RECT TPathDialogForm::GripRect() const {
    const SIZE client = ClientSize();
    const int size = GetSystemMetrics(SM_CXVSCROLL);
    return {client.cx - size, client.cy - size, client.cx, client.cy};
}

// The anchors: the tree grows with the window, OK and Cancel keep to the bottom right and
// Create to the bottom left.
void TPathDialogForm::FollowSize() {
    const SIZE client = ClientSize();
    if (client.cx == 0 || designClient_.cx == 0) return;
    const int dx = client.cx - designClient_.cx, dy = client.cy - designClient_.cy;
    sShellTreeView1.SetBounds({8, 20, 295 + dx, 299 + dy});
    sBitBtn1.SetBounds({137 + dx, 328 + dy, 75, 25});
    sBitBtn2.SetBounds({214 + dx, 328 + dy, 75, 25});
    sBitBtn3.SetBounds({12, 328 + dy, 75, 25});
    InvalidateRect(Handle(), nullptr, TRUE);
}

// Without a skin, the platform's grip; the skin's frame draws its own, and answers for it.
void TPathDialogForm::PaintWindow(HDC dc) {
    if (bridge::SendSkinCommandToWindow(Handle(), skin::SMC_ISSKINNED, 0) == 1) return;
    RECT grip = GripRect();
    DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void TPathDialogForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(m.LParam)->ptMinTrackSize = {kMinWidth, kMinHeight};
        return;
    case WM_SIZE:
        TForm::WndProc(m);
        FollowSize();
        return;
    case WM_NCHITTEST: {
        TForm::WndProc(m);
        POINT point{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        ScreenToClient(Handle(), &point);
        const RECT grip = GripRect();
        if (m.Result == HTCLIENT && PtInRect(&grip, point)) m.Result = HTBOTTOMRIGHT;
        return;
    }
    }
    TForm::WndProc(m);
}

}  // namespace lw::controls
