#include "controls/comboedit/EditButton.h"

#include "platform/Handles.h"

namespace lw::comboedit {

TsEditButton::TsEditButton(platform::TComponent* owner, platform::TWinControl* parent) : TButton(owner, parent) {
    Name = "Button";
    SetTabStop(false);
}

int TsEditButton::State() const {
    if (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) return 2;
    return hot_ ? 1 : 0;
}

void TsEditButton::WndProc(platform::TMessage& m) {
    switch (m.Msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        m.Result = TRUE;
        return;
    case platform::CM_MOUSEENTER:
    case platform::CM_MOUSELEAVE:
        if (reinterpret_cast<platform::TControl*>(m.LParam) == this) {
            hot_ = m.Msg == platform::CM_MOUSEENTER;
            Invalidate();
        }
        break;
    }
    TButton::WndProc(m);
}

void TsEditButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    const int state = (item.itemState & ODS_SELECTED) ? 2 : hot_ ? 1 : 0;
    const COLORREF face = GetSysColor(state == 0 ? COLOR_WINDOW : COLOR_BTNFACE);
    platform::BrushHandle background(CreateSolidBrush(face));
    FillRect(item.hDC, &r, background.get());
    if (state == 2) DrawEdge(item.hDC, const_cast<RECT*>(&r), BDR_SUNKENOUTER, BF_RECT);
    else if (state == 1) DrawEdge(item.hDC, const_cast<RECT*>(&r), BDR_RAISEDINNER, BF_RECT);

    // A folder: a tab on the left and the body below it, 12 x 9, centred.
    const int offset = state == 2 ? 1 : 0;
    const int left = (r.left + r.right - 12) / 2 + offset, top = (r.top + r.bottom - 9) / 2 + offset;
    const COLORREF body = IsWindowEnabled(Handle()) ? RGB(224, 176, 64) : GetSysColor(COLOR_GRAYTEXT);
    platform::BrushHandle fill(CreateSolidBrush(body));
    const RECT tab{left, top, left + 5, top + 2};
    const RECT folder{left, top + 2, left + 12, top + 9};
    FillRect(item.hDC, &tab, fill.get());
    FillRect(item.hDC, &folder, fill.get());
}

}  // namespace lw::comboedit
