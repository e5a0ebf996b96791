#pragma once
#include "app/AppServices.h"
#include "app/Logo.h"
#include "controls/buttons/BitBtn.h"
#include "platform/Containers.h"
#include "controls/edits/Memo.h"
#include "controls/labels/Label.h"
#include "platform/Form.h"

namespace lw::app {

// The About window; created hidden at start. The main window is disabled while it shows.
class TForm2 : public platform::TForm {
public:
    TForm2(platform::TComponent* owner, AppServices& services);

    platform::TPanel& sPanel1;
    platform::TPanel& sPanel2;
    TLogoImage& Image1;
    platform::TPanel& sPanel4;
    controls::TsMemo& sMemo1;
    platform::TPanel& sPanel3;
    controls::TsBitBtn& sBitBtn1;
    controls::TsBitBtn& sBitBtn2;
    controls::TsBitBtn& sBitBtn3;
    controls::TsLabel& sLabel4;

    void sBitBtn1Click();
    void sBitBtn3Click();
    void FormClose(platform::TCloseAction& action);
    bool FormShortCut(WORD key, bool control);

private:
    AppServices& services_;
};

}  // namespace lw::app
