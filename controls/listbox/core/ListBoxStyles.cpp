#include "controls/listbox/core/ListBoxStyles.h"

#include <algorithm>

namespace lw::controls {

bool IsVirtualStyle(TListBoxStyle style) {
    return style == TListBoxStyle::lbVirtual || style == TListBoxStyle::lbVirtualOwnerDraw;
}

TListBoxStyle NonVirtualCounterpart(TListBoxStyle style) {
    switch (style) {
    case TListBoxStyle::lbVirtual:
        return TListBoxStyle::lbStandard;
    case TListBoxStyle::lbVirtualOwnerDraw:
        return TListBoxStyle::lbOwnerDrawFixed;
    default:
        return style;
    }
}

ListBoxWindowStyle ListBoxStyleBits(const ListBoxProperties& p, bool platformHas3DControls) {
    ListBoxWindowStyle s;
    s.Style = lbs::WsHScroll | lbs::WsVScroll | lbs::Notify;
    s.Style |= IsVirtualStyle(p.Style) ? lbs::NoData : lbs::HasStrings;
    switch (p.Style) {
    case TListBoxStyle::lbOwnerDrawFixed:
    case TListBoxStyle::lbVirtual:
    case TListBoxStyle::lbVirtualOwnerDraw:
        s.Style |= lbs::OwnerDrawFixed;
        break;
    case TListBoxStyle::lbOwnerDrawVariable:
        s.Style |= lbs::OwnerDrawVariable;
        break;
    case TListBoxStyle::lbStandard:
        break;
    }
    if (p.Sorted) s.Style |= lbs::Sort;
    if (p.MultiSelect) s.Style |= p.ExtendedSelect ? lbs::ExtendedSel : lbs::MultipleSel;
    if (!p.IntegralHeight) s.Style |= lbs::NoIntegralHeight;
    if (p.Columns != 0) s.Style |= lbs::MultiColumn | lbs::WsHScroll;
    if (p.SingleBorder) {
        if (platformHas3DControls && p.Ctl3D)
            s.ExStyle |= lbs::WsExClientEdge;
        else
            s.Style |= lbs::WsBorder;
    }
    if (p.TabWidth != 0) s.Style |= lbs::UseTabStops;
    if (!p.AutoHideScroll) s.Style |= lbs::DisableNoScroll;
    if (p.RightToLeftReading) s.ExStyle |= lbs::WsExRtlReading;
    return s;
}

int ListBoxColumnWidth(int width, int columns) {
    if (columns <= 0 || width <= 0) return 0;
    return std::max(1, (width + columns - 3) / columns);
}

}  // namespace lw::controls
