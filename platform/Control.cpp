#include "platform/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "platform/Application.h"
#include "platform/ErrorReport.h"
#include "platform/Exception.h"
#include "platform/MessageHook.h"
#include "platform/MessageHookChain.h"
#include "platform/Text.h"
#include "platform/Redraw.h"

namespace lw::platform {
namespace {

constexpr wchar_t kOwnClass[] = L"LwWindow";
// The class's own procedure, kept on the window: whoever subclassed it after us may still call
// ours once the object is gone, and the message must still reach the class.
constexpr wchar_t kDefaultProcProperty[] = L"LwDefaultProc";

// The control whose window CreateWindowEx is making on this thread, bound at the window's
// first notice so that messages sent during creation reach it.
thread_local TWinControl* g_creating = nullptr;

// The object behind each window of ours. Every message looks its object up, so this is kept in
// the process: a window property costs a round trip to the window server under Wine.
std::unordered_map<HWND, TWinControl*>& Objects() {
    static std::unordered_map<HWND, TWinControl*> objects;
    return objects;
}

// The window of ours that holds this thread's keyboard focus, or none, followed from the focus
// messages each of our windows gets: GetFocus costs a round trip to the window server under
// Wine, and painting asks for the focus several times per control.
thread_local HWND g_focus = nullptr;

void FollowFocus(HWND window, UINT message, WPARAM wParam) {
    if (message == WM_SETFOCUS) {
        g_focus = window;
    } else if (message == WM_KILLFOCUS && g_focus == window) {
        // The window taking the focus is told next, unless it is not one of ours.
        const auto next = reinterpret_cast<HWND>(wParam);
        g_focus = Objects().count(next) != 0 ? next : nullptr;
    } else if (message == WM_NCDESTROY && g_focus == window) {
        g_focus = nullptr;
    }
}

}  // namespace

// Its windows start in the toolkit's own procedure, which binds each to the object making it at
// its first message: no subclassing, and no hook while it is made.
const wchar_t* TWinControl::OwnClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &StandardWndProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kOwnClass;
        return RegisterClassExW(&windowClass);
    }();
    return atom ? kOwnClass : throw Exception("Cannot register the window class");
}

namespace {

std::shared_ptr<GdiObject<HFONT>> MakeFont(const TFont& font) {
    return std::make_shared<GdiObject<HFONT>>(CreateFontObject(font));
}

// Tells the control, then its parent, that the mouse came or went; LParam names the control.
void NotifyMouse(TControl& control, UINT message) {
    const auto named = reinterpret_cast<LPARAM>(&control);
    control.Perform(message, 0, named);
    if (TControl* parent = control.Parent()) parent->Perform(message, 0, named);
}

// What a painter cannot paint it skips: an error here would come back with every repaint.
template <class Paint>
void PaintSafely(Paint&& paint) noexcept {
    try {
        paint();
    } catch (...) {}
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
    if (!hint_.empty() && Application != nullptr) Application->Hints().Remove(*this);
    if (hooks_) hooks_->Detach();
    if (parent_) {
        std::erase(parent_->controls_, this);
        if (parent_->hoverChild_ == this) parent_->hoverChild_ = nullptr;
    }
}

bool TControl::Showing() const { return visible_ && (!parent_ || parent_->Showing()); }

void TControl::ShowingChanged() {
    Perform(CM_SHOWINGCHANGED, Showing());
    if (auto* window = dynamic_cast<TWinControl*>(this)) {
        for (TControl* child : window->controls_) {
            if (child->visible_) child->ShowingChanged();
        }
    }
}

void TControl::Loaded() { Perform(CM_LOADED); }
void TControl::Destroying() { Perform(CM_DESTROYING); }

void TControl::SetBounds(const TBounds& bounds) {
    Invalidate();
    bounds_ = bounds;
    Invalidate();
    // A windowless control's hint is a rectangle of its parent: it moves with the control.
    if (!hint_.empty() && Application != nullptr) Application->Hints().Update(*this);
}

std::string TControl::Hint() const { return WideToUtf8(hint_); }

void TControl::SetHint(std::string_view utf8) {
    hint_ = Utf8ToWide(utf8);
    if (Application != nullptr) Application->Hints().Update(*this);
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
    if (!parent_ || parent_->Showing()) ShowingChanged();
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
    // The colour is no part of the system's font: a new colour alone keeps the font object, so a
    // window is not handed a font it would lay its text out for again.
    TFont recoloured = previous;
    recoloured.Color = font.Color;
    if (!(recoloured == font)) fontHandle_ = MakeFont(font);
    FontChanged();
    // Children that still show the font they took from this control follow it.
    if (auto* window = dynamic_cast<TWinControl*>(this)) {
        for (TControl* child : window->Controls()) {
            if (child->font_ == previous) child->SetFont(font);
            child->Perform(CM_PARENTFONTCHANGED);
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
    if (auto* window = dynamic_cast<TWinControl*>(this)) {
        for (TControl* child : window->Controls()) child->Perform(CM_PARENTCOLORCHANGED);
    }
}

void TControl::ColorChanged() { Perform(CM_COLORCHANGED); }

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
    RedrawShown(parent_->Handle(), RDW_INVALIDATE | RDW_ERASE, &area);
}

void TControl::WndProc(TMessage&) {}

// --- TWinControl ----------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner, TWinControl* parent) : TControl(owner, parent) {
    if (parent) parent->tabList_.push_back(this);
}

TWinControl::~TWinControl() {
    BeginDestroy();  // an unowned control gets no notice from an owner
    DestroyComponents();
    for (TControl* child : controls_) child->parent_ = nullptr;
    if (Parent()) std::erase(Parent()->tabList_, this);
    if (handle_) {
        // Detach first: the derived parts of this object are gone, nothing may reach them. Our
        // procedure comes off only while it is the current one; one installed after it keeps
        // working, and ours then passes everything to the class it finds named on the window.
        if (GetWindowLongPtrW(handle_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StandardWndProc))
            SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defaultProc_));
        else
            SetPropW(handle_, kDefaultProcProperty, reinterpret_cast<HANDLE>(defaultProc_));
        Objects().erase(handle_);
        DestroyWindow(handle_);
    }
}

