#include "controls/labels/WebLabel.h"

#include "skin/SkinManagerView.h"
#include "controls/labels/core/LabelColors.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Text.h"

namespace lw::controls {

TsWebLabel::TsWebLabel(platform::TComponent* owner, platform::TWinControl* parent)
    : TsLabel(owner, parent), normalFont_(Font()), hoverFont_(Font()) {
    Cursor = IDC_HAND;
}

void TsWebLabel::FontChanged() {
    normalFont_ = Font();
    TsLabel::FontChanged();
}

platform::TFont TsWebLabel::CurrentFont() const {
    const skin::SkinManagerView* manager = skin::DefaultManager();
    const render::SkinSource* skin =
        UseSkinColor && manager != nullptr && manager->SkinActive() ? manager->LoadedSkin() : nullptr;
    platform::TFont font = hovered_ ? hoverFont_ : normalFont_;
    font.Color = WebLabelColor(hovered_, skin, font.Color);
    return font;
}

void TsWebLabel::HoverChanged(bool hovered) {
    hovered_ = hovered;
    if (AutoSize()) {
        Invalidate();
        AdjustBounds();
        Invalidate();
    }
    // The text is transparent: the parent paints its background under it again.
    if (Parent() != nullptr && Parent()->Handle() != nullptr) {
        const platform::TBounds& b = Bounds();
        const RECT area{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
        InvalidateRect(Parent()->Handle(), &area, TRUE);
    }
}

void TsWebLabel::WndProc(platform::TMessage& m) {
    const bool aboutThis = reinterpret_cast<platform::TControl*>(m.LParam) == this;
    switch (m.Msg) {
    case platform::CM_MOUSEENTER:
        if (!aboutThis) break;
        if (OnMouseEnter) OnMouseEnter();
        HoverChanged(true);
        return;
    case platform::CM_MOUSELEAVE:
        if (!aboutThis) break;
        if (OnMouseLeave) OnMouseLeave();
        HoverChanged(false);
        return;
    default:
        break;
    }
    TsLabel::WndProc(m);
}

void TsWebLabel::Click() {
    TsLabel::Click();
    if (URL.empty()) return;
    static platform::SystemLauncher systemLauncher;
    platform::Launcher& launcher = Launcher != nullptr ? *Launcher : systemLauncher;
    platform::TForm* main = platform::Application != nullptr ? platform::Application->MainForm() : nullptr;
    launcher.OpenAddressAs(platform::Utf8ToWide(URL), L"open", ShowMode, main != nullptr ? main->Handle() : nullptr);
}

}  // namespace lw::controls
