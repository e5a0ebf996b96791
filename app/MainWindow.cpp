#include "app/MainWindow.h"

#include "app/FormLayout.h"
#include "app/PathHandOver.h"
#include "app/SkinSetup.h"
#include "app/core/IoErrorText.h"
#include "app/core/MapListing.h"
#include "app/core/OpenRequest.h"
#include "app/core/ProfileInteger.h"
#include "controls/base/GroupBox.h"
#include "controls/base/Panel.h"
#include "platform/Application.h"
#include "platform/DroppedFiles.h"
#include "platform/Paths.h"
#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::app {

using namespace lw::platform;

namespace {

constexpr TColor kAddressColor = 16777088;
constexpr char kSection[] = "MAIN";
constexpr char kSaveKey[] = "SAVEP";
constexpr char kFolderKey[] = "LAST_DIRRECTORY";  // spelled so in every file ever written
// Posted to itself: open the paths second starts handed over.
constexpr UINT kOpenHandedOver = WM_APP + 0x40;
// Posted to itself: export the map selected by the time it is served.
constexpr UINT kExportSelected = WM_APP + 0x41;
// Posted to itself when made: what nobody sees before the first paint comes with the first
// message served, after it. Nothing can be dropped on a window not yet shown, and the icon shows
// only in the task bar (the skinned frame draws none); taking drops loads the shell's library,
// and the icon goes to the display server in four sizes, some milliseconds each.
constexpr UINT kAfterFirstPaint = WM_APP + 0x42;

// The skin manager with the program's stored skins, in the look the configuration keeps.
bridge::TsSkinManager& MakeSkinManager(TForm& form, AppServices& services) {
    auto& manager = form.Make<bridge::TsSkinManager>();
    manager.Name = "sSkinManager1";
    AddStoredSkins(manager);
    try {
        LoadStartSkin(manager, ReadSkinChoice(services.Configuration, manager), Application->Prompts());
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
    services.StartedSkin = services.KeptSkin = CurrentSkinChoice(manager);
    return manager;
}

}  // namespace

TMainForm::TMainForm(TComponent* owner, AppServices& services)
    : TForm(owner),
      skinManager(MakeSkinManager(*this, services)),
      controlsPanel(Place(Make<controls::TsPanel>(this), "sPanel2", {0, 0, 593, 281})),
      folderBox(Place(Make<controls::TsGroupBox>(&controlsPanel), "sGroupBox1", {16, 16, 561, 57})),
      path(Place(Make<controls::TsDirectoryEdit>(&folderBox), "path", {8, 24, 545, 21})),
      mapsBox(Place(Make<controls::TsGroupBox>(&controlsPanel), "sGroupBox2", {16, 80, 265, 193})),
      maps(Place(Make<controls::TsListBox>(&mapsBox), "maps", {8, 16, 249, 169})),
      aboutButton(MakeButton(*this, controlsPanel, "sBitBtn6", {296, 216, 265, 25}, "О программе", 4)),
      exitButton(MakeButton(*this, controlsPanel, "sBitBtn1", {296, 248, 265, 25}, "Выход", 2)),
      revertButton(MakeButton(*this, controlsPanel, "sBitBtn3", {296, 120, 265, 25}, "Отменить все изменения", 1)),
      saveButton(MakeButton(*this, controlsPanel, "sBitBtn4", {296, 88, 265, 25}, "Сохранить изменения", 0)),
      settingsButton(MakeButton(*this, controlsPanel, "sBitBtn2", {296, 152, 265, 25}, "Настройки", 3)),
      findButton(MakeButton(*this, controlsPanel, "sBitBtn5", {296, 184, 265, 25}, "Поиск в тексте", 9)),
      textPanel(Place(Make<controls::TsPanel>(this), "sPanel1", {0, 280, 593, 305})),
      console(Place(Make<controls::TsMemo>(&textPanel, TMemoStyle{.VerticalScrollBar = true, .WordWrap = true}),
                    "console", {16, 16, 561, 257})),
      siteLabel(Place(Make<controls::TsWebLabel>(&textPanel), "sWebLabel1", {224, 280, 128, 13})),
      loader(Make<TTimer>()),
      finder(Make<TFindDialog>()),
      services_(services),
      entities_({console, maps, path, finder, *this}, Application->Prompts(), services.Programs) {
    Name = "Form1";
    SetText("Lumpwright 1.0");
    SetClientSize(593, 585);

    controlsPanel.SetTabOrder(1);
    folderBox.SetText("Укажите каталог с картами:");
    folderBox.SetTabOrder(0);
    SetFieldColours(path);
    path.SetDirectInput(false);
    path.Root = "rfDesktop";
    path.GlyphMode().SetHint("Выбрать каталог с картами");
    path.OnChange = [this] { pathChange(); };
    mapsBox.SetText("Карты в каталоге:");
    mapsBox.SetTabOrder(1);
    SetFieldColours(maps);
    maps.SetItemHeight(13);
    aboutButton.SetTabOrder(2);
    exitButton.SetTabOrder(3);
    revertButton.SetTabOrder(4);
    saveButton.SetTabOrder(5);
    settingsButton.SetTabOrder(6);
    findButton.SetTabOrder(7);
    exitButton.OnClick = [this] { exitButtonClick(); };
    textPanel.SetTabOrder(0);  // first, so that the keyboard focus starts in the memo
    SetFieldColours(console);
    console.SetTabOrder(0);
    siteLabel.SetText(kProjectAddress);
    TFont addressFont = siteLabel.Font();
    addressFont.Color = kAddressColor;
    siteLabel.SetFont(addressFont);
    TFont hoverFont = addressFont;
    hoverFont.Color = clWindowText;
    siteLabel.SetHoverFont(hoverFont);
    siteLabel.URL = WideToUtf8(ProjectUrl());
    siteLabel.Launcher = &services.Programs;
    loader.Name = "loader";
    loader.SetInterval(10);
    loader.OnTimer = [this] { loaderTimer(); };
    finder.Name = "finder";

    maps.OnClick = [this] { mapsSelected(); };
    saveButton.OnClick = [this] { saveButtonClick(); };
    revertButton.OnClick = [this] { revertButtonClick(); };
    console.OnChange = [this] { consoleChange(); };
    findButton.OnClick = [this] { findButtonClick(); };
    finder.OnFind = [this] { finderFind(); };
    settingsButton.OnClick = [this] { settingsButtonClick(); };
    aboutButton.OnClick = [this] { aboutButtonClick(); };

    OnClose = [this](TCloseAction& action) { FormClose(action); };
    OnActivate = [this] { FormActivate(); };
    WindowProc = [this, next = WindowProc](TMessage& message) { HandleMessage(message, next); };
    // A map dropped on the folder field opens too; a folder keeps the field's own handling.
    path.WindowProc = [this, next = path.WindowProc](TMessage& message) {
        if (message.Msg != WM_DROPFILES || !FormDropFiles(reinterpret_cast<HDROP>(message.WParam))) next(message);
    };
    PostMessageW(Handle(), kAfterFirstPaint, 0, 0);
    AcceptHandOvers(Handle());
    OnShortCut = [this](WORD key, bool control) { return FormShortCut(key, control); };
    FormCreate();
}

void TMainForm::FormCreate() {
    IniStore& configuration = services_.Configuration;
    if (ProfileIntegerOr(configuration.ReadString(kSection, kSaveKey, ""), 1) != 0) {
        path.SetTextW(AnsiToWide(configuration.ReadString(kSection, kFolderKey, "")));
    } else {
        path.Clear();
    }
}

void TMainForm::FormClose(TCloseAction& action) {
    // Unsaved edits first: a window that stays open has not closed, so nothing is written.
    if (!entities_.MayClose()) {
        action = TCloseAction::None;
        return;
    }
    IniStore& configuration = services_.Configuration;
    const bool keepFolder =
        ProfileIntegerOr(configuration.ReadString(kSection, kSaveKey, ""), 1) != 0 && !folderFromOutside_;
    try {
        if (services_.KeptSkin != services_.StartedSkin) WriteSkinChoice(configuration, services_.KeptSkin);
        if (keepFolder) configuration.WriteString(kSection, kFolderKey, WideToAnsi(path.TextW()));
    } catch (const Exception& error) {
        // Reported, and the window closes all the same: refusing to close over a file that
        // cannot be written would leave the user no way out of the program.
        if (Application) Application->ShowException(error.what());
    }
}

// Back from the level editor or the compiler: the map may have been written anew meanwhile.
void TMainForm::FormActivate() { entities_.Activated(); }

bool TMainForm::FormShortCut(WORD key, bool control) {
    if (control && key == 'S') {
        saveButtonClick();
    } else if (control && key == 'F') {
        findButtonClick();
    } else if (!control && key == VK_F3) {
        entities_.FindNext();
    } else if (control && key == 'A' && GetFocus() == console.Handle()) {
        SendMessageW(console.Handle(), EM_SETSEL, 0, -1);
    } else {
        return false;
    }
    return true;
}

void TMainForm::HandleMessage(TMessage& message, const std::function<void(TMessage&)>& next) {
    switch (message.Msg) {
    case WM_DROPFILES:
        // Anything else dropped on the window goes where the folder field would take it.
        if (!FormDropFiles(reinterpret_cast<HDROP>(message.WParam))) {
            SendMessageW(path.Handle(), WM_DROPFILES, message.WParam, 0);
        }
        return;
    case WM_COPYDATA:
        // The sender waits for the answer: the map is opened afterwards, from the queue.
        if (std::optional<std::wstring> handed = HandedOverPath(message.LParam)) {
            handedOver_.push_back(std::move(*handed));
            PostMessageW(Handle(), kOpenHandedOver, 0, 0);
            message.Result = TRUE;
            return;
        }
        break;
    case kAfterFirstPaint:
        windowIcon_.reset(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 48, 48, LR_DEFAULTCOLOR)));
        SetIcon(windowIcon_.get());
        path.SetAcceptFiles(true);
        DragAcceptFiles(Handle(), TRUE);
        return;
    case kExportSelected:
        exportPosted_ = false;
        mapsClick();
        return;
    case kOpenHandedOver: {
        if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
        SetForegroundWindow(Handle());
        const std::vector<std::wstring> paths = std::exchange(handedOver_, {});
        for (const std::wstring& handed : paths) OpenPath(handed, true);
        return;
    }
    }
    next(message);
}