TWinControl* TWinControl::FromHandle(HWND window) {
    if (window == nullptr) return nullptr;
    const auto it = Objects().find(window);
    return it != Objects().end() ? it->second : nullptr;
}

void TWinControl::CreateHandle(const TCreateParams& params) {
    DWORD style = params.Style;
    HWND parentWindow = params.ParentWindow;
    HMENU id = nullptr;
    if (Parent()) {
        style |= WS_CHILD | WS_CLIPSIBLINGS | (Visible() ? WS_VISIBLE : 0);
        parentWindow = Parent()->Handle();
        // Numbered within the parent: a counter for the whole process would pass what a command
        // notification can carry once dialogs have been opened and closed often enough.
        id = reinterpret_cast<HMENU>(Parent()->nextChildId_++);
    } else {
        visible_ = false;  // forms are shown explicitly
    }
    if (!Enabled()) style |= WS_DISABLED;
    const TBounds& b = Bounds();
    TWinControl* const outer = g_creating;
    g_creating = this;
    // A system class's window is bound by a hook before its first message reaches the class: a
    // hook in place costs round trips to the system at every window made meanwhile.
    HHOOK hook = params.ClassName ? SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, GetCurrentThreadId()) : nullptr;
    HWND created =
        CreateWindowExW(params.ExStyle, params.ClassName ? params.ClassName : OwnClass(), text_.c_str(), style, b.Left,
                        b.Top, b.Width, b.Height, parentWindow, id, GetModuleHandleW(nullptr), nullptr);
    if (hook) UnhookWindowsHookEx(hook);
    g_creating = outer;
    if (!created) throw Exception("Cannot create window");
    if (!handle_) Attach(created);
    windowFont_ = FontHandle();
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
    if (Parent()) Parent()->PlaceInTabOrder(*this);
}

LRESULT CALLBACK TWinControl::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    // The first window made after CreateHandle began is its own; windows its creation makes
    // in turn come later and are left alone.
    if (code == HCBT_CREATEWND && g_creating && !g_creating->handle_)
        g_creating->Attach(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TWinControl::Attach(HWND window) {
    handle_ = window;
    Objects()[window] = this;
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StandardWndProc)) {
        defaultProc_ = DefWindowProcW;  // the toolkit's own class
        return;
    }
    defaultProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandardWndProc)));
}

