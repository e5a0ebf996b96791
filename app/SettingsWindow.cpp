#include "app/SettingsWindow.h"

#include "app/core/ProfileInteger.h"
#include "app/FormLayout.h"
#include "controls/base/GroupBox.h"
#include "controls/base/Panel.h"
#include "platform/Application.h"

namespace lw::app {

using namespace lw::platform;

namespace {

constexpr char kSection[] = "MAIN";
constexpr char kSaveKey[] = "SAVEP";
// The room the appearance group takes above the buttons, with the gap below it.
constexpr int kAppearanceHeight = 132;

}  // namespace

TForm3::TForm3(TComponent* owner, AppServices& services)
    : TForm(owner),
      sPanel1(Place(Make<controls::TsPanel>(this), "sPanel1", {0, 0, 481, 121 + kAppearanceHeight})),
      sGroupBox2(Place(Make<controls::TsGroupBox>(&sPanel1), "sGroupBox2", {16, 16, 449, 57})),
      sCheckBox1(Place(Make<controls::TsCheckBox>(&sGroupBox2), "sCheckBox1", {8, 24, 268, 20})),
      sBitBtn2(MakeButton(*this, sPanel1, "sBitBtn2", {16, 80 + kAppearanceHeight, 148, 25}, "Применить", 6)),
      sBitBtn3(MakeButton(*this, sPanel1, "sBitBtn3", {169, 80 + kAppearanceHeight, 146, 25}, "ОК", 6)),
      sBitBtn1(MakeButton(*this, sPanel1, "sBitBtn1", {320, 80 + kAppearanceHeight, 145, 25}, "Отмена", 1)),
      Appearance(*this, sPanel1, {16, 80, 449, kAppearanceHeight - 7}, services),
      services_(services) {
    Name = "Form3";
    SetText("Настройки");
    SetClientSize(481, 121 + kAppearanceHeight);

    sPanel1.SetTabOrder(0);
    sGroupBox2.SetText("Основные");
    sGroupBox2.SetTabOrder(0);
    sCheckBox1.SetText("Запоминать последний используемый каталог");
    sCheckBox1.SetChecked(true);
    sBitBtn1.SetTabOrder(1);
    sBitBtn2.SetTabOrder(2);
    sBitBtn3.SetTabOrder(3);

    sBitBtn2.OnClick = [this] { sBitBtn2Click(); };
    sBitBtn3.OnClick = [this] { sBitBtn3Click(); };
    sBitBtn1.OnClick = [this] { sBitBtn1Click(); };
    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    OnShortCut = [this](WORD key, bool control) { return FormShortCut(key, control); };
}

void TForm3::FormShow() {
    sCheckBox1.SetChecked(ProfileIntegerOr(services_.Configuration.ReadString(kSection, kSaveKey, ""), 1) != 0);
    Appearance.Opened();
}

void TForm3::sBitBtn2Click() {
    services_.Configuration.WriteString(kSection, kSaveKey, sCheckBox1.Checked() ? "1" : "0");
    Appearance.Keep();
}

void TForm3::sBitBtn3Click() {
    // A failed write throws past the close: the window stays open with the choice still shown.
    sBitBtn2.Click();
    Close();
}

void TForm3::sBitBtn1Click() { Close(); }

bool TForm3::FormShortCut(WORD key, bool) {
    if (key != VK_ESCAPE) return false;
    sBitBtn1Click();
    return true;
}

void TForm3::FormClose(TCloseAction&) {
    Appearance.Restore();
    if (Application && Application->MainForm()) Application->MainForm()->SetEnabled(true);
}

}  // namespace lw::app
