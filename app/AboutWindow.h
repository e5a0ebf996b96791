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
class TAboutForm : public platform::TForm {
public:
    TAboutForm(platform::TComponent* owner, AppServices& services);

    platform::TPanel& backPanel;
    platform::TPanel& logoPanel;
    TLogoImage& logo;
    platform::TPanel& textPanel;
    controls::TsMemo& aboutText;
    platform::TPanel& buttonsPanel;
    controls::TsBitBtn& siteButton;
    controls::TsBitBtn& helpButton;
    controls::TsBitBtn& closeButton;
    controls::TsLabel& noteLabel;

    void siteButtonClick();
    void closeButtonClick();
    void FormClose(platform::TCloseAction& action);
    bool FormShortCut(WORD key, bool control);

private:
    AppServices& services_;
};

}  // namespace lw::app
