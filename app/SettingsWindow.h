#pragma once
#include "app/AppServices.h"
#include "app/AppearanceGroup.h"
#include "controls/buttons/BitBtn.h"
#include "controls/checkbox/CheckBox.h"
#include "platform/Containers.h"
#include "platform/Form.h"

namespace lw::app {

// The Settings window: whether the map folder is remembered between runs, and the look of every
// window. It keeps no copy of the folder setting: every showing reads the configuration file,
// every Apply writes it.
class TForm3 : public platform::TForm {
public:
    TForm3(platform::TComponent* owner, AppServices& services);

    platform::TPanel& sPanel1;
    platform::TGroupBox& sGroupBox2;
    controls::TsCheckBox& sCheckBox1;
    controls::TsBitBtn& sBitBtn2;
    controls::TsBitBtn& sBitBtn3;
    controls::TsBitBtn& sBitBtn1;
    TAppearanceGroup Appearance;

    void FormShow();
    void sBitBtn2Click();
    void sBitBtn3Click();
    void sBitBtn1Click();
    void FormClose(platform::TCloseAction& action);
    bool FormShortCut(WORD key, bool control);

private:
    AppServices& services_;
};

}  // namespace lw::app
