#include "controls/adapters/ScrollParts.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/adapters/WindowAdapters.h"
#include "controls/scrollbars/core/ScrollBarPainting.h"
#include "render/Blit.h"
#include "render/MaskPaint.h"

namespace lw::controls {

namespace {

// The platform's arrow metric, read once: it is what the arrows are measured in.
int ArrowMetric() {
    static const int metric = GetSystemMetrics(SM_CXHSCROLL);
    return metric;
}

TgwScrollWnd* ScrollAdapterOf(HWND window) { return dynamic_cast<TgwScrollWnd*>(FindAdapter(window)); }
HWND WindowOf(scroll::WindowId id) { return reinterpret_cast<HWND>(id); }
scroll::WindowId IdOf(HWND window) { return reinterpret_cast<scroll::WindowId>(window); }

TRect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

scroll::ScrollRange RangeOf(const SCROLLINFO& info) { return {info.nMin, info.nMax, int(info.nPage), info.nPos}; }

TgwScrollBar* BarOf(TgwScrollWnd& adapter, int orientation) {
    return orientation == 0 ? adapter.HorzBar.get() : adapter.VertBar.get();
}

bridge::TsSkinManager* ManagerOf(const TgwScrollWnd& adapter) {
    return dynamic_cast<bridge::TsSkinManager*>(adapter.SkinManager());
}

// Frame size of the skin's arrow buttons when the skin asks for them to set the length.
int SkinnedArrowFrame(const TgwScrollWnd& adapter, const TgwScrollBar& bar) {
    const bridge::TsSkinManager* manager = ManagerOf(adapter);
    const render::SkinSource* skin = manager != nullptr ? manager->LoadedSkin() : nullptr;
    if (skin == nullptr) return 0;
    const int left = skin->GetSkinIndex("SCROLLBTNLEFT");
    const skin::TsGeneralData* data = manager->GeneralData(left);
    if (data == nullptr || !data->ReservedBoolean) return 0;
    const render::MaskRef* leftMask = skin->Mask(skin->GetMaskIndex(left, "SCROLLBTNLEFT", "BORDERSMASK"));
    if (leftMask == nullptr) return 0;
    if (bar.Orientation == 0) return leftMask->FrameWidth();
    const int top = skin->GetSkinIndex("SCROLLBTNTOP");
    const render::MaskRef* topMask = skin->Mask(skin->GetMaskIndex(top, "SCROLLBTNTOP", "BORDERSMASK"));
    return topMask != nullptr ? topMask->FrameHeight() : 0;
}

bool ControlDisabled(const TgwScrollWnd& adapter) {
    return adapter.SkinData().Owner().IsControl() && !adapter.SkinData().Owner().Enabled();
}

// What lies behind the window's pixel (x, y), from the parent's answer.
render::TsCacheInfo BackgroundAt(TgwScrollWnd& adapter, int x, int y) {
    render::TsCacheInfo bg = adapter.SkinData().ParentCacheInfo();
    if (bg.Ready) {
        RECT w{};
        GetWindowRect(adapter.Handle(), &w);
        POINT origin{w.left, w.top};
        if (HWND parent = GetParent(adapter.Handle())) ScreenToClient(parent, &origin);
        bg.X += origin.x + x;
        bg.Y += origin.y + y;
    }
    return bg;
}

void Blit(HDC dc, const render::Bitmap& image, const RECT& at) {
    bridge::BlitToDc(dc, at.left, at.top, image, image.Bounds());
}

// `pressedPart` and the slider placed by the caller when it is being dragged.
void PaintOneBar(TgwScrollWnd& adapter, TgwScrollBar& bar, HDC dc, int pressedPart, const RECT& windowRelative,
                 std::optional<int> dragStart = std::nullopt, int dragLength = 0) {
    const bool vertical = bar.Orientation == 1;
    if ((adapter.ThumbTracking && !dragStart) || !bar.Visible) return;
    if (vertical && adapter.SuppressRefresh && !dragStart) return;
    const bridge::TsSkinManager* manager = ManagerOf(adapter);
    const render::SkinSource* skin = manager != nullptr ? manager->LoadedSkin() : nullptr;
    if (skin == nullptr) return;
    const int width = windowRelative.right - windowRelative.left;
    const int height = windowRelative.bottom - windowRelative.top;
    const int length = vertical ? height : width;
    if (length < 2 || width <= 0 || height <= 0) return;
    bar.ReadInfo(adapter.Handle());

    const scroll::ScrollTracker& tracker = ScrollTrackerOfProcess();
    const scroll::WindowId id = IdOf(adapter.Handle());
    const bool enabled = BarEnabled(adapter, bar) && !ControlDisabled(adapter);
    const int hover = tracker.HoverPart(id, bar.Orientation);
    const int pressed = tracker.IsHot(id) ? pressedPart : scroll::sbNone;
    const int automatic = AutoArrowLength(bar);
    const int skinned = scroll::SkinnedArrowLength(bar.ArrowLength, ArrowMetric(), SkinnedArrowFrame(adapter, bar));

    scroll::BarPaintInput in;
    in.Vertical = vertical;
    in.Arrow = skinned;
    in.GlyphBox = ArrowMetric();
    in.Thumb = scroll::ThumbGeometry(RangeOf(bar.Info), 0, length, automatic, bar.MinThumbLength);
    in.Look.FirstArrow = scroll::ArrowState(scroll::sbFirstArrow, pressed, hover, enabled);
    in.Look.SecondArrow = scroll::ArrowState(scroll::sbSecondArrow, pressed, hover, enabled);
    in.Look.PressedPart = pressed;
    in.Look.Enabled = enabled;
    in.Look.SliderState = tracker.IsHot(id) && hover == scroll::sbThumb && enabled ? 1 : 0;
    const int track = length - 2 * automatic;
    const int range = bar.Info.nMax - bar.Info.nMin;
    in.Look.ShowSlider = track >= std::max(scroll::MulDiv(int(bar.Info.nPage), track, range), bar.MinThumbLength);
    if (dragStart) {
        in.Thumb = {*dragStart, dragLength};
        in.Look = scroll::BarLook{};
        in.Look.SliderState = 2;
    }
    in.Background = BackgroundAt(adapter, windowRelative.left, windowRelative.top);

    render::Bitmap image = render::CreateBmp24(width, height);
    const skin::TsCommonIndexes& indexes = manager->CommonIndexes();
    if (scroll::PaintBar(image, *skin, scroll::BarSkinOf(indexes, vertical), in)) Blit(dc, image, windowRelative);
}

RECT WindowRelative(const TgwScrollWnd& adapter, const TRect& screen) {
    RECT w{};
    GetWindowRect(adapter.Handle(), &w);
    return RECT{screen.Left - w.left, screen.Top - w.top, screen.Right - w.left, screen.Bottom - w.top};
}

void PaintSizeBox(TgwScrollWnd& adapter, HDC dc, const TRect& screenBox) {
    const RECT box = WindowRelative(adapter, screenBox);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width <= 0 || height <= 0) return;
    render::Bitmap image = render::CreateBmp24(width, height);
    const render::TsCacheInfo bg = BackgroundAt(adapter, box.left, box.top);
    if (bg.Ready && bg.Bmp != nullptr) {
        render::CopyPixels(image, {0, 0}, *bg.Bmp, TRect{bg.X, bg.Y, bg.X + width, bg.Y + height});
    } else {
        const COLORREF c = ResolveColor(bg.FillColor) & 0xFFFFFF;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = image.Pixel(x, y);
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
            }
    }
    const bridge::TsSkinManager* manager = ManagerOf(adapter);
    const render::SkinSource* skin = manager != nullptr ? manager->LoadedSkin() : nullptr;
    if (skin != nullptr && AtSizeGripPosition(adapter)) {
        const int global = manager->CommonIndexes().GlobalSection;
        if (const render::MaskRef* grip = skin->Mask(skin->GetMaskIndex(global, "GLOBALINFO", "GRIPIMAGE"))) {
            const TPoint at{width - grip->FrameWidth(), height - grip->FrameHeight()};
            render::PaintMaskFrame(image, at, 0, render::CacheInfoFromBitmap(image, 0, 0), *grip, 1);
        }
    }
    Blit(dc, image, box);
}

