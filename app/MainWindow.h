#pragma once
#include <cstdint>

#include "app/AppServices.h"
#include "app/EntityEditing.h"
#include "bridge/SkinManager.h"
#include "controls/buttons/BitBtn.h"
#include "controls/comboedit/DirectoryEdit.h"
#include "controls/edits/Memo.h"
#include "controls/labels/WebLabel.h"
#include "controls/listbox/AlphaListBox.h"
#include "platform/Containers.h"
#include "platform/DroppedFiles.h"
#include "platform/Edits.h"
#include "platform/FindDialog.h"
#include "platform/Form.h"
#include "platform/Handles.h"
#include "platform/Text.h"
#include "platform/Timer.h"

namespace lw::app {

// The main window: the map folder, its maps, the entity text of the selected map and the
// buttons that act on it.
class TMainForm : public platform::TForm {
public:
    TMainForm(platform::TComponent* owner, AppServices& services);

    // First, so that it is the default manager before any control is made.
    bridge::TsSkinManager& skinManager;
    platform::TPanel& controlsPanel;
    platform::TGroupBox& folderBox;
    controls::TsDirectoryEdit& path;
    platform::TGroupBox& mapsBox;
    controls::TsListBox& maps;
    controls::TsBitBtn& aboutButton;
    controls::TsBitBtn& exitButton;
    controls::TsBitBtn& revertButton;
    controls::TsBitBtn& saveButton;
    controls::TsBitBtn& settingsButton;
    controls::TsBitBtn& findButton;
    platform::TPanel& textPanel;
    controls::TsMemo& console;
    controls::TsWebLabel& siteLabel;
    platform::TTimer& loader;
    platform::TFindDialog& finder;

    // State of the entity export, import and find handlers.
    bool Modified() const { return entities_.Editor().Modified(); }
    std::int32_t LastIndex() const { return entities_.Editor().LastIndex(); }
    std::int32_t FindPos() const { return entities_.FindPos(); }

    void FormCreate();
    void FormClose(platform::TCloseAction& action);
    void FormActivate();
    // Maps dropped anywhere on the window open as OpenPath opens them; true when the drop held one.
    bool FormDropFiles(HDROP drop);

    // Opens what a path from outside the list names: a map (its folder listed, the map selected
    // and its text loaded, after the question about unsaved edits), or a folder; anything else
    // is reported, naming the path. `fromOutside`: a command line or a second start, which
    // leaves the remembered folder as it was unless the user goes on working.
    void OpenPath(const std::wstring& path, bool fromOutside = false);
    bool FormShortCut(WORD key, bool control);
    void exitButtonClick();
    void pathChange();
    void loaderTimer();
    // The list's selection changed: the export follows from the queue.
    void mapsSelected();
    // Exports the selected map now.
    void mapsClick();
    void saveButtonClick();
    void revertButtonClick();
    void consoleChange();
    void findButtonClick();
    void finderFind();
    void settingsButtonClick();
    void aboutButtonClick();

private:
    void ShowFolder(const std::wstring& folder);
    void HandleMessage(platform::TMessage& message, const std::function<void(platform::TMessage&)>& next);

    AppServices& services_;
    platform::IconHandle windowIcon_;
    EntityEditing entities_;
    // Paths handed over by second starts, opened once the sender has been answered.
    std::vector<std::wstring> handedOver_;
    bool folderFromOutside_ = false;
    bool exportPosted_ = false;
};

// The address the web label shows and opens.
inline constexpr char kProjectAddress[] = "lumpwright.example.org";
// What the web label and "На сайт" open.
inline std::wstring ProjectUrl() { return L"https://" + platform::Utf8ToWide(kProjectAddress); }

}  // namespace lw::app
