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

TForm2::TForm2(TComponent* owner, AppServices& services)
    : TForm(owner),
      sPanel1(Place(Make<controls::TsPanel>(this), "sPanel1", {0, 0, 465, 185})),
      sPanel2(Place(Make<controls::TsPanel>(&sPanel1), "sPanel2", {8, 8, 121, 121})),
      Image1(Place(Make<TLogoImage>(&sPanel2), "Image1", {11, 13, 105, 105})),
      sPanel4(Place(Make<controls::TsPanel>(&sPanel1), "sPanel4", {136, 8, 321, 121})),
      sMemo1(Place(Make<controls::TsMemo>(&sPanel4, TMemoStyle{.VerticalScrollBar = true, .WordWrap = true}), "sMemo1",
                   {8, 8, 305, 105})),
      sPanel3(Place(Make<controls::TsPanel>(&sPanel1), "sPanel3", {8, 136, 449, 41})),
      sBitBtn1(MakeButton(*this, sPanel3, "sBitBtn1", {8, 8, 137, 25}, "На сайт", 7)),
      sBitBtn2(MakeButton(*this, sPanel3, "sBitBtn2", {157, 8, 137, 25}, "Помощь", 5)),
      sBitBtn3(MakeButton(*this, sPanel3, "sBitBtn3", {304, 8, 137, 25}, "Закрыть", 2)),
      // Empty, and tucked behind the buttons' panel, so it shows nothing and takes no clicks.
      sLabel4(Place(Make<controls::TsLabel>(&sPanel1), "sLabel4", {8, 136, 0, 0})),
      services_(services) {
    Name = "Form2";
    SetText("О программе");
    SetClientSize(465, 185);

    SetFieldColours(sMemo1);
    sMemo1.SetText(kAboutText);
    TFont labelFont = sLabel4.Font();
    labelFont.Color = clGray;
    sLabel4.SetFont(labelFont);

    sBitBtn1.OnClick = [this] { sBitBtn1Click(); };
    sBitBtn2.SetEnabled(false);
    sBitBtn3.OnClick = [this] { sBitBtn3Click(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    OnShortCut = [this](WORD key, bool control) { return FormShortCut(key, control); };
}

void TForm2::sBitBtn1Click() {
    services_.Programs.OpenAddress(ProjectUrl());
}

void TForm2::sBitBtn3Click() { Close(); }

bool TForm2::FormShortCut(WORD key, bool) {
    if (key != VK_ESCAPE) return false;
    sBitBtn3Click();
    return true;
}

void TForm2::FormClose(TCloseAction&) {
    if (Application && Application->MainForm()) Application->MainForm()->SetEnabled(true);
}

}  // namespace lw::app
