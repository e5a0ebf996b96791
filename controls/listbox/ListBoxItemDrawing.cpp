// Owner-drawn items of the skinned list box: highlight for the selection (and for the current
// item while the list is not focused, so it stays visible), the skin's text colour otherwise,
// dimmed while disabled.

#include "controls/listbox/AlphaListBox.h"
#include "platform/Handles.h"
#include "render/Color.h"

namespace lw::controls {

namespace {

bool OwnerDrawn(TListBoxStyle style) { return style != TListBoxStyle::lbStandard && style != TListBoxStyle::lbVirtual; }

}  // namespace

void TsAlphaListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    TsCommonData& d = SkinData();
    d.RefreshUpdating();
    if ((d.Skinned() && d.Updating()) || Count() == 0) return;
    const int index = static_cast<int>(item.itemID);
    const bool custom = OwnerDrawn(props_.Style) && OnDrawItem;
    TColor back = ResolveColor(Color()) & 0xFFFFFF;
    TColor text = ResolveColor(Font().Color) & 0xFFFFFF;
    if (!custom && index >= 0) {
        if ((item.itemState & ODS_SELECTED) || (index == ItemIndex() && !Focused())) {
            back = GetSysColor(COLOR_HIGHLIGHT);
            text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        } else if (!d.CustomFont() && !Enabled()) {
            text = render::AverageColors(text, back) & 0xFFFFFF;
        }
    }
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    platform::BrushHandle brush(CreateSolidBrush(back));
    FillRect(dc, &r, brush.get());
    if (custom) {
        OnDrawItem(*this, index, dc, r, item.itemState);
    } else if (index >= 0) {
        const std::wstring caption = items_.GetW(index);
        platform::SelectObjectScope font(dc, FontHandle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, text);
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        // The gap stands at the edge the text starts from.
        if (props_.RightToLeftReading) {
            flags |= DT_RTLREADING | DT_RIGHT;
            r.right -= 2;
        } else {
            r.left += 2;
        }
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

void TsAlphaListBox::MeasureItem(MEASUREITEMSTRUCT& item) {
    int height = itemHeight_;
    if (props_.Style == TListBoxStyle::lbOwnerDrawVariable && OnMeasureItem)
        OnMeasureItem(*this, static_cast<int>(item.itemID), height);
    item.itemHeight = static_cast<UINT>(height);
}

void TsAlphaListBox::RedrawItem(int index) {
    if (Handle() == nullptr) return;
    RECT r{};
    if (SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        return;
    RECT client{}, visible{};
    GetClientRect(Handle(), &client);
    if (IntersectRect(&visible, &r, &client)) InvalidateRect(Handle(), &visible, TRUE);
}

}  // namespace lw::controls