bool TMainForm::FormDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    for (const std::optional<std::string>& name : DroppedNames(drop)) {
        if (name) paths.push_back(*name);
    }
    const std::optional<std::string> map = FirstMap(paths);
    if (!map) return false;
    DragFinish(drop);
    OpenPath(Utf8ToWide(*map));
    return true;
}

void TMainForm::OpenPath(const std::wstring& given, bool fromOutside) {
    const std::wstring full = FullPath(given);
    const auto Refuse = [&](OpenRequest::Kind kind) {
        Application->Prompts().Show(Handle(), OpenFailureText(kind, WideToUtf8(full)), "Ошибка", MB_OK | MB_ICONERROR);
    };
    const DWORD attributes = GetFileAttributesW(full.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const OpenRequest request =
        ClassifyOpenPath(WideToUtf8(full), exists, exists && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    if (request.kind == OpenRequest::Kind::Missing || request.kind == OpenRequest::Kind::NotAMap)
        return Refuse(request.kind);
    if (request.kind == OpenRequest::Kind::Map && !entities_.MayLeave()) return;
    ShowFolder(Utf8ToWide(request.folder));
    folderFromOutside_ = fromOutside;
    if (request.kind == OpenRequest::Kind::Folder) return;
    // File names compare without case, as the system finds them.
    const std::wstring entry = Utf8ToWide(request.entry);
    for (int i = 0; i < maps.Count(); ++i) {
        if (CompareStringOrdinal(Utf8ToWide(maps.Item(i)).c_str(), -1, entry.c_str(), -1, TRUE) == CSTR_EQUAL) {
            maps.SetItemIndex(i);
            return entities_.mapsClick();
        }
    }
    Refuse(OpenRequest::Kind::Missing);
}

// Listed at once rather than on the loader's tick, so that the map can be selected.
void TMainForm::ShowFolder(const std::wstring& folder) {
    path.SetTextW(folder);
    loaderTimer();
}

void TMainForm::exitButtonClick() { Close(); }

void TMainForm::pathChange() {
    folderFromOutside_ = false;
    loader.SetEnabled(true);
}

void TMainForm::loaderTimer() {
    const std::wstring folder = path.TextW();
    maps.Clear();
    if (!SetCurrentDirectoryW(folder.c_str())) {
        const DWORD code = GetLastError();
        loader.SetEnabled(false);
        throw Exception(FolderErrorText(code, WideToUtf8(folder)));
    }
    WIN32_FIND_DATAW entry;
    FindHandle search(FindFirstFileW(L"*.bsp", &entry));
    if (search.get() != INVALID_HANDLE_VALUE) {
        do {
            if (IsListedMap(entry.cFileName, entry.dwFileAttributes)) maps.AddW(entry.cFileName);
        } while (FindNextFileW(search.get(), &entry));
    }
    loader.SetEnabled(false);
}

// Selections made while an export runs wait in the queue behind it; however many there are, one
// export of the last of them follows.
void TMainForm::mapsSelected() {
    if (exportPosted_) return;
    exportPosted_ = PostMessageW(Handle(), kExportSelected, 0, 0) != FALSE;
    if (!exportPosted_) mapsClick();
}

void TMainForm::mapsClick() {
    folderFromOutside_ = false;
    entities_.mapsClick();
}

void TMainForm::saveButtonClick() {
    folderFromOutside_ = false;
    entities_.Save();
}

void TMainForm::revertButtonClick() { entities_.Revert(); }

void TMainForm::consoleChange() { entities_.consoleChange(); }

void TMainForm::findButtonClick() { entities_.StartFind(); }

void TMainForm::finderFind() { entities_.finderFind(); }

// The About and Settings windows are the main window's siblings, named as their layouts say.
void TMainForm::settingsButtonClick() {
    if (auto* settings = Owner() ? dynamic_cast<TForm*>(Owner()->FindComponent("Form3")) : nullptr) settings->Show();
}

void TMainForm::aboutButtonClick() {
    if (auto* about = Owner() ? dynamic_cast<TForm*>(Owner()->FindComponent("Form2")) : nullptr) {
        about->Show();
        SetEnabled(false);
    }
}

}  // namespace lw::app