LRESULT CALLBACK TWinControl::StandardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FollowFocus(window, message, wParam);
    TWinControl* self = FromHandle(window);
    // The first message of a window of the toolkit's own class: it is the one being made.
    if (!self && g_creating && !g_creating->handle_) {
        g_creating->Attach(window);
        self = g_creating;
    }
    if (!self) {
        const auto classProc = reinterpret_cast<WNDPROC>(GetPropW(window, kDefaultProcProperty));
        if (message == WM_NCDESTROY) RemovePropW(window, kDefaultProcProperty);
        return classProc ? CallWindowProcW(classProc, window, message, wParam, lParam)
                         : DefWindowProcW(window, message, wParam, lParam);
    }
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) && Application != nullptr)
        Application->Hints().Relay(window, message, wParam, lParam);
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
    // Notifications about a child go to the child's object.
    case WM_COMMAND:
    case WM_HSCROLL:  // from a scroll-bar child; a window's own bars name no window
    case WM_VSCROLL:
        if (m.LParam) return ReflectTo(reinterpret_cast<HWND>(m.LParam), m);
        break;
    case WM_NOTIFY:
        if (!m.LParam) return;  // nothing to read: ignored
        return ReflectTo(reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom, m);
    case WM_DRAWITEM:
        if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam); item && item->CtlType != ODT_MENU) {
            return ReflectTo(item->hwndItem, m);
        }
        break;
    case WM_MEASUREITEM:  // names the child by identifier only, and may come while it is created
        if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam); item && item->CtlType != ODT_MENU) {
            if (TWinControl* child = ChildWithId(item->CtlID)) return ReflectTo(child->handle_, m);
        }
        break;
    case WM_DELETEITEM:
        if (auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam); item && item->CtlType != ODT_MENU) {
            return ReflectTo(item->hwndItem, m);
        }
        break;
    case WM_COMPAREITEM:
        if (auto* item = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam); item && item->CtlType != ODT_MENU) {
            return ReflectTo(item->hwndItem, m);
        }
        break;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return ReflectTo(reinterpret_cast<HWND>(m.LParam), m);

    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        DefaultHandler(m);
        POINT point{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (m.Msg == WM_NCMOUSEMOVE) ScreenToClient(handle_, &point);
        MouseMoved(m.Msg == WM_NCMOUSEMOVE, point);
        return;
    }
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
        DefaultHandler(m);
        MouseLeaveNotice();
        return;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(handle_, &point);
            if (TControl* child = WindowlessAt(point); child && child->Cursor) {
                ::SetCursor(LoadCursorW(nullptr, child->Cursor));
                m.Result = TRUE;
                return;
            }
        }
        break;
    case WM_NCPAINT: {
        // A window its client area fills has no frame to paint; its class would still get a
        // device context of the window to paint nothing, several round trips to the system.
        RECT window, client;
        if (GetWindowRect(handle_, &window) && GetClientRect(handle_, &client) &&
            window.right - window.left == client.right && window.bottom - window.top == client.bottom)
            return;
        break;
    }
    case WM_SETFOCUS:
        DefaultHandler(m);
        Perform(CM_ENTER);
        return;
    case WM_KILLFOCUS:
        DefaultHandler(m);
        Perform(CM_EXIT);
        return;
    case WM_WINDOWPOSCHANGED:
        // However the window moved, the bounds say where it is: offsets into the parent's
        // background are computed from them.
        if (const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
            pos && (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            RECT window;
            GetWindowRect(handle_, &window);
            if (HWND parent = GetParent(handle_); parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)) {
                MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
            }
            bounds_ = {window.left, window.top, window.right - window.left, window.bottom - window.top};
        }
        break;
    case WM_NCDESTROY:
        // The window went with its parent; the object stays until its owner frees it, and keeps
        // the text as the window last held it. Hooks were put on for the window and come off
        // with it.
        text_ = TextW();
        DefaultHandler(m);
        if (hooks_) hooks_->RemoveAll();
        Objects().erase(handle_);
        handle_ = nullptr;
        mouseInside_ = false;
        trackedArea_ = MouseArea::None;
        return;
    }
    DefaultHandler(m);
}

void TWinControl::MouseMoved(bool nonClient, POINT clientPoint) {
    const MouseArea area = nonClient ? MouseArea::NonClient : MouseArea::Client;
    if (trackedArea_ != area) {
        // One leave notice is tracked at a time, for the area the mouse is in.
        trackedArea_ = area;
        TRACKMOUSEEVENT track{sizeof track, static_cast<DWORD>(TME_LEAVE | (nonClient ? TME_NONCLIENT : 0)), handle_,
                              0};
        TrackMouseEvent(&track);
    }
    if (!mouseInside_) {
        mouseInside_ = true;
        NotifyMouse(*this, CM_MOUSEENTER);
    }
    HoverWindowless(nonClient ? nullptr : WindowlessAt(clientPoint));
}

void TWinControl::MouseLeaveNotice() {
    trackedArea_ = MouseArea::None;
    // Passing between the client and the non-client area ends one tracking and starts the
    // other; the control is left only when the mouse is over some other window.
    POINT cursor;
    if (handle_ && GetCursorPos(&cursor) && WindowFromPoint(cursor) == handle_) return;
    HoverWindowless(nullptr);
    if (!mouseInside_) return;
    mouseInside_ = false;
    NotifyMouse(*this, CM_MOUSELEAVE);
}

