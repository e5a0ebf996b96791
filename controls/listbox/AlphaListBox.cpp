#include "controls/listbox/AlphaListBox.h"

#include <algorithm>

#include "controls/base/core/ControlKinds.h"
#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::controls {

using platform::TMessage;

static_assert(lbs::Notify == LBS_NOTIFY && lbs::Sort == LBS_SORT && lbs::MultipleSel == LBS_MULTIPLESEL &&
              lbs::OwnerDrawFixed == LBS_OWNERDRAWFIXED && lbs::OwnerDrawVariable == LBS_OWNERDRAWVARIABLE &&
              lbs::HasStrings == LBS_HASSTRINGS && lbs::UseTabStops == LBS_USETABSTOPS &&
              lbs::NoIntegralHeight == LBS_NOINTEGRALHEIGHT && lbs::MultiColumn == LBS_MULTICOLUMN &&
              lbs::ExtendedSel == LBS_EXTENDEDSEL && lbs::DisableNoScroll == LBS_DISABLENOSCROLL &&
              lbs::NoData == LBS_NODATA && lbs::WsBorder == WS_BORDER && lbs::WsVScroll == WS_VSCROLL &&
              lbs::WsHScroll == WS_HSCROLL && lbs::WsExClientEdge == WS_EX_CLIENTEDGE &&
              lbs::WsExRtlReading == WS_EX_RTLREADING);

TsAlphaListBox::TsAlphaListBox(platform::TComponent* owner, platform::TWinControl* parent)
    : TsAdapted({.ClassName = "TsAlphaListBox", .Kind = ckListBox}, owner, parent) {
    if (SkinData().SkinSection().empty()) SkinData().SetSkinSection("EDIT");
    SetBounds({0, 0, 121, 97});
    CreateListWindow();
    SetColor(platform::clWindow);
    SkinData().ControlLoaded();
}

// --- the platform window and its re-creation --------------------------------------------------

platform::TCreateParams TsAlphaListBox::CreateParams() const {
    const ListBoxWindowStyle bits = ListBoxStyleBits(props_, true);
    return {.ClassName = L"LISTBOX", .Style = bits.Style | WS_TABSTOP, .ExStyle = bits.ExStyle};
}

void TsAlphaListBox::CreateListWindow() {
    CreateHandle(CreateParams());
    // The platform may have shortened the window to whole items.
    const platform::TBounds& b = Bounds();
    SetWindowPos(Handle(), nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (props_.TabWidth != 0) {
        int stop = props_.TabWidth;
        SendMessageW(Handle(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    }
    if (props_.Style == TListBoxStyle::lbStandard && itemHeightSet_)
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
    ApplyColumnWidth();
    RestoreState();
    // The old window's adapter went with it; the new window gets its own.
    if (Adapter() != nullptr) {
        DropAdapter();
        AttachAdapter();
    }
}

void TsAlphaListBox::SaveState() {
    saved_.reset();
    if (Handle() == nullptr || Count() == 0) return;
    SavedState s;
    if (IsVirtualStyle(props_.Style)) {
        s.VirtualCount = Count();
    } else {
        for (int i = 0, n = Count(); i < n; ++i) s.Strings.emplace_back(items_.GetW(i), items_.Object(i));
    }
    s.TopIndex = TopIndex();
    s.ItemIndex = ItemIndex();
    if (props_.MultiSelect) {
        s.Selected.resize(static_cast<size_t>(std::max<LRESULT>(SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0), 0)));
        const LRESULT got =
            SendMessageW(Handle(), LB_GETSELITEMS, s.Selected.size(), reinterpret_cast<LPARAM>(s.Selected.data()));
        s.Selected.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
    }
    saved_ = std::move(s);
}

void TsAlphaListBox::RestoreState() {
    if (!saved_) return;
    const SavedState s = std::move(*saved_);
    saved_.reset();
    if (IsVirtualStyle(props_.Style)) {
        if (s.VirtualCount >= 0) SendMessageW(Handle(), LB_SETCOUNT, static_cast<WPARAM>(s.VirtualCount), 0);
    } else {
        for (const auto& [text, object] : s.Strings) items_.PutObject(items_.AddW(text), object);
    }
    // A list that has just become single-selection keeps only its current item.
    if (props_.MultiSelect)
        for (const int index : s.Selected) SendMessageW(Handle(), LB_SETSEL, TRUE, index);
    SetTopIndex(s.TopIndex);
    SetItemIndex(s.ItemIndex);
}

void TsAlphaListBox::RecreateWindow() {
    recreatePending_ = false;
    if (Handle() == nullptr) return;
    SaveState();
    DestroyWindow(Handle());
    CreateListWindow();
}

void TsAlphaListBox::RecreateUnlessLoading() {
    // A form still being built applies all its changes once, when it has finished loading.
    if (ComponentState() & platform::csLoading)
        recreatePending_ = true;
    else
        RecreateWindow();
}

void TsAlphaListBox::ApplyColumnWidth() {
    const int width = ListBoxColumnWidth(Bounds().Width, props_.Columns);
    if (width > 0 && Handle() != nullptr) SendMessageW(Handle(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width), 0);
}

// --- properties -------------------------------------------------------------------------------

void TsAlphaListBox::SetStyle(TListBoxStyle style) {
    if (style == props_.Style) return;
    if (IsVirtualStyle(style)) {
        items_.Clear();
        props_.Sorted = false;
    }
    props_.Style = style;
    RecreateWindow();
}

void TsAlphaListBox::SetSorted(bool sorted) {
    if (sorted == props_.Sorted || IsVirtualStyle(props_.Style)) return;
    props_.Sorted = sorted;
    RecreateUnlessLoading();
}

void TsAlphaListBox::SetSingleBorder(bool single) {
    if (single == props_.SingleBorder) return;
    props_.SingleBorder = single;
    RecreateUnlessLoading();
}

void TsAlphaListBox::SetIntegralHeight(bool integral) {
    if (integral == props_.IntegralHeight) return;
    props_.IntegralHeight = integral;
    RecreateUnlessLoading();
}

void TsAlphaListBox::SetAutoHideScroll(bool autoHide) {
    if (autoHide == props_.AutoHideScroll) return;
    props_.AutoHideScroll = autoHide;
    RecreateUnlessLoading();
}

void TsAlphaListBox::SetRightToLeftReading(bool rightToLeft) {
    if (rightToLeft == props_.RightToLeftReading) return;
    props_.RightToLeftReading = rightToLeft;
    RecreateUnlessLoading();
}

void TsAlphaListBox::SetTabWidth(int width) {
    if (width < 0) width = 0;
    if (width == props_.TabWidth) return;
    props_.TabWidth = width;
    RecreateUnlessLoading();
}

void TsAlphaListBox::SetColumns(int columns) {
    if (columns == props_.Columns) return;
    const bool layoutChanges = (columns == 0) != (props_.Columns == 0);
    props_.Columns = columns;
    if (layoutChanges)
        RecreateUnlessLoading();
    else
        ApplyColumnWidth();
}

int TsAlphaListBox::ItemHeight() const {
    if (props_.Style == TListBoxStyle::lbStandard && Handle() != nullptr) {
        RECT r{};
        if (SendMessageW(Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)) != LB_ERR) return r.bottom - r.top;
    }
    return itemHeight_;
}

void TsAlphaListBox::SetItemHeight(int height) {
    if (height <= 0 || (height == itemHeight_ && itemHeightSet_)) return;
    itemHeight_ = height;
    itemHeightSet_ = true;
    // Owner-drawn rows are measured when the window is made; a standard list takes it at once.
    if (props_.Style == TListBoxStyle::lbStandard && Handle() != nullptr)
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, height);
    else
        RecreateUnlessLoading();
}

