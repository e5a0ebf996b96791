#include "platform/Buttons.h"

#include "platform/ImageList.h"

namespace lw::platform {
namespace {
constexpr int kGlyphSpacing = 4;
}

TButton::TButton(TComponent* owner, TWinControl* parent) : TButton(owner, parent, DefaultCreateParams()) {}

TButton::TButton(TComponent* owner, TWinControl* parent, const TCreateParams& params) : TWinControl(owner, parent) {
    CreateHandle(params);
}

TCreateParams TButton::DefaultCreateParams() { return {.ClassName = L"BUTTON", .Style = BS_OWNERDRAW | WS_TABSTOP}; }

void TButton::SetImages(const TImageList* images) {
    images_ = images;
    Invalidate();
}

void TButton::SetImageIndex(int index) {
    imageIndex_ = index;
    Invalidate();
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    }
    TWinControl::WndProc(m);
}

void TButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool enabled = !(item.itemState & ODS_DISABLED);
    DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    const std::wstring caption = TextW();
    SelectObjectScope font(dc, FontHandle());
    RECT measured{};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
    const bool hasGlyph = images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count();
    const int glyphWidth = hasGlyph ? images_->Width() + (caption.empty() ? 0 : kGlyphSpacing) : 0;
    const int shift = pressed ? 1 : 0;
    int left = (area.right - area.left - glyphWidth - measured.right) / 2 + shift;
    if (hasGlyph) {
        images_->Draw(dc, left, (area.bottom - area.top - images_->Height()) / 2 + shift, imageIndex_, enabled);
        left += glyphWidth;
    }
    RECT text{left, area.top + shift, left + measured.right, area.bottom + shift};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(enabled ? clBtnText : clGrayText));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = area;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

TCheckBox::TCheckBox(TComponent* owner, TWinControl* parent) : TCheckBox(owner, parent, DefaultCreateParams()) {}

TCheckBox::TCheckBox(TComponent* owner, TWinControl* parent, const TCreateParams& params) : TWinControl(owner, parent) {
    CreateHandle(params);
}

TCreateParams TCheckBox::DefaultCreateParams() {
    return {.ClassName = L"BUTTON", .Style = BS_AUTOCHECKBOX | WS_TABSTOP};
}

bool TCheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace lw::platform
