#pragma once
// The skinned list box. It wraps the platform's list window itself rather than the toolkit's
// list box, so that it chooses the window's styles, keeps items, top item and selection across
// re-creating the window when a property demands it, draws owner-drawn items, and searches as
// the user types. The skin gives it its colours.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/adapters/AdaptedControl.h"
#include "render/Disabled.h"
#include "controls/listbox/ListBoxStrings.h"
#include "controls/listbox/core/ListBoxStyles.h"
#include "controls/listbox/core/TypeAhead.h"
#include "platform/Control.h"

namespace lw::controls {

class TsAlphaListBox : public TsAdapted<platform::TWinControl, AttachEditAdapter> {
public:
    TsAlphaListBox(platform::TComponent* owner, platform::TWinControl* parent);
    TListBoxStrings& Items() { return items_; }
    const TListBoxStrings& Items() const { return items_; }

    // --- properties; those marked so re-create the window (not while loading) ---
    bool AutoComplete = true;
    std::uint16_t AutoCompleteDelay() const { return typeAhead_.Delay; }
    void SetAutoCompleteDelay(std::uint16_t ms) { typeAhead_.Delay = ms; }
    TListBoxStyle Style() const { return props_.Style; }
    void SetStyle(TListBoxStyle style);  // always re-creates
    bool Sorted() const { return props_.Sorted; }
    void SetSorted(bool sorted);  // re-creates
    bool SingleBorder() const { return props_.SingleBorder; }
    void SetSingleBorder(bool single);  // re-creates
    bool IntegralHeight() const { return props_.IntegralHeight; }
    void SetIntegralHeight(bool integral);  // re-creates
    bool AutoHideScroll() const { return props_.AutoHideScroll; }
    void SetAutoHideScroll(bool autoHide);  // re-creates
    // Texts read from the right: each item starts at its right edge.
    bool RightToLeftReading() const { return props_.RightToLeftReading; }
    void SetRightToLeftReading(bool rightToLeft);  // re-creates
    int TabWidth() const { return props_.TabWidth; }
    void SetTabWidth(int width);  // re-creates; negative becomes 0
    int Columns() const { return props_.Columns; }
    void SetColumns(int columns);  // re-creates to or from a single column
    // A standard list with a window answers the platform's real item height; one the program
    // gave a height keeps it, so rows are as tall as the layout was made for whatever the font.
    int ItemHeight() const;
    void SetItemHeight(int height);  // re-creates an owner-drawn list
    render::TsDisabledKinds DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(render::TsDisabledKinds kind);

    // --- items and selection ---
    int Count() const { return items_.Count(); }
    void SetCount(int count);  // virtual styles only
    int ItemIndex() const;
    // Does not raise OnClick: only the user's choices do.
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    void ClearSelection();
    // -1 outside the client area; past the last item: -1 with `existing`, else Count().
    int ItemAtPos(POINT point, bool existing) const;
    RECT ItemRect(int index) const;

    // The toolkit list box's short forms, for code that only lists texts.
    void AddW(std::wstring_view text) { items_.AddW(text); }
    void Add(std::string_view utf8) { items_.Add(utf8); }
    void Clear() { items_.Clear(); }
    std::wstring ItemW(int index) const { return items_.GetW(index); }
    std::string Item(int index) const { return items_.Get(index); }

    // --- events ---
    std::function<void()> OnDblClick;
    std::function<void(TsAlphaListBox&, int index, std::wstring& text)> OnData;
    std::function<void(TsAlphaListBox&, int index, LPARAM& object)> OnDataObject;
    std::function<int(TsAlphaListBox&, const std::wstring& text)> OnDataFind;
    std::function<void(TsAlphaListBox&, int index, HDC dc, const RECT& rect, UINT state)> OnDrawItem;
    std::function<void(TsAlphaListBox&, int index, int& height)> OnMeasureItem;

    // The tick count type-ahead times its pauses with; replaceable for tests.
    std::function<std::uint32_t()> TickCount = [] { return static_cast<std::uint32_t>(GetTickCount()); };

protected:
    // For TsListBox: multi-selection properties.
    bool MultiSelectProperty() const { return props_.MultiSelect; }
    void SetMultiSelectProperty(bool multi);
    bool ExtendedSelectProperty() const { return props_.ExtendedSelect; }
    void SetExtendedSelectProperty(bool extended);

    void PlatformMessage(platform::TMessage& message) override;
    void SkinCommand(platform::TMessage& message) override;
    void SkinRemoved() override;
    void SkinRefreshed() override;
    bool SkinLoaded(platform::TMessage& message) override;
    void SkinnedMessage(platform::TMessage& message) override;
    void AfterMessage(const platform::TMessage& message) override;

private:
    friend class TListBoxStrings;

    // Remembered while the window is re-created.
    struct SavedState {
        std::vector<std::pair<std::wstring, LPARAM>> Strings;
        int VirtualCount = -1;
        int TopIndex = 0;
        int ItemIndex = -1;
        std::vector<int> Selected;  // of a multi-selection list
    };

    platform::TCreateParams CreateParams() const;
    void CreateListWindow();
    void RecreateWindow();
    void RecreateUnlessLoading();
    void SaveState();
    void RestoreState();
    void ApplyColumnWidth();

    void TakeSkinColours();
    // True when the key was consumed.
    bool TypeAheadKey(wchar_t key);

    void DrawItem(const DRAWITEMSTRUCT& item);
    void MeasureItem(MEASUREITEMSTRUCT& item);
    void RedrawItem(int index);

    TListBoxStrings items_{*this};
    ListBoxProperties props_;
    int itemHeight_ = 16;
    bool itemHeightSet_ = false;
    render::TsDisabledKinds disabledKind_ = render::dkBlended;
    TypeAhead typeAhead_;
    std::optional<SavedState> saved_;
    bool recreatePending_ = false;
};

class TsListBox : public TsAlphaListBox {
public:
    using TsAlphaListBox::TsAlphaListBox;

    bool MultiSelect() const { return MultiSelectProperty(); }
    void SetMultiSelect(bool multi) { SetMultiSelectProperty(multi); }
    bool ExtendedSelect() const { return ExtendedSelectProperty(); }
    void SetExtendedSelect(bool extended) { SetExtendedSelectProperty(extended); }
};

}  // namespace lw::controls