// The tracker's view of real windows.
class WindowTrackerPorts final : public scroll::TrackerPorts {
public:
    void SetTimer(scroll::WindowId w, unsigned id, unsigned ms) override { ::SetTimer(WindowOf(w), id, ms, nullptr); }
    void KillTimer(scroll::WindowId w, unsigned id) override { ::KillTimer(WindowOf(w), id); }
    void SetCapture(scroll::WindowId w) override { ::SetCapture(WindowOf(w)); }
    void ReleaseCapture() override { ::ReleaseCapture(); }
    TPoint CursorPos() const override {
        POINT p{};
        GetCursorPos(&p);
        return {p.x, p.y};
    }
    scroll::BarView Bar(scroll::WindowId w, int orientation) override {
        TgwScrollWnd* adapter = ScrollAdapterOf(WindowOf(w));
        TgwScrollBar* bar = adapter != nullptr ? BarOf(*adapter, orientation) : nullptr;
        if (bar == nullptr || !bar->Visible) return {};
        bar->ReadInfo(adapter->Handle());
        const scroll::BarLayout rects = ScreenBarRects(*adapter);
        return {orientation == 0 ? rects.Horz : rects.Vert, RangeOf(bar->Info), AutoArrowLength(*bar),
                bar->MinThumbLength, BarEnabled(*adapter, *bar)};
    }
    void SendScroll(scroll::WindowId w, int orientation, int code, int pos) override {
        TgwScrollWnd* adapter = ScrollAdapterOf(WindowOf(w));
        if (adapter != nullptr) adapter->SuppressRefresh = true;
        controls::SendScroll(WindowOf(w), orientation == 0 ? WM_HSCROLL : WM_VSCROLL, code, pos);
        // The request may have freed the adapter: look it up again.
        if ((adapter = ScrollAdapterOf(WindowOf(w))) != nullptr) adapter->SuppressRefresh = false;
    }
    void PaintBars(scroll::WindowId w) override {
        if (TgwScrollWnd* adapter = ScrollAdapterOf(WindowOf(w))) PaintScrollParts(*adapter, nullptr);
    }
    void PaintDrag(scroll::WindowId w, int orientation, int thumbStart, int thumbLength) override {
        TgwScrollWnd* adapter = ScrollAdapterOf(WindowOf(w));
        TgwScrollBar* bar = adapter != nullptr ? BarOf(*adapter, orientation) : nullptr;
        if (bar == nullptr) return;
        const scroll::BarLayout rects = ScreenBarRects(*adapter);
        const TRect screen = orientation == 0 ? rects.Horz : rects.Vert;
        HDC dc = GetWindowDC(adapter->Handle());
        PaintOneBar(*adapter, *bar, dc, scroll::sbNone, WindowRelative(*adapter, screen),
                    thumbStart - (orientation == 0 ? screen.Left : screen.Top), thumbLength);
        ReleaseDC(adapter->Handle(), dc);
    }
    void SetThumbTracking(scroll::WindowId w, bool tracking) override {
        if (TgwScrollWnd* adapter = ScrollAdapterOf(WindowOf(w))) adapter->ThumbTracking = tracking;
    }
};

}  // namespace

