// The scroll adapter's message table: the platform's bars give way to ours in the frame, and
// presses, moves and timers on them become the ordinary scroll requests.
#include <windowsx.h>

#include "controls/adapters/WindowAdapters.h"
#include "controls/adapters/ScrollParts.h"

namespace lw::controls {

namespace {

constexpr UINT kVertScrollCommand = 0xF077;
constexpr UINT kHorzScrollCommand = 0xF086;

scroll::WindowId IdOf(HWND window) { return reinterpret_cast<scroll::WindowId>(window); }

TPoint PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool OnBar(WPARAM hit) { return hit == HTHSCROLL || hit == HTVSCROLL; }

}  // namespace

TgwScrollWnd::~TgwScrollWnd() { Unhook(); }

void TgwScrollWnd::Hook(bool hookNow) {
    SuppressRefresh = false;
    HorzBar = std::make_unique<TgwScrollBar>(this, 0);
    VertBar = std::make_unique<TgwScrollBar>(this, 1);
    const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
    for (TgwScrollBar* bar : {HorzBar.get(), VertBar.get()}) {
        bar->ReadInfo(Handle());
        bar->BarStyleFlag = (style & (bar->Orientation == 0 ? WS_HSCROLL : WS_VSCROLL)) ? 8 : 0;
    }
    LeftScrollBar = (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    PreventStyleChange = false;
    TgwMainWnd::Hook(hookNow);
    SetMinThumbLength(Handle(), 3, 10);
    if (hookNow) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TgwScrollWnd::Unhooking(bool windowDying) {
    ScrollTrackerOfProcess().WindowDestroyed(IdOf(Handle()));
    ThumbTracking = false;
    if (windowDying || !IsWindow(Handle())) return;
    // The platform takes its frame and bars back; a hidden window too, or it would show our
    // frame's client area when shown.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TgwScrollWnd::HandleMessage(platform::TMessage& message) {
    TsCommonData& data = SkinData();
    if (message.Msg == WM_DESTROY || message.Msg == WM_NCDESTROY) {
        Unhook();
        CallPrevious(message);
        return;
    }
    if (!data.Skinned()) {
        if (message.Msg == skin::SM_ALPHACMD && skin::SkinCommandOf(message.WParam) == skin::SMC_SKINLOADED)
            data.UpdateIndexes();
        CallPrevious(message);
        return;
    }
    scroll::ScrollTracker& tracker = ScrollTrackerOfProcess();
    const scroll::WindowId id = IdOf(Handle());
    switch (message.Msg) {
    case WM_UPDATEUISTATE:
        return;
    case skin::SM_ALPHACMD:
        if (HandleCommonCommand(message)) return;
        break;
    case WM_STYLECHANGED:
        if (PreventStyleChange) {
            message.Result = 0;
            return;
        }
        if (message.WParam == WPARAM(GWL_EXSTYLE)) {
            LeftScrollBar = (reinterpret_cast<STYLESTRUCT*>(message.LParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
        }
        break;
    case WM_NCCALCSIZE:
        FrameCalculation(*this, message);
        return;
    case WM_NCHITTEST:
        if (WindowHitTest(*this, message)) return;
        break;
    case WM_NCPAINT:
        // Ours go over whatever the previous handler draws in the frame.
        CallPrevious(message);
        if (!Gone() && IsWindowVisible(Handle())) {
            if (!data.RefreshUpdating() && !SuppressRefresh) PaintScrollParts(*this, nullptr);
        }
        return;
    case WM_NCMOUSEMOVE:
        tracker.NcMouseMove(id, message.WParam == HTHSCROLL ? 0 : message.WParam == HTVSCROLL ? 1 : -1);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (OnBar(message.WParam) && tracker.Press(id, message.WParam == HTHSCROLL ? 0 : 1, PointOf(message.LParam))) {
            message.Result = 0;
            return;
        }
        break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (OnBar(message.WParam)) {
            message.Result = 0;
            return;
        }
        break;
    case WM_SYSCOMMAND:
        // The platform's own modal tracking must never start on a bar of ours.
        if ((message.WParam & 0xFFF0) == (kVertScrollCommand & 0xFFF0) ||
            (message.WParam & 0xFFF0) == (kHorzScrollCommand & 0xFFF0)) {
            return;
        }
        break;
    case WM_TIMER:
        if (tracker.Timer(id, static_cast<unsigned>(message.WParam))) {
            if (!Gone() && !SuppressRefresh && !ThumbTracking) RefreshScrollBars(*this, true);
            return;
        }
        break;
    case WM_MOUSEMOVE: {
        POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        ClientToScreen(Handle(), &p);
        if (tracker.MouseMove(id, {p.x, p.y})) return;
        break;
    }
    case WM_LBUTTONUP:
        tracker.Release(id);
        if (Gone()) return;
        break;
    case WM_CAPTURECHANGED:
        tracker.CaptureChanged(id);
        if (Gone()) return;
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        CallPrevious(message);
        if (!Gone() && !SuppressRefresh) RefreshScrollBars(*this, true);
        return;
    }
    CallPrevious(message);
}

void TgwBaseWnd::HandleMessage(platform::TMessage& message) {
    TsCommonData& data = SkinData();
    if (!data.Skinned() || Gone()) {
        TgwScrollWnd::HandleMessage(message);
        return;
    }
    switch (message.Msg) {
    case skin::SM_ALPHACMD:
        switch (skin::SkinCommandOf(message.WParam)) {
        case skin::SMC_REFRESH:
            TgwScrollWnd::HandleMessage(message);
            if (!Gone() && OwnManager(message) && IsWindowVisible(Handle())) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
            return;
        case skin::SMC_PREPARECACHE:
            PaintFrameToCache();
            return;
        }
        break;
    case WM_SIZE:
        data.MarkStale();
        break;
    case WM_SETCURSOR:
        CallPrevious(message);
        return;
    case 0x2100:
        return;
    }
    TgwScrollWnd::HandleMessage(message);
    if (Gone()) return;
    switch (message.Msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!SuppressRefresh) RefreshScrollBars(*this, true);
        break;
    case WM_ENABLE:
    case platform::CM_ENABLEDCHANGED:
        if (IsWindowVisible(Handle())) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
        break;
    }
}

}  // namespace lw::controls