void TsAlphaListBox::SetDisabledKind(render::TsDisabledKinds kind) {
    if (kind == disabledKind_) return;
    disabledKind_ = kind;
    SkinData().InvalidateSkin();
}

void TsAlphaListBox::SetMultiSelectProperty(bool multi) {
    if (multi == props_.MultiSelect) return;
    props_.MultiSelect = multi;
    RecreateWindow();
}

void TsAlphaListBox::SetExtendedSelectProperty(bool extended) {
    if (extended == props_.ExtendedSelect) return;
    props_.ExtendedSelect = extended;
    RecreateUnlessLoading();
}

// --- items and selection ----------------------------------------------------------------------

void TsAlphaListBox::SetCount(int count) {
    if (!IsVirtualStyle(props_.Style))
        throw platform::Exception(
            platform::FormatMessageText("Listbox (%s) style must be virtual in order to set Count", Name.c_str()));
    const LRESULT answer = SendMessageW(Handle(), LB_SETCOUNT, static_cast<WPARAM>(count), 0);
    if (answer == LB_ERR || answer == LB_ERRSPACE)
        throw platform::Exception(platform::FormatMessageText("Error setting %s.Count", Name.c_str()));
}

int TsAlphaListBox::ItemIndex() const {
    return static_cast<int>(SendMessageW(Handle(), props_.MultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TsAlphaListBox::SetItemIndex(int index) {
    const int previous = ItemIndex();
    if (index == previous) return;
    if (props_.MultiSelect)
        SendMessageW(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    else
        SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (previous >= 0) RedrawItem(previous);
}

int TsAlphaListBox::TopIndex() const { return static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0)); }

void TsAlphaListBox::SetTopIndex(int index) {
    if (index != TopIndex()) SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

bool TsAlphaListBox::Selected(int index) const {
    // LB_ERR for an index the list does not hold: not selected.
    return SendMessageW(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TsAlphaListBox::SetSelected(int index, bool selected) {
    if (!props_.MultiSelect) {
        if (selected)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        Invalidate();
        return;
    }
    if (SendMessageW(Handle(), LB_SETSEL, selected, index) == LB_ERR)
        throw platform::Exception(platform::FormatMessageText("List index out of bounds (%d)", index));
}

void TsAlphaListBox::ClearSelection() {
    if (!props_.MultiSelect) {
        SetItemIndex(-1);
        return;
    }
    for (int i = 0, n = Count(); i < n; ++i) SendMessageW(Handle(), LB_SETSEL, FALSE, i);
}

int TsAlphaListBox::ItemAtPos(POINT point, bool existing) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    if (!PtInRect(&client, point)) return -1;
    const int count = Count();
    for (int i = TopIndex(); i < count; ++i) {
        RECT r{};
        if (SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)) != LB_ERR &&
            PtInRect(&r, point))
            return i;
    }
    return existing ? -1 : count;
}

RECT TsAlphaListBox::ItemRect(int index) const {
    RECT r{};
    const int count = Count();
    if (index == 0 || index < count) {
        SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    } else if (index == count) {
        SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&r));
        OffsetRect(&r, 0, r.bottom - r.top);
    }
    return r;
}

