#include "controls/forms/SkinnedFrame.h"

#include <windowsx.h>

#include <algorithm>

#include "bridge/SkinManager.h"
#include "platform/Form.h"
#include "render/Background.h"
#include "render/Blit.h"
#include "render/MaskPaint.h"
#include "render/Surface.h"
#include "platform/Redraw.h"

namespace lw::controls {

namespace {

constexpr LONG kCaptionBits = WS_CAPTION;
constexpr LONG kEdgeExBits = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

bridge::TsSkinManager* SkinnedManager() {
    bridge::TsSkinManager* m = bridge::DefaultSkinManager();
    return m != nullptr && m->LoadedSkin() != nullptr ? m : nullptr;
}

const render::MaskRef* GlobalMask(const bridge::TsSkinManager& m, const char* key) {
    const int global = m.GetSkinIndex("GLOBALINFO");
    return global < 0 ? nullptr : m.Mask(m.GetMaskIndex(global, "GLOBALINFO", key));
}

SIZE ClientSizeOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// A form whose layout gives its outer size keeps that; every other window keeps its client area.
bool KeepsOuterSize(HWND window) {
    const auto* form = dynamic_cast<const platform::TForm*>(platform::TWinControl::FromHandle(window));
    return form != nullptr && form->KeepsOuterSize();
}

// Fits the window around a new frame: a form whose layout gave its outer size keeps that and
// only has its client area worked out again; any other window keeps its client area `client`,
// around the same centre.
void FitToFrame(HWND window, SIZE client, int frameWidth, int frameHeight) {
    if (KeepsOuterSize(window)) {
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
        return;
    }
    RECT placed{};
    GetWindowRect(window, &placed);
    const int width = client.cx + frameWidth, height = client.cy + frameHeight;
    int left = placed.left - (width - (placed.right - placed.left)) / 2;
    int top = placed.top - (height - (placed.bottom - placed.top)) / 2;
    if (HWND parent = GetAncestor(window, GA_PARENT); parent != nullptr && parent != GetDesktopWindow()) {
        POINT at{left, top};
        ScreenToClient(parent, &at);
        left = at.x;
        top = at.y;
    }
    SetWindowPos(window, nullptr, left, top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}

// The title's edge slices are copied as the art has them, key colour included: those pixels
// are to show the frame behind.
void ShowThroughKeyPixels(render::Bitmap& item, const render::Bitmap& behind, TPoint at) {
    for (int y = 0; y < item.Height(); ++y) {
        for (int x = 0; x < item.Width(); ++x) {
            std::uint8_t* p = item.Pixel(x, y);
            if (p[0] != 0xFF || p[1] != 0x00 || p[2] != 0xFF) continue;
            const std::uint8_t* q = behind.Pixel(x + at.X, y + at.Y);
            std::copy(q, q + 3, p);
        }
    }
}

}  // namespace

SkinnedFrame::SkinnedFrame(HWND window, std::string section)
    // Read before the frame is taken, which clears the platform's sizing border.
    : window_(window),
      section_(std::move(section)),
      sizable_((GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) != 0) {
    ReadMetrics();
}

SkinnedFrame::~SkinnedFrame() { Release(); }

void SkinnedFrame::ReadMetrics() {
    metrics_ = FrameMetrics{};
    metrics_.Sizable = sizable_;
    clientFlat_ = false;
    if (const bridge::TsSkinManager* m = SkinnedManager()) {
        const auto& g = m->GlobalInfo();
        metrics_ = MetricsFromSkin(g.FormBorderWidth, g.TitleHeight, g.FormOffset, 4, 22);
        metrics_.Sizable = sizable_;
        if (const render::MaskRef* close = GlobalMask(*m, "BICONCLOSE")) {
            metrics_.CloseWidth = close->FrameWidth();
            metrics_.CloseHeight = close->FrameHeight();
        }
        const render::MaskRef* grip = GlobalMask(*m, "GRIPIMAGE");
        if (grip != nullptr) {
            metrics_.GripWidth = grip->FrameWidth();
            metrics_.GripHeight = grip->FrameHeight();
        }
        // One colour all over needs no picture of the client, unless a grip is laid over it.
        const render::SectionPaint* s = m->Section(m->GetSkinIndex(section_));
        clientFlat_ = s != nullptr && s->Transparency == 0 && s->GradientPercent <= 0 && s->ImagePercent <= 0 &&
                      (!sizable_ || grip == nullptr);
    }
    // A window without a system menu has no close button to offer.
    if ((GetWindowLongW(window_, GWL_STYLE) & WS_SYSMENU) == 0) metrics_.CloseWidth = metrics_.CloseHeight = 0;
}

void SkinnedFrame::Take() {
    if (taken_ || !IsWindow(window_)) return;
    const SIZE client = ClientSizeOf(window_);
    savedStyle_ = GetWindowLongW(window_, GWL_STYLE);
    savedExStyle_ = GetWindowLongW(window_, GWL_EXSTYLE);
    ReadMetrics();
    taken_ = true;
    clientStale_ = true;
    // Everything is marked for painting before the frame changes: the frame change paints the
    // frame and erases at once and so takes those marks; marked after it, they would paint the
    // frame and erase a second time.
    platform::RedrawShown(window_, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    SetWindowLongW(window_, GWL_STYLE, savedStyle_ & ~kCaptionBits & ~WS_THICKFRAME);
    SetWindowLongW(window_, GWL_EXSTYLE, savedExStyle_ & ~kEdgeExBits);
    FitToFrame(window_, client, 2 * metrics_.Border, metrics_.TitleHeight + metrics_.Border);
}

void SkinnedFrame::Release() {
    if (!taken_) return;
    taken_ = false;
    if (!IsWindow(window_)) return;
    const SIZE client = ClientSizeOf(window_);
    SetWindowLongW(window_, GWL_STYLE, savedStyle_ | (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE));
    SetWindowLongW(window_, GWL_EXSTYLE, savedExStyle_);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(savedStyle_), FALSE, static_cast<DWORD>(savedExStyle_));
    FitToFrame(window_, client, frame.right - frame.left, frame.bottom - frame.top);
    platform::RedrawShown(window_, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SkinnedFrame::Refresh() {
    ReadMetrics();
    clientStale_ = true;
    // A picture from a shaded skin is not kept once a flat one has no use for it.
    if (clientFlat_) client_.Resize(0, 0, render::PixelFormat::pf24bit);
    if (!taken_) return;
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    platform::RedrawShown(window_, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

FrameLayout SkinnedFrame::Layout() const {
    RECT placed{};
    GetWindowRect(window_, &placed);
    return LayOutFrame(placed.right - placed.left, placed.bottom - placed.top, metrics_);
}

int SkinnedFrame::CloseState() const {
    if (metrics_.CloseWidth == 0) return -1;
    if (closePressed_) return closeHot_ ? 2 : 1;
    return closeHot_ ? 1 : 0;
}

bool SkinnedFrame::OverClose(POINT screen) const {
    RECT placed{};
    GetWindowRect(window_, &placed);
    const FrameLayout l = Layout();
    return FrameHitTest(l, metrics_, {screen.x - placed.left, screen.y - placed.top}) == kHitClose;
}

void SkinnedFrame::SetCloseHot(bool hot) {
    if (hot == closeHot_) return;
    closeHot_ = hot;
    PaintFrame();
}

bool SkinnedFrame::Handle(platform::TMessage& m, const PassOn& passOn) {
    if (!taken_) return false;
    switch (m.Msg) {
    case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        const int width = r->right - r->left, height = r->bottom - r->top;
        const TRect client = LayOutFrame(width, height, metrics_).Client;
        const POINT origin{r->left, r->top};
        *r = {origin.x + client.Left, origin.y + client.Top, origin.x + client.Right, origin.y + client.Bottom};
        m.Result = 0;
        return true;
    }
    case WM_NCPAINT:
        PaintFrame();
        m.Result = 0;
        return true;
    case WM_SHOWWINDOW:
        if (m.WParam != FALSE) framePending_ = true;
        return false;
    case WM_NCACTIVATE:
        // The platform keeps its activation state; -1 asks it to paint nothing of the frame.
        m.LParam = -1;
        passOn(m);
        active_ = m.WParam != FALSE;
        // A window being shown is activated before its frame's first paint, which follows
        // anyway and shows the new state: painting here too would paint the frame twice.
        if (!framePending_) PaintFrame();
        m.Result = TRUE;
        return true;
    case WM_NCHITTEST: {
        RECT placed{};
        GetWindowRect(window_, &placed);
        m.Result = FrameHitTest(Layout(), metrics_,
                                {GET_X_LPARAM(m.LParam) - placed.left, GET_Y_LPARAM(m.LParam) - placed.top});
        return true;
    }
    case WM_NCMOUSEMOVE:
        SetCloseHot(m.WParam == HTCLOSE);
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, window_, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        return false;
    case WM_NCMOUSELEAVE:
        trackingLeave_ = false;
        if (!closePressed_) SetCloseHot(false);
        return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (m.WParam != HTCLOSE) return false;
        closePressed_ = true;
        closeHot_ = true;
        SetCapture(window_);
        PaintFrame();
        m.Result = 0;
        return true;
    case WM_MOUSEMOVE:
        if (!closePressed_) return false;
        {
            POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            ClientToScreen(window_, &at);
            SetCloseHot(OverClose(at));
        }
        m.Result = 0;
        return true;
    case WM_LBUTTONUP: {
        if (!closePressed_) return false;
        POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ClientToScreen(window_, &at);
        const bool close = OverClose(at);
        closePressed_ = false;
        ReleaseCapture();
        closeHot_ = close;
        PaintFrame();
        if (close) PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        m.Result = 0;
        return true;
    }
    case WM_CAPTURECHANGED:
        if (closePressed_) {
            closePressed_ = false;
            PaintFrame();
        }
        return false;
    case WM_SETTEXT:
        passOn(m);
        PaintFrame();
        return true;
    case WM_ERASEBKGND:
        PaintClient(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return true;
    case WM_PRINTCLIENT:
        if ((m.LParam & PRF_ERASEBKGND) == 0) return false;
        PaintClient(reinterpret_cast<HDC>(m.WParam));
        m.LParam &= ~PRF_ERASEBKGND;
        passOn(m);
        return true;
    case WM_SIZE:
        clientStale_ = true;
        return false;
    }
    return false;
}

const render::Bitmap* SkinnedFrame::ClientBackground() {
    bridge::TsSkinManager* m = SkinnedManager();
    if (m == nullptr) return nullptr;
    const SIZE size = ClientSizeOf(window_);
    if (size.cx <= 0 || size.cy <= 0) return nullptr;
    if (!clientStale_ && client_.Width() == size.cx && client_.Height() == size.cy) return &client_.Bitmap();
    client_.Resize(size.cx, size.cy, render::PixelFormat::pf24bit);
    render::Bitmap& bmp = client_.Bitmap();
    const int index = m->GetSkinIndex(section_);
    render::FillRectSolid(client_.Surface(), bmp.Bounds(), BackgroundColor());
    // The section's colour and gradient only: its border belongs to the frame.
    render::PaintSectionBackground(index, section_, render::CacheInfoFromColor(BackgroundColor()), TransparentKey, -1,
                                   -1, m, bmp, {0, 0}, bmp.Bounds(), 0);
    if (sizable_) {
        if (const render::MaskRef* grip = GlobalMask(*m, "GRIPIMAGE")) {
            render::PaintMaskFrame(bmp, {size.cx - grip->FrameWidth(), size.cy - grip->FrameHeight()}, 0,
                                   render::CacheInfoFromBitmap(bmp, 0, 0), *grip, 1);
        }
    }
    clientStale_ = false;
    ++clientGeneration_;
    return &bmp;
}

HBITMAP SkinnedFrame::ClientBackgroundHandle() { return ClientBackground() != nullptr ? client_.Handle() : nullptr; }

TColor SkinnedFrame::BackgroundColor() const {
    const bridge::TsSkinManager* m = SkinnedManager();
    if (m == nullptr) return GetSysColor(COLOR_BTNFACE);
    const render::SectionPaint* s = m->Section(m->GetSkinIndex(section_));
    return s != nullptr ? s->Color : m->GetGlobalColor();
}

void SkinnedFrame::AnswerBackgroundRequest(render::TsBgRequest& request) {
    // A flat client is answered with its colour, so no picture the size of the window is made
    // and kept for children that would only copy one colour out of it.
    const render::Bitmap* bmp = clientFlat_ ? nullptr : ClientBackground();
    if (bmp == nullptr) {
        request.Kind = 1;
        request.Color = BackgroundColor();
        if (request.DrawNow && request.Target != nullptr)
            render::FillRectSolid(*request.Target, request.Area, ResolveColor(request.Color));
        return;
    }
    request.Kind = 2;
    if (request.DrawNow && request.Target != nullptr) {
        request.Target->Copy({request.Area.Left, request.Area.Top}, *bmp,
                             RectOfSize(request.OffsetX, request.OffsetY, request.Area.Width(), request.Area.Height()));
    } else {
        request.Bitmap = bmp;
        request.OffsetX = request.OffsetY = 0;
    }
}

void SkinnedFrame::PaintClient(HDC dc) {
    const render::Bitmap* bmp = clientFlat_ ? nullptr : ClientBackground();
    if (bmp == nullptr) {
        RECT r{};
        GetClientRect(window_, &r);
        if (clientFlat_) {
            platform::BrushHandle brush(CreateSolidBrush(ResolveColor(BackgroundColor()) & 0xFFFFFF));
            FillRect(dc, &r, brush.get());
        } else {
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        }
        return;
    }
    bridge::BlitToDc(dc, 0, 0, *bmp, bmp->Bounds());
}

void SkinnedFrame::PaintFrameInto(bridge::TsDibSection& frame, const FrameLayout& l) {
    bridge::TsSkinManager* m = SkinnedManager();
    if (m == nullptr) return;
    render::Bitmap& target = frame.Bitmap();
    const int index = m->GetSkinIndex(section_);
    for (const TRect& band : FrameBands(l)) render::FillRectSolid(frame.Surface(), band, BackgroundColor());
    render::PaintItem(index, section_, render::CacheInfoFromColor(BackgroundColor()), -1, -1, m, target, {0, 0},
                      l.Window, 0, false);
    if (!l.Title.IsEmpty()) {
        render::Bitmap title = render::CreateBmp24(l.Title.Width(), l.Title.Height());
        render::PaintItem(m->GetSkinIndex("FORMTITLE"), "FORMTITLE",
                          render::CacheInfoFromBitmap(target, l.Title.Left, l.Title.Top), -1, -1, m, title, {0, 0},
                          title.Bounds(), active_ ? 1 : 0, false);
        ShowThroughKeyPixels(title, target, {l.Title.Left, l.Title.Top});
        render::CopyPixels(target, {l.Title.Left, l.Title.Top}, title, title.Bounds());
    }
    if (const render::MaskRef* close = GlobalMask(*m, "BICONCLOSE"); close != nullptr && !l.Close.IsEmpty()) {
        render::PaintMaskFrame(target, {l.Close.Left, l.Close.Top}, CloseState(),
                               render::CacheInfoFromBitmap(target, 0, 0), *close, 1);
    }
}

void SkinnedFrame::PaintCaption(HDC dc, const FrameLayout& l) {
    const bridge::TsSkinManager* m = SkinnedManager();
    const render::SectionPaint* title = m != nullptr ? m->Section(m->GetSkinIndex("FORMTITLE")) : nullptr;
    const int length = GetWindowTextLengthW(window_);
    if (title == nullptr || length <= 0) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window_, text.data(), length + 1)));
    const TColor color = active_ ? title->HotFontColor[0] : title->FontColor[0];
    auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    platform::SelectObjectScope selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color & 0xFFFFFF);
    RECT r{l.Title.Left + 6, l.Title.Top, (l.Close.IsEmpty() ? l.Title.Right : l.Close.Left) - 4, l.Title.Bottom};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void SkinnedFrame::PaintFrame() {
    if (!taken_ || !IsWindowVisible(window_)) return;
    const FrameLayout l = Layout();
    if (l.Window.IsEmpty()) return;
    framePending_ = false;
    // Made for each paint, not kept: as large as the whole window, it would weigh as much as
    // the window's own pixels between the rare repaints of a frame.
    // Only the bands around the client area show: the rest of the picture is neither filled nor
    // copied (a 600 × 600 window is nine tenths client), and each band is copied plainly rather
    // than the whole picture through a clip that excludes the client.
    bridge::TsDibSection frame(l.Window.Width(), l.Window.Height(), render::PixelFormat::pf24bit);
    PaintFrameInto(frame, l);
    PaintCaption(frame.Dc(), l);
    HDC dc = GetWindowDC(window_);
    if (dc == nullptr) return;
    for (const TRect& band : FrameBands(l))
        BitBlt(dc, band.Left, band.Top, band.Width(), band.Height(), frame.Dc(), band.Left, band.Top, SRCCOPY);
    ReleaseDC(window_, dc);
}

}  // namespace lw::controls
