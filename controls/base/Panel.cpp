#include "controls/base/Panel.h"

#include "bridge/DibSection.h"
#include "bridge/GdiTextEngine.h"
#include "bridge/SkinCommands.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/ContainerPainting.h"
#include "controls/base/core/BorderPainting.h"
#include "controls/base/core/ControlKinds.h"
#include "render/Blit.h"
#include "render/Text.h"
#include "platform/Redraw.h"

namespace lw::controls {

using platform::TMessage;

TsPanel::TsPanel(platform::TComponent* owner, platform::TWinControl* parent)
    : TsSkinned({.ClassName = "TsPanel", .Kind = ckPanel, .PaintsWhileLoading = true}, owner, parent,
                TPanel::DefaultCreateParams()) {
    SkinData().ControlLoaded();
}

void TsPanel::Redraw(UINT flags) { platform::RedrawShown(Handle(), flags); }

int TsPanel::FrameInset() const {
    const int bevels = (BevelInner != TBevelCut::bvNone ? 1 : 0) + (BevelOuter != TBevelCut::bvNone ? 1 : 0);
    return BevelWidth * bevels + BorderWidth;
}

// --- painting ---------------------------------------------------------------------------------

void TsPanel::PaintPanel(HDC dc, bool refreshChildren) {
    TsCommonData& d = SkinData();
    if (!Showing() || !d.Skinned()) return;
    const int w = Bounds().Width, h = Bounds().Height;
    if (d.UsesCache() && !d.CustomColor()) {
        if (d.RefreshUpdating()) return;
        const bool rebuild = d.HalfVisible() || d.BGChanged();
        if (d.RepaintIfMoved()) {
            RECT clip{};
            GetClipBox(dc, &clip);
            d.SetHalfVisible(!(clip.left == 0 && clip.top == 0 && clip.right == w && clip.bottom == h));
        } else {
            d.SetHalfVisible(false);
        }
        if (rebuild) PreparePanelCache();
        CopyCacheToDC(d, *this, {0, 0}, 0, 0, false, dc, {0, 0, w, h});
        PaintGraphicChildren(dc, *this, {0, 0});
    } else if (OnPaint) {
        OnPaint(*this, dc);
    } else {
        PaintDirect(dc);
    }
    if (refreshChildren) RefreshChildren(*this);
}

namespace {

void FillDc(HDC dc, const RECT& r, TColor color) {
    platform::BrushHandle brush(CreateSolidBrush(ResolveColor(color) & 0xFFFFFF));
    FillRect(dc, &r, brush.get());
}

void CopyStrips(HDC dc, const render::Bitmap& cache, int w, int h, int b) {
    const TRect strips[] = {{0, 0, w, b}, {0, h - b, w, h}, {0, b, b, h - b}, {w - b, b, w, h - b}};
    for (const TRect& s : strips)
        if (!s.IsEmpty()) bridge::BlitToDc(dc, s.Left, s.Top, cache, s);
}

}  // namespace

void TsPanel::PaintDirect(HDC dc) {
    TsCommonData& d = SkinData();
    d.EndUpdate();
    const int b = d.BorderWidth();
    const int w = Bounds().Width, h = Bounds().Height;
    const int saved = SaveDC(dc);
    for (platform::TControl* child : Controls()) {
        if (!child->Visible() || dynamic_cast<platform::TWinControl*>(child)) continue;
        const platform::TBounds& cb = child->Bounds();
        ExcludeClipRect(dc, cb.Left, cb.Top, cb.Left + cb.Width, cb.Top + cb.Height);
    }
    render::TsBgRequest bg;
    if (d.CustomColor() || Parent() == nullptr) {
        bg.Kind = 1;
        bg.Color = ResolveColor(d.CustomColor() ? Color() : d.SectionColor(false));
    } else {
        bridge::RequestBackground(bg, *Parent(), false);
    }
    render::TsCacheInfo behind = render::BgRequestToCacheInfo(bg);
    if (behind.Ready) {
        behind.X += Bounds().Left;
        behind.Y += Bounds().Top;
    }
    const bool transparent = d.Section()->Transparency >= 100;
    const TColor fill = transparent ? ResolveColor(bg.Color) : ResolveColor(d.SectionColor(false));
    // The border ring is kept while nothing it shows has changed; over a parent's bitmap it
    // shows the parent's pixels, which may change unannounced, so it is painted anew there.
    auto paintBorder = [&] {
        const BorderRingKey key{w, h, b, fill, d.SkinIndex, d.BorderIndex};
        if (!borderRing_ || !(ringKey_ == key) || (transparent && behind.Ready)) {
            borderRing_ = std::make_unique<render::Bitmap>(render::CreateBmp24(w, h));
            PaintBorderIntoCache(*borderRing_, {0, 0, w, h}, b, 0, d.BorderMask(), fill, behind);
            ringKey_ = key;
        }
    };
    if (transparent && behind.Ready) {
        if (!d.RefreshUpdating()) {
            if (b > 0) {
                paintBorder();
                CopyStrips(dc, *borderRing_, w, h, b);
            }
            bridge::BlitToDc(dc, b, b, *behind.Bmp, {b + behind.X, b + behind.Y, w - b + behind.X, h - b + behind.Y});
        }
    } else if (b > 0) {
        paintBorder();
        FillDc(dc, {b, b, w - b, h - b}, fill);
        CopyStrips(dc, *borderRing_, w, h, b);
    } else {
        FillDc(dc, {0, 0, w, h}, fill);
    }
    RECT client{0, 0, w, h};
    InflateRect(&client, -FrameInset(), -FrameInset());
    PaintPanelCaption(client, dc);
    if (OnPaint) OnPaint(*this, dc);
    RestoreDC(dc, saved);
    PaintGraphicChildren(dc, *this, {0, 0});
    d.CacheBmp.reset();  // a panel painted straight to the screen keeps no cache, only its ring
}

namespace {

UINT AlignmentFlags(TAlignment a) {
    switch (a) {
    case TAlignment::taLeftJustify:
        return DT_LEFT;
    case TAlignment::taRightJustify:
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}

}  // namespace

void TsPanel::PaintPanelCaption(RECT r, HDC dc) {
    const std::wstring caption = TextW();
    if (caption.empty() || dc == nullptr) return;
    platform::SelectObjectScope font(dc, FontHandle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    r.top = (Bounds().Height - metrics.tmHeight) / 2;
    r.bottom = r.top + metrics.tmHeight;
    const skin::TsGeneralData* gd = SkinData().Section();
    TColor color = Font().Color;
    if (gd != nullptr && !SkinData().CustomFont()) color = static_cast<TColor>(gd->FontColor[0]);
    if (!Enabled()) color = platform::clGrayText;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ResolveColor(color) & 0xFFFFFF);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              AlignmentFlags(Alignment) | DT_VCENTER | DT_EXPANDTABS | DT_SINGLELINE);
}

void TsPanel::PaintCaptionIntoCache() {
    const std::string caption = Text();
    if (caption.empty()) return;
    TsCommonData& d = SkinData();
    render::Surface surface(*d.CacheBmp);
    render::Canvas canvas{surface, bridge::ProcessTextEngine(), TextFontOf(*this)};
    const TPoint size = render::MeasureText(canvas.Engine, canvas.Font, "W");
    TRect r = RectOfSize(0, 0, Bounds().Width, Bounds().Height);
    const int inset = FrameInset();
    r = {r.Left + inset, (Bounds().Height - size.Y) / 2, r.Right - inset, (Bounds().Height - size.Y) / 2 + size.Y};
    render::ControlText text{d.PaintRef(), canvas.Font, d.CustomFont(), false, {}};
    render::WriteControlText(canvas, caption, Enabled(), false, text,
                             AlignmentFlags(Alignment) | DT_VCENTER | DT_EXPANDTABS | DT_SINGLELINE, r);
}

void TsPanel::RunOnPaintOverCache() {
    if (!OnPaint) return;
    render::Bitmap& cache = *SkinData().CacheBmp;
    bridge::TsDibSection canvas(cache.Width(), cache.Height(), render::PixelFormat::pf24bit);
    render::CopyPixels(canvas.Bitmap(), {0, 0}, cache, cache.Bounds());
    GdiFlush();
    OnPaint(*this, canvas.Dc());
    GdiFlush();
    render::CopyPixels(cache, {0, 0}, canvas.Bitmap(), cache.Bounds());
}

void TsPanel::PreparePanelCache() {
    TsCommonData& d = SkinData();
    if (!d.UsesCache()) return;
    d.EnsureCache();
    const platform::TBounds& b = Bounds();
    render::PaintControlItemFromParent(
        d.PaintRef(),
        [this](render::TsBgRequest& r) {
            if (Parent() != nullptr) bridge::RequestBackground(r, *Parent(), false);
        },
        true, true, *d.CacheBmp, {b.Left, b.Top}, RectOfSize(0, 0, b.Width, b.Height), 0);
    PaintCaptionIntoCache();
    RunOnPaintOverCache();
    d.MarkFresh();
}

// --- messages ---------------------------------------------------------------------------------

void TsPanel::SkinCommand(TMessage& m) {
    TsCommonData& d = SkinData();
    const bool own = OwnCommand(m);
    const unsigned command = skin::SkinCommandOf(m.WParam);
    if (own && (command == skin::SMC_SKINLOADED || command == skin::SMC_SKINREMOVED || command == skin::SMC_REFRESH))
        borderRing_.reset();
    switch (command) {
    case skin::SMC_SKINLOADED:
        bridge::BroadcastToChildren(*this, m.Msg, m.WParam, m.LParam);
        if (own) HandleSkinCommand(d, m);
        return;
    case skin::SMC_SKINREMOVED:
        if (own) {
            HandleSkinCommand(d, m);
            Invalidate();
        }
        bridge::BroadcastToChildren(*this, m.Msg, m.WParam, m.LParam);
        return;
    case skin::SMC_REFRESH:
        if (own) {
            HandleSkinCommand(d, m);
            if (Handle() != nullptr && !(ComponentState() & platform::csLoading))
                Redraw(RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        }
        bridge::BroadcastToChildren(*this, m.Msg, m.WParam, m.LParam);
        return;
    case skin::SMC_GETBG: {
        if (m.LParam == 0) return;
        auto& request = *reinterpret_cast<render::TsBgRequest*>(m.LParam);
        // A panel painted straight to the screen keeps no cache to bring up to date: asking
        // its parent whether an update runs would cost every child's request a message.
        if (d.BGChanged() && d.UsesCache() && !d.IsUpdating()) PreparePanelCache();
        RECT client{};
        if (Handle() != nullptr) GetClientRect(Handle(), &client);
        const int inset = client.right != Bounds().Width ? FrameInset() : 0;
        // A draw request paints at the offsets it carries: the inset goes in before the answer.
        if (request.DrawNow) {
            request.OffsetX += inset;
            request.OffsetY += inset;
        }
        const bool drawNow = request.DrawNow;
        d.AnswerBgRequest(request, false);
        if (!drawNow && request.Kind == 2) {
            request.OffsetX += inset;
            request.OffsetY += inset;
        }
        return;
    }
    case skin::SMC_ENDUPDATE:
        if (d.EndUpdate()) {
            if (!d.RefreshUpdating()) Redraw(RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
        }
        RefreshChildren(*this);
        return;
    case skin::SMC_ISBGPENDING:
        m.Result = d.IsUpdating() ? 1 : 0;
        return;
    default:
        TsSkinned::SkinCommand(m);
        return;
    }
}

// Unskinned, a panel painted by its OnPaint handler erases nothing first.
void TsPanel::UnskinnedMessage(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND && OnPaint)
        m.Result = 1;
    else
        TPanel::WndProc(m);
}

void TsPanel::Dispatch(TMessage& m) {
    TsSkinned::Dispatch(m);
    if (m.Msg == platform::CM_MOUSEENTER && reinterpret_cast<platform::TControl*>(m.LParam) == this && OnMouseEnter)
        OnMouseEnter(*this);
    if (m.Msg == platform::CM_MOUSELEAVE && reinterpret_cast<platform::TControl*>(m.LParam) == this && OnMouseLeave)
        OnMouseLeave(*this);
}

void TsPanel::SkinnedMessage(TMessage& m) {
    TsCommonData& d = SkinData();
    switch (m.Msg) {
    case WM_SIZE:
        d.MarkStale();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TPanel::WndProc(m);
        return;
    case WM_PAINT:
        if (!Visible()) break;
        WithPaintDc(Handle(), m.WParam, [this, &d](HDC dc) {
            const bool updating = d.RefreshUpdating();
            // A static panel has painted itself while erasing; only a cached one paints here.
            if (d.UsesCache() && !updating) PaintPanel(dc, true);
        });
        m.Result = 0;
        return;
    case WM_ERASEBKGND:
        if (!d.RefreshUpdating() && !d.UsesCache()) PaintPanel(reinterpret_cast<HDC>(m.WParam), true);
        m.Result = 1;
        return;
    case WM_PRINTCLIENT:
    case WM_PRINT: {
        d.EndUpdate();
        if (!d.CacheBmp) d.CacheBmp = std::make_unique<render::Bitmap>();
        PreparePanelCache();
        d.RestoreCorners(0, cnAll);
        PaintPanel(reinterpret_cast<HDC>(m.WParam), false);
        if (!d.UsesCache()) d.CacheBmp.reset();
        return;
    }
    case WM_WINDOWPOSCHANGING:
        if (d.IsTransparent()) d.MarkStale();
        TPanel::WndProc(m);
        return;
    case platform::CM_VISIBLECHANGED:
        d.MarkStale();
        d.EndUpdate();
        if (!Visible()) borderRing_.reset();
        TPanel::WndProc(m);
        return;
    case platform::CM_COLORCHANGED:
        if (d.CustomColor()) d.MarkStale();
        break;
    case platform::CM_TEXTCHANGED:
        if (Parent() != nullptr) d.InvalidateSkin();
        return;
    case WM_SETTEXT:
        TPanel::WndProc(m);
        if (m.LParam != 0 && *reinterpret_cast<const wchar_t*>(m.LParam) != 0) {
            d.MarkStale();
            Invalidate();
        }
        return;
    case platform::CM_ENABLEDCHANGED:
        TPanel::WndProc(m);
        d.InvalidateSkin();
        HandleWindowMessage(d, *this, m);
        return;
    default:
        break;
    }
    if (!HandleWindowMessage(d, *this, m)) TPanel::WndProc(m);
}

}  // namespace lw::controls
