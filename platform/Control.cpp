#include "platform/Control.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/ErrorReport.h"
#include "platform/Exception.h"
#include "platform/Text.h"

namespace lw::platform {
namespace {

constexpr wchar_t kOwnClass[] = L"LwWindow";
constexpr wchar_t kObjectProperty[] = L"LwControl";

const wchar_t* OwnClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kOwnClass;
        return RegisterClassExW(&windowClass);
    }();
    return atom ? kOwnClass : throw Exception("Cannot register the window class");
}

std::shared_ptr<GdiObject<HFONT>> MakeFont(const TFont& font) {
    const std::wstring face = Utf8ToWide(font.Name);
    return std::make_shared<GdiObject<HFONT>>(
        CreateFontW(font.Height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

}  // namespace

// --- TControl -------------------------------------------------------------------------------

TControl::TControl(TComponent* owner, TWinControl* parent) : TComponent(owner), parent_(parent) {
    WindowProc = [this](TMessage& message) { WndProc(message); };
    if (parent_) {
        font_ = parent_->font_;
        fontHandle_ = parent_->fontHandle_;
        parent_->controls_.push_back(this);
    } else {
        fontHandle_ = MakeFont(font_);
    }
}

TControl::~TControl() {
    if (parent_) std::erase(parent_->controls_, this);
}

void TControl::SetBounds(const TBounds& bounds) {
    Invalidate();
    bounds_ = bounds;
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (auto* window = dynamic_cast<TWinControl*>(this); window && window->Handle()) {
        ShowWindow(window->Handle(), visible ? SW_SHOW : SW_HIDE);
    } else {
        Invalidate();  // a windowless control is drawn by its parent
    }
    Perform(CM_VISIBLECHANGED, visible);
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (auto* window = dynamic_cast<TWinControl*>(this); window && window->Handle()) {
        EnableWindow(window->Handle(), enabled);
    }
    Invalidate();
    Perform(CM_ENABLEDCHANGED, enabled);
}

std::string TControl::Text() const { return WideToUtf8(TextW()); }
void TControl::SetText(std::string_view utf8) { SetTextW(Utf8ToWide(utf8)); }

void TControl::SetTextW(std::wstring_view text) {
    if (text_ == text) return;
    text_ = text;
    Invalidate();
    Perform(CM_TEXTCHANGED);
}

void TControl::SetFont(const TFont& font) {
    const TFont previous = font_;
    font_ = font;
    fontHandle_ = MakeFont(font);
    FontChanged();
    // Children that still show the font they took from this control follow it.
    if (auto* window = dynamic_cast<TWinControl*>(this)) {
        for (TControl* child : window->Controls()) {
            if (child->font_ == previous) child->SetFont(font);
        }
    }
}

void TControl::FontChanged() {
    Invalidate();
    Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor color) {
    if (color_ == color) return;
    color_ = color;
    ColorChanged();
    Invalidate();
}

void TControl::Click() {
    if (OnClick) OnClick();
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    TMessage m{message, wParam, lParam};
    WindowProc(m);
    return m.Result;
}

void TControl::Paint(HDC) {}

void TControl::Invalidate() {
    if (!parent_ || !parent_->Handle()) return;
    const RECT area{bounds_.Left, bounds_.Top, bounds_.Left + bounds_.Width, bounds_.Top + bounds_.Height};
    InvalidateRect(parent_->Handle(), &area, TRUE);
}

void TControl::WndProc(TMessage&) {}

// --- TWinControl ----------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner, TWinControl* parent) : TControl(owner, parent) {
    if (parent) parent->tabList_.push_back(this);
}

TWinControl::~TWinControl() {
    DestroyComponents();
    for (TControl* child : controls_) child->parent_ = nullptr;
    if (Parent()) std::erase(Parent()->tabList_, this);
    if (handle_) {
        // Detach first: the derived parts of this object are gone, nothing may reach them.
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defaultProc_));
        RemovePropW(handle_, kObjectProperty);
        DestroyWindow(handle_);
    }
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window ? static_cast<TWinControl*>(GetPropW(window, kObjectProperty)) : nullptr;
}

void TWinControl::CreateHandle(const TCreateParams& params) {
    DWORD style = params.Style;
    HWND parentWindow = params.ParentWindow;
    HMENU id = nullptr;
    if (Parent()) {
        static UINT_PTR nextId = 100;
        style |= WS_CHILD | WS_CLIPSIBLINGS | (Visible() ? WS_VISIBLE : 0);
        parentWindow = Parent()->Handle();
        id = reinterpret_cast<HMENU>(nextId++);
    } else {
        visible_ = false;  // forms are shown explicitly
    }
    if (!Enabled()) style |= WS_DISABLED;
    const TBounds& b = Bounds();
    handle_ = CreateWindowExW(params.ExStyle, params.ClassName ? params.ClassName : OwnClass(), text_.c_str(), style,
                              b.Left, b.Top, b.Width, b.Height, parentWindow, id, GetModuleHandleW(nullptr), nullptr);
    if (!handle_) throw Exception("Cannot create window");
    SetPropW(handle_, kObjectProperty, this);
    defaultProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandardWndProc)));
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    if (Parent()) Parent()->ApplyTabOrder();
}

