#pragma once
#include <functional>

#include "controls/comboedit/EditButton.h"
#include "controls/comboedit/core/FolderChoice.h"
#include "platform/Edits.h"

namespace lw::comboedit {

// A single-line edit with a button inside its right end. The text never runs under the
// button. DirectInput off makes the text untypeable while the button keeps working; ReadOnly
// stops both. ClickKey (Alt+Down by default) clicks the button from the keyboard.
class TsCustomComboEdit : public platform::TEdit {
public:
    TsCustomComboEdit(platform::TComponent* owner, platform::TWinControl* parent);

    TsEditButton& Button() const { return *button_; }
    std::function<void()> OnButtonClick;

    bool DirectInput() const { return input_.DirectInput; }
    void SetDirectInput(bool directInput);
    bool ReadOnly() const { return input_.ReadOnly; }
    void SetReadOnly(bool readOnly);
    bool ShowButton() const { return showButton_; }
    void SetShowButton(bool show);
    // Virtual key and shift state (MK_ALT style: 0x8000 Alt, 0x4000 Ctrl, 0x2000 Shift) in one.
    unsigned ClickKey = 0x8000 | VK_DOWN;

    void SetBounds(const platform::TBounds& bounds) override;
    // The button's action as a click would run it; nothing while ReadOnly.
    void ButtonClick();

protected:
    void WndProc(platform::TMessage& message) override;
    // Override with the class's own button action; the base calls OnButtonClick.
    virtual void ButtonAction();

private:
    void PlaceButton();
    bool IsClickKey(WPARAM key) const;

    TsEditButton* button_;
    InputState input_;
    bool showButton_ = true;
};

// Adds dropping names from a file manager and the events around the folder dialog.
class TsFileDirEdit : public TsCustomComboEdit {
public:
    TsFileDirEdit(platform::TComponent* owner, platform::TWinControl* parent);

    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool accept);
    bool MultipleDirs = false;
    DialogEvent OnBeforeDialog;
    DialogEvent OnAfterDialog;
    std::function<void()> OnDropFiles;

protected:
    void WndProc(platform::TMessage& message) override;

private:
    bool acceptFiles_ = false;
};

}  // namespace lw::comboedit
