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
class TSettingsForm : public platform::TForm {
public:
    TSettingsForm(platform::TComponent* owner, AppServices& services);

    platform::TPanel& backPanel;
    platform::TGroupBox& mainBox;
    controls::TsCheckBox& rememberFolder;
    controls::TsBitBtn& applyButton;
    controls::TsBitBtn& okButton;
    controls::TsBitBtn& cancelButton;
    TAppearanceGroup appearance;

    void FormShow();
    void applyButtonClick();
    void okButtonClick();
    void cancelButtonClick();
    void FormClose(platform::TCloseAction& action);
    bool FormShortCut(WORD key, bool control);

private:
    AppServices& services_;
};

}  // namespace lw::app
