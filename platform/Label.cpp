#include "platform/Label.h"

namespace lw::platform {

TLabel::TLabel(TComponent* owner, TWinControl* parent) : TControl(owner, parent) {}

void TLabel::Paint(HDC dc) {
    SelectObjectScope font(dc, FontHandle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color : clGrayText));
    RECT area{0, 0, Bounds().Width, Bounds().Height};
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &area, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

}  // namespace lw::platform
