#pragma once
#include "platform/Control.h"

namespace lw::platform {

enum class TCloseAction { None, Hide };
enum TModalResult : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

// A top-level window with a fixed dialog frame, centred on the screen when first shown.
// Closing only hides it; closing the main form ends the application's loop. A form is loading
// while its constructor builds its controls; the Loaded pass runs when the owner's Make
// returns, or at the latest when the form is first shown.
class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Every form of the application that exists, in order of creation.
    static const std::vector<TForm*>& AllForms();

    // The size a layout gives: its client area's, or the whole window's. A frame drawn in place
    // of the platform's keeps the one that was given.
    void SetClientSize(int width, int height);
    void SetOuterSize(int width, int height);
    bool KeepsOuterSize() const { return keepsOuterSize_; }
    SIZE ClientSize() const;
    void SetIcon(HICON icon);

    void Show();
    void Hide();
    // Runs OnClose; unless it answers TCloseAction::None the form is hidden (and the loop ends
    // for the main form, or the modal run for a modal one).
    void Close();
    // Shows the form with its owner disabled until ModalResult is set or the form is closed.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // The control that has, or gets on activation, the keyboard focus.
    TWinControl* ActiveControl() const;

    std::function<void()> OnShow;
    // The form became the active window (again), after the focus went back into it.
    std::function<void()> OnActivate;
    std::function<void(TCloseAction&)> OnClose;
    // A key pressed in the form, before the control with the focus sees it; `control` is set
    // for Ctrl without Alt (Ctrl+Alt is AltGr, which types letters). Answer true to take the
    // key: the control then gets nothing, not even the character. Served by the event loop.
    std::function<bool(WORD key, bool control)> OnShortCut;

protected:
    explicit TForm(TComponent* owner, const TCreateParams& params);
    void WndProc(TMessage& message) override;
    // The frame every form has unless a derived form asks for another.
    static TCreateParams DefaultCreateParams();

private:
    void RestoreFocus();
    void Resize(int width, int height, bool outerGiven);

    bool keepsOuterSize_ = false;
    bool shownOnce_ = false;
    bool modal_ = false;
    int modalResult_ = mrNone;
    HWND lastFocus_ = nullptr;
};

}  // namespace lw::platform
