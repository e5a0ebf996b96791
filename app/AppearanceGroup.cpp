#include "app/AppearanceGroup.h"

#include <algorithm>
#include <string>

#include "app/FormLayout.h"
#include "app/SkinSetup.h"
#include "bridge/SkinManager.h"
#include "platform/Application.h"
#include "platform/Text.h"

namespace lw::app {

using namespace lw::platform;

namespace {

constexpr int kPageStep = 10;

std::string HueText(int degrees) { return std::to_string(degrees) + "°"; }
std::string SaturationText(int percent) { return std::to_string(percent) + " %"; }

}  // namespace

TsSlider::TsSlider(TComponent* owner, TWinControl* parent, int minimum, int maximum)
    : TCustomControl(owner, parent, {.Style = WS_HSCROLL | WS_TABSTOP}), minimum_(minimum), maximum_(maximum) {
    // The bar counts from 0: the position in a scroll message is an unsigned word.
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, maximum_ - minimum_, 1, -minimum_, 0};
    SetScrollInfo(Handle(), SB_HORZ, &info, FALSE);
    AttachAdapter();
}

void TsSlider::AttachAdapter() {
    auto* manager = static_cast<skin::SkinManagerView*>(bridge::DefaultSkinManager());
    if (manager != nullptr)
        adapter_ = controls::TgwMainWnd::Create<controls::TgwBaseWnd>(Handle(), true, "EDIT", manager, nullptr);
}

void TsSlider::SetPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position_ - minimum_, 0};
    SetScrollInfo(Handle(), SB_HORZ, &info, FALSE);
    // The bar is the adapter's to draw, in the frame.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TsSlider::MoveTo(int position) {
    position = std::clamp(position, minimum_, maximum_);
    if (position == position_) return;
    SetPosition(position);
    if (OnChange) OnChange();
}

void TsSlider::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_HSCROLL:
        switch (LOWORD(message.WParam)) {
        case SB_LINELEFT:
            MoveTo(position_ - 1);
            break;
        case SB_LINERIGHT:
            MoveTo(position_ + 1);
            break;
        case SB_PAGELEFT:
            MoveTo(position_ - kPageStep);
            break;
        case SB_PAGERIGHT:
            MoveTo(position_ + kPageStep);
            break;
        case SB_LEFT:
            MoveTo(minimum_);
            break;
        case SB_RIGHT:
            MoveTo(maximum_);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            MoveTo(minimum_ + static_cast<int>(HIWORD(message.WParam)));
            break;
        default:
            break;
        }
        message.Result = 0;
        return;
    case WM_KEYDOWN:
        if (message.WParam == VK_LEFT || message.WParam == VK_RIGHT || message.WParam == VK_HOME ||
            message.WParam == VK_END || message.WParam == VK_PRIOR || message.WParam == VK_NEXT) {
            const WORD code = message.WParam == VK_LEFT    ? SB_LINELEFT
                              : message.WParam == VK_RIGHT ? SB_LINERIGHT
                              : message.WParam == VK_HOME  ? SB_LEFT
                              : message.WParam == VK_END   ? SB_RIGHT
                              : message.WParam == VK_PRIOR ? SB_PAGELEFT
                                                           : SB_PAGERIGHT;
            SendMessageW(Handle(), WM_HSCROLL, code, 0);
            message.Result = 0;
            return;
        }
        break;
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_LBUTTONDOWN:
        SetFocus();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

TAppearanceGroup::TAppearanceGroup(TForm& form, TWinControl& parent, TBounds bounds, AppServices& services)
    : group(Place(form.Make<controls::TsGroupBox>(&parent), "sGroupBoxSkin", bounds)),
      skins(Place(form.Make<controls::TsListBox>(&group), "skins", {8, 20, 209, 95})),
      hueCaption(Place(form.Make<controls::TsLabel>(&group), "hueCaption", {232, 20, 150, 13})),
      hueValue(Place(form.Make<controls::TsLabel>(&group), "hueValue", {384, 20, 57, 13})),
      hue(Place(form.Make<TsSlider>(&group, -kHueLimit, kHueLimit), "hue", {232, 38, 209, 17})),
      saturationCaption(Place(form.Make<controls::TsLabel>(&group), "saturationCaption", {232, 70, 150, 13})),
      saturationValue(Place(form.Make<controls::TsLabel>(&group), "saturationValue", {384, 70, 57, 13})),
      saturation(
          Place(form.Make<TsSlider>(&group, -kSaturationLimit, kSaturationLimit), "saturation", {232, 88, 209, 17})),
      form_(form),
      services_(services) {
    group.SetText("Оформление");
    SetFieldColours(skins);
    skins.SetItemHeight(13);
    hueCaption.SetText("Оттенок, градусы:");
    saturationCaption.SetText("Насыщенность, проценты:");
    for (controls::TsLabel* value : {&hueValue, &saturationValue}) {
        value->SetAutoSize(false);
        value->SetAlignment(controls::TLabelAlignment::taRightJustify);
    }
    skins.OnClick = [this] { Preview(); };
    hue.OnChange = [this] { Preview(); };
    saturation.OnChange = [this] { Preview(); };
}

SkinChoice TAppearanceGroup::Shown() const {
    const int index = skins.ItemIndex();
    return {index >= 0 ? WideToUtf8(skins.ItemW(index)) : openedWith_.Name, hue.Position(), saturation.Position()};
}

void TAppearanceGroup::ShowChoice(const SkinChoice& choice) {
    int selected = -1;
    for (int i = 0; i < skins.Count(); ++i)
        if (WideToUtf8(skins.ItemW(i)) == choice.Name) selected = i;
    skins.SetItemIndex(selected);
    hue.SetPosition(choice.Hue);
    saturation.SetPosition(choice.Saturation);
    hueValue.SetText(HueText(choice.Hue));
    saturationValue.SetText(SaturationText(choice.Saturation));
}

void TAppearanceGroup::Opened() {
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    if (manager == nullptr) return;
    openedWith_ = CurrentSkinChoice(*manager);
    skins.Clear();
    for (const std::string& name : SkinList(*manager)) skins.Add(name);
    ShowChoice(openedWith_);
}

void TAppearanceGroup::Preview() {
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    if (manager == nullptr) return;
    hueValue.SetText(HueText(hue.Position()));
    saturationValue.SetText(SaturationText(saturation.Position()));
    if (!UseSkinChoice(*manager, Shown(), Application->Prompts(), form_.Handle()))
        ShowChoice(CurrentSkinChoice(*manager));
}

void TAppearanceGroup::Keep() {
    if (bridge::TsSkinManager* manager = bridge::DefaultSkinManager()) openedWith_ = CurrentSkinChoice(*manager);
    services_.KeptSkin = openedWith_;
}

void TAppearanceGroup::Restore() {
    bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    if (manager == nullptr || CurrentSkinChoice(*manager) == openedWith_) return;
    UseSkinChoice(*manager, openedWith_, Application->Prompts(), form_.Handle());
    ShowChoice(CurrentSkinChoice(*manager));
}

}  // namespace lw::app