void TWinControl::HoverWindowless(TControl* child) {
    if (hoverChild_ == child) return;
    if (TControl* left = std::exchange(hoverChild_, child)) NotifyMouse(*left, CM_MOUSELEAVE);
    if (child) NotifyMouse(*child, CM_MOUSEENTER);
}

TWinControl* TWinControl::ChildWithId(UINT id) const {
    if (TWinControl* child = FromHandle(GetDlgItem(handle_, static_cast<int>(id)))) return child;
    // A child still inside CreateWindowEx may not be found by identifier yet.
    if (g_creating && g_creating->Parent() == this && g_creating->handle_ &&
        GetDlgCtrlID(g_creating->handle_) == static_cast<int>(id)) {
        return g_creating;
    }
    return nullptr;
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
    if (handle_)
        SetWindowPos(handle_, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TWinControl::TextW() const {
    if (!handle_) return text_;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetTextW(std::wstring_view text) {
    // While the window lives it holds the text: a copy here would double a memo's megabytes.
    if (handle_)
        SetWindowTextW(handle_, std::wstring(text).c_str());
    else
        text_ = text;
    Perform(CM_TEXTCHANGED);
}

void TWinControl::FontChanged() {
    if (handle_ && FontHandle() != windowFont_) {
        windowFont_ = FontHandle();
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), TRUE);
    }
    TControl::FontChanged();
}

void TWinControl::Invalidate() { RedrawShown(handle_, RDW_INVALIDATE | RDW_ERASE); }

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
    Parent()->PlaceInTabOrder(*this);
}

// The windows of the tab list stand in its order in the parent's Z order, so placing one child
// takes one move at most: right below the nearest earlier window of the list. A window made last
// in its parent is already there (the system adds children at the bottom); asking is one round
// trip to the system, a move three and two messages to the child.
void TWinControl::PlaceInTabOrder(TWinControl& child) {
    if (!child.handle_) return;
    HWND after = nullptr;
    for (TWinControl* earlier : tabList_) {
        if (earlier == &child) break;
        if (earlier->handle_) after = earlier->handle_;
    }
    if (GetWindow(child.handle_, GW_HWNDPREV) == after) return;
    SetWindowPos(child.handle_, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TWinControl::TabStop() const { return handle_ && (GetWindowLongW(handle_, GWL_STYLE) & WS_TABSTOP); }

void TWinControl::SetTabStop(bool tabStop) {
    if (!handle_) return;
    const LONG style = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

bool TWinControl::Focused() const { return handle_ && g_focus == handle_; }

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

void TWinControl::ColorChanged() {
    background_.reset(CreateSolidBrush(ColorToRGB(Color())));
    TControl::ColorChanged();
}

void TWinControl::PaintControls(HDC dc) const {
    for (TControl* child : controls_) {
        if (!child->Visible() || dynamic_cast<TWinControl*>(child)) continue;
        const TBounds& b = child->Bounds();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, b.Left, b.Top, b.Left + b.Width, b.Top + b.Height);
        OffsetViewportOrgEx(dc, b.Left, b.Top, nullptr);
        PaintSafely([&] { child->Paint(dc); });
        RestoreDC(dc, saved);
    }
}

TControl* TWinControl::WindowlessAt(POINT point) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* child = *it;
        const TBounds& b = child->Bounds();
        if (dynamic_cast<TWinControl*>(child) || !child->Visible() || !child->Enabled()) continue;
        if (point.x >= b.Left && point.x < b.Left + b.Width && point.y >= b.Top && point.y < b.Top + b.Height) {
            return child;
        }
    }
    return nullptr;
}

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
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_PAINT:
        if (m.WParam) {  // a context to paint into: a cache, or a parent painting what is behind
            PaintAll(reinterpret_cast<HDC>(m.WParam));
        } else {
            PaintScope paint(Handle());
            PaintAll(paint.Dc());
        }
        return;
    case WM_PRINTCLIENT:
        if (m.LParam & PRF_ERASEBKGND) EraseBackground(reinterpret_cast<HDC>(m.WParam));
        PaintAll(reinterpret_cast<HDC>(m.WParam));
        return;
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

void TCustomControl::PaintAll(HDC dc) {
    PaintSafely([&] { PaintWindow(dc); });
    PaintControls(dc);
}

void TCustomControl::PaintWindow(HDC) {}

void TCustomControl::EraseBackground(HDC dc) {
    RECT area;
    GetClientRect(Handle(), &area);
    FillRect(dc, &area, BackgroundBrush());
}

FontHandle CreateFontObject(const TFont& font) {
    const std::wstring face = Utf8ToWide(font.Name);
    return FontHandle(CreateFontW(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic, font.Underline,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

}  // namespace lw::platform
