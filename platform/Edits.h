#pragma once
#include "platform/Control.h"

namespace lw::platform {

// The shared part of single- and multi-line edits. OnChange fires once for every change of
// the text, typed or set by the program: the system EDIT does not notify all of them.
class TCustomEdit : public TWinControl {
public:
    std::function<void()> OnChange;

    void SetTextW(std::wstring_view text) override;
    void Clear() { SetTextW(L""); }

    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    // At most `length` characters may be typed; 0 lifts the limit.
    void SetMaxLength(int length);

    // Selection in characters of the text, line breaks counting as two.
    void Select(int start, int length);
    int SelStart() const;
    int SelLength() const;

protected:
    TCustomEdit(TComponent* owner, TWinControl* parent, const TCreateParams& params);
    // The system EDIT with a sunken frame, taking part in keyboard navigation.
    static TCreateParams EditParams(DWORD style);
    void WndProc(TMessage& message) override;
    // Override to react to a change before OnChange runs.
    virtual void Change();

private:
    bool settingText_ = false;
};

class TEdit : public TCustomEdit {
public:
    TEdit(TComponent* owner, TWinControl* parent);
    static TCreateParams DefaultCreateParams();

protected:
    TEdit(TComponent* owner, TWinControl* parent, const TCreateParams& params);
};

struct TMemoStyle {
    bool VerticalScrollBar = false;
    bool WordWrap = true;
};

// A multi-line edit without the system's typing limit.
class TMemo : public TCustomEdit {
public:
    TMemo(TComponent* owner, TWinControl* parent, const TMemoStyle& style = {});
    static TCreateParams DefaultCreateParams(const TMemoStyle& style = {});

protected:
    TMemo(TComponent* owner, TWinControl* parent, const TCreateParams& params);
};

}  // namespace lw::platform
