#include "controls/base/GroupBox.h"

#include <algorithm>

#include "bridge/GdiTextEngine.h"
#include "bridge/SkinCommands.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/ContainerPainting.h"
#include "controls/base/core/ControlKinds.h"
#include "render/Blit.h"
#include "render/Text.h"
#include "platform/Redraw.h"

namespace lw::controls {

using platform::TMessage;

namespace {

// The device context of the whole window, non-client strip included.
class WindowDcScope {
public:
    explicit WindowDcScope(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDcScope() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDcScope(const WindowDcScope&) = delete;
    WindowDcScope& operator=(const WindowDcScope&) = delete;
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace

TsGroupBox::TsGroupBox(platform::TComponent* owner, platform::TWinControl* parent)
    : TsSkinned({.ClassName = "TsGroupBox", .Kind = ckGroupBox, .PaintsWhileLoading = true}, owner, parent,
                TGroupBox::DefaultCreateParams()) {
    SkinData().ControlLoaded();
}

void TsGroupBox::SetCaptionLayout(TsCaptionLayout layout) {
    captionLayout_ = layout;
    if (!Text().empty()) SkinData().InvalidateSkin();
}

void TsGroupBox::SetCaptionYOffset(int offset) {
    if (offset == captionYOffset_) return;
    captionYOffset_ = offset;
    // The client area follows the offset, and the children with it.
    if (Handle() != nullptr)
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SkinData().InvalidateSkin();
}

void TsGroupBox::SetCaptionSkin(const std::string& section) {
    if (section == captionSkin_) return;
    captionSkin_ = section;
    SkinData().InvalidateSkin();
}

void TsGroupBox::Repaint() { platform::RedrawShown(Handle(), RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW); }

// A window cannot place its client area above its own top, so a negative offset moves only the
// caption.
int TsGroupBox::ClientTop() const {
    if (ComponentState() & platform::csDestroying) return 0;
    return std::clamp(captionYOffset_, 0, std::max(0, Bounds().Height));
}

int TsGroupBox::TextWidth(const std::string& text) const {
    return render::MeasureText(bridge::ProcessTextEngine(), TextFontOf(*this), text).X;
}

int TsGroupBox::CaptionHeight() const {
    return GroupBoxCaptionHeight(render::MeasureText(bridge::ProcessTextEngine(), TextFontOf(*this), "W").Y);
}

TRect TsGroupBox::CaptionRect() const {
    CaptionPlacement p;
    p.Width = Bounds().Width;
    p.TextWidth = TextWidth(Text());
    p.CaptionHeight = CaptionHeight();
    p.YOffset = captionYOffset_;
    p.Skinned = SkinData().Skinned();
    p.BevelWidth = bevelWidth_;
    p.Layout = captionLayout_;
    return GroupBoxCaptionRect(p);
}

// --- painting ---------------------------------------------------------------------------------

void TsGroupBox::PrepareGroupBoxCache() {
    TsCommonData& d = SkinData();
    d.EnsureCache();
    render::Bitmap& cache = *d.CacheBmp;
    const render::TsCacheInfo bg = d.ParentCacheInfo();
    const TRect c = CaptionRect();
    const platform::TBounds& b = Bounds();
    if (bg.Ready && bg.Bmp != nullptr) {
        render::CopyPixels(cache, {0, 0}, *bg.Bmp, RectOfSize(b.Left + bg.X, b.Top + bg.Y, b.Width, c.Height()));
    } else if (Parent() != nullptr) {
        render::Surface surface(cache);
        render::FillRectSolid(surface, {0, 0, b.Width, c.Bottom}, ResolveColor(bg.FillColor));
    }
    const int top = captionYOffset_ < 0 ? 0 : c.Height() / 2;
    render::PaintControlItem(d.PaintRef(), bg, true, true, cache, {b.Left, b.Top + top}, {0, top, b.Width, b.Height},
                             0);
    if (!Text().empty()) PaintGroupBoxCaption(c, bg);
    d.MarkFresh();
}

void TsGroupBox::PaintGroupBoxCaption(const TRect& c, const render::TsCacheInfo& bg) {
    TsCommonData& d = SkinData();
    render::Bitmap& cache = *d.CacheBmp;
    const skin::SkinManagerView* manager = d.GetSkinManager();
    const render::SkinSource* skin = manager != nullptr ? manager->LoadedSkin() : nullptr;
    if (skin == nullptr) return;
    const int state = Focused() ? 1 : 0;
    if (!captionSkin_.empty()) {
        const std::string section = UpperCaseAscii(captionSkin_);
        render::PaintItem(skin->GetSkinIndex(section), section, render::CacheInfoFromBitmap(cache, 0, 0), -1, -1, skin,
                          cache, {0, 0}, c, state, true);
    } else if (bg.Ready && bg.Bmp != nullptr) {
        render::PaintItem(skin->GetSkinIndex("CHECKBOX"), "CHECKBOX", bg, -1, -1, skin, cache,
                          {Bounds().Left + c.Left, Bounds().Top + c.Top}, c, state, true);
    } else {
        render::Surface surface(cache);
        render::FillRectSolid(surface, c, ResolveColor(bg.FillColor));
    }
    render::Surface surface(cache);
    render::Canvas canvas{surface, bridge::ProcessTextEngine(), TextFontOf(*this)};
    render::ControlText text{d.PaintRef(), canvas.Font, d.CustomFont(), true, {}};
    for (platform::TControl* p = Parent(); p != nullptr; p = p->Parent()) {
        const LRESULT index = bridge::SendSkinCommand(p, skin::SMC_GETSKININDEX, 0);
        if (index > 0) text.ParentSections.push_back(static_cast<int>(index) - 1);
    }
    render::WriteControlText(canvas, Text(), true, false, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, c);
}

void TsGroupBox::GroupBoxToDC(HDC dc) {
    TsCommonData& d = SkinData();
    if (!d.Skinned(true) || (ComponentState() & platform::csDestroying) || !Visible()) return;
    if (d.RefreshUpdating()) return;
    if (d.RepaintIfMoved() && Parent() != nullptr) {
        RECT client{};
        GetClientRect(Parent()->Handle(), &client);
        const platform::TBounds& b = Bounds();
        const POINT first{b.Left + 1, b.Top + 1}, last{b.Left + b.Width - 1, b.Top + b.Height - 1};
        d.SetHalfVisible(!PtInRect(&client, first) || !PtInRect(&client, last));
    } else {
        d.SetHalfVisible(false);
    }
    // The cache is rebuilt only when what it shows may have changed: everything that changes it
    // marks it stale, and the caption's look follows the focus.
    const bool focused = Focused();
    const bool fits = d.CacheBmp && d.CacheBmp->Width() == Bounds().Width && d.CacheBmp->Height() == Bounds().Height;
    if (d.BGChanged() || d.HalfVisible() || !fits || focused != cachedFocused_) {
        PrepareGroupBoxCache();
        cachedFocused_ = focused;
    }
    CopyCacheToDC(d, *this, {0, 0}, 0, 0, false, dc, {0, 0, Bounds().Width, Bounds().Height});
    PaintGraphicChildren(dc, *this, {0, ClientTop()});
    RefreshChildren(*this);
}

// A client-area context: the whole box is painted in window coordinates, so the strip above the
// client area falls outside it.
void TsGroupBox::PaintClientDC(HDC dc) {
    POINT previous;
    OffsetViewportOrgEx(dc, 0, -ClientTop(), &previous);
    GroupBoxToDC(dc);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

// The strip above the client area, which WM_PAINT's context does not reach.
void TsGroupBox::PaintCaptionStrip() {
    WindowDcScope window(Handle());
    if (window.Dc() == nullptr) return;
    const int top = ClientTop();
    const platform::TBounds& b = Bounds();
    IntersectClipRect(window.Dc(), 0, 0, b.Width, top);
    if (SkinData().Skinned(true)) {
        GroupBoxToDC(window.Dc());
    } else {
        const RECT strip{0, 0, b.Width, top};
        const platform::BrushHandle brush(CreateSolidBrush(platform::ColorToRGB(Color())));
        FillRect(window.Dc(), &strip, brush.get());
    }
}

// Children place themselves in the client area, so their offsets into this box's pictures start
// at its top.
void TsGroupBox::AnswerBackground(render::TsBgRequest& request) {
    TsCommonData& d = SkinData();
    const int top = ClientTop();
    if (request.DrawNow) request.OffsetY += top;
    if (captionSkin_.empty() || !d.CacheBmp) {
        d.AnswerBgRequest(request, false);
        if (!request.DrawNow && request.Kind == 2) request.OffsetY += top;
        return;
    }
    request.Kind = 2;
    if (request.DrawNow && request.Target != nullptr) {
        request.Target->Copy({request.Area.Left, request.Area.Top}, *d.CacheBmp,
                             RectOfSize(request.OffsetX, request.OffsetY, request.Area.Width(), request.Area.Height()));
    } else {
        request.Bitmap = d.CacheBmp.get();
        request.OffsetX = 0;
        request.OffsetY = top;
    }
}

// --- messages ---------------------------------------------------------------------------------

void TsGroupBox::SkinCommand(TMessage& m) {
    TsCommonData& d = SkinData();
    const bool own = OwnCommand(m);
    const bool skinned = d.Skinned();
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_SKINLOADED:
        bridge::BroadcastToChildren(*this, m.Msg, m.WParam, m.LParam);
        if (own) HandleSkinCommand(d, m);
        return;
    case skin::SMC_SKINREMOVED:
    case skin::SMC_REFRESH:
        if (own) HandleSkinCommand(d, m);
        bridge::BroadcastToChildren(*this, m.Msg, m.WParam, m.LParam);
        if (own) Repaint();
        return;
    case skin::SMC_ISSKINNED:
        m.Result = 1;
        return;
    case skin::SMC_GETBG:
        if (m.LParam != 0) AnswerBackground(*reinterpret_cast<render::TsBgRequest*>(m.LParam));
        return;
    case skin::SMC_ENDUPDATE:
        if (!skinned) break;
        if (d.EndUpdate()) {
            d.RefreshUpdating();
            if (Showing() && !d.Updating()) Repaint();
        }
        return;
    case skin::SMC_ISBGPENDING:
        if (!skinned) break;
        m.Result = (d.BGChanged() || d.IsUpdating()) ? 1 : 0;
        return;
    default:
        if (skinned && HandleSkinCommand(d, m)) return;
        break;
    }
    TGroupBox::WndProc(m);
}

void TsGroupBox::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE:
        TGroupBox::WndProc(m);
        // Both forms of the message carry the new client rectangle first.
        if (RECT* client = reinterpret_cast<RECT*>(m.LParam); client != nullptr)
            client->top = std::min(client->top + ClientTop(), client->bottom);
        return;
    case WM_NCPAINT:
        if (ClientTop() > 0) {
            PaintCaptionStrip();
            m.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TsSkinned::Dispatch(m);
}

void TsGroupBox::SkinnedMessage(TMessage& m) {
    TsCommonData& d = SkinData();
    switch (m.Msg) {
    case WM_MOVE:
        if (!d.BGChanged() && d.RepaintIfMoved()) d.MarkStale();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TGroupBox::WndProc(m);
        return;
    case WM_PAINT:
        WithPaintDc(Handle(), m.WParam, [this](HDC dc) { PaintClientDC(dc); });
        m.Result = 0;
        return;
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_WINDOWPOSCHANGED:
    case platform::CM_VISIBLECHANGED:
        d.MarkStale();
        HandleWindowMessage(d, *this, m);
        TGroupBox::WndProc(m);
        return;
    case WM_PRINT:
        d.EndUpdate();
        GroupBoxToDC(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_PRINTCLIENT:
        d.EndUpdate();
        PaintClientDC(reinterpret_cast<HDC>(m.WParam));
        return;
    case platform::CM_TEXTCHANGED:
        d.InvalidateSkin();
        return;
    case platform::CM_FONTCHANGED:
        if (!Text().empty()) d.InvalidateSkin();
        break;
    case platform::CM_ENABLEDCHANGED:
    case platform::CM_PARENTCOLORCHANGED:
        d.MarkStale();
        break;
    default:
        break;
    }
    if (!HandleWindowMessage(d, *this, m)) TGroupBox::WndProc(m);
}

}  // namespace lw::controls