LRESULT CALLBACK TWinControl::StandardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* self = FromHandle(window);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    TMessage m{message, wParam, lParam};
    try {
        self->WindowProc(m);
    } catch (...) {
        ReportException(std::current_exception());
    }
    return m.Result;
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_COMMAND:
        if (m.LParam) return ReflectTo(reinterpret_cast<HWND>(m.LParam), m);
        break;
    case WM_NOTIFY:
        return ReflectTo(reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom, m);
    case WM_DRAWITEM:
        if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam); item->CtlType != ODT_MENU) {
            return ReflectTo(item->hwndItem, m);
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return ReflectTo(reinterpret_cast<HWND>(m.LParam), m);
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
            TrackMouseEvent(&track);
            Perform(CM_MOUSEENTER);
        }
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        Perform(CM_MOUSELEAVE);
        break;
    case WM_NCDESTROY:
        // The window went with its parent; the object stays until its owner frees it.
        DefaultHandler(m);
        RemovePropW(handle_, kObjectProperty);
        handle_ = nullptr;
        return;
    }
    DefaultHandler(m);
}

void TWinControl::ReflectTo(HWND child, TMessage& m) {
    TWinControl* target = FromHandle(child);
    if (target && target != this) {
        m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    } else {
        DefaultHandler(m);
    }
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!handle_) return;
    if (IsReflected(m.Msg)) {
        // The child did not handle its notification: the parent's own default applies.
        m.Result = DefWindowProcW(GetParent(handle_), m.Msg - CN_BASE, m.WParam, m.LParam);
    } else {
        m.Result = CallWindowProcW(defaultProc_, handle_, m.Msg, m.WParam, m.LParam);
    }
}

void TWinControl::SetBounds(const TBounds& bounds) {
    TControl::SetBounds(bounds);
    if (handle_) SetWindowPos(handle_, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                              SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TWinControl::TextW() const {
    if (!handle_) return text_;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetTextW(std::wstring_view text) {
    text_ = text;
    if (handle_) SetWindowTextW(handle_, text_.c_str());
    Perform(CM_TEXTCHANGED);
}

void TWinControl::FontChanged() {
    if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    TControl::FontChanged();
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->tabList_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent()) return;
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
    Parent()->ApplyTabOrder();
}

void TWinControl::ApplyTabOrder() {
    HWND after = HWND_TOP;
    for (TWinControl* child : tabList_) {
        if (!child->handle_) continue;
        SetWindowPos(child->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = child->handle_;
    }
}

bool TWinControl::TabStop() const { return handle_ && (GetWindowLongW(handle_, GWL_STYLE) & WS_TABSTOP); }

void TWinControl::SetTabStop(bool tabStop) {
    if (!handle_) return;
    const LONG style = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
    if (handle_) ::SetFocus(handle_);
}

TWinControl* TWinControl::FirstTabStop() const {
    for (TWinControl* child : tabList_) {
        if (!child->Visible() || !child->Enabled()) continue;
        if (child->TabStop()) return child;
        if (TWinControl* inner = child->FirstTabStop()) return inner;
    }
    return nullptr;
}

void TWinControl::ColorChanged() { background_.reset(CreateSolidBrush(ColorToRGB(Color()))); }

void TWinControl::AnswerCtlColor(TMessage& m) const {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font().Color));
    SetBkColor(dc, ColorToRGB(Color()));
    m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
}

// --- TCustomControl -------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner, TWinControl* parent, const TCreateParams& params)
    : TWinControl(owner, parent) {
    CreateHandle(params);
    ColorChanged();
}


void TCustomControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(Handle(), &area);
        FillRect(reinterpret_cast<HDC>(m.WParam), &area, BackgroundBrush());
        m.Result = 1;
        return;
    }
    case WM_PAINT: {
        PaintScope paint(Handle());
        PaintWindow(paint.Dc());
        for (TControl* child : Controls()) {
            if (!child->Visible() || dynamic_cast<TWinControl*>(child)) continue;
            const TBounds& b = child->Bounds();
            const int saved = SaveDC(paint.Dc());
            IntersectClipRect(paint.Dc(), b.Left, b.Top, b.Left + b.Width, b.Top + b.Height);
            SetViewportOrgEx(paint.Dc(), b.Left, b.Top, nullptr);
            child->Paint(paint.Dc());
            RestoreDC(paint.Dc(), saved);
        }
        return;
    }
    case WM_GETFONT:  // the system's own classes answer it; ours should too
        m.Result = reinterpret_cast<LRESULT>(FontHandle());
        return;
    case WM_LBUTTONUP:
        if (TControl* child = WindowlessAt({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
            child->Click();
            return;
        }
        break;
    }
    TWinControl::WndProc(m);
}

void TCustomControl::PaintWindow(HDC) {}

TControl* TCustomControl::WindowlessAt(POINT point) const {
    const auto& children = Controls();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        TControl* child = *it;
        const TBounds& b = child->Bounds();
        if (dynamic_cast<TWinControl*>(child) || !child->Visible() || !child->Enabled()) continue;
        if (point.x >= b.Left && point.x < b.Left + b.Width && point.y >= b.Top && point.y < b.Top + b.Height) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace lw::platform
