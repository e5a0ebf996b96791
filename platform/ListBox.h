#pragma once
#include <string>
#include <string_view>

#include "platform/Control.h"

namespace lw::platform {

// A single-selection, unsorted list of texts. OnClick fires when the user changes the
// selection; selecting from the program does not fire it.
class TListBox : public TWinControl {
public:
    TListBox(TComponent* owner, TWinControl* parent);
    static TCreateParams DefaultCreateParams();

    int Count() const;
    void Add(std::string_view utf8);
    void AddW(std::wstring_view text);
    void Clear();
    // Throws "List index out of bounds (%d)" for an index outside the list.
    std::wstring ItemW(int index) const;
    std::string Item(int index) const;

    int ItemIndex() const;
    void SetItemIndex(int index);
    void SetItemHeight(int height);

protected:
    TListBox(TComponent* owner, TWinControl* parent, const TCreateParams& params);
    void WndProc(TMessage& message) override;
};

}  // namespace lw::platform
