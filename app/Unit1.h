#pragma once
#include <cstdint>

#include "app/AppServices.h"
#include "platform/Buttons.h"
#include "platform/Containers.h"
#include "platform/DirectoryEdit.h"
#include "platform/Edits.h"
#include "platform/FindDialog.h"
#include "platform/Form.h"
#include "platform/Handles.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/Timer.h"

namespace lw::app {

// The main window: the map folder, its maps, the entity text of the selected map and the
// buttons that act on it.
class TForm1 : public platform::TForm {
public:
    TForm1(platform::TComponent* owner, AppServices& services);

    platform::TPanel& sPanel2;
    platform::TGroupBox& sGroupBox1;
    platform::TDirectoryEdit& path;
    platform::TGroupBox& sGroupBox2;
    platform::TListBox& maps;
    platform::TButton& sBitBtn6;
    platform::TButton& sBitBtn1;
    platform::TButton& sBitBtn3;
    platform::TButton& sBitBtn4;
    platform::TButton& sBitBtn2;
    platform::TButton& sBitBtn5;
    platform::TPanel& sPanel1;
    platform::TMemo& console;
    platform::TLabel& sWebLabel1;
    platform::TTimer& loader;
    platform::TFindDialog& finder;

    // Shared with the entity export, import and find handlers.
    bool Modified = false;
    std::int32_t LastIndex = 0;
    std::int32_t FindPos = 0;

    void FormCreate();
    void FormClose(platform::TCloseAction& action);
    void sBitBtn1Click();
    void pathChange();
    void loaderTimer();
    void sWebLabel1Click();

private:
    AppServices& services_;
    platform::IconHandle windowIcon_;
};

// The address the web label shows and opens.
inline constexpr char kProjectAddress[] = "lumpwright.example.org";

}  // namespace lw::app
