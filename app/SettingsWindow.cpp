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

TSettingsForm::TSettingsForm(TComponent* owner, AppServices& services)
    : TForm(owner),
      backPanel(Place(Make<controls::TsPanel>(this), "sPanel1", {0, 0, 481, 121 + kAppearanceHeight})),
      mainBox(Place(Make<controls::TsGroupBox>(&backPanel), "sGroupBox2", {16, 16, 449, 57})),
      rememberFolder(Place(Make<controls::TsCheckBox>(&mainBox), "sCheckBox1", {8, 24, 268, 20})),
      applyButton(MakeButton(*this, backPanel, "sBitBtn2", {16, 80 + kAppearanceHeight, 148, 25}, "Применить", 6)),
      okButton(MakeButton(*this, backPanel, "sBitBtn3", {169, 80 + kAppearanceHeight, 146, 25}, "ОК", 6)),
      cancelButton(MakeButton(*this, backPanel, "sBitBtn1", {320, 80 + kAppearanceHeight, 145, 25}, "Отмена", 1)),
      appearance(*this, backPanel, {16, 80, 449, kAppearanceHeight - 7}, services),
      services_(services) {
    Name = "Form3";
    SetText("Настройки");
    SetClientSize(481, 121 + kAppearanceHeight);

    backPanel.SetTabOrder(0);
    mainBox.SetText("Основные");
    mainBox.SetTabOrder(0);
    rememberFolder.SetText("Запоминать последний используемый каталог");
    rememberFolder.SetChecked(true);
    cancelButton.SetTabOrder(1);
    applyButton.SetTabOrder(2);
    okButton.SetTabOrder(3);

    applyButton.OnClick = [this] { applyButtonClick(); };
    okButton.OnClick = [this] { okButtonClick(); };
    cancelButton.OnClick = [this] { cancelButtonClick(); };
    OnShow = [this] { FormShow(); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    OnShortCut = [this](WORD key, bool control) { return FormShortCut(key, control); };
}

void TSettingsForm::FormShow() {
    rememberFolder.SetChecked(ProfileIntegerOr(services_.Configuration.ReadString(kSection, kSaveKey, ""), 1) != 0);
    appearance.Opened();
}

void TSettingsForm::applyButtonClick() {
    services_.Configuration.WriteString(kSection, kSaveKey, rememberFolder.Checked() ? "1" : "0");
    appearance.Keep();
}

void TSettingsForm::okButtonClick() {
    // A failed write throws past the close: the window stays open with the choice still shown.
    applyButton.Click();
    Close();
}

void TSettingsForm::cancelButtonClick() { Close(); }

bool TSettingsForm::FormShortCut(WORD key, bool) {
    if (key != VK_ESCAPE) return false;
    cancelButtonClick();
    return true;
}

void TSettingsForm::FormClose(TCloseAction&) {
    appearance.Restore();
    if (Application && Application->MainForm()) Application->MainForm()->SetEnabled(true);
}

}  // namespace lw::app