// --- type-ahead -------------------------------------------------------------------------------

bool TsAlphaListBox::TypeAheadKey(wchar_t key) {
    std::u16string units(1, static_cast<char16_t>(key));
    bool pairTaken = false;
    if (IS_HIGH_SURROGATE(key)) {
        // The second half of the character is still queued: it belongs to this search.
        MSG next{};
        if (PeekMessageW(&next, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) {
            units += static_cast<char16_t>(next.wParam);
            pairTaken = true;
        }
    }
    const auto find = [this](const std::u16string& prefix) {
        const std::wstring text(prefix.begin(), prefix.end());
        if (IsVirtualStyle(props_.Style)) return OnDataFind ? OnDataFind(*this, text) : -1;
        return static_cast<int>(
            SendMessageW(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    };
    const TypeAheadOutcome outcome = typeAhead_.Key(units, TickCount(), Count(), find);
    if (outcome.Select >= 0) {
        if (props_.MultiSelect) {
            ClearSelection();
            SendMessageW(Handle(), LB_SETSEL, TRUE, outcome.Select);
        }
        SetItemIndex(outcome.Select);
        Click();
    }
    return outcome.Consumed || pairTaken;
}

// --- messages ---------------------------------------------------------------------------------

void TsAlphaListBox::TakeSkinColours() {
    const skin::TsGeneralData* gd = SkinData().Section();
    if (gd == nullptr) return;
    if (!SkinData().CustomColor() && Color() != gd->Color) SetColor(gd->Color);
    const TColor font = static_cast<TColor>(gd->FontColor[0]);
    if (!SkinData().CustomFont() && Font().Color != font) SkinOwnerOf().SetFontColor(font);
}

void TsAlphaListBox::SkinRemoved() {
    if (!SkinData().CustomColor()) SetColor(platform::clWindow);
    if (!SkinData().CustomFont()) SkinOwnerOf().SetFontColor(platform::clWindowText);
}

void TsAlphaListBox::SkinRefreshed() {
    if (SkinData().Skinned()) TakeSkinColours();
}

void TsAlphaListBox::SkinCommand(TMessage& m) {
    TsCommonData& d = SkinData();
    if (skin::SkinCommandOf(m.WParam) == skin::SMC_ENDUPDATE) {
        if (d.EndUpdate()) {
            RedrawWholeWindow(Handle());
        }
        return;
    }
    TsAdapted::SkinCommand(m);
}

bool TsAlphaListBox::SkinLoaded(TMessage& m) {
    SkinData().ControlLoaded();
    if (recreatePending_) RecreateWindow();
    PlatformMessage(m);
    AttachAdapter();
    return true;
}

void TsAlphaListBox::SkinnedMessage(TMessage& m) {
    TsCommonData& d = SkinData();
    if (HandleWindowMessage(d, *this, m)) return;
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGING:
    case platform::CM_ENABLEDCHANGED:
        d.MarkStale();
        break;
    default:
        break;
    }
    PlatformMessage(m);
    AfterPlatform(m);
}

void TsAlphaListBox::AfterMessage(const TMessage& m) {
    switch (m.Msg) {
    case platform::CM_ENABLEDCHANGED:
        ApplyColumnWidth();
        break;
    case platform::CM_COLORCHANGED:
        TakeSkinColours();
        break;
    case LB_SETCURSEL:
        RefreshBars();
        break;
    default:
        break;
    }
}

void TsAlphaListBox::PlatformMessage(TMessage& m) {
    switch (m.Msg) {
    case platform::CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case LBN_SELCHANGE:
            Click();
            break;
        case LBN_DBLCLK:
            if (OnDblClick) OnDblClick();
            break;
        default:
            break;
        }
        return;
    case platform::CN_CTLCOLORLISTBOX:
        AnswerCtlColor(m);
        return;
    case platform::CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case platform::CN_MEASUREITEM:
        MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case WM_CHAR:
        if (AutoComplete && TypeAheadKey(static_cast<wchar_t>(m.WParam))) return;
        break;
    case WM_SIZE:
        TWinControl::WndProc(m);
        ApplyColumnWidth();
        return;
    case WM_SETFONT:
        // The platform measures a standard list's rows again from the new font.
        TWinControl::WndProc(m);
        if (props_.Style == TListBoxStyle::lbStandard && itemHeightSet_)
            SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

}  // namespace lw::controls