scroll::ScrollTracker& ScrollTrackerOfProcess() {
    static WindowTrackerPorts ports;
    static scroll::ScrollTracker tracker(ports);
    return tracker;
}

int BarThickness(const TgwScrollBar& bar) {
    return scroll::PartSize(bar.Thickness, GetSystemMetrics(bar.Orientation == 0 ? SM_CYHSCROLL : SM_CXVSCROLL));
}

int AutoArrowLength(const TgwScrollBar& bar) { return scroll::PartSize(bar.ArrowLength, ArrowMetric()); }

scroll::BarLayout ScreenBarRects(const TgwScrollWnd& a) {
    RECT w{};
    GetWindowRect(a.Handle(), &w);
    const bool hv = a.HorzBar && a.HorzBar->Visible;
    const bool vv = a.VertBar && a.VertBar->Visible;
    return scroll::BarRects(ToRect(w), {a.EdgeLeft, a.EdgeTop, a.EdgeRight, a.EdgeBottom},
                            a.HorzBar ? BarThickness(*a.HorzBar) : 0, a.VertBar ? BarThickness(*a.VertBar) : 0, hv, vv,
                            a.LeftScrollBar);
}

bool BarEnabled(const TgwScrollWnd& adapter, const TgwScrollBar& bar) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (GetScrollBarInfo(adapter.Handle(), bar.Orientation == 0 ? LONG(OBJID_HSCROLL) : LONG(OBJID_VSCROLL), &info)) {
        return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    }
    const LONG style = GetWindowLongW(adapter.Handle(), GWL_STYLE);
    return (style & (bar.Orientation == 0 ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

bool AtSizeGripPosition(const TgwScrollWnd& adapter) {
    HWND parent = GetParent(adapter.Handle());
    if (parent == nullptr || (GetWindowLongW(parent, GWL_STYLE) & WS_CHILD) != 0) return false;
    RECT client{};
    GetClientRect(parent, &client);
    const scroll::BarLayout rects = ScreenBarRects(adapter);
    POINT corner{adapter.LeftScrollBar ? rects.Horz.Left - adapter.EdgeLeft : rects.Horz.Right + adapter.EdgeRight,
                 rects.Horz.Bottom + adapter.EdgeBottom};
    ScreenToClient(parent, &corner);
    return corner.x == (adapter.LeftScrollBar ? client.left : client.right) && corner.y == client.bottom;
}

void FrameCalculation(TgwScrollWnd& adapter, platform::TMessage& message) {
    HWND window = adapter.Handle();
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    const RECT proposed = params->rgrc[0];
    if (style & (WS_HSCROLL | WS_VSCROLL)) {
        adapter.PreventStyleChange = true;
        SetWindowLongW(window, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
        adapter.CallPrevious(message);
        SetWindowLongW(window, GWL_STYLE, style);
        adapter.PreventStyleChange = false;
    } else {
        adapter.CallPrevious(message);
    }
    if (adapter.Unhooked) return;
    RECT& client = params->rgrc[0];
    adapter.EdgeLeft = client.left - proposed.left;
    adapter.EdgeRight = proposed.right - client.right;
    adapter.EdgeTop = client.top - proposed.top;
    adapter.EdgeBottom = proposed.bottom - client.bottom;
    if (TgwScrollBar* h = adapter.HorzBar.get()) {
        h->BarStyleFlag = (style & WS_HSCROLL) ? 8 : 0;
        const int t = BarThickness(*h);
        h->Visible = h->BarStyleFlag != 0 && client.bottom - client.top >= t;
        if (h->Visible) client.bottom -= t;
    }
    if (TgwScrollBar* v = adapter.VertBar.get()) {
        v->BarStyleFlag = (style & WS_VSCROLL) ? 8 : 0;
        const int t = BarThickness(*v);
        v->Visible = v->BarStyleFlag != 0 && client.right - client.left >= t;
        if (v->Visible) {
            if (adapter.LeftScrollBar) {
                client.left += t;
            } else {
                client.right -= t;
            }
        }
    }
}

bool WindowHitTest(TgwScrollWnd& adapter, platform::TMessage& message) {
    const TPoint p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    const auto inside = [p](const TRect& r) {
        return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
    };
    const scroll::BarLayout rects = ScreenBarRects(adapter);
    if (adapter.HorzBar && adapter.HorzBar->Visible && inside(rects.Horz)) {
        message.Result = BarEnabled(adapter, *adapter.HorzBar) ? HTHSCROLL : HTNOWHERE;
        return true;
    }
    if (adapter.VertBar && adapter.VertBar->Visible && inside(rects.Vert)) {
        message.Result = BarEnabled(adapter, *adapter.VertBar) ? HTVSCROLL : HTNOWHERE;
        return true;
    }
    if (!rects.SizeBox.IsEmpty() && inside(rects.SizeBox) && AtSizeGripPosition(adapter)) {
        message.Result = HTBOTTOMRIGHT;
        return true;
    }
    return false;
}

void RefreshScrollBars(TgwScrollWnd& adapter, bool repaint) {
    if (adapter.SkinData().IsUpdating() || !adapter.HorzBar || !adapter.VertBar) return;
    adapter.HorzBar->ReadInfo(adapter.Handle());
    adapter.VertBar->ReadInfo(adapter.Handle());
    if (repaint) PaintScrollParts(adapter, nullptr);
}

void PaintScrollParts(TgwScrollWnd& adapter, HDC dc) {
    TsCommonData& data = adapter.SkinData();
    if (data.RefreshUpdating()) return;
    if (data.Owner().IsControl() && (data.Owner().Creating() || !data.Owner().Visible())) return;
    if (data.BGChanged() && data.CacheBmp) {
        bridge::SendSkinCommandToWindow(adapter.Handle(), skin::SMC_PREPARECACHE, 0);
        if (adapter.Unhooked) return;
    }
    HWND window = adapter.Handle();
    HDC own = dc == nullptr ? GetWindowDC(window) : nullptr;
    HDC target = dc != nullptr ? dc : own;
    const scroll::BarLayout rects = ScreenBarRects(adapter);
    const scroll::ScrollTracker& tracker = ScrollTrackerOfProcess();
    const scroll::WindowId id = IdOf(window);
    if (adapter.HorzBar && adapter.HorzBar->Visible)
        PaintOneBar(adapter, *adapter.HorzBar, target, tracker.ShownPressed(id, 0),
                    WindowRelative(adapter, rects.Horz));
    if (adapter.VertBar && adapter.VertBar->Visible)
        PaintOneBar(adapter, *adapter.VertBar, target, tracker.ShownPressed(id, 1),
                    WindowRelative(adapter, rects.Vert));
    if (!rects.SizeBox.IsEmpty()) PaintSizeBox(adapter, target, rects.SizeBox);
    if (own != nullptr) ReleaseDC(window, own);
}

void SendScroll(HWND window, UINT message, int code, int pos) {
    const LPARAM command = MAKELONG(code, message);
    if (bridge::SendSkinCommandToWindow(window, skin::SMC_BEFORESCROLL, command) == 1) {
        SendMessageW(window, message, MAKEWPARAM(code, pos & 0xFFFF), pos);
    } else {
        if (code == scroll::sbThumbTrack) {
            // The list box reads the tracking position, not the one in the message.
            SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, pos, 0};
            SetScrollInfo(window, message == WM_HSCROLL ? SB_HORZ : SB_VERT, &info, FALSE);
        }
        SendMessageW(window, message, MAKEWPARAM(code, std::min(pos, 0xFFFF)), 0);
    }
    if (IsWindow(window)) bridge::SendSkinCommandToWindow(window, skin::SMC_AFTERSCROLL, command);
}

}  // namespace lw::controls
