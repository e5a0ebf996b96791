#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"
#include "platform/Component.h"
#include "platform/Handles.h"
#include "platform/Messages.h"

namespace lw::platform {

class TWinControl;
struct HookChain;

struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;  // negative: character height in pixels, as CreateFont takes it
    TColor Color = clWindowText;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const TFont&) const = default;
};

// The system's font object for `font`; its colour is the drawer's business.
FontHandle CreateFontObject(const TFont& font);

struct TBounds {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TBounds&) const = default;
};

// Any control, windowed or not. Every message for it passes through WindowProc, which starts
// as WndProc; an adapter that needs to see messages first puts a TMessageHook in front of it
// (MessageHook.h), which keeps the chain whole whatever order hooks come and go in.
class TControl : public TComponent {
public:
    TControl(TComponent* owner, TWinControl* parent);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }

    // Position in the parent's client area; for a windowed control it follows the window
    // however it is moved.
    const TBounds& Bounds() const { return bounds_; }
    virtual void SetBounds(const TBounds& bounds);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Visible, and so are all its parents.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // The caption of buttons, labels and forms, the text of edits; UTF-8.
    std::string Text() const;
    void SetText(std::string_view utf8);
    virtual std::wstring TextW() const { return text_; }
    virtual void SetTextW(std::wstring_view text);

    // Shown by the application's hints while the pointer rests on the control; UTF-8.
    std::string Hint() const;
    std::wstring HintW() const { return hint_; }
    void SetHint(std::string_view utf8);

    const TFont& Font() const { return font_; }
    HFONT FontHandle() const { return fontHandle_->get(); }
    void SetFont(const TFont& font);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    std::function<void()> OnClick;
    // The pointer shape over a windowless control (a system cursor such as IDC_HAND); null
    // keeps the parent's.
    LPCWSTR Cursor = nullptr;
    // Raises OnClick, as a mouse click or a program would.
    virtual void Click();

    std::function<void(TMessage&)> WindowProc;
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Override to draw a windowless control; `dc` has its origin at the control's top left.
    // Painters never throw: what they cannot paint they skip.
    virtual void Paint(HDC dc);
    virtual void Invalidate();

protected:
    // Override to handle messages; call the base for the rest.
    virtual void WndProc(TMessage& message);
    // Override to react after the property has changed (the window, if any, is updated).
    // The base versions send CM_COLORCHANGED / CM_FONTCHANGED.
    virtual void ColorChanged();
    virtual void FontChanged();
    // Sends CM_LOADED and CM_DESTROYING through WindowProc, where hooks see them.
    void Loaded() override;
    void Destroying() override;
    // Tells this control and its children that whether they can be seen changed.
    void ShowingChanged();

    std::wstring text_;

private:
    friend class TWinControl;
    std::wstring hint_;
    friend class TMessageHook;
    std::shared_ptr<HookChain> hooks_;
    TWinControl* parent_;
    TBounds bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    std::shared_ptr<GdiObject<HFONT>> fontHandle_;
    TColor color_ = clBtnFace;
};

// What a windowed control is created from. Concrete controls offer a protected constructor
// taking these, so a control derived from them chooses its own styles.
struct TCreateParams {
    const wchar_t* ClassName = nullptr;  // null: the toolkit's own class
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND ParentWindow = nullptr;  // for forms: the owner window
};

// A control with a window. Controls over a system class (EDIT, BUTTON, LISTBOX) subclass it:
// what WndProc leaves unhandled goes to the class's own procedure. The object is bound to its
// window from the first message of CreateWindowEx, so what the window sends while it is being
// created reaches it. Notifications a child sends its parent (WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM, WM_VKEYTOITEM,
// WM_CHARTOITEM, scroll-bar WM_HSCROLL/WM_VSCROLL) are reflected to the child's object as CN_*
// messages. Copying is disabled: the object is bound to its window.
class TWinControl : public TControl {
public:
    TWinControl(TComponent* owner, TWinControl* parent);
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    static TWinControl* FromHandle(HWND window);

    void SetBounds(const TBounds& bounds) override;
    std::wstring TextW() const override;
    void SetTextW(std::wstring_view text) override;
    void Invalidate() override;

    // Position among the parent's windowed children for keyboard navigation; kept as their
    // z-order, which is what the system's dialog navigation follows.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const;
    void SetTabStop(bool tabStop);
    bool Focused() const;
    void SetFocus();
    // The first control, in tab order and depth first, that can take the keyboard focus.
    TWinControl* FirstTabStop() const;

    const std::vector<TControl*>& Controls() const { return controls_; }
    // Paints the visible windowless children into `dc`, whose origin is this control's client
    // top left: the window's own painting, or a cache bitmap of it.
    void PaintControls(HDC dc) const;
    // The topmost visible, enabled windowless child at a point of the client area.
    TControl* WindowlessAt(POINT point) const;

protected:
    // Creates the window; the constructor of each concrete control calls it once.
    void CreateHandle(const TCreateParams& params);
    void WndProc(TMessage& message) override;
    void FontChanged() override;
    void ColorChanged() override;
    // The brush of Color(), for erasing and for answering the colour requests of system controls.
    HBRUSH BackgroundBrush() const { return background_.get(); }
    // Answers a reflected WM_CTLCOLOR*: the font's colour on the control's own colour.
    void AnswerCtlColor(TMessage& message) const;
    // The class's own handling (or the parent's, for an unhandled reflected notification).
    void DefaultHandler(TMessage& message);

private:
    friend class TControl;
    static LRESULT CALLBACK StandardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
    static const wchar_t* OwnClass();
    void Attach(HWND window);
    void ReflectTo(HWND child, TMessage& message);
    TWinControl* ChildWithId(UINT id) const;
    void MouseMoved(bool nonClient, POINT clientPoint);
    void MouseLeaveNotice();
    void HoverWindowless(TControl* child);
    void PlaceInTabOrder(TWinControl& child);

    enum class MouseArea { None, Client, NonClient };

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr;
    HFONT windowFont_ = nullptr;  // the font the window was last handed
    bool mouseInside_ = false;
    MouseArea trackedArea_ = MouseArea::None;
    TControl* hoverChild_ = nullptr;
    UINT_PTR nextChildId_ = 100;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    BrushHandle background_;
};

// A windowed control of the toolkit's own class that paints itself: containers and forms.
// WM_PAINT with a device context in WParam paints into that context, as WM_PRINTCLIENT does.
class TCustomControl : public TWinControl {
public:
    TCustomControl(TComponent* owner, TWinControl* parent, const TCreateParams& params);

protected:
    void WndProc(TMessage& message) override;
    // Override to paint the body; windowless children are drawn on top afterwards.
    virtual void PaintWindow(HDC dc);
    // Override to erase differently; the base fills the client area with Color().
    virtual void EraseBackground(HDC dc);

private:
    void PaintAll(HDC dc);
};

}  // namespace lw::platform
