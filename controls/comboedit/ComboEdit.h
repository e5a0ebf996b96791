#pragma once
#include <functional>

#include "controls/comboedit/EditButton.h"
#include "controls/comboedit/GlyphMode.h"
#include "controls/comboedit/MaskEdit.h"
#include "controls/comboedit/core/FolderChoice.h"

namespace lw::controls {

// A single-line edit with a button inside its right end. The text never runs under the
// button. DirectInput off makes the text untypeable while the button keeps working; ReadOnly
// stops both. ClickKey (Alt+Down by default) clicks the button from the keyboard.
class TsCustomComboEdit : public TsMaskEdit {
public:
    TsCustomComboEdit(platform::TComponent* owner, platform::TWinControl* parent);

    TsEditButton& Button() const { return *button_; }
    // The button while it can be asked or told anything: not while loading or going away.
    TsEditButton* LiveButton() const;
    std::function<void()> OnButtonClick;

    bool DirectInput() const { return input_.DirectInput; }
    void SetDirectInput(bool directInput);
    bool ReadOnly() const { return input_.ReadOnly; }
    void SetReadOnly(bool readOnly);
    bool ShowButton() const { return showButton_; }
    void SetShowButton(bool show);
    // Virtual key and shift state (MK_ALT style: 0x8000 Alt, 0x4000 Ctrl, 0x2000 Shift) in one.
    unsigned ClickKey = 0x8000 | VK_DOWN;

    // The button's own images; without them it shows built-in glyph GlyphIndex (-1: none).
    TsGlyphMode& GlyphMode() { return glyphMode_; }
    int GlyphIndex() const { return glyphIndex_; }
    void SetGlyphIndex(int index);
    // The glyph mode changed: the button takes the width of its glyph + 2.
    void GlyphChanged();

    void SetBounds(const platform::TBounds& bounds) override;
    // The button's action as a click would run it; nothing while ReadOnly.
    void ButtonClick();

protected:
    void WndProc(platform::TMessage& message) override;
    CacheTextLayout CacheText(int inset) const override;
    // Override with the class's own button action; the base calls OnButtonClick.
    virtual void ButtonAction();

private:
    void PlaceButton();
    int ShownButtonWidth() const { return showButton_ ? buttonWidth_ : 0; }
    bool IsClickKey(WPARAM key) const;
    bool FieldSkinCommand(platform::TMessage& message);
    EditButtonGlyph GlyphFor(int state) const;
    void PaintButtonBackground(render::Bitmap& cache);
    void Print(HDC dc);
    void PrintButton(HDC dc);
    POINT ClientOrigin() const;
    void ButtonHover(bool entered);

    TsEditButton* button_;
    TsGlyphMode glyphMode_{*this};
    InputState input_;
    bool showButton_ = true;
    int buttonWidth_;
    int glyphIndex_ = -1;
};

// Adds dropping names from a file manager and the events around the folder dialog.
class TsFileDirEdit : public TsCustomComboEdit {
public:
    TsFileDirEdit(platform::TComponent* owner, platform::TWinControl* parent);

    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool accept);
    // With MultipleDirs the text holds several folders separated by ";": dropping appends,
    // and the long and short forms below convert each.
    bool MultipleDirs = false;
    // The text in the platform's long or short path form; a folder the platform cannot
    // convert (one that does not exist) is kept as it stands.
    std::string LongName() const;
    std::string ShortName() const;
    DialogEvent OnBeforeDialog;
    DialogEvent OnAfterDialog;
    std::function<void()> OnDropFiles;

protected:
    void WndProc(platform::TMessage& message) override;

private:
    bool acceptFiles_ = false;
};

}  // namespace lw::controls
