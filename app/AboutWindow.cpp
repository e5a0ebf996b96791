#include "app/AboutWindow.h"

#include "app/MainWindow.h"
#include "app/FormLayout.h"
#include "controls/base/Panel.h"
#include "platform/Application.h"
#include "platform/Text.h"

namespace lw::app {

using namespace lw::platform;

namespace {

constexpr char kAboutText[] =
    "Lumpwright 1.0\r\n"
    "\r\n"
    "Автор: разработчики Lumpwright\r\n"
    "e-mail: team@lumpwright.example.org\r\n"
    "\r\n"
    "Спасибо:\r\n"
    "zlib\r\n"
    "libpng\r\n"
    "libjpeg\r\n"
    "mingw-w64";

}  // namespace

TAboutForm::TAboutForm(TComponent* owner, AppServices& services)
    : TForm(owner),
      backPanel(Place(Make<controls::TsPanel>(this), "sPanel1", {0, 0, 465, 185})),
      logoPanel(Place(Make<controls::TsPanel>(&backPanel), "sPanel2", {8, 8, 121, 121})),
      logo(Place(Make<TLogoImage>(&logoPanel), "Image1", {11, 13, 105, 105})),
      textPanel(Place(Make<controls::TsPanel>(&backPanel), "sPanel4", {136, 8, 321, 121})),
      aboutText(Place(Make<controls::TsMemo>(&textPanel, TMemoStyle{.VerticalScrollBar = true, .WordWrap = true}),
                      "sMemo1", {8, 8, 305, 105})),
      buttonsPanel(Place(Make<controls::TsPanel>(&backPanel), "sPanel3", {8, 136, 449, 41})),
      siteButton(MakeButton(*this, buttonsPanel, "sBitBtn1", {8, 8, 137, 25}, "На сайт", 7)),
      helpButton(MakeButton(*this, buttonsPanel, "sBitBtn2", {157, 8, 137, 25}, "Помощь", 5)),
      closeButton(MakeButton(*this, buttonsPanel, "sBitBtn3", {304, 8, 137, 25}, "Закрыть", 2)),
      // Empty, and tucked behind the buttons' panel, so it shows nothing and takes no clicks.
      noteLabel(Place(Make<controls::TsLabel>(&backPanel), "sLabel4", {8, 136, 0, 0})),
      services_(services) {
    Name = "Form2";
    SetText("О программе");
    SetClientSize(465, 185);

    SetFieldColours(aboutText);
    aboutText.SetText(kAboutText);
    TFont labelFont = noteLabel.Font();
    labelFont.Color = clGray;
    noteLabel.SetFont(labelFont);

    siteButton.OnClick = [this] { siteButtonClick(); };
    helpButton.SetEnabled(false);
    closeButton.OnClick = [this] { closeButtonClick(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    OnShortCut = [this](WORD key, bool control) { return FormShortCut(key, control); };
}

void TAboutForm::siteButtonClick() { services_.Programs.OpenAddress(ProjectUrl()); }

void TAboutForm::closeButtonClick() { Close(); }

bool TAboutForm::FormShortCut(WORD key, bool) {
    if (key != VK_ESCAPE) return false;
    closeButtonClick();
    return true;
}

void TAboutForm::FormClose(TCloseAction&) {
    if (Application && Application->MainForm()) Application->MainForm()->SetEnabled(true);
}

}  // namespace lw::app
